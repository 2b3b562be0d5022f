// mendwright-cli update killed (SIGKILL) at random moments: the archive is
// always the old bytes or the new ones, and what a killed run leaves behind
// is a temporary file with the writer's marker beside the archive.
#include <signal.h>

#include <chrono>
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

TEST(KillDuringUpdateTest, TheArchiveIsAlwaysTheOldOrTheNewBytes)
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

    std::mt19937 random(8);
    std::uniform_int_distribution<long> delay(0, runTime.count());
    int oldSeen = 0, newSeen = 0, leftovers = 0;
    for (int run = 0; run < 50; ++run) {
        test::WriteBytes(archive, old);
        const auto wait = std::chrono::microseconds(delay(random));
        const pid_t process = test::StartProcess(MENDWRIGHT_CLI, arguments);
        std::this_thread::sleep_for(wait);
        ::kill(process, SIGKILL);
        test::WaitProcess(process);

        const std::string bytes = test::ReadBytes(archive);
        ASSERT_TRUE(bytes == old || bytes == updated) << "killed after " << wait.count() << " us";
        (bytes == old ? oldSeen : newSeen)++;
        for (const std::string& name : dir.Names()) {
            if (name == "x.wad" || name == "src")
                continue;
            EXPECT_EQ(name.rfind("x.wad" + std::string(kTemporaryMarker), 0), 0u) << name;
            std::remove((dir / name).c_str());
            ++leftovers;
        }
    }
    std::printf("run %lld us; after 50 kills: %d old, %d new, %d temporary files left\n",
                static_cast<long long>(runTime.count()), oldSeen, newSeen, leftovers);
}

}  // namespace
}  // namespace mw
