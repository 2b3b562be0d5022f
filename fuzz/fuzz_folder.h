// The folders of the fuzzers that work on real files: one per process, in
// memory-backed /dev/shm where there is one, removed when the process ends;
// odd things planted in it as another program or a sync tool might leave
// them; and a record of a tree, to tell that nothing in it changed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace mw::fuzz {

class FuzzFolder {
public:
    explicit FuzzFolder(const std::string& what);
    ~FuzzFolder();
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }

private:
    std::filesystem::path path_;
};

// What can stand at a name of a folder Mendwright keeps its own files in.
enum class Planted : std::uint8_t { File, Folder, LinkToFile, LinkToFolder, LinkToNothing, Fifo, Count };

// Plants kind at at (a file holding bytes); the links lead to target, a
// file or folder elsewhere. False when the name cannot be made (it is
// taken, or is no name).
bool Plant(const std::filesystem::path& at, Planted kind, const std::string& bytes,
           const std::filesystem::path& target);

// Every name below folder with its kind and, for a file, its bytes; links
// are recorded as links, never followed.
std::map<std::string, std::string> TreeOf(const std::filesystem::path& folder);

// Writes bytes as the whole file at path; aborts when it cannot (the
// harness itself failed: no finding to report).
void PutFile(const std::filesystem::path& path, const std::string& bytes);
std::string FileBytes(const std::filesystem::path& path);

}  // namespace mw::fuzz
