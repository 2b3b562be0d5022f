// A step of an operation as the status bar shows it: what the operation is
// doing, to which archive, and how far it has come.
#pragma once

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

// The text of a step without its percentage: "Updating cars.wad".
std::string ProgressLabel(const Progress& progress);
// Whether a step's text ends with its percentage.
bool HasPercentage(ProgressPhase phase);

}  // namespace mw
