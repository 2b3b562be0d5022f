#include <gtest/gtest.h>

#include "core/path_helpers.h"

namespace mw {
namespace {

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

TEST(PathHelpersTest, SeparatorsTurnBothWays)
{
    const std::string native = std::string("cars") + kNativeSeparator + "a.tex";
    EXPECT_EQ(ToEntrySeparators(native), "cars\\a.tex");
    EXPECT_EQ(ToNativeSeparators("cars\\a.tex"), native);
}

}  // namespace
}  // namespace mw
