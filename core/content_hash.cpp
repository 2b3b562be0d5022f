#include "core/content_hash.h"

#include <algorithm>
#include <string>

#include "core/file.h"

// Inlined, so that no library is linked in: the Windows build has none.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace mw {
namespace {

constexpr std::int64_t kPieceSize = std::int64_t{1} << 20;

}  // namespace

std::uint64_t HashOfBytes(std::string_view bytes)
{
    return XXH3_64bits(bytes.data(), bytes.size());
}

std::uint64_t HashOfFileBytes(File& file, std::int64_t offset, std::int64_t size)
{
    XXH3_state_t state;
    XXH3_64bits_reset(&state);
    std::string piece;
    file.Seek(offset);
    for (std::int64_t done = 0; done < size;) {
        piece.resize(static_cast<std::size_t>(std::min(size - done, kPieceSize)));
        file.Read(piece.data(), piece.size());
        XXH3_64bits_update(&state, piece.data(), piece.size());
        done += static_cast<std::int64_t>(piece.size());
    }
    return XXH3_64bits_digest(&state);
}

}  // namespace mw
