#include <gtest/gtest.h>

#include "core/windows_path_rules.h"

namespace mw {
namespace {

struct PathPair {
    const char* folder;
    const char* path;
    bool inside;
    bool same;
};

// The paths the system gives back for open files, against the paths
// expected from their folders.
constexpr PathPair kPairs[] = {
    {R"(\\?\C:\GP4)", R"(C:\GP4\cars.wad)", true, false},
    {R"(C:\GP4\)", R"(\\?\c:\gp4)", true, true},
    {R"(C:\GP4)", R"(C:/GP4//Maps/)", true, false},
    {R"(\??\Z:\tmp\out)", R"(\\?\Z:\TMP\OUT\sub)", true, false},
    {R"(\\server\share\GP4)", R"(\\?\UNC\SERVER\Share\gp4\x.wad)", true, false},
    {"C:\\\xC3\x89quipe", "C:\\\xC3\xA9QUIPE\\a", true, false},        // É, é
    {"C:\\\xD0\x9C\xD0\xBE\xD0\xB4", "C:\\\xD0\xBC\xD0\x9E\xD0\x94", true, true},  // Мод, мОД
    {"C:\\\xC5\x81\xC3\xB3" "d\xC5\xBA", "C:\\\xC5\x82\xC3\x93" "D\xC5\xB9", true, true},  // Łódź, łÓDŹ
    {"C:\\\xCE\x91", "C:\\\xCE\xB1", true, true},                     // Α, α
    {R"(C:\GP4)", R"(C:\GP4 tools\x)", false, false},
    {R"(C:\GP4)", R"(C:\GP)", false, false},
    {R"(C:\GP4\cars)", R"(C:\GP4\elsewhere\f)", false, false},
    {R"(\\server\share)", R"(C:\server\share)", false, false},
    {R"(\\?\C:\x)", R"(\\?\UNC\C:\x)", false, false},
    {R"(C:\x)", R"(\x)", false, false},
    {"C:\\\xC3\xA9", "C:\\\xC3\xA8", false, false},                    // é, è
    {"C:\\\xE1\xBA\xA0", "C:\\\xE1\xBA\xA1", false, false},            // Ạ, ạ: not folded
    {"C:\\a\xE9", "C:\\A\xC9", false, false},                          // no UTF-8: bytes
};

TEST(WindowsPathRulesTest, PathsCompareAsWindowsTellsThemApart)
{
    for (const PathPair& pair : kPairs) {
        EXPECT_EQ(WindowsPathInside(pair.folder, pair.path), pair.inside) << pair.folder << " | " << pair.path;
        EXPECT_EQ(SameWindowsPath(pair.folder, pair.path), pair.same) << pair.folder << " | " << pair.path;
        EXPECT_EQ(SameWindowsPath(pair.path, pair.folder), pair.same) << pair.path << " | " << pair.folder;
    }
}

}  // namespace
}  // namespace mw
