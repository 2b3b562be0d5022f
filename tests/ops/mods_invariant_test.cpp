// The mods invariant (tests/ops/mods_invariant.h) over random sequences.
#include <gtest/gtest.h>

#include <random>

#include "tests/ops/mods_invariant.h"

namespace mw {
namespace {

// Fewer sequences under Wine, where every file operation costs a hundred
// times more: the Windows build's writes are what it adds to the check.
#ifdef _WIN32
constexpr unsigned kSequences = 10;
#else
constexpr unsigned kSequences = 200;
#endif

TEST(ModsInvariantTest, ArchivesAreTheFoundArchivesWithTheEnabledModsInInstallOrder)
{
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
        // One sequence in four under a cap that makes the oldest mods permanent.
        const std::int64_t cap = seed % 4 != 0 ? kDefaultUndoCap : seed % 8 == 0 ? 1024 : 256;
        test::ModsSequence run(pick, test::MemoryBackedFolder(), cap);
        std::string history;
        for (int step = 0; step < 8; ++step) {
            const int action = step < 2 ? 0 : pick(5);
            const char* names[] = {"install", "disable", "enable", "remove", "undo"};
            history += std::string(names[action]) + " ";
            const std::string error = action == 0   ? run.Install()
                                      : action == 4 ? run.Undo()
                                                    : run.Change(static_cast<ModAction>(action - 1));
            ASSERT_EQ(error, "") << "seed " << seed << ", cap " << cap << ": " << history;
            ASSERT_EQ(run.Check(), "") << "seed " << seed << ", cap " << cap << ": " << history;
        }
    }
}

}  // namespace
}  // namespace mw
