// The checksum an undo record keeps of the archive its update wrote, which
// the undo compares before it copies anything back from that archive.
//
// It covers the archive's whole directory (count, names, offsets, sizes)
// and, of each stretch the undo copies from the archive, its first and last
// 4 KiB and 4 KiB at every MiB inside it. With the size and the modification
// time to the nanosecond that is enough to tell the archive the update
// wrote from another one or from itself changed: whatever writes a file
// gives it a new time unless it sets the old one back on purpose; another
// archive of the same size and time (a copy that kept its time) differs in
// its directory, which holds every entry's offset and size; and an edit in
// place that keeps both is seen where it touches a sampled block. Reading
// the whole of a 1 GB archive would add seconds to every update; the
// samples take milliseconds.
#pragma once

#include <cstdint>
#include <vector>

#include "core/file.h"
#include "ops/undo_record.h"

namespace mw {

// The checksum of archive, whose directory holds count entries, for an
// undo made of pieces.
std::uint64_t UndoChecksum(File& archive, std::int32_t count, const std::vector<UndoPiece>& pieces);

}  // namespace mw
