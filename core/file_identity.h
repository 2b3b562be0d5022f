// Where a file's bytes live: the same for every name of one file, hard
// links included. Device and inode on POSIX; volume serial number and file
// index on Windows.
#pragma once

#include <compare>
#include <cstdint>

namespace mw {

class File;

struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of an open file; a failure raises the IoError naming it.
FileIdentity IdentityOf(const File& file);

}  // namespace mw
