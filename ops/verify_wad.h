// An archive checked without extracting it: every entry's place in the file
// and its name, and every payload read once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ops/frontend.h"

namespace mw {

enum class EntryFault {
    OutsideFile,        // its bytes start before the file or run past its end
    OverlapsDirectory,  // its bytes lie over the count and the directory
    UnsafeName,         // extraction would refuse its name
};

struct FaultyEntry {
    std::int32_t index;
    std::string name;
    EntryFault fault;
};

struct VerifyResult {
    std::int32_t entries = 0;
    std::vector<FaultyEntry> faulty;  // in table order; an entry appears once, with its first fault
};

// Reads the directory and the bytes of every entry that lies inside the file
// (a file error is thrown as reading would throw it), showing the bytes read
// through the frontend.
VerifyResult VerifyWad(const std::string& archivePath, Frontend& frontend);

// What is wrong with a faulty entry, in words.
std::string EntryFaultText(EntryFault fault);

}  // namespace mw
