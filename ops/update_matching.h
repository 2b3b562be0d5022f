// How the update decides what a source file patches: its folder kind, its
// match key, the first entry it matches, and the replace and append edits
// that keep every entry's offset consistent.
#pragma once

#include <string>

#include "core/wad.h"

namespace mw {

enum FolderKind : int {
    kPlainFolder = 0,
    kQualifyingFolder = 1,  // the path holds "qualifying" as a folder
    kRaceFolder = 2,        // the path holds "race" as a folder (wins over qualifying)
};

struct SourceKey {
    FolderKind kind = kPlainFolder;
    bool underCars = false;  // the path holds "cars" as a folder
    std::string matchKey;    // lower case, "\" between levels
};

// The key of one source file. Under a "cars" folder the key is the path
// relative to the source text; a single source file (not a folder) under
// "cars" is keyed from that first "cars" folder on. Otherwise the key is
// the file name alone.
SourceKey ClassifySource(const std::string& path, const std::string& sourceText, bool singleFile);

// The index of the first entry in table order that the key matches, or -1.
int FindMatch(const WadImage& image, const SourceKey& key);

// Puts new bytes into entry m and moves the entries behind it. Raises a
// UserRefusal naming path when an offset would pass 2 GiB.
void ReplaceEntry(WadImage& image, int m, Payload bytes, const std::string& path);

// Adds an entry at the end of the table whose bytes go in front of all the
// others, right behind the grown directory.
void AppendEntry(WadImage& image, const std::string& name, Payload bytes, const std::string& path);

// The name an appended entry gets in the archive whose file name is
// archiveFileName: "cars\" in cars.wad, "maps\<track>\" in a track archive.
std::string AppendedName(const std::string& archiveFileName, const std::string& matchKey);

}  // namespace mw
