// The fuzzers that read archives need a real file: the reader works on file
// descriptors. One file per process, in memory-backed /dev/shm where there
// is one, rewritten with each input and removed when the process ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace mw::fuzz {

// Puts the bytes in the scratch file and returns its name.
const std::string& ScratchFile(const std::uint8_t* data, std::size_t size);

}  // namespace mw::fuzz
