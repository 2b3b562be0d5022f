#include <gtest/gtest.h>

#include "core/text.h"

namespace mw {
namespace {

using namespace std::string_literals;

TEST(TextTest, CropRemovesEveryNul)
{
    EXPECT_EQ(WithoutNuls("a\0b\0"s), "ab");
    EXPECT_EQ(WithoutNuls("\0\0"s), "");
}

struct PrintableCase {
    std::string text;
    std::string shown;
};

class PrintableTextTest : public ::testing::TestWithParam<PrintableCase> {};

TEST_P(PrintableTextTest, ShowsControlsAsQuestionMarks)
{
    EXPECT_EQ(PrintableText(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrintableTextTest,
    ::testing::Values(PrintableCase{"cars\\a.tex", "cars\\a.tex"},
                      PrintableCase{"line\nbreak\ttab\x7f", "line?break?tab?"},
                      PrintableCase{"\x1b]0;PWNED\a\x1b[2J", "?]0;PWNED??[2J"},
                      PrintableCase{"a\xc2\x9b" "2J", "a?2J"},      // C1 CSI as UTF-8
                      PrintableCase{"a\x9b" "2J\x80", "a?2J?"},     // C1 bytes outside UTF-8
                      PrintableCase{"caf\xc3\xa9 \xc2\xa0\xe2\x82\xac", "caf\xc3\xa9 \xc2\xa0\xe2\x82\xac"},
                      PrintableCase{"caf\xe9\xc2", "caf\xe9\xc2"}));  // other bytes outside UTF-8

TEST(TextTest, FirstAndLastCharactersClampToTheText)
{
    EXPECT_EQ(FirstChars("abc", 5), "abc");
    EXPECT_EQ(FirstChars("abc", 0), "");
    EXPECT_EQ(FirstChars("abc", -2), "");
    EXPECT_EQ(LastChars("abc", 2), "bc");
    EXPECT_EQ(LastChars("abc", 9), "abc");
    EXPECT_EQ(LastChars("abc", -1), "");
}

TEST(TextTest, LowerCasingIsAsciiOnly)
{
    EXPECT_EQ(LowerAscii("CARS\\Tex\xC9.TGA"), "cars\\tex\xC9.tga");
}

}  // namespace
}  // namespace mw
