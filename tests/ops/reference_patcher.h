// The update's edits written plainly, one scan per source file: the
// reference that ArchivePatcher must agree with, byte for byte. A file
// replaces the bytes of the first entry in table order that it matches, and
// the entries behind that one move by the change in size (everything from
// its offset on, when another entry shares that offset); a file that
// matches none is appended, its bytes right behind the grown directory and
// every other entry moved behind them. An entry may end at 2^31 - 1 bytes
// and not one byte later, and a name takes at most 128 bytes: the
// reference states both limits itself rather than calling the product's
// checks, so that a fault in those shows as a disagreement.
#pragma once

#include <string>

#include "core/wad.h"
#include "ops/update_matching.h"

namespace mw::reference {

int FindMatch(const WadImage& image, const SourceKey& key);
void ReplaceEntry(WadImage& image, int m, Payload bytes, const std::string& path);
void AppendEntry(WadImage& image, const std::string& name, Payload bytes, const std::string& path);

}  // namespace mw::reference
