// find lists the matching entries of every archive in the GP4 folder and
// below; an archive or a folder that cannot be read is named and the search
// goes on; links are followed only where they lead inside the GP4 folder.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

struct FindCase {
    const char* pattern;
    const char* folder;  // below the test folder; nullptr: no --gp4, and no installation
    const char* out;     // "@" stands for the test folder
    const char* err;
    int exitCode;
};

const FindCase kCases[] = {
    {"*.tex", "gp4",
     "@/gp4/cars.wad\tcars\\a.tex\t3\n@/gp4/cars.wad\tx?tab.tex\t0\n@/gp4/sub/MONZA2001.WAD\tmaps\\monza\\a.tex\t2\n",
     "mendwright-cli: @/gp4/broken.wad: Lecture au-delà de la fin de fichier. (broken.wad is truncated: its "
     "directory of 3 entries ends past the end of the file)\n", 1},
    {"CARS/A.TEX", "gp4", "@/gp4/cars.wad\tcars\\a.tex\t3\n",
     "mendwright-cli: @/gp4/broken.wad: Lecture au-delà de la fin de fichier. (broken.wad is truncated: its "
     "directory of 3 entries ends past the end of the file)\n", 1},
    {"*a.tex", "gp4/sub", "@/gp4/sub/MONZA2001.WAD\tmaps\\monza\\a.tex\t2\n", "", 0},
    {"*", "none", "", "mendwright-cli: Sorry but this GP4 folder does not exist: @/none\n", 2},
    {"*", nullptr, "",
     "mendwright-cli: Sorry but no GP4 installation was found\n"
     "mendwright-cli: pass --gp4 FOLDER to name the GP4 installation folder\n",
     2},
};

std::string InFolder(std::string text, const std::string& folder)
{
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + folder.size()))
        text.replace(at, 1, folder);
    return text;
}

void PrintTo(const FindCase& find, std::ostream* out)
{
    *out << find.pattern << " in " << (find.folder ? find.folder : "no folder");
}

class FindTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTest, ListsTheMatchingEntriesOfEveryArchive)
{
    const FindCase& find = GetParam();
    const TempDir dir;
    dir.Write("gp4/cars.wad", test::ContiguousArchive({{"cars\\a.tex", "abc"}, {"cars\\b.gpc", "b"}, {"x\ttab.tex", ""}}));
    dir.Write("gp4/sub/MONZA2001.WAD", test::ContiguousArchive({{"maps\\monza\\a.tex", "ab"}}));
    dir.Write("gp4/broken.wad", test::LittleEndian32(3));
    dir.Write("gp4/notes.txt", test::LittleEndian32(3));

    std::vector<std::string> arguments = {"find", find.pattern};
    if (find.folder != nullptr)
        arguments.insert(arguments.end(), {"--gp4", dir / find.folder});
    const auto result = test::RunProcess(MENDWRIGHT_CLI, arguments, "", {{"WINEPREFIX", dir / "nowine"}});
    EXPECT_EQ(result.out, InFolder(find.out, dir.path()));
    EXPECT_EQ(result.err, InFolder(find.err, dir.path()));
    EXPECT_EQ(result.exitCode, find.exitCode);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// A link to / would search the whole system, one to a folder beside the GP4
// folder would list its archives, and one back to the GP4 folder would list
// it twice; none is followed beyond the GP4 folder. The locked folder is
// named, and the search goes on.
TEST(FindBoundsTest, StaysInsideTheGp4FolderAndNamesWhatItCannotRead)
{
    const TempDir dir;
    dir.Write("gp4/cars.wad", test::ContiguousArchive({{"cars\\a.tex", "abc"}}));
    dir.Write("gp4/sub/t.wad", test::ContiguousArchive({{"maps\\a.tex", "ab"}}));
    dir.Write("gp4/locked/l.wad", test::ContiguousArchive({{"l.tex", "l"}}));
    dir.Write("outside/o.wad", test::ContiguousArchive({{"o.tex", "o"}}));
    for (const auto& [target, link] : {std::pair<std::string, std::string>{"/", "gp4/root"},
                                       {dir / "outside", "gp4/sub/outside"},
                                       {dir / "outside/o.wad", "gp4/o.wad"},
                                       {dir / "gp4", "gp4/sub/loop"}})
        ASSERT_EQ(::symlink(target.c_str(), (dir / link).c_str()), 0) << link;
    ::chmod((dir / "gp4/locked").c_str(), 0);

    const auto result = test::RunUnprivileged(dir.path(), MENDWRIGHT_CLI, {"find", "*.tex", "--gp4", dir / "gp4"}, {}, 60);
    EXPECT_EQ(result.out, InFolder("@/gp4/cars.wad\tcars\\a.tex\t3\n@/gp4/sub/t.wad\tmaps\\a.tex\t2\n", dir.path()));
    EXPECT_EQ(result.err, InFolder("mendwright-cli: @/gp4/locked: Accès au fichier refusé. (you may not read locked "
                                   "(another user's, or its permissions forbid it))\n",
                                   dir.path()));
    EXPECT_EQ(result.exitCode, 1);
}

}  // namespace
}  // namespace mw
