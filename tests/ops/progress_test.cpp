#include "ops/progress.h"

#include <gtest/gtest.h>

namespace mw {
namespace {

// Each kind of step sets the text, the position and the painting that the
// status bar has always shown for it.
TEST(ProgressTest, EachPhaseSetsItsTextAndPosition)
{
    struct Case {
        Progress progress;
        std::optional<std::string> text;
        std::optional<int> position;
        bool paintAtOnce;
    };
    const Case cases[] = {
        {{ProgressPhase::Creating, {}, 33}, "Creating files : 33%", 33, false},
        {{ProgressPhase::Updating, "cars.wad", 50}, "Updating cars.wad : 50%", 50, true},
        {{ProgressPhase::Verifying, "cars.wad", 0}, "Verifying cars.wad : 0%", std::nullopt, false},
        {{ProgressPhase::Undoing, "cars.wad"}, "Undoing cars.wad", std::nullopt, false},
        {{ProgressPhase::Writing, "cars.wad"}, "Writing cars.wad", std::nullopt, false},
        {{ProgressPhase::WaitingForArchive, "cars.wad"}, "Waiting for another program using cars.wad", std::nullopt,
         true},
        {{ProgressPhase::NextArchive}, std::nullopt, 0, false},
        {{ProgressPhase::EntriesRemoved, "0.5"}, "Entries removed in 0.5s", 0, false},
    };
    for (const Case& c : cases) {
        const StatusView view = StatusViewOf(c.progress);
        EXPECT_EQ(view.text, c.text) << c.text.value_or("-");
        EXPECT_EQ(view.position, c.position) << c.text.value_or("-");
        EXPECT_EQ(view.paintAtOnce, c.paintAtOnce) << c.text.value_or("-");
    }
    EXPECT_EQ(ProgressLabel({ProgressPhase::Updating, "cars.wad", 50}), "Updating cars.wad");
}

}  // namespace
}  // namespace mw
