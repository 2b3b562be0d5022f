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
// from the last "cars" folder on ("cars\ferrari\visor.tex"), the name the
// game reads the file by in cars.wad, whichever folder the user chose as
// the source. Otherwise the key is the file name alone. That part of the
// path must make a name that extraction accepts (CheckSourceName); a
// UserRefusal is raised otherwise.
SourceKey ClassifySource(const std::string& path);

// The name an appended entry gets in the archive whose file name is
// archiveFileName: in cars.wad the key itself when it starts at a "cars"
// folder, else "cars\" + key; "maps\<track>\" + key in a track archive.
std::string AppendedName(const std::string& archiveFileName, const SourceKey& key);

}  // namespace mw
