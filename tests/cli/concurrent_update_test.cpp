// Updates of one archive by several mendwright-cli processes: they run one
// after the other and every update lands, or with --no-wait the later one
// fails at once and changes nothing.
#include <signal.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "core/archive_lock.h"
#include "core/wad.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

// How many of the processes have the file at path open: an update opens
// its archive before it tries the lock, and keeps it open while it waits.
int OpenedBy(const std::vector<pid_t>& processes, const std::string& path)
{
    int opened = 0;
    for (const pid_t process : processes) {
        std::error_code error;
        const std::filesystem::path fds = "/proc/" + std::to_string(process) + "/fd";
        bool found = false;
        for (std::filesystem::directory_iterator it(fds, error), end; !error && it != end; it.increment(error))
            found = found || std::filesystem::read_symlink(it->path(), error) == path;
        opened += found;
    }
    return opened;
}

// The archive's entries as "name=bytes", the first where it was and the
// others sorted: the updates land in either order.
std::vector<std::string> EntriesOf(const std::string& archive)
{
    WadImage image;
    LoadWad(archive, image);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < image.Entries.size(); ++i)
        entries.push_back(std::string(EntryName(image.Entries[i])) + "=" + image.Payloads[i].Load());
    std::sort(entries.begin() + 1, entries.end());
    return entries;
}

