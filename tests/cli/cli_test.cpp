#include <gtest/gtest.h>

#include "ops/track_names.h"
#include "core/version.h"
#include "core/wad.h"
#include "ops/run_state.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine_prefix.h"

namespace mw {
namespace {

using test::TempDir;

test::ProcessResult Cli(const std::vector<std::string>& arguments, const test::Environment& environment = {})
{
    return test::RunProcess(MENDWRIGHT_CLI, arguments, "", environment);
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
    const std::string firstEntry = aFirst ? "a.txt" : "sub\\b.bin";
    EXPECT_EQ(result.err.rfind("Extracting files : 0%\nextract " + firstEntry + " -> " + dir / "out/", 0), 0u)
        << result.err;
    EXPECT_NE(result.err.find("\nExtracting files : 50%\n"), std::string::npos);
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
    EXPECT_EQ(result.err, "mendwright-cli: " + dir / "mods/a.txt" + ": Sorry but you have to choose a source folder first.\n");
}

TEST_F(CliTest, ExitCodesTellRefusalsFromFileErrorsFromWrongUsage)
{
    auto result = Cli({"update", "...or select a file", dir / "x.wad"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "mendwright-cli: ...or select a file: Sorry but you have to choose source file(s) first.\n");

    dir.Write("bad.wad", "\x01");
    result = Cli({"list", dir / "bad.wad"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "mendwright-cli: " + dir / "bad.wad" +
                              ": Lecture au-delà de la fin de fichier. (bad.wad is not a GP4 archive: it holds only 1 byte)\n");
    EXPECT_EQ(result.out, "");

    dir.Write("evil.wad", test::ContiguousArchive({{"..\\evil", "x"}}));
    result = Cli({"extract", dir / "evil.wad", dir / "out"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "mendwright-cli: " + dir / "evil.wad" + ": Unsafe entry name in archive: ..\\evil.\n");
    EXPECT_FALSE(test::Exists(dir / "out"));
}

TEST_F(CliTest, HelpAndVersion)
{
    auto result = Cli({"list", "--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.rfind("Usage: mendwright-cli [-v | -q] list ARCHIVE [--json]\n", 0), 0u) << result.out;
    EXPECT_EQ(result.out.find("update-tracks"), std::string::npos);
    result = Cli({"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "mendwright-cli " MENDWRIGHT_VERSION "\n");
}


void MakeTrackArchives(const std::string& folder)
{
    for (const char* track : TrackNames)
        test::WriteBytes(folder + "/" + track + ".wad", test::ContiguousArchive({{"x.bin", "old"}}));
}

void ExpectTrackArchivesHold(const std::string& folder, const std::string& bytes)
{
    for (const char* track : TrackNames) {
        WadImage image;
        LoadWad(folder + "/" + track + ".wad", image);
        EXPECT_EQ(image.Payloads[0], bytes) << track;
    }
}

TEST_F(CliTest, UpdateTracksPatchesTheGivenInstallation)
{
    MakeTrackArchives(dir.MakeFolder("gp4"));
    const auto result = Cli({"update-tracks", dir.Write("src/x.bin", "new"), "--gp4", dir / "gp4"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    ExpectTrackArchivesHold(dir / "gp4", "new");
}

TEST_F(CliTest, UpdateTracksFindsTheInstallationInTheWinePrefix)
{
    const test::WinePrefix wine = test::MakeWinePrefixWithGp4(dir, "wine");
    MakeTrackArchives(wine.gp4Folder);
    const auto result = Cli({"update-tracks", dir.Write("src/x.bin", "new")}, {{"WINEPREFIX", wine.prefix}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    ExpectTrackArchivesHold(wine.gp4Folder, "new");

    // No installation: refused with a hint, no archive path built at the root.
    const auto missing = Cli({"update-tracks", dir / "src/x.bin"}, {{"WINEPREFIX", dir / "nowine"}});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, "mendwright-cli: Sorry but no GP4 installation was found\n"
                           "mendwright-cli: pass --gp4 FOLDER to name the GP4 installation folder\n");
}

TEST_F(CliTest, ListWritesHostileNamesOnOneLine)
{
    dir.Write("odd.wad", test::ContiguousArchive({{"line\nbreak\ttab", "x"}}));
    const auto result = Cli({"list", dir / "odd.wad"});
    EXPECT_EQ(result.out, "0\t140\t1\tline?break?tab\n");
}

}  // namespace
}  // namespace mw
