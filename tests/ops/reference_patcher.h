// The update's edits as the rules state them, one scan per source file:
// the reference that ArchivePatcher must agree with, byte for byte.
#pragma once

#include <string>

#include "core/wad.h"
#include "ops/update_matching.h"

namespace mw::reference {

int FindMatch(const WadImage& image, const SourceKey& key);
void ReplaceEntry(WadImage& image, int m, Payload bytes, const std::string& path);
void AppendEntry(WadImage& image, const std::string& name, Payload bytes, const std::string& path);

}  // namespace mw::reference
