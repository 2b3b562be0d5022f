// mendwright-cli update stopped at random moments and ended by SIGKILL,
// SIGTERM, SIGINT or SIGHUP: the archive is always the old bytes or the new
// ones, nothing else is left beside it, and the temporary file is readable by
// its owner alone until it is complete.
#include <signal.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "core/wad.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using Clock = std::chrono::steady_clock;

// About 24 MiB in 48 entries; the source replaces the first one, so the
// update moves every byte behind it.
std::string LargeArchive()
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 48; ++i) {
        std::string name = "e";
        name += std::to_string(i) + ".bin";
        entries.emplace_back(name, std::string(512 * 1024, static_cast<char>('a' + i % 26)));
    }
    return test::ContiguousArchive(entries);
}

struct TemporaryFile {
    std::string name;
    unsigned mode;
    std::size_t size;
};

// The files a stopped process holds open in folder other than the archive
// and its sources, with their permission bits.
std::vector<TemporaryFile> TemporaryFilesOf(pid_t process, const std::string& folder)
{
    std::string state;
    for (int tries = 0; tries < 1000 && state.find(") T") == std::string::npos; ++tries) {
        std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
        std::getline(stat, state);
    }
    std::vector<TemporaryFile> files;
    const std::string fds = "/proc/" + std::to_string(process) + "/fd";
    for (const auto& fd : std::filesystem::directory_iterator(fds, std::filesystem::directory_options::skip_permission_denied)) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(fd.path(), error).string();
        if (error || target.rfind(folder + "/", 0) != 0 || target.rfind(folder + "/x.wad", 0) == 0 ||
            target.rfind(folder + "/src/", 0) == 0)
            continue;
        struct stat st {};
        if (::stat(fd.path().c_str(), &st) == 0)
            files.push_back({target, st.st_mode & 07777, static_cast<std::size_t>(st.st_size)});
    }
    return files;
}

TEST(KillDuringUpdateTest, AnInterruptedUpdateLeavesTheOldOrTheNewArchiveAndNothingElse)
{
    const test::TempDir dir(test::MemoryBackedFolder());  // fifty rewrites stay cheap
    const std::string old = LargeArchive();
    const std::string source = dir.Write("src/e0.bin", std::string(600 * 1024, 'N'));
    const std::string archive = dir / "x.wad";
    const std::vector<std::string> arguments = {"-q", "update", source, archive};

    // Runs to the end give the new bytes and how long the quickest run takes.
    auto runTime = std::chrono::microseconds::max();
    for (int run = 0; run < 3; ++run) {
        test::WriteBytes(archive, old);
        const auto started = Clock::now();
        ASSERT_EQ(test::WaitProcess(test::StartProcess(MENDWRIGHT_CLI, arguments)), 0);
        runTime = std::min(runTime, std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started));
    }
    const std::string updated = test::ReadBytes(archive);
    ASSERT_NE(updated, old);

    // Each run is stopped at a random moment, its temporary file looked at
    // through its descriptors, then ended by one of the signals in turn.
    std::mt19937 random(8);
    std::uniform_int_distribution<long> delay(0, runTime.count());
    const int signals[] = {SIGKILL, SIGTERM, SIGINT, SIGHUP};
    int oldSeen = 0, newSeen = 0, temporarySeen = 0;
    for (int run = 0; run < 48; ++run) {
        test::WriteBytes(archive, old);
        ::chmod(archive.c_str(), 0644);
        const auto wait = std::chrono::microseconds(delay(random));
        const pid_t process = test::StartProcess(MENDWRIGHT_CLI, arguments);
        std::this_thread::sleep_for(wait);
        ::kill(process, SIGSTOP);
        // Only the complete file takes the archive's mode, just before its rename.
        for (const TemporaryFile& file : TemporaryFilesOf(process, dir.path())) {
            EXPECT_TRUE(file.mode == 0600u || (file.size == updated.size() && file.mode == 0644u)) << file.name;
            ++temporarySeen;
        }
        ::kill(process, signals[run % 4]);
        ::kill(process, SIGCONT);
        test::WaitProcess(process);

        const std::string bytes = test::ReadBytes(archive);
        ASSERT_TRUE(bytes == old || bytes == updated) << "killed after " << wait.count() << " us";
        (bytes == old ? oldSeen : newSeen)++;
        // SIGKILL between the naming of the complete file and its rename, a
        // few system calls apart, is the one moment that leaves it behind.
        for (const std::string& name : dir.Names()) {
            if (name == "x.wad" || name == "src")
                continue;
            EXPECT_EQ(signals[run % 4], SIGKILL) << name;
            EXPECT_EQ(test::ReadBytes(dir / name), updated) << name;
            std::remove((dir / name).c_str());
        }
    }
    std::printf("run %lld us; after 48 interruptions: %d old, %d new; %d temporary files seen while written\n",
                static_cast<long long>(runTime.count()), oldSeen, newSeen, temporarySeen);
}

}  // namespace
}  // namespace mw
