#include "tests/support/bad_inputs.h"

#include <sys/stat.h>

namespace mw::test {
namespace {

// Plants the source of every row beside the archive: two files, as create needs.
std::string WithSource(const TempDir& dir, std::string archive)
{
    dir.Write("src/a.bin", "new a");
    dir.Write("src/cars/b.tex", "new b");
    return archive;
}

const std::string kArchive = ContiguousArchive({{"a.bin", "aaaa"}, {"cars\\b.tex", "bbbb"}});
constexpr const char* kRangeCheck = "Erreur de vérification d'étendue";
constexpr const char* kPastTheEnd = "Lecture au-delà de la fin de fichier";
constexpr const char* kRefused = "Accès au fichier refusé";

}  // namespace

const std::vector<BadInput>& BadInputs()
{
    static const std::vector<BadInput> inputs = {
        {"DoomWad", false,
         [](const TempDir& dir) {
             return WithSource(dir, dir.Write("doom.wad", "IWAD" + LittleEndian32(2) + LittleEndian32(12)));
         },
         false, kRangeCheck, "doom.wad is not a GP4 archive: it would hold 1145132873 entries"},
        {"TextFile", false,
         [](const TempDir& dir) { return WithSource(dir, dir.Write("notes.wad", "These are my notes.\n")); }, false,
         kRangeCheck, "notes.wad is not a GP4 archive: it would hold 1936025684 entries"},
        {"EmptyFile", false, [](const TempDir& dir) { return WithSource(dir, dir.Write("empty.wad", "")); }, false,
         kPastTheEnd, "empty.wad is not a GP4 archive: it is empty"},
        {"TruncatedArchive", false,
         [](const TempDir& dir) {
             return WithSource(dir, dir.Write("cut.wad", kArchive.substr(0, kArchive.size() - 2)));
         },
         false, kPastTheEnd, "cut.wad is truncated: entry 1 (cars\\b.tex) ends past the end of the file"},
        {"Folder", true, [](const TempDir& dir) { return WithSource(dir, dir.MakeFolder("out.wad")); }, false,
         kRefused, "out.wad is a folder, not a file"},
        {"UnreadableFile", false,
         [](const TempDir& dir) {
             const std::string path = dir.Write("locked.wad", kArchive);
             ::chmod(path.c_str(), 0);
             return WithSource(dir, path);
         },
         false, kRefused, "you may not read locked.wad (another user's, or its permissions forbid it)"},
        {"FullDisk", false, [](const TempDir& dir) { return WithSource(dir, dir.Write("full.wad", kArchive)); }, true,
         "Erreur E/S 112", "the disk holding full.wad is full"},
    };
    return inputs;
}

}  // namespace mw::test
