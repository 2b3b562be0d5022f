// Where the bytes of an archive as it was loaded lie in the archive written
// from its patched image, so that an undo copies them back from there and
// its record stores only the rest.
#pragma once

#include <cstdint>
#include <vector>

#include "core/wad.h"
#include "ops/undo_record.h"

namespace mw {

// The pieces that give back the loaded archive from offset from (the end of
// its directory) to offset to (its end). The written archive holds the
// first count entries of image, each payload written at its Offset in
// table order, a later one over an earlier one. A stretch of loaded that a
// payload copies unchanged, and that no later payload covers, comes from
// where it lies in the written archive; every other byte is stored.
std::vector<UndoPiece> PlanUndoPieces(const WadImage& image, std::int32_t count, const File& loaded,
                                      std::int64_t from, std::int64_t to);

}  // namespace mw
