#include "ops/progress.h"

#include <algorithm>

#include "core/text.h"
#include "ops/messages.h"

namespace mw {

std::string ProgressLabel(const Progress& progress)
{
    const std::string& subject = progress.subject;
    switch (progress.phase) {
    case ProgressPhase::Creating: return "Creating files";
    case ProgressPhase::Extracting: return "Extracting files";
    case ProgressPhase::Updating: return "Updating " + subject;
    case ProgressPhase::Verifying: return "Verifying " + subject;
    case ProgressPhase::Undoing: return "Undoing " + subject;
    case ProgressPhase::Writing: return "Writing " + subject;
    case ProgressPhase::WaitingForArchive: return "Waiting for another program using " + subject;
    case ProgressPhase::NextArchive: return {};
    case ProgressPhase::Created: return "Wad created in " + subject + "s";
    case ProgressPhase::Extracted: return "Wad extracted in " + subject + "s";
    case ProgressPhase::Updated: return "Update done in " + subject + "s";
    case ProgressPhase::Previewed: return "Dry run done in " + subject + "s, nothing was written";
    case ProgressPhase::Undone:
        return "Undo done in " + subject + "s" +
               (progress.wadsGivenBack > 1 ? ", " + CountText(progress.wadsGivenBack, "wad", "wads") + " given back"
                                           : std::string());
    case ProgressPhase::FilesExtracted: return "Files extracted in " + subject + "s";
    case ProgressPhase::EntriesRemoved: return "Entries removed in " + subject + "s";
    case ProgressPhase::EntryRenamed: return "Entry renamed in " + subject + "s";
    case ProgressPhase::EntryReplaced: return "Entry replaced in " + subject + "s";
    case ProgressPhase::FilesAdded: return "Files added in " + subject + "s";
    case ProgressPhase::ModsChanged: return "Mods changed in " + subject + "s";
    case ProgressPhase::Cancelled: return subject;
    }
    return {};
}

bool HasPercentage(ProgressPhase phase)
{
    return phase <= ProgressPhase::Verifying;
}

int BytePercent(std::int64_t done, std::int64_t total)
{
    if (total <= 0)
        return 100;
    return static_cast<int>(std::clamp<std::int64_t>(done * 100 / total, 0, 100));
}

StatusView StatusViewOf(const Progress& progress)
{
    const ProgressPhase phase = progress.phase;
    StatusView view;
    if (phase != ProgressPhase::NextArchive) {
        view.text = ProgressLabel(progress);
        if (HasPercentage(phase))
            *view.text += " : " + std::to_string(progress.percent) + "%";
    }
    // A verification shows its start only; the bytes it reads move the bar.
    if (phase >= ProgressPhase::NextArchive)
        view.position = 0;
    else if (phase <= ProgressPhase::Updating)
        view.position = progress.percent;
    // An update paints its bar after each file; a wait shows at once.
    view.paintAtOnce = phase == ProgressPhase::Updating || phase == ProgressPhase::WaitingForArchive;
    return view;
}

}  // namespace mw

namespace mw {

StatusView StatusTrack::Step(const Progress& progress)
{
    if (!HasPercentage(progress.phase)) {
        step_.reset();
        bytesMoveBar_ = false;
        return StatusViewOf(progress);
    }
    // The same work again (an extraction between its files): the bytes
    // keep the bar, and the text follows them.
    const bool sameWork = step_ && step_->phase == progress.phase && step_->subject == progress.subject;
    if (!sameWork)
        bytesMoveBar_ = false;
    const int barPercent = bytesMoveBar_ ? step_->percent : progress.percent;
    step_ = progress;
    step_->percent = barPercent;
    StatusView view = StatusViewOf(*step_);
    if (bytesMoveBar_)
        view.position = barPercent;
    return view;
}

std::optional<StatusView> StatusTrack::Bytes(std::int64_t done, std::int64_t total)
{
    if (total <= 0)
        return std::nullopt;
    StatusView view;
    view.position = BytePercent(done, total);
    if (step_) {
        bytesMoveBar_ = true;
        step_->percent = *view.position;
        view.text = StatusViewOf(*step_).text;
    }
    return view;
}

StatusView StatusTrack::Failed()
{
    step_.reset();
    bytesMoveBar_ = false;
    return {std::string(), 0, true};
}

}  // namespace mw
