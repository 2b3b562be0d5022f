// The readers of Mendwright's own files may size nothing by what a file
// claims, only by what it holds: while one runs, no single allocation may
// exceed a fixed multiple of the file's length, plus the pieces the readers
// read a file in. Counted by the sanitizer's allocation hook, so that
// std::string, std::vector and malloc alike are seen.
#pragma once

#include <cstddef>
#include <functional>

namespace mw::fuzz {

// Runs read, which reads a file of fileBytes bytes, and aborts when it made
// an allocation larger than such a file justifies.
void WithinAllocationCap(std::size_t fileBytes, const std::function<void()>& read);

}  // namespace mw::fuzz