// Both updates start while the archive is locked, so both wait; the first
// to get the lock puts a new archive in place, and the second, holding the
// lock of a file that no longer has the archive's name, patches the new one.
TEST(ConcurrentUpdateTest, TwoUpdatesOfOneArchiveBothLand)
{
    const TempDir dir;
    const std::string archive = dir.Write("t.wad", test::ContiguousArchive({{"old.bin", "old"}}));
    std::vector<pid_t> updates;
    {
        const ArchiveLock held(archive, ArchiveLock::Wait::ForOtherUpdates);
        for (const char* name : {"a.bin", "b.bin"})
            updates.push_back(test::StartProcess(MENDWRIGHT_CLI, {"-q", "update", dir.Write(name, name), archive}));
        for (int tries = 0; tries < 500 && OpenedBy(updates, archive) < 2; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(OpenedBy(updates, archive), 2);
    }
    for (const pid_t update : updates)
        EXPECT_EQ(test::WaitProcess(update, 60), 0);

    EXPECT_EQ(EntriesOf(archive), (std::vector<std::string>{"old.bin=old", "a.bin=a.bin", "b.bin=b.bin"}));
}

TEST(ConcurrentUpdateTest, NoWaitFailsAtOnceWhileAnotherUpdateHoldsTheArchive)
{
    const TempDir dir;
    const std::string source = dir.Write("src/x.bin", "new");
    const std::string old = test::ContiguousArchive({{"x.bin", "old"}});
    struct Case {
        std::string archive;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases = {
        {dir / "t.wad", {"update", "--no-wait", source, dir / "t.wad"}},
        {dir / "gp4/a1ring2001.wad", {"update-tracks", source, "--gp4", dir / "gp4", "--no-wait"}},
    };
    for (const Case& c : cases) {
        dir.Write(c.archive.substr(dir.path().size() + 1), old);
        const ArchiveLock held(c.archive, ArchiveLock::Wait::ForOtherUpdates);
        const auto result = test::RunProcess(MENDWRIGHT_CLI, c.arguments, "", {}, 60);
        EXPECT_EQ(result.exitCode, 1) << c.arguments[0];
        EXPECT_NE(result.err.find("another update is writing this wad: " + c.archive), std::string::npos)
            << result.err;
        EXPECT_EQ(test::ReadBytes(c.archive), old);
    }
}

// Another program's lock of any kind (here a shared one, as a reader
// might take) is waited for, with one line on stderr once it lasts a
// second; the interrupt ends the wait and nothing is written.
TEST(ConcurrentUpdateTest, ALockOfAnotherProgramIsWaitedForWithOneLine)
{
    const TempDir dir;
    const std::string old = test::ContiguousArchive({{"old.bin", "old"}});
    const std::string source = dir.Write("src/new.bin", "new");
    struct Case {
        const char* folder;
        const char* command;
        bool interrupted;
        int exitCode;
        bool patched;  // else the archive's bytes are the old ones
    };
    const Case cases[] = {
        {"released", "update", false, 0, true},
        {"interrupted", "update", true, 128 + SIGINT, false},
        {"undone", "undo", false, 0, false},
    };
    std::vector<pid_t> processes;
    std::vector<int> holds;
    for (const Case& c : cases) {
        const std::string archive = dir.Write(std::string(c.folder) + "/t.wad", old);
        if (std::string(c.command) == "undo") {
            ASSERT_EQ(test::RunProcess(MENDWRIGHT_CLI, {"-q", "update", source, archive}, "", {}, 60).exitCode, 0);
        }
        holds.push_back(::open(archive.c_str(), O_RDONLY | O_CLOEXEC));
        ASSERT_EQ(::flock(holds.back(), LOCK_SH), 0);
        std::vector<std::string> arguments = {c.command};
        if (std::string(c.command) == "update")
            arguments.push_back(source);
        arguments.push_back(archive);
        processes.push_back(test::StartProcess(MENDWRIGHT_CLI, arguments, dir / (std::string(c.folder) + ".err")));
    }
    const std::string line = "Waiting for another program using t.wad (Ctrl+C stops)\n";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_NE(test::BytesOnceTheyHold(dir / (std::string(c.folder) + ".err"), line), "") << c.folder;
        if (c.interrupted)
            ::kill(processes[i], SIGINT);
        else
            ::close(holds[i]);
        EXPECT_EQ(test::WaitProcess(processes[i], 60), c.exitCode) << c.folder;
        const std::string err = test::ReadBytes(dir / (std::string(c.folder) + ".err"));
        EXPECT_EQ(err.find(line), err.rfind(line)) << err;
        const std::string archive = dir / (std::string(c.folder) + "/t.wad");
        if (c.patched)
            EXPECT_EQ(EntriesOf(archive), (std::vector<std::string>{"old.bin=old", "new.bin=new"}));
        else
            EXPECT_EQ(test::ReadBytes(archive), old) << c.folder;
        EXPECT_EQ(test::TemporaryFiles(dir / c.folder).size(), 0u) << c.folder;
        if (c.interrupted)
            ::close(holds[i]);
    }
}

// Where the file system keeps no locks (a preloaded flock refuses every
// archive with ENOLCK, and each flush takes a network's while), updates
// started together still run one after the other: each one lands.
TEST(ConcurrentUpdateTest, UpdatesOnAFileSystemThatKeepsNoLocksAllLand)
{
    const TempDir dir;
    const std::string archive = dir.Write("t.wad", test::ContiguousArchive({{"old.bin", "old"}}));
    const char* asan = std::getenv("ASAN_OPTIONS");
    const test::Environment environment = {
        {"LD_PRELOAD", LOCKS_NOT_KEPT},
        {"ASAN_OPTIONS", std::string(asan ? asan : "") + ":verify_asan_link_order=0"},
    };
    const std::vector<std::string> names = {"a.bin", "b.bin", "c.bin", "d.bin"};
    std::vector<pid_t> updates;
    for (const std::string& name : names)
        updates.push_back(test::StartProcess(MENDWRIGHT_CLI, {"-q", "update", dir.Write(name, name), archive},
                                             dir / (name + ".err"), environment));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(test::WaitProcess(updates[i], 60), 0) << test::ReadBytes(dir / (names[i] + ".err"));

    EXPECT_EQ(EntriesOf(archive), (std::vector<std::string>{"old.bin=old", "a.bin=a.bin", "b.bin=b.bin", "c.bin=c.bin",
                                                 "d.bin=d.bin"}));
}

}  // namespace
}  // namespace mw
