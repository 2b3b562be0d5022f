// A 64-bit hash of bytes (xxHash's XXH3): what tells one entry's bytes from
// another's without keeping them. Not a defence against someone who makes
// two files of one hash on purpose; an archive's entries are not chosen to
// collide.
#pragma once

#include <cstdint>
#include <string_view>

namespace mw {

class File;

std::uint64_t HashOfBytes(std::string_view bytes);

// The hash of size bytes of file from offset on, read in bounded pieces;
// bytes that end first raise "Lecture au-delà de la fin de fichier".
std::uint64_t HashOfFileBytes(File& file, std::int64_t offset, std::int64_t size);

}  // namespace mw
