// Updates of one archive by several mendwright-cli processes: they run one
// after the other and every update lands, or with --no-wait the later one
// fails at once and changes nothing.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "core/archive_lock.h"
#include "core/wad.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

// How many processes wait for a lock on the file at path, as /proc/locks
// lists them ("-> FLOCK ... MAJOR:MINOR:INODE ...").
int WaitersOn(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    const std::string inode = ":" + std::to_string(st.st_ino) + " ";
    std::ifstream locks("/proc/locks");
    int waiters = 0;
    for (std::string line; std::getline(locks, line);)
        waiters += line.find("->") != std::string::npos && line.find(inode) != std::string::npos;
    return waiters;
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
        for (int tries = 0; tries < 500 && WaitersOn(archive) < 2; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(WaitersOn(archive), 2);
    }
    for (const pid_t update : updates)
        EXPECT_EQ(test::WaitProcess(update, 60), 0);

    WadImage image;
    LoadWad(archive, image);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < image.Entries.size(); ++i)
        entries.push_back(std::string(EntryName(image.Entries[i])) + "=" + image.Payloads[i].Load());
    std::sort(entries.begin() + 1, entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"old.bin=old", "a.bin=a.bin", "b.bin=b.bin"}));
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

}  // namespace
}  // namespace mw
