#include "ops/undo_checksum.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/wad.h"

namespace mw {
namespace {

constexpr std::int64_t kSampleSize = 4096;
constexpr std::int64_t kSampleStride = std::int64_t{1} << 20;
constexpr std::int64_t kReadPiece = std::int64_t{1} << 20;

// splitmix64's finaliser: every bit of the input reaches every bit of the result.
std::uint64_t Mix(std::uint64_t x)
{
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

class Checksum {
public:
    explicit Checksum(File& archive) : archive_(archive) {}

    // The bytes [begin, end) of the archive, with where they lie.
    void Add(std::int64_t begin, std::int64_t end)
    {
        hash_ = Mix(hash_ ^ static_cast<std::uint64_t>(begin));
        hash_ = Mix(hash_ ^ static_cast<std::uint64_t>(end));
        archive_.Seek(begin);
        for (std::int64_t at = begin; at < end;) {
            const std::int64_t piece = std::min(end - at, kReadPiece);
            buffer_.resize(static_cast<std::size_t>(piece));
            archive_.Read(buffer_.data(), buffer_.size());
            for (std::size_t i = 0; i < buffer_.size(); i += 8) {
                std::uint64_t word = 0;
                std::memcpy(&word, buffer_.data() + i, std::min<std::size_t>(8, buffer_.size() - i));
                hash_ = Mix(hash_ ^ word);
            }
            at += piece;
        }
    }

    std::uint64_t value() const { return hash_; }

private:
    File& archive_;
    std::string buffer_;
    std::uint64_t hash_ = 0x6d656e6477726967ULL;
};

}  // namespace

std::uint64_t UndoChecksum(File& archive, std::int32_t count, const std::vector<UndoPiece>& pieces)
{
    Checksum checksum(archive);
    checksum.Add(0, DirectoryEnd(count));
    for (const UndoPiece& piece : pieces) {
        if (piece.kind != UndoPiece::Kind::InArchive)
            continue;
        const std::int64_t begin = piece.from;
        const std::int64_t end = piece.from + piece.length;
        checksum.Add(begin, std::min(begin + kSampleSize, end));
        checksum.Add(std::max(end - kSampleSize, begin), end);
        for (std::int64_t at = (begin / kSampleStride + 1) * kSampleStride; at < end; at += kSampleStride)
            checksum.Add(at, std::min(at + kSampleSize, end));
    }
    return checksum.value();
}

}  // namespace mw
