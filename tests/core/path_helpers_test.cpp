#include <gtest/gtest.h>

#include "core/path_helpers.h"

namespace mw {
namespace {

using namespace std::string_literals;

// The same cuts on "\" texts and on "/" texts.
struct SeparatorCase {
    char separator;
    std::string (*spell)(std::string);
};

void PrintTo(const SeparatorCase& c, std::ostream* out) { *out << "'" << c.separator << "'"; }

std::string AsIs(std::string text) { return text; }
std::string Slashed(std::string text)
{
    for (char& c : text)
        if (c == '\\')
            c = '/';
    return text;
}

class PathCutTest : public ::testing::TestWithParam<SeparatorCase> {
protected:
    std::string S(const char* text) const { return GetParam().spell(text); }
    char sep() const { return GetParam().separator; }
};

TEST_P(PathCutTest, PathKeepsTheFolderWithItsSeparator)
{
    EXPECT_EQ(FolderPart(S("C:\\GP4\\cars.wad"), sep()), S("C:\\GP4\\"));
    EXPECT_EQ(FolderPart(S("C:\\GP4\\"), sep()), S("C:\\GP4\\"));
    EXPECT_EQ(FolderPart("cars.wad", sep()), "");
    EXPECT_EQ(FolderPart("", sep()), "");
}

TEST_P(PathCutTest, FileNamePartKeepsWhatFollowsTheLastSeparator)
{
    EXPECT_EQ(FileNamePart(S("C:\\GP4\\cars.wad"), sep()), "cars.wad");
    EXPECT_EQ(FileNamePart("cars.wad", sep()), "cars.wad");
    EXPECT_EQ(FileNamePart(S("C:\\GP4\\"), sep()), "");
    EXPECT_EQ(FileNamePart("", sep()), "");
}

TEST_P(PathCutTest, FolderTestLooksOnlyAtTheLastCharacters)
{
    for (const char* folder : {"C:\\mods", "C:\\pic.jpeg", "ab", "a.", "x.y", ""})
        EXPECT_TRUE(IsFolderPath(S(folder))) << folder;
    for (const char* file : {"C:\\a\\readme.txt", "C:\\a\\x.gp", "C:\\my.old", "C:\\a.b\\c", ".ab"})
        EXPECT_FALSE(IsFolderPath(S(file))) << file;
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, PathCutTest,
                         ::testing::Values(SeparatorCase{'\\', AsIs}, SeparatorCase{'/', Slashed}),
                         [](const auto& info) { return info.param.separator == '/' ? "Slash" : "Backslash"; });

TEST(PathHelpersTest, OtherSeparatorIsAnOrdinaryCharacter)
{
    EXPECT_EQ(FileNamePart("C:\\GP4/cars.wad", '\\'), "GP4/cars.wad");
    EXPECT_EQ(FolderPart("a/b\\c", '/'), "a/");
}

TEST(PathHelpersTest, CropRemovesEveryNul)
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

TEST(PathHelpersTest, FirstAndLastCharactersClampToTheText)
{
    EXPECT_EQ(FirstChars("abc", 5), "abc");
    EXPECT_EQ(FirstChars("abc", 0), "");
    EXPECT_EQ(FirstChars("abc", -2), "");
    EXPECT_EQ(LastChars("abc", 2), "bc");
    EXPECT_EQ(LastChars("abc", 9), "abc");
    EXPECT_EQ(LastChars("abc", -1), "");
}

TEST(PathHelpersTest, LowerCasingIsAsciiOnly)
{
    EXPECT_EQ(LowerAscii("CARS\\Tex\xC9.TGA"), "cars\\tex\xC9.tga");
}

TEST(PathHelpersTest, SeparatorsTurnBothWays)
{
    const std::string native = std::string("cars") + kNativeSeparator + "a.tex";
    EXPECT_EQ(ToEntrySeparators(native), "cars\\a.tex");
    EXPECT_EQ(ToNativeSeparators("cars\\a.tex"), native);
}

}  // namespace
}  // namespace mw
