#include "ops/messages.h"

#include "core/text.h"
#include "ops/track_names.h"

namespace mw {
namespace {

// The text before the subject, or the whole text of a kind without one.
std::string LeadOf(const Refusal& refusal)
{
    switch (refusal.kind) {
    case RefusalKind::ChooseSourceFolder: return kChooseSourceFolder;
    case RefusalKind::ChooseWadFile: return kChooseWadFile;
    case RefusalKind::ChooseSourceFiles: return kChooseSourceFiles;
    case RefusalKind::NotAWadFile: return kNotAWadFile;
    case RefusalKind::WrongWadPath: return kWrongWadPath;
    case RefusalKind::WrongFilePath: return kWrongFilePath;
    case RefusalKind::ChooseOutputFolder: return kChooseOutputFolder;
    case RefusalKind::NoInstallation: return kNoInstallationMessage;
    case RefusalKind::NoSourceFolder: return kNoSourceFolderPrefix;
    case RefusalKind::NotRegularSource: return kNotRegularSourcePrefix;
    case RefusalKind::NameTooLong: return kNameTooLongPrefix;
    case RefusalKind::WadTooLarge: return kWadTooLargePrefix;
    case RefusalKind::UnsafeSource: return kUnsafeSourcePrefix;
    case RefusalKind::NotInCodePage: return kNotInCodePagePrefix;
    case RefusalKind::ArchiveIsOutput: return kArchiveIsOutputPrefix;
    case RefusalKind::NoEntryMatches: return kNoEntryMatchesPrefix;
    case RefusalKind::ArchiveOutsideGp4: return kArchiveOutsideGp4Prefix;
    case RefusalKind::SourceOutsideUpdateFolder: return kSourceOutsideUpdateFolderPrefix;
    case RefusalKind::ArchiveChanged: return kArchiveChangedPrefix;
    case RefusalKind::BadEntryName: return kBadEntryNamePrefix;
    case RefusalKind::EntryExists: return kEntryExistsPrefix;
    case RefusalKind::NothingToUndo: return kNothingToUndoPrefix;
    case RefusalKind::UpdatedAgain: return kUpdatedAgainPrefix;
    case RefusalKind::ChangedSince: return kChangedSincePrefix;
    case RefusalKind::NoSuchMod: return kNoSuchModPrefix;
    case RefusalKind::PermanentMod: return kPermanentModPrefix;
    case RefusalKind::ChangedOutside: return kChangedOutsidePrefix;
    case RefusalKind::ArchiveExists: return kArchiveExistsPrefix;
    case RefusalKind::TooFewUpdates:
        return "Sorry but only " + CountText(static_cast<std::size_t>(refusal.count), "update", "updates") +
               " of this wad can be undone: ";
    }
    return {};
}

}  // namespace

std::string RefusalText(const Refusal& refusal)
{
    return LeadOf(refusal) + PrintableText(refusal.subject);
}

InputField FieldOf(RefusalKind kind)
{
    switch (kind) {
    case RefusalKind::ChooseSourceFolder:
    case RefusalKind::ChooseSourceFiles:
    case RefusalKind::WrongFilePath: return InputField::Source;
    case RefusalKind::ChooseWadFile:
    case RefusalKind::NotAWadFile:
    case RefusalKind::WrongWadPath: return InputField::Archive;
    default: return InputField::None;
    }
}

std::string CancelledText(std::optional<std::size_t> filesWritten)
{
    if (!filesWritten)
        return "Cancelled";
    return "Cancelled: " + CountText(*filesWritten, "file", "files") + " extracted";
}


std::string RemoveEntriesQuestion(std::size_t count, const std::string& archiveName)
{
    return "Remove " + CountText(count, "entry", "entries") + " from " + archiveName + "?";
}

std::string TrackBatchQuestion(const std::string& gp4Folder)
{
    std::string text = "Update track wads will change these " + std::to_string(kTrackCount) + " wads in " +
                       gp4Folder + ":\n\n";
    for (const char* track : TrackNames)
        text += std::string(track) + ".wad\n";
    text += "\nThe changes can be undone afterwards, all these wads at once, with \"Undo last update\".\n\n";
    return text + "Go on?";
}

std::string WithFullStop(const std::string& text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        return text + ".";
    return text;
}

}  // namespace mw
