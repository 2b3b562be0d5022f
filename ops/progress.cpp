#include "ops/progress.h"

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
    case ProgressPhase::Undone: return "Undo done in " + subject + "s";
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
