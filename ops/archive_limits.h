// The limits of the archive format that every writer of one checks: a name
// of at most 128 bytes, and offsets a signed 32-bit integer can hold.
#pragma once

#include <cstdint>
#include <string>

namespace mw {

// Refuses an entry name that does not fit its 128-byte field.
void CheckEntryNameFits(const std::string& name);

// Refuses a payload end that a signed 32-bit Offset cannot describe: an
// archive may end at 2 GiB less one byte, and not one byte later.
void CheckArchiveEnd(std::int64_t end, const std::string& path);

}  // namespace mw
