// An archive checked without extracting it: every entry's place in the file
// and its name, and every payload read once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/errors.h"
#include "ops/frontend.h"

namespace mw {

struct VerifyResult {
    std::int32_t entries = 0;
    // In table order; an entry appears once, with its first fault: bytes
    // outside the file, bytes over the directory, or a name that extraction
    // refuses.
    std::vector<ArchiveFault> faulty;
};

// Reads the directory and the bytes of every entry that lies inside the file
// (a file error is thrown as reading would throw it), showing the bytes read
// through the frontend.
VerifyResult VerifyWad(const std::string& archivePath, Frontend& frontend);

}  // namespace mw
