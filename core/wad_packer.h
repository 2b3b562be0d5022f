// A new archive written front to back from whole files, as "Create wad"
// packs a folder: each file is copied as it is read, to its end, so that
// its size is what it held when read and nothing is measured beforehand;
// the directory, complete only then, goes in last at the front. The
// archive takes its place as RebuildWad's does (see core/wad.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/file.h"
#include "core/temporary_archive.h"
#include "core/wad.h"

namespace mw {

class WadPacker {
public:
    // An archive of count entries at fileName; the payloads start after
    // their directory. A progress hears of every byte written. With the
    // lock held on the archive it replaces, it takes that one's place only
    // when the path still names the locked file, unchanged (as RebuildWad).
    WadPacker(const std::string& fileName, std::int32_t count, ByteProgress* progress = nullptr,
              const ArchiveLock* lock = nullptr);
    WadPacker(const WadPacker&) = delete;
    WadPacker& operator=(const WadPacker&) = delete;

    // Appends the file at path and returns its size. At most limit + 1
    // bytes are copied, so that the caller can refuse a file that would
    // take the archive past what it can describe.
    std::int64_t Append(const std::string& path, std::int64_t limit);

    // Writes the count and the records and puts the archive in place,
    // telling beforeCommit first when given.
    void Finish(const std::vector<WadEntry>& entries, BeforeCommit* beforeCommit = nullptr);

private:
    // The folder of the file opened last: files of one folder follow one
    // another in a listing, and opening them relative to it spares the
    // kernel the walk along the full path.
    const File& FolderOf(const std::string& path, std::size_t slash);

    TemporaryArchive temporary_;
    std::int32_t count_;
    ByteProgress* progress_;
    std::string folderName_;
    File folder_;
};

}  // namespace mw
