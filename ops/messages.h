// Every text the operations show the user, in one place: the refusals of
// the user's input (what is refused, and the path or name concerned), the
// errors the operations raise themselves, the questions they ask, and the
// lines of the default error display. A window shows a refusal's text in
// the user-error box; the command-line tool also names the field it
// concerns. The texts of the file layer's errors and their plain causes
// are core's (core/errors.h).
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/settings_store.h"  // kSourcePlaceholder
#include "core/version.h"

namespace mw {

inline constexpr const char* kApplicationTitle = "Mendwright " MENDWRIGHT_VERSION;
inline constexpr const char* kPatchedMessage = "Your GP4 installation has been succesfully patched";

// The refusals. The string table's messages, by their ids (they name nothing).
inline constexpr const char* kChooseSourceFolder = "Sorry but you have to choose a source folder first.";
inline constexpr const char* kChooseWadFile = "Sorry but you have to choose a wad file first.";
inline constexpr const char* kChooseSourceFiles = "Sorry but you have to choose source file(s) first.";
inline constexpr const char* kNotAWadFile = "Sorry but you havn't selected a wad file.";
inline constexpr const char* kWrongWadPath = "Sorry but you surely did a mistake in wad's pathname :)";
inline constexpr const char* kWrongFilePath = "Sorry but you surely did a mistake in file's pathname :)";
// Texts of their own that name nothing.
inline constexpr const char* kChooseOutputFolder = "Sorry but you have to choose an output folder first.";
inline constexpr const char* kNoInstallationMessage = "Sorry but no GP4 installation was found";
// Texts that end with the path or name concerned.
inline constexpr const char* kNameTooLongPrefix = "Sorry but this name is too long for a wad entry: ";
inline constexpr const char* kWadTooLargePrefix = "Sorry but this wad would be too large: ";
inline constexpr const char* kNoSourceFolderPrefix = "Sorry but this source folder does not exist: ";
inline constexpr const char* kNotRegularSourcePrefix = "Sorry but this source is not a regular file: ";
// An update package's argument 2 or 3 (or a file below argument 3) that leads outside its folder.
inline constexpr const char* kArchiveOutsideGp4Prefix = "Sorry but this wad is not inside the GP4 folder: ";
inline constexpr const char* kSourceOutsideUpdateFolderPrefix = "Sorry but this source is not inside UpdateFolder: ";
inline constexpr const char* kArchiveIsOutputPrefix = "Sorry but this entry would overwrite the wad itself: ";
inline constexpr const char* kUnsafeSourcePrefix = "Sorry but this file's name cannot become a wad entry: ";
inline constexpr const char* kNotInCodePagePrefix =
    "Sorry but this file's name has characters a wad entry cannot hold: ";
inline constexpr const char* kNoEntryMatchesPrefix = "No entry matches this pattern: ";
// How find and the find windows look for a name (EntrySearch), in a few
// words, for those told that nothing was found.
inline constexpr const char* kEntrySearchRule =
    "text without * or ? is found in any part of a name; a pattern must match the last part of a name "
    "(helmet*.tex), or the whole name when it holds \\ or / (cars\\*.tex)";
// A create of the command line over a file that exists.
inline constexpr const char* kArchiveExistsPrefix = "Sorry but this file exists already (--force replaces it): ";
// The edits of the contents window.
inline constexpr const char* kArchiveChangedPrefix = "Sorry but this wad was changed since it was opened: ";
inline constexpr const char* kBadEntryNamePrefix = "Sorry but this name cannot be a wad entry: ";
inline constexpr const char* kEntryExistsPrefix = "Sorry but the wad already holds an entry of this name: ";
// Undo.
inline constexpr const char* kNothingToUndoPrefix = "Sorry but this wad has no update to undo: ";
inline constexpr const char* kChangedSincePrefix =
    "Sorry but this wad was changed after its last update, which therefore cannot be undone: ";
inline constexpr const char* kUpdatedAgainPrefix = "Sorry but this wad was updated again since, undo that first: ";
// The tool tips of "Undo last update" while it is not offered.
inline constexpr const char* kNoUpdateToUndoTip = "Undo last update: this wad has no update to undo";
inline constexpr const char* kChangedSinceTip =
    "Undo last update: this wad was changed after its last update, which therefore cannot be undone";
// Mods.
inline constexpr const char* kNoSuchModPrefix = "Sorry but no mod has this name: ";
inline constexpr const char* kPermanentModPrefix =
    "Sorry but this mod stays for good: the undo store's cap could not keep what taking it out needs: ";
inline constexpr const char* kChangedOutsidePrefix =
    "Sorry but another program changed entries that this change would touch (--force leaves them as they are): ";


// The errors the operations raise themselves, each followed by the file.
inline constexpr const char* kUnsafeEntryPrefix = "Unsafe entry name in archive: ";
inline constexpr const char* kDamagedUndoRecordPrefix = "Sorry but this undo record is damaged: ";
inline constexpr const char* kDamagedLedgerPrefix = "Sorry but this mods ledger is damaged: ";
inline constexpr const char* kBytesNoLongerKeptPrefix = "Sorry but the bytes this change needs are no longer kept: ";

// The default error display's lines below the exact text.
inline constexpr const char* kCauseLabel = "Cause: ";
inline constexpr const char* kFileLabel = "File: ";

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

// A refusal of the user's input: what is refused, and the path or name it
// concerns.
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

// A refusal found part-way through an operation (a name too long for its
// field, an archive too large for its offsets). The operation's entry point
// shows it in the user-error box and returns.
class UserRefusal : public std::runtime_error {
public:
    explicit UserRefusal(Refusal refusal) : std::runtime_error(RefusalText(refusal)), refusal_(std::move(refusal)) {}
    explicit UserRefusal(RefusalKind kind, std::string subject = {}, int count = 0)
        : UserRefusal(Refusal(kind, std::move(subject), count))
    {
    }
    const Refusal& refusal() const { return refusal_; }

private:
    Refusal refusal_;
};

// What a stopped operation says: "Cancelled", and for an extraction how
// many files it had written.
std::string CancelledText(std::optional<std::size_t> filesWritten);

// The question asked before entries are removed from an archive.
std::string RemoveEntriesQuestion(std::size_t count, const std::string& archiveName);

// The question the window asks before the track batch writes anything: the
// seventeen archives it changes in the GP4 folder.
std::string TrackBatchQuestion(const std::string& gp4Folder);

// The default error display's full-stop rule: a full stop is appended when
// the text's last character comes after "." in the character set.
std::string WithFullStop(const std::string& text);

}  // namespace mw
