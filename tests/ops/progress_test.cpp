#include "ops/progress.h"

#include <gtest/gtest.h>

#include "core/error_causes.h"
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

// The status bar's text and its bar tell the same percentage once the
// bytes move the bar; a failure leaves nothing of the last step. Each case
// is steps (a phase), byte counts (done of 1000) and failures in order.
TEST(ProgressTest, TheTextShowsThePercentageTheBarShows)
{
    struct Event {
        std::optional<Progress> step;
        std::int64_t bytes = -1;  // -1: a failure, when no step
    };
    const Progress updating(ProgressPhase::Updating, "cars.wad", 100);
    const struct {
        std::vector<Event> events;
        std::optional<std::string> text;
        std::optional<int> position;
    } cases[] = {
        {{{updating}, {{}, 450}}, "Updating cars.wad : 45%", 45},
        {{{Progress(ProgressPhase::Extracting, {}, 10)}, {{}, 700}, {Progress(ProgressPhase::Extracting, {}, 20)}},
         "Extracting files : 70%", 70},
        {{{updating}, {{}, 1000}, {Progress(ProgressPhase::NextArchive)}, {Progress(ProgressPhase::Updating, "b.wad", 50)}},
         "Updating b.wad : 50%", 50},
        {{{Progress(ProgressPhase::Undoing, "cars.wad")}, {{}, 300}}, std::nullopt, 30},
        {{{Progress(ProgressPhase::Updated, "4.85")}, {{}, 450}, {}}, "", 0},
    };
    for (const auto& c : cases) {
        StatusTrack track;
        StatusView view;
        for (const Event& event : c.events)
            view = event.step ? track.Step(*event.step) : event.bytes >= 0 ? *track.Bytes(event.bytes, 1000) : track.Failed();
        EXPECT_EQ(view.text, c.text) << c.text.value_or("-");
        EXPECT_EQ(view.position, c.position) << c.text.value_or("-");
    }
    EXPECT_FALSE(StatusTrack().Bytes(5, -1));  // no total: the bar stays
}

// Counts of one read in the singular; nothing found says how names are found.
TEST(ProgressTest, CountsReadInTheSingularForOne)
{
    EXPECT_EQ(FindSummaryText(1, 1, 1), "1 entry found; 1 wad could not be read; 1 folder could not be read");
    EXPECT_EQ(FindSummaryText(2, 3, 0), "2 entries found; 3 wads could not be read");
    EXPECT_EQ(FindSummaryText(0, 0, 0), std::string("No entry found (") + kEntrySearchRule + ")");
    EXPECT_EQ(ArchiveFaultCause("cut.wad", {ArchiveFault::Kind::DirectoryPastEnd, 1, -1, {}}),
              "cut.wad is truncated: its directory of 1 entry ends past the end of the file");
}

}  // namespace
}  // namespace mw
