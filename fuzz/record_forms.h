// An undo record in the form the store kept before records kept checksums:
// another magic, and no checksums (three 64-bit words) at its end. The
// store still reads those, on their structure alone.
#pragma once

#include <string>

namespace mw::fuzz {

inline std::string WithoutChecksums(const std::string& record)
{
    return "MWUNDO1\n" + record.substr(8, record.size() - 8 - 24);
}

}  // namespace mw::fuzz
