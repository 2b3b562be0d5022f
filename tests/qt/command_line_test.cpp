#include <gtest/gtest.h>

#include "startup/command_line.h"

namespace mw {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLineTest, BlanksSeparateAndQuotedStretchesHoldThem)
{
    EXPECT_EQ(SplitCommandLine(R"(Mendwright.exe \1wad cars.wad carsfix \Start)"),
              (Arguments{"Mendwright.exe", R"(\1wad)", "cars.wad", "carsfix", R"(\Start)"}));
    // Every character up to the space is a blank, tabs and line ends included.
    EXPECT_EQ(SplitCommandLine("  a\tb\r\n\x01" "c  "), (Arguments{"a", "b", "c"}));
    EXPECT_TRUE(SplitCommandLine(" \t ").empty());
    // Bytes above the space are never blanks.
    EXPECT_EQ(SplitCommandLine("p \xe9t\xa0\xe9 z"), (Arguments{"p", "\xe9t\xa0\xe9", "z"}));
    EXPECT_EQ(SplitCommandLine(R"("C:\Program Files\Mendwright.exe" "\1wad" "my cars.wad")"),
              (Arguments{R"(C:\Program Files\Mendwright.exe)", R"(\1wad)", "my cars.wad"}));
    // A quoted blank stays in the word, so the comparison with the word fails later.
    EXPECT_EQ(SplitCommandLine(R"(p "\1wad " x)"), (Arguments{"p", R"(\1wad )", "x"}));
}

TEST(SplitCommandLineTest, QuotesAreDroppedWhereverTheyStand)
{
    EXPECT_EQ(SplitCommandLine(R"(p Update"d fold"er)"), (Arguments{"p", "Updated folder"}));
    // A backslash before a quote escapes nothing.
    EXPECT_EQ(SplitCommandLine(R"(p "C:\GP4\" next)"), (Arguments{"p", R"(C:\GP4\)", "next"}));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(SplitCommandLine(R"(p "a b)"), (Arguments{"p", "a b"}));
    // A word that comes out empty is no argument.
    EXPECT_EQ(SplitCommandLine(R"(p "" b "")"), (Arguments{"p", "b"}));
    EXPECT_EQ(SplitCommandLine(R"(p """ b)"), (Arguments{"p", " b"}));
}

}  // namespace
}  // namespace mw
