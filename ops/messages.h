// The texts that several operations share; a refusal's text comes from
// RefusalText, a step's from StatusViewOf.
#pragma once

#include <cstddef>
#include <string>

#include "core/settings_store.h"  // kSourcePlaceholder
#include "core/version.h"

namespace mw {

inline constexpr const char* kApplicationTitle = "Mendwright " MENDWRIGHT_VERSION;
inline constexpr const char* kPatchedMessage = "Your GP4 installation has been succesfully patched";
inline constexpr const char* kNameTooLongPrefix = "Sorry but this name is too long for a wad entry: ";
inline constexpr const char* kWadTooLargePrefix = "Sorry but this wad would be too large: ";
inline constexpr const char* kNoSourceFolderPrefix = "Sorry but this source folder does not exist: ";
inline constexpr const char* kNotRegularSourcePrefix = "Sorry but this source is not a regular file: ";
inline constexpr const char* kNoInstallationMessage = "Sorry but no GP4 installation was found";
// An update package's argument 2 or 3 (or a file below argument 3) that leads outside its folder.
inline constexpr const char* kArchiveOutsideGp4Prefix = "Sorry but this wad is not inside the GP4 folder: ";
inline constexpr const char* kSourceOutsideUpdateFolderPrefix = "Sorry but this source is not inside UpdateFolder: ";
inline constexpr const char* kUnsafeEntryPrefix = "Unsafe entry name in archive: ";
inline constexpr const char* kChooseOutputFolder = "Sorry but you have to choose an output folder first.";
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

// A count with its noun, one in the singular: "1 entry", "3 entries".
std::string CountText(std::size_t count, const char* one, const char* many);

// The question asked before entries are removed from an archive.
std::string RemoveEntriesQuestion(std::size_t count, const std::string& archiveName);

// The question the window asks before the track batch writes anything: the
// seventeen archives it changes in the GP4 folder.
std::string TrackBatchQuestion(const std::string& gp4Folder);

// The default error display's full-stop rule: a full stop is appended when
// the text's last character comes after "." in the character set.
std::string WithFullStop(const std::string& text);

}  // namespace mw
