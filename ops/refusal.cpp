#include "ops/refusal.h"

#include "core/path_helpers.h"
#include "ops/messages.h"

namespace mw {
namespace {

// The text before the subject, or the whole text of a kind without one.
std::string LeadOf(const Refusal& refusal)
{
    switch (refusal.kind) {
    case RefusalKind::ChooseSourceFolder: return "Sorry but you have to choose a source folder first.";
    case RefusalKind::ChooseWadFile: return "Sorry but you have to choose a wad file first.";
    case RefusalKind::ChooseSourceFiles: return "Sorry but you have to choose source file(s) first.";
    case RefusalKind::NotAWadFile: return "Sorry but you havn't selected a wad file.";
    case RefusalKind::WrongWadPath: return "Sorry but you surely did a mistake in wad's pathname :)";
    case RefusalKind::WrongFilePath: return "Sorry but you surely did a mistake in file's pathname :)";
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

}  // namespace mw
