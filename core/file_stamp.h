// What tells one state of a file from another without reading it: its size
// and its modification time, to the nanosecond.
#pragma once

#include <cstdint>

namespace mw {

class File;

struct FileStamp {
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of an open file.
FileStamp StampOf(const File& file);

// Gives an open file the modification time of stamp; its size stays.
void SetModifiedTime(File& file, const FileStamp& stamp);

}  // namespace mw
