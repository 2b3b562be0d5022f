#include "ops/progress.h"

#include <functional>

#include <gtest/gtest.h>

#include "ops/find_entries.h"
#include "ops/messages.h"

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

// The status bar's text and its bar tell the same percentage, once the
// bytes move the bar; a failure leaves nothing of the last step.
TEST(ProgressTest, TheTextShowsThePercentageTheBarShows)
{
    using Events = std::function<void(StatusTrack&, StatusView&)>;
    const struct {
        const char* what;
        Events events;
        std::optional<std::string> text;
        std::optional<int> position;
    } cases[] = {
        {"an update writing its archive",
         [](StatusTrack& t, StatusView& v) {
             v = t.Step({ProgressPhase::Updating, "cars.wad", 100});
             v = *t.Bytes(450, 1000);
         },
         "Updating cars.wad : 45%", 45},
        {"an extraction between its files",
         [](StatusTrack& t, StatusView& v) {
             v = t.Step({ProgressPhase::Extracting, {}, 10});
             v = *t.Bytes(700, 1000);
             v = t.Step({ProgressPhase::Extracting, {}, 20});
         },
         "Extracting files : 70%", 70},
        {"the next archive of a batch",
         [](StatusTrack& t, StatusView& v) {
             v = t.Step({ProgressPhase::Updating, "a.wad", 100});
             v = *t.Bytes(1000, 1000);
             v = t.Step({ProgressPhase::NextArchive});
             v = t.Step({ProgressPhase::Updating, "b.wad", 50});
         },
         "Updating b.wad : 50%", 50},
        {"a step without a percentage",
         [](StatusTrack& t, StatusView& v) {
             v = t.Step({ProgressPhase::Undoing, "cars.wad"});
             v = *t.Bytes(300, 1000);
         },
         std::nullopt, 30},
        {"a failure after a success",
         [](StatusTrack& t, StatusView& v) {
             v = t.Step({ProgressPhase::Updated, "4.85"});
             v = t.Failed();
         },
         "", 0},
    };
    for (const auto& c : cases) {
        StatusTrack track;
        StatusView view;
        c.events(track, view);
        EXPECT_EQ(view.text, c.text) << c.what;
        EXPECT_EQ(view.position, c.position) << c.what;
    }
    EXPECT_FALSE(StatusTrack().Bytes(5, -1));  // no total: the bar stays
}

// Counts of one read in the singular; nothing found says how names are found.
TEST(ProgressTest, CountsReadInTheSingularForOne)
{
    Progress undone(ProgressPhase::Undone, "0.4");
    undone.wadsGivenBack = 17;
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {FindSummaryText(1, 1, 1), "1 entry found; 1 wad could not be read; 1 folder could not be read"},
        {FindSummaryText(2, 3, 0), "2 entries found; 3 wads could not be read"},
        {FindSummaryText(0, 0, 0), std::string("No entry found (") + kEntrySearchRule + ")"},
        {RemoveEntriesQuestion(1, "cars.wad"), "Remove 1 entry from cars.wad?"},
        {ProgressLabel(undone), "Undo done in 0.4s, 17 wads given back"},
        {ProgressLabel({ProgressPhase::Undone, "0.4"}), "Undo done in 0.4s"},
        {ProgressLabel({ProgressPhase::Previewed, "0"}), "Dry run done in 0s, nothing was written"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, c.expected);
}

}  // namespace
}  // namespace mw
