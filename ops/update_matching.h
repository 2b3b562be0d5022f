// How the update keys a source file: its folder kind and its match key; and
// the name an entry appended for it gets.
#pragma once

#include <string>


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
// the file name alone. That part of the path must make a name that
// extraction accepts (CheckSourceName); a UserRefusal is raised otherwise.
SourceKey ClassifySource(const std::string& path, const std::string& sourceText, bool singleFile);

// The name an appended entry gets in the archive whose file name is
// archiveFileName: "cars\" in cars.wad, "maps\<track>\" in a track archive.
std::string AppendedName(const std::string& archiveFileName, const std::string& matchKey);

}  // namespace mw
