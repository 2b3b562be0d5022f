#include <gtest/gtest.h>

#include "core/wad.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

test::ProcessResult Cli(const std::vector<std::string>& arguments, const std::string& folder = "")
{
    return test::RunProcess(MENDWRIGHT_CLI, arguments, folder);
}

std::string LastLine(const std::string& text)
{
    std::string trimmed = text;
    if (!trimmed.empty() && trimmed.back() == '\n')
        trimmed.pop_back();
    return trimmed.substr(trimmed.rfind('\n') + 1);
}

class CliTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(CliTest, CreateListUpdateAndExtractARealFolder)
{
    dir.Write("mods/a.txt", "abc");
    dir.Write("mods/sub/b.bin", "");
    auto result = Cli({"create", dir / "mods", dir / "x.wad"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(LastLine(result.out).rfind("Wad created in ", 0), 0u);
    EXPECT_EQ(test::ReadBytes(dir / "x.wad").size(), 279u);

    result = Cli({"list", dir / "x.wad"});
    ASSERT_EQ(result.exitCode, 0);
    const bool aFirst = test::DirectoryOrder(dir / "mods").front() == "a.txt";
    EXPECT_EQ(result.out, aFirst ? "0\t276\t3\ta.txt\n1\t279\t0\tsub\\b.bin\n"
                                 : "0\t276\t0\tsub\\b.bin\n1\t276\t3\ta.txt\n");
    EXPECT_EQ(result.err, "");

    result = Cli({"update", dir.Write("patch/a.txt", "0123456789"), dir / "x.wad"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(LastLine(result.out).rfind("Update done in ", 0), 0u);
    EXPECT_EQ(test::ReadBytes(dir / "x.wad").size(), 286u);

    result = Cli({"extract", "-v", dir / "x.wad", dir / "out"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(test::ReadBytes(dir / "out/a.txt"), "0123456789");
    EXPECT_EQ(test::ReadBytes(dir / "out/sub/b.bin"), "");
    EXPECT_NE(result.err.find("Extracting files : 0%\nExtracting files : 50%\nWad extracted in "), std::string::npos);
}

TEST_F(CliTest, QuietPrintsNothingButErrors)
{
    dir.Write("mods/a.txt", "a");
    dir.Write("mods/b.txt", "b");
    auto result = Cli({"-q", "create", dir / "mods", dir / "x.wad"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    result = Cli({"create", dir / "mods/a.txt", dir / "y.wad", "--quiet"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "Sorry but you have to choose a source folder first.\n");
}

TEST_F(CliTest, ExitCodesTellRefusalsFromFileErrorsFromWrongUsage)
{
    auto result = Cli({"update", "...or select a file", dir / "x.wad"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "Sorry but you have to choose source file(s) first.\n");

    dir.Write("bad.wad", "\x01");
    result = Cli({"list", dir / "bad.wad"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Lecture au-delà de la fin de fichier.\n");
    EXPECT_EQ(result.out, "");

    dir.Write("evil.wad", test::ContiguousArchive({{"..\\evil", "x"}}));
    result = Cli({"extract", dir / "evil.wad", dir / "out"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Unsafe entry name in archive: ..\\evil.\n");
    EXPECT_FALSE(test::Exists(dir / "out"));

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{}, {"bogus"}, {"create", "one"}, {"list", "a", "b"}, {"--frob", "list", "a"},
          {"update", "a", "b", "--gp4", "c"}, {"update-tracks"}}) {
        result = Cli(wrong);
        EXPECT_EQ(result.exitCode, 64);
        EXPECT_NE(result.err.find("Usage: mendwright-cli"), std::string::npos);
    }
}

TEST_F(CliTest, HelpAndVersion)
{
    auto result = Cli({"list", "--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.rfind("Usage: mendwright-cli", 0), 0u);
    result = Cli({"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "mendwright-cli 3.1\n");
}

TEST_F(CliTest, UpdateTracksPatchesTheGivenInstallation)
{
    const char* tracks[] = {"a1ring2001",     "barcelona2001", "hockenheim2001", "hungaroring2001", "imola2001",
                            "indianapolis2001", "interlagos2001", "magnycours2001", "melborne2001",  "monaco2001",
                            "montreal2001",   "monza2001",     "nurburgring2001", "sepang2001",     "silverstone2001",
                            "spa2001",        "suzuka2001"};
    for (const char* track : tracks)
        dir.Write(std::string("gp4/") + track + ".wad", test::ContiguousArchive({{"x.bin", "old"}}));
    const auto result = Cli({"update-tracks", dir.Write("src/x.bin", "new"), "--gp4", dir / "gp4"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* track : tracks) {
        WadImage image;
        LoadWad(dir / (std::string("gp4/") + track + ".wad"), image);
        EXPECT_EQ(image.Payloads[0], "new") << track;
    }
}

TEST_F(CliTest, ListWritesHostileNamesOnOneLine)
{
    dir.Write("odd.wad", test::ContiguousArchive({{"line\nbreak\ttab", "x"}}));
    const auto result = Cli({"list", dir / "odd.wad"});
    EXPECT_EQ(result.out, "0\t140\t1\tline?break?tab\n");
}

}  // namespace
}  // namespace mw
