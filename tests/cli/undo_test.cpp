// history, undo and --no-undo from the command line, with the records kept
// below XDG_DATA_HOME; a track batch is undone as one; the store holds
// only what it made, the user's alone, and never follows a link.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "ops/track_names.h"
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
    // The store's folder, and the one folder in it an update made for its archive.
    std::string Store() const { return dir / "data/mendwright/undo"; }
    std::string ArchiveFolder() const
    {
        return std::filesystem::directory_iterator(Store())->path().string();
    }
    TempDir dir;
};

// The records in a folder, oldest first.
std::vector<std::string> RecordsIn(const std::string& folder)
{
    std::vector<std::string> records;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        records.push_back(entry.path().string());
    std::sort(records.begin(), records.end());
    return records;
}

int ModeOf(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

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

// Names that look like records but do not parse (a time past 64 bits, or
// past a signed one), in the archive's folder or another's, are no records:
// an update goes on to be done, and leaves them.
TEST_F(CliUndoTest, NamesInTheStoreThatAreNoRecordsAreLeftAlone)
{
    const std::string archive = dir.Write("x.wad", test::ContiguousArchive({{"a.txt", "abc"}}));
    ASSERT_EQ(Cli({"update", dir.Write("one/a.txt", "first"), archive}).exitCode, 0);
    const std::string odd[] = {
        ArchiveFolder() + "/99999999999999999999-0000000000000000.undo",
        ArchiveFolder() + "/18446744073709551615-0000000000000000.undo",
        dir.Write("data/mendwright/undo/0123456789abcdef/99999999999999999999-0000000000000000.undo", "x"),
        dir.Write("data/mendwright/undo/0123456789abcdef/99999999999999999999-0000000000000000.undo.partial", "x"),
    };
    for (const std::string& name : odd)
        test::WriteBytes(name, "x");

    const auto result = Cli({"update", dir.Write("two/a.txt", "second"), archive});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("Update done in ", 0), 0u);
    EXPECT_EQ(test::ReadBytes(archive), test::ContiguousArchive({{"a.txt", "second"}}));
    for (const std::string& name : odd)
        EXPECT_EQ(test::ReadBytes(name), "x") << name;
    EXPECT_EQ(WithoutTimes(Cli({"history", archive}).out), "\tupdate\t" + dir / "two" +
                                                               "/a.txt\n\treplace\ta.txt\n\tupdate\t" + dir / "one" +
                                                               "/a.txt\n\treplace\ta.txt\n");
}

// A damaged record, however old: history shows the other updates and names
// it (exit 1); undo steps back to it and there refuses, naming it, and
// keeps it.
TEST_F(CliUndoTest, ADamagedRecordIsNamedAndTheOthersStayUsable)
{
    const std::string archive = dir.Write("x.wad", test::ContiguousArchive({{"a.txt", "abc"}}));
    ASSERT_EQ(Cli({"update", dir.Write("one/a.txt", "first"), archive}).exitCode, 0);
    const std::string afterOne = test::ReadBytes(archive);
    ASSERT_EQ(Cli({"update", dir.Write("two/a.txt", "second"), archive}).exitCode, 0);
    const std::string older = RecordsIn(ArchiveFolder()).front();
    std::string damaged = test::ReadBytes(older);
    damaged[damaged.size() / 2] ^= 4;
    test::WriteBytes(older, damaged);
    const std::string refusal = "mendwright-cli: Sorry but this undo record is damaged: " + older + ".\n";

    auto result = Cli({"history", archive});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(WithoutTimes(result.out), "\tupdate\t" + dir / "two/a.txt" + "\n\treplace\ta.txt\n");
    EXPECT_EQ(result.err, refusal);

    ASSERT_EQ(Cli({"undo", archive}).exitCode, 0);
    EXPECT_EQ(test::ReadBytes(archive), afterOne);
    result = Cli({"undo", archive});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, refusal);
    EXPECT_EQ(test::ReadBytes(archive), afterOne);
    EXPECT_EQ(test::ReadBytes(older), damaged);
}

// An archive's folder in the store that is a link is never followed: not
// listed, nothing tidied or written where it leads; the update is refused,
// naming it, and changes nothing.
TEST_F(CliUndoTest, ALinkInTheStoreIsNeverFollowed)
{
    const std::string archive = dir.Write("x.wad", test::ContiguousArchive({{"a.txt", "abc"}}));
    ASSERT_EQ(Cli({"update", dir.Write("one/a.txt", "first"), archive}).exitCode, 0);
    const std::string updated = test::ReadBytes(archive);
    const std::string folder = ArchiveFolder();
    const std::string outside = dir.MakeFolder("outside");
    const std::string record = RecordsIn(folder).front();
    std::filesystem::rename(record, outside + "/" + std::filesystem::path(record).filename().string());
    const std::string partial = dir.Write("outside/00000000000000000001-0000000000000000.undo.partial", "theirs");
    std::filesystem::remove(folder);
    std::filesystem::create_directory_symlink(outside, folder);

    EXPECT_EQ(Cli({"history", archive}).out, "");
    const auto result = Cli({"update", dir.Write("two/a.txt", "second"), archive});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "mendwright-cli: " + folder + ": Erreur E/S 40. (" +
                              std::filesystem::path(folder).filename().string() +
                              " is a symbolic link, or leads through a loop of them)\n");
    EXPECT_EQ(test::ReadBytes(archive), updated);
    EXPECT_EQ(test::ReadBytes(partial), "theirs");
    EXPECT_EQ(RecordsIn(outside).size(), 2u);
    EXPECT_EQ(test::TemporaryFiles(dir.path()).size(), 0u);
}

// The store's folders are the user's alone and the records too, also in a
// store made before, open to all.
TEST_F(CliUndoTest, TheStoreIsTheUsersAlone)
{
    for (const bool madeBefore : {false, true}) {
        SCOPED_TRACE(madeBefore ? "store made before" : "store made by the update");
        const TempDir data;
        if (madeBefore)
            for (const char* level : {"/mendwright", "/mendwright/undo"}) {
                ::mkdir((data.path() + level).c_str(), 0777);
                ::chmod((data.path() + level).c_str(), 0777);
            }
        const std::string archive = dir.Write("x.wad", test::ContiguousArchive({{"a.txt", "abc"}}));
        ASSERT_EQ(test::RunProcess(MENDWRIGHT_CLI, {"update", dir.Write("one/a.txt", "first"), archive}, "",
                                   {{"XDG_DATA_HOME", data.path()}})
                      .exitCode,
                  0);
        const std::string store = data.path() + "/mendwright/undo";
        const std::string folder = std::filesystem::directory_iterator(store)->path().string();
        EXPECT_EQ(ModeOf(store), 0700);
        EXPECT_EQ(ModeOf(folder), 0700);
        EXPECT_EQ(ModeOf(RecordsIn(folder).front()), 0600);
    }
}

}  // namespace
}  // namespace mw
