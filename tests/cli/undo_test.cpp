// history, undo and --no-undo from the command line, with the records kept
// below XDG_DATA_HOME; a track batch is undone as one.
#include <gtest/gtest.h>

#include <sstream>

#include "ops/run_state.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

class CliUndoTest : public ::testing::Test {
protected:
    test::ProcessResult Cli(const std::vector<std::string>& arguments)
    {
        return test::RunProcess(MENDWRIGHT_CLI, arguments, "", {{"XDG_DATA_HOME", dir / "data"}});
    }
    TempDir dir;
};

// history's lines without their times, which the test cannot know.
std::string WithoutTimes(const std::string& history)
{
    std::istringstream lines(history);
    std::string line, result;
    while (std::getline(lines, line))
        result += (line.starts_with('\t') ? line : line.substr(line.find('\t'))) + "\n";
    return result;
}

TEST_F(CliUndoTest, HistoryListsTheUpdatesAndUndoStepsBackThroughThem)
{
    const std::string original = test::ContiguousArchive({{"a.txt", "abc"}, {"b.bin", "bytes"}});
    const std::string archive = dir.Write("x.wad", original);
    dir.Write("one/a.txt", "first");
    dir.Write("two/a.txt", "second");
    dir.Write("two/new.bin", "");
    ASSERT_EQ(Cli({"update", dir / "one", archive}).exitCode, 0);
    const std::string afterOne = test::ReadBytes(archive);
    ASSERT_EQ(Cli({"update", dir / "two", archive}).exitCode, 0);

    auto result = Cli({"history", archive});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(WithoutTimes(result.out), "\tupdate\t" + dir / "two" + "\n\treplace\ta.txt\n\tappend\tnew.bin\n" +
                                            "\tupdate\t" + dir / "one" + "\n\treplace\ta.txt\n");

    result = Cli({"undo", archive});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("Undo done in ", 0), 0u);
    EXPECT_EQ(test::ReadBytes(archive), afterOne);
    ASSERT_EQ(Cli({"update", dir / "two", archive}).exitCode, 0);
    ASSERT_EQ(Cli({"undo", "--steps", "2", archive}).exitCode, 0);
    EXPECT_EQ(test::ReadBytes(archive), original);
    EXPECT_EQ(Cli({"history", archive}).out, "");

    // An update with --no-undo keeps no record.
    ASSERT_EQ(Cli({"update", "--no-undo", dir / "one", archive}).exitCode, 0);
    result = Cli({"undo", archive});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "mendwright-cli: Sorry but this wad has no update to undo: " + archive + "\n");
    EXPECT_EQ(test::ReadBytes(archive), test::ContiguousArchive({{"a.txt", "first"}, {"b.bin", "bytes"}}));
}

TEST_F(CliUndoTest, TheTrackBatchIsUndoneAsOne)
{
    const std::string original = test::ContiguousArchive({{"x.bin", "old"}});
    for (const char* track : TrackNames)
        dir.Write(std::string("gp4/") + track + ".wad", original);
    ASSERT_EQ(Cli({"update-tracks", dir.Write("src/x.bin", "new"), "--gp4", dir / "gp4"}).exitCode, 0);
    EXPECT_EQ(WithoutTimes(Cli({"history", dir / "gp4/monza2001.wad"}).out),
              "\ttrack batch (17 wads)\t" + dir / "src/x.bin" + "\n\treplace\tx.bin\n");

    const auto result = Cli({"undo", dir / "gp4/monza2001.wad"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* track : TrackNames)
        EXPECT_EQ(test::ReadBytes(dir / "gp4/" + track + ".wad"), original) << track;
    EXPECT_EQ(Cli({"history", dir / "gp4/a1ring2001.wad"}).out, "");
}

}  // namespace
}  // namespace mw
