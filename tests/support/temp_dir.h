// Test helpers: a temporary folder removed with everything in it, file bytes
// read and written whole, and archives built byte by byte.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/path_helpers.h"

namespace mw::test {

class TempDir {
public:
    TempDir();
    // A folder below base instead of $TMPDIR (or /tmp); "" is the default.
    explicit TempDir(const std::string& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // The full path of a name below the folder ("/" between levels, the
    // platform's separator in the result).
    std::string operator/(const std::string& relative) const { return NativePath(path_ + "/" + relative); }
    // Writes a file below the folder, creating its folders; returns its path.
    std::string Write(const std::string& relative, const std::string& bytes) const;
    std::string MakeFolder(const std::string& relative) const;
    // Names in the folder (not below it), in no particular order.
    std::vector<std::string> Names() const;

private:
    std::string path_;
};

// /dev/shm where it can be written, else "" (TempDir's default): for tests
// that write many files or large ones, which a real disk would slow down.
std::string MemoryBackedFolder();

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// The bytes of a file that a running program writes, once they hold text;
// "" when ten seconds pass first.
std::string BytesOnceTheyHold(const std::string& path, const std::string& text);

// The names in a folder that carry the temporary-file marker of the writer.
std::vector<std::string> TemporaryFiles(const std::string& folder);

// The order in which the file system returns a folder's names ("." and ".." left out).
std::vector<std::string> DirectoryOrder(const std::string& folder);

// Archive bytes as a test spells them out, independent of the writer.
struct RawEntry {
    std::string nameField;  // up to 128 bytes; padded with NULs
    std::int32_t offset;
    std::int32_t size;
};
std::string LittleEndian32(std::int32_t value);
std::string DirectoryBytes(const std::vector<RawEntry>& entries);
std::string DirectoryBytes(std::int32_t count, const std::vector<RawEntry>& entries);
// A contiguous archive of (name, payload) pairs, as create lays it out.
std::string ContiguousArchive(const std::vector<std::pair<std::string, std::string>>& entries);

bool RunningAsRoot();

// Points the user's data folder (where undo records go) and, on Linux, the
// runtime folder (where the running program listens) at folder, for this
// process and the programs it starts.
void UseDataFolder(const std::string& folder);

// The text of the error an action throws, or "no error".
std::string ErrorOf(const std::function<void()>& action);

// ErrorOf, run as an unprivileged user when the tests run as root (the
// folder is handed to that user first), so that permission refusals show.
std::string ErrorOfUnprivileged(const TempDir& dir, const std::function<void()>& action);

}  // namespace mw::test
