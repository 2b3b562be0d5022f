#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "settings/posix/wine_prefix_installation.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr const char* kPlainKey = "Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir";
constexpr const char* kWowKey = "Software\\\\Wow6432Node\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir";
constexpr const char* kGameFolder = "drive_c/Program Files (x86)/Infogrames/Grand Prix 4";

// A prefix as Wine leaves it: drive_c, and dosdevices/c: a relative link to it.
class WinePrefixTest : public ::testing::Test {
protected:
    WinePrefixTest()
    {
        prefix_.MakeFolder("drive_c");
        prefix_.MakeFolder("dosdevices");
        fs::create_directory_symlink("../drive_c", prefix_ / "dosdevices/c:");
    }

    // system.reg with one section per (escaped key, value lines) pair.
    void WriteRegistry(const std::vector<std::pair<std::string, std::string>>& sections) const
    {
        std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
        for (const auto& [key, values] : sections)
            text += "\n[" + key + "] 1700000000\n#time=1d9f0c2a3b4c5d6\n" + values;
        prefix_.Write("system.reg", text);
    }
    void WriteDirectory(const std::string& key, const std::string& escapedPath) const
    {
        WriteRegistry({{key, "\"Directory\"=\"" + escapedPath + "\"\n"}});
    }

    // The folder with the game in it, as the lookup should name it.
    static std::string Install(const TempDir& root, const std::string& relative, const std::string& program = "GP4.exe")
    {
        root.Write(relative + "/" + program, "MZ");
        return fs::canonical(root / relative).string();
    }

    // The path text after a lookup that started with "untouched".
    std::string Lookup()
    {
        std::string path = "untouched";
        installation_.FindInstallationFolder(path);
        return path;
    }

    // A lookup that succeeds, so that a later one shows what it changes.
    void SucceedOnce()
    {
        WriteDirectory(kPlainKey, "C:\\\\Program Files (x86)\\\\Infogrames\\\\Grand Prix 4");
        const std::string game = Install(prefix_, kGameFolder);
        ASSERT_EQ(Lookup(), game);
        ASSERT_TRUE(installation_.FoundInstallation());
    }

    TempDir prefix_;
    TempDir elsewhere_;
    WinePrefixInstallation installation_{prefix_.path()};
};

TEST_F(WinePrefixTest, PrefersTheKeyUnderWow6432Node)
{
    const std::string game = Install(prefix_, kGameFolder);
    Install(prefix_, "drive_c/Other");
    WriteRegistry({{kPlainKey, "\"Directory\"=\"C:\\\\Other\"\n"},
                   {kWowKey, "\"Directory\"=\"C:\\\\Program Files (x86)\\\\Infogrames\\\\Grand Prix 4\"\n"}});
    EXPECT_EQ(Lookup(), game);
    EXPECT_TRUE(installation_.FoundInstallation());
}

TEST_F(WinePrefixTest, MatchesFoldersAndTheProgramIgnoringCaseButExactNamesFirst)
{
    const std::string game = Install(prefix_, kGameFolder, "gp4.EXE");
    WriteDirectory(kPlainKey, "c:\\\\PROGRAM FILES (X86)/infogrames\\\\grand prix 4\\\\");
    EXPECT_EQ(Lookup(), game);

    // Named after the variant the folder lists last, so a scan alone would miss it.
    for (const char* variant : {"GP4", "gp4", "Gp4"})
        Install(prefix_, std::string("drive_c/") + variant);
    std::string last;
    for (const std::string& name : test::DirectoryOrder(prefix_ / "drive_c"))
        if (name.size() == 3)
            last = name;
    WriteDirectory(kPlainKey, "C:\\\\" + last);
    EXPECT_EQ(Lookup(), fs::canonical(prefix_ / "drive_c").string() + "/" + last);
}

TEST_F(WinePrefixTest, FindsDrivesThroughDosdevices)
{
    const std::string onD = Install(elsewhere_, "games/GP4");
    fs::create_directory_symlink(elsewhere_ / "games", prefix_ / "dosdevices/d:");
    WriteDirectory(kWowKey, "D:\\\\GP4");
    EXPECT_EQ(Lookup(), onD);

    // Without its link, c: is still drive_c; no other drive has such a stand-in.
    const std::string game = Install(prefix_, kGameFolder);
    fs::remove(prefix_ / "dosdevices/c:");
    WriteDirectory(kWowKey, "C:\\\\Program Files (x86)\\\\Infogrames\\\\Grand Prix 4");
    EXPECT_EQ(Lookup(), game);
    fs::remove(prefix_ / "dosdevices/d:");
    WriteDirectory(kWowKey, "D:\\\\GP4");
    EXPECT_EQ(Lookup(), "untouched");
    EXPECT_FALSE(installation_.FoundInstallation());
}

TEST_F(WinePrefixTest, AKeyThatCannotBeFoundChangesNothing)
{
    SucceedOnce();
    prefix_.Write("system.reg", "WINE REGISTRY Version 2\n[Software\\\\Other] 1\n");
    EXPECT_EQ(Lookup(), "untouched");
    EXPECT_TRUE(installation_.FoundInstallation());
    fs::remove(prefix_ / "system.reg");
    EXPECT_EQ(Lookup(), "untouched");
    EXPECT_TRUE(installation_.FoundInstallation());
}

TEST_F(WinePrefixTest, AKeyWithoutAGameFolderFailsTheLookup)
{
    Install(prefix_, "drive_c/Empty", "readme.txt");
    const std::vector<std::string> valueLines = {
        "",                                                // no Directory
        "\"Directory\"=\"\"\n",                            // "\GP4.exe" has no drive letter to map
        "\"Directory\"=dword:00000001\n",                  // not a text
        "\"Directory\"=\"C:\\\\Empty\"\n",                 // no GP4.exe
        "\"Directory\"=\"C:\\\\Missing\"\n",               // no such folder
        "\"Directory\"=\"\\\\\\\\server\\\\share\\\\GP4\"\n",  // UNC
    };
    for (const std::string& values : valueLines) {
        SucceedOnce();
        WriteRegistry({{kPlainKey, values}});
        EXPECT_EQ(Lookup(), "untouched") << values;
        EXPECT_FALSE(installation_.FoundInstallation()) << values;
    }
}

TEST(DefaultWinePrefixTest, IsWineprefixElseDotWineInHome)
{
    const char* given = std::getenv("WINEPREFIX");
    const std::string saved = given ? given : "";
    ::setenv("WINEPREFIX", "/somewhere/prefix", 1);
    EXPECT_EQ(DefaultWinePrefix(), "/somewhere/prefix");
    ::setenv("WINEPREFIX", "", 1);
    EXPECT_EQ(DefaultWinePrefix(), std::string(std::getenv("HOME")) + "/.wine");
    ::setenv("WINEPREFIX", saved.c_str(), 1);
}

}  // namespace
}  // namespace mw
