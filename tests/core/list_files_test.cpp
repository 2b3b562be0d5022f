#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/list_files.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

// What the lister must return for a folder: its names in the order the file
// system gives them, folders expanded where they stand, read here with
// readdir so that no order is assumed.
void Expected(const std::string& folder, bool recurse, bool includeFolders, FileList& out)
{
    for (const std::string& name : test::DirectoryOrder(folder)) {
        const std::string path = folder + "/" + name;
        struct stat st {};
        ::stat(path.c_str(), &st);
        if (S_ISDIR(st.st_mode)) {
            if (recurse)
                Expected(path, recurse, includeFolders, out);
            else if (includeFolders)
                out.push_back(path);
        } else {
            out.push_back(path);
        }
    }
    if (includeFolders)
        out.push_back(folder + "/");
}

class ListFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("mods/a.txt", "abc");
        dir.Write("mods/sub/b.bin", "");
        dir.Write("mods/sub/deep/c.dat", "c");
        dir.Write("mods/.hidden", "h");
        dir.Write("mods/noext", "n");
        dir.MakeFolder("mods/empty");
        for (int i = 0; i < 20; ++i)
            dir.Write("mods/many/f" + std::to_string(i) + ".bin", "x");
    }
    TempDir dir;
};

TEST_F(ListFilesTest, ListsEveryFileDepthFirstInFileSystemOrder)
{
    const std::string mods = dir / "mods";
    FileList expected;
    Expected(mods, true, false, expected);
    EXPECT_EQ(expected.size(), 25u);
    EXPECT_EQ(ListFiles(mods, "*.*", true, false, kAllAttributes), expected);
    EXPECT_EQ(ListFiles(mods + "/", "*.*", true, false, kAllAttributes), expected);
}

TEST_F(ListFilesTest, IncludeFoldersAddsEachFolderAfterItsFiles)
{
    const std::string mods = dir / "mods";
    FileList recursed;
    Expected(mods, true, true, recursed);
    EXPECT_EQ(ListFiles(mods, "*.*", true, true, kAllAttributes), recursed);
    EXPECT_EQ(recursed.back(), mods + "/");

    FileList flat;
    Expected(mods, false, true, flat);
    EXPECT_EQ(ListFiles(mods, "*.*", false, true, kAllAttributes), flat);
    EXPECT_NE(std::find(flat.begin(), flat.end(), mods + "/sub"), flat.end());
}

TEST_F(ListFilesTest, NothingToListGivesAnEmptyList)
{
    EXPECT_TRUE(ListFiles(dir / "missing", "*.*", true, false, kAllAttributes).empty());
    EXPECT_TRUE(ListFiles(dir / "mods/a.txt", "*.*", true, false, kAllAttributes).empty());
    EXPECT_TRUE(ListFiles("...or select a file", "*.*", true, false, kAllAttributes).empty());
    EXPECT_TRUE(ListFiles(dir / "mods/empty", "*.*", true, false, kAllAttributes).empty());
    EXPECT_EQ(ListFiles(dir / "missing", "*.*", true, true, kAllAttributes), FileList{dir / "missing/"});
}

TEST_F(ListFilesTest, MaskFiltersFilesAndFoldersAlike)
{
    const FileList bins = ListFiles(dir / "mods/many", "*.BIN", true, false, kAllAttributes);
    EXPECT_EQ(bins.size(), 20u);
    EXPECT_TRUE(ListFiles(dir / "mods", "*.txt", true, false, kAllAttributes) == FileList{dir / "mods/a.txt"});
    EXPECT_TRUE(MatchesMask("noext", "*.*"));
    EXPECT_TRUE(MatchesMask("f1.bin", "f?.b*"));
    EXPECT_FALSE(MatchesMask("f10.bin", "f?.bin"));
}

TEST_F(ListFilesTest, LinksAreFollowedButNeverInACircle)
{
    const std::string mods = dir / "mods";
    ASSERT_EQ(::symlink(mods.c_str(), (mods + "/sub/loop").c_str()), 0);
    ASSERT_EQ(::symlink((mods + "/a.txt").c_str(), (mods + "/link.txt").c_str()), 0);
    ASSERT_EQ(::symlink((mods + "/gone").c_str(), (mods + "/dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((mods + "/pipe").c_str(), 0600), 0);
    const FileList listed = ListFiles(mods, "*.*", true, false, kAllAttributes);
    EXPECT_EQ(listed.size(), 26u);  // the 25 files and the link to a.txt
    for (const std::string& path : listed) {
        EXPECT_EQ(path.find("/loop/"), std::string::npos) << path;
        EXPECT_EQ(path.find("dangling"), std::string::npos) << path;
        EXPECT_EQ(path.find("pipe"), std::string::npos) << path;
    }
}

// Two links from each level to the next would list the last level 2^15 times.
TEST_F(ListFilesTest, EachRealFolderIsListedOnceHoweverManyLinksLeadToIt)
{
    constexpr int kLevels = 16;
    for (int level = 0; level < kLevels; ++level) {
        const std::string folder = dir / ("levels/" + std::to_string(level));
        dir.Write("levels/" + std::to_string(level) + "/f.bin", "f");
        const std::string next = dir / ("levels/" + std::to_string(level + 1));
        for (const char* link : {"/a", "/b"})
            ASSERT_EQ(::symlink(next.c_str(), (folder + link).c_str()), 0);
    }
    dir.MakeFolder("levels/" + std::to_string(kLevels));
    EXPECT_EQ(ListFiles(dir / "levels/0", "*.*", true, false, kAllAttributes).size(), std::size_t{kLevels});
}

TEST_F(ListFilesTest, AnUnreadableSubfolderEndsTheListing)
{
    ::chmod((dir / "mods/sub").c_str(), 0);
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { ListFiles(dir / "mods", "*.*", true, false, kAllAttributes); }),
              "Accès au fichier refusé");
}

}  // namespace
}  // namespace mw
