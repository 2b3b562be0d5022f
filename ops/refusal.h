// A refusal of the user's input: what is refused, and the path or name it
// concerns. A window shows its text in the user-error box; the command-line
// tool also names the field it concerns.
#pragma once

#include <string>
#include <utility>

namespace mw {

enum class RefusalKind {
    // The string table's messages, by their ids: they name nothing.
    ChooseSourceFolder = 65284,
    ChooseWadFile = 65285,
    ChooseSourceFiles = 65286,
    NotAWadFile = 65287,
    WrongWadPath = 65288,
    WrongFilePath = 65289,
    // Texts of their own that name nothing.
    ChooseOutputFolder,
    NoInstallation,
    // Texts that end with the path or name concerned.
    NoSourceFolder,
    NotRegularSource,
    NameTooLong,
    WadTooLarge,
    UnsafeSource,
    NotInCodePage,
    ArchiveIsOutput,
    NoEntryMatches,
    ArchiveOutsideGp4,
    SourceOutsideUpdateFolder,
    ArchiveChanged,
    BadEntryName,
    EntryExists,
    NothingToUndo,
    UpdatedAgain,
    ChangedSince,
    TooFewUpdates,  // also says how many can be undone
    NoSuchMod,
    PermanentMod,
    ChangedOutside,  // the archive, then the entries
    ArchiveExists,   // a file the command line would replace without --force
};

struct Refusal {
    Refusal(RefusalKind kind, std::string subject = {}, int count = 0)
        : kind(kind), subject(std::move(subject)), count(count)
    {
    }

    RefusalKind kind;
    std::string subject;  // the path or name concerned, as given; may hold unprintable characters
    int count = 0;        // TooFewUpdates: the updates that can be undone
};

// The text the user reads, the subject made printable.
std::string RefusalText(const Refusal& refusal);

// The field whose text a refusal is about.
enum class InputField { None, Source, Archive };
InputField FieldOf(RefusalKind kind);

}  // namespace mw
