// The file layer: raw byte files, one system call per read and write, every
// call checked as it returns and turned into an IoError when it fails.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mw {

class ByteProgress;

enum class OpenMode {
    Reading,   // must exist; opened for reading and writing, as the archive
               // that is about to be rewritten is
    Writing,   // created, or truncated when it exists
    ReadOnly,  // must exist; for files that are only read
    CopySource,  // as ReadOnly, for a file only copied from: a folder is refused
                 // by the copy, with the same text, which saves a call per file
};

// The platform's side of a File (core's own implementation files only).
struct NativeFile;

class File {
public:
    File() = default;
    File(const std::string& name, OpenMode mode);
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    ~File();  // closes without checking; call Close() on the success path

    void Open(const std::string& name, OpenMode mode);
    bool IsOpen() const noexcept { return handle_ != kNoHandle; }

    // Reads exactly size bytes; fewer raises "Lecture au-delà de la fin de fichier".
    void Read(void* buffer, std::size_t size);
    // Writes exactly size bytes; a write that takes none raises "Disque plein".
    void Write(const void* buffer, std::size_t size);
    // Copies size bytes of source from sourceOffset on to this file at
    // offset, in the kernel where it can, else through a buffer of at most
    // 1 MB; a source that ends first raises
    // "Lecture au-delà de la fin de fichier". Callers seek before their
    // next write: where the kernel cannot copy, the file position moves.
    // With a progress, the copy goes in steps and reports each one.
    void CopyFrom(File& source, std::int64_t sourceOffset, std::int64_t offset, std::int64_t size,
                  ByteProgress* progress = nullptr);
    // Copies what is left of source from its position on to this file at
    // its position, as CopyFrom does, until the source ends or more than
    // limit bytes are copied; returns the bytes copied, at most limit + 1.
    // Nothing measures the source first: its size is what it held when it
    // was read. A source longer than a megabyte is measured once that much
    // is copied, and one that is longer than the limit returns limit + 1 at
    // once, so that a file too large for an archive is not copied first.
    std::int64_t AppendFrom(File& source, std::int64_t limit, ByteProgress* progress = nullptr);
    // Moves to an absolute position; a negative one raises "Erreur E/S 131".
    void Seek(std::int64_t position);
    std::int64_t Length() const;
    // Flushes the file's data to the disk.
    void Sync();
    void Close();

    // The exclusive lock that updates of one archive take on it, advisory:
    // it holds off other updates and nothing else. Tried once, without
    // waiting: taken, held by another open of the file (another program's
    // lock of any kind), or not kept by the file system at all (an NFS
    // mount without its lock service).
    enum class LockTry { Taken, HeldElsewhere, NotKept };
    LockTry TryLockForUpdate();
    void UnlockForUpdate() noexcept;

    // The name it was opened with, which its errors carry.
    const std::string& Name() const noexcept { return name_; }

private:
    friend struct NativeFile;
    // Where the system cannot copy, the bytes go through memory a bounded
    // piece at a time: an archive's unchanged run can be most of the
    // archive, and the memory used must not grow with it.
    static constexpr std::size_t kPieceSize = std::size_t{1} << 20;

    // A descriptor on POSIX, a HANDLE on Windows; -1 is none on both.
    static constexpr std::intptr_t kNoHandle = -1;

    // Read, at *offset and advancing it when one is given (the file's
    // position stays), else at the file's position.
    void ReadFrom(void* buffer, std::size_t size, std::int64_t* offset);
    // One read at the file's position: the bytes read, 0 at its end.
    std::size_t ReadSome(void* buffer, std::size_t size);
    void CloseQuietly() noexcept;
    std::int64_t AppendThroughMemory(File& source, std::int64_t copied, std::int64_t limit, ByteProgress* progress);
    // Whether at most bytes are left from the position to the end.
    bool EndsWithin(std::int64_t bytes) const;
    void CopyThroughMemory(File& source, std::int64_t sourceOffset, std::int64_t offset, std::size_t size,
                           ByteProgress* progress);

    std::intptr_t handle_ = kNoHandle;
    std::string name_;
};

// A folder held open so that files in it are opened by their name in it,
// which saves the system the walk along the full path; not open where the
// folder cannot be opened or the platform has no such opens.
File FolderForLookups(const std::string& name);

// Opens a file for reading only, as OpenMode::CopySource does: by its name
// in folder when that is open, else by path, the full path, which errors
// name.
File OpenSourceIn(const File& folder, std::string_view name, const std::string& path);

// The size of the file at name, measured without opening it; fails with
// the texts an open for reading would give, a folder included.
std::int64_t FileSize(const std::string& name);

// Makes the one folder at path; the error code when it cannot (0 also when
// something is there already: the open after it tells what).
int MakeFolder(const std::string& path);
// Creates a folder with every missing level on the way. What could not be
// made is left for the open that follows to fail on; the error code of the
// first level that could not be made comes back (0: none), and its path in
// failed, so that an open that finds nothing can say why.
int CreateFolders(const std::string& name, std::string& failed);

// True when a file that is not a folder exists at name (links followed).
bool FileExists(const std::string& name);
// True when a folder exists at name (links followed).
bool FolderExists(const std::string& name);
// True when a regular file exists at name (links followed): not a folder,
// a device, a pipe or a socket.
bool RegularFileExists(const std::string& name);

}  // namespace mw
