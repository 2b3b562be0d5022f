// A step of an operation as the status bar shows it: what the operation is
// doing, to which archive, and how far it has come.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace mw {

// The groups stay in this order: StatusViewOf tells them apart by it.
enum class ProgressPhase {
    // Work under way with its percentage: "Updating cars.wad : 50%".
    Creating,
    Extracting,
    Updating,
    Verifying,
    // Work under way without one: "Undoing cars.wad".
    Undoing,
    Writing,
    // Another program holds the archive: "Waiting for another program using cars.wad".
    WaitingForArchive,
    // Between the archives of a batch: the bar goes back to 0, the text stays.
    NextArchive,
    // Ended; the subject is the time it took: "Wad created in 0.193s".
    Created,
    Extracted,
    Updated,
    // An update's dry run, which writes nothing.
    Previewed,
    Undone,
    FilesExtracted,
    EntriesRemoved,
    EntryRenamed,
    EntryReplaced,
    FilesAdded,
    ModsChanged,
    // Stopped by the user; the subject is what the stop says ("Cancelled",
    // or how many files an extraction had written).
    Cancelled,
};

struct Progress {
    Progress(ProgressPhase phase, std::string subject = {}, int percent = 0)
        : phase(phase), subject(std::move(subject)), percent(percent)
    {
    }

    ProgressPhase phase;
    std::string subject;  // the archive's name, or the seconds an ended phase took
    int percent;
    // An undo that gave back more than one wad (a track batch's): how many.
    std::size_t wadsGivenBack = 0;
};

// What the status bar does with a step: the text it shows (none: the text
// stays), the bar's position (none: it stays) and whether it is painted at
// once rather than when the window next paints.
struct StatusView {
    std::optional<std::string> text;
    std::optional<int> position;
    bool paintAtOnce = false;
};
StatusView StatusViewOf(const Progress& progress);

// The percentage of a byte count: what the bar shows of done bytes out of
// total, 0 to 100 (100 when the total is none).
int BytePercent(std::int64_t done, std::int64_t total);

// What a window's status bar shows through its runs, whatever draws it: a
// step's text and position (StatusViewOf), the bytes that move the bar
// while a step's copies run, and a failure. The percentage in the text is
// always the bar's: once a step's bytes move the bar, its text says how
// far they are ("Updating cars.wad : 45%" while 45% of the new archive is
// written, though every file was read), until another step comes.
class StatusTrack {
public:
    StatusView Step(const Progress& progress);
    // Nothing when the total is unknown: the bar then stays.
    std::optional<StatusView> Bytes(std::int64_t done, std::int64_t total);
    // A refusal or an error: no text, the bar empty, so that a failure
    // never leaves the last success on show.
    StatusView Failed();

private:
    std::optional<Progress> step_;  // the last step whose text has a percentage
    bool bytesMoveBar_ = false;     // bytes have moved the bar since it came
};

// The text of a step without its percentage: "Updating cars.wad".
std::string ProgressLabel(const Progress& progress);
// Whether a step's text ends with its percentage.
bool HasPercentage(ProgressPhase phase);

}  // namespace mw
