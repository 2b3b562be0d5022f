#include "ops/undo_pieces.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>

namespace mw {
namespace {

// The stretches of the written archive that hold bytes of the loaded one,
// by where they begin in the written archive.
class WrittenFromLoaded {
public:
    // Bytes [begin, end) of the written archive are written now: from the
    // loaded archive at loadedAt, or (nothing) from elsewhere.
    void Write(std::int64_t begin, std::int64_t end, std::optional<std::int64_t> loadedAt)
    {
        auto it = spans_.lower_bound(begin);
        // A span that begins in front keeps its part in front, and its part
        // behind when this write lies inside it.
        if (it != spans_.begin()) {
            auto before = std::prev(it);
            const Span span = before->second;
            if (span.end > begin) {
                before->second.end = begin;
                if (span.end > end)
                    spans_[end] = {span.end, span.loadedAt + (end - before->first)};
            }
        }
        it = spans_.lower_bound(begin);
        while (it != spans_.end() && it->first < end) {
            const Span span = it->second;
            const std::int64_t start = it->first;
            it = spans_.erase(it);
            if (span.end > end) {
                spans_[end] = {span.end, span.loadedAt + (end - start)};
                break;
            }
        }
        if (loadedAt)
            spans_[begin] = {end, *loadedAt};
    }

    // The spans as (loaded begin, loaded end, written begin), by loaded begin.
    struct Source {
        std::int64_t loadedBegin;
        std::int64_t loadedEnd;
        std::int64_t writtenAt;
    };
    std::vector<Source> ByLoadedOffset() const
    {
        std::vector<Source> sources;
        sources.reserve(spans_.size());
        for (const auto& [begin, span] : spans_)
            sources.push_back({span.loadedAt, span.loadedAt + (span.end - begin), begin});
        std::sort(sources.begin(), sources.end(),
                  [](const Source& a, const Source& b) { return a.loadedBegin < b.loadedBegin; });
        return sources;
    }

private:
    struct Span {
        std::int64_t end;
        std::int64_t loadedAt;
    };
    std::map<std::int64_t, Span> spans_;
};

// Appends a piece, joined to the one before when it continues it.
void Add(std::vector<UndoPiece>& pieces, UndoPiece piece)
{
    if (!pieces.empty()) {
        UndoPiece& last = pieces.back();
        if (last.kind == piece.kind && last.from + last.length == piece.from) {
            last.length += piece.length;
            return;
        }
    }
    pieces.push_back(piece);
}

}  // namespace

std::vector<UndoPiece> PlanUndoPieces(const WadImage& image, std::int32_t count, const File& loaded,
                                      std::int64_t from, std::int64_t to)
{
    WrittenFromLoaded written;
    for (std::int32_t i = 0; i < count; ++i) {
        const WadEntry& entry = image.Entries[static_cast<std::size_t>(i)];
        const Payload& payload = image.Payloads[static_cast<std::size_t>(i)];
        if (entry.Size <= 0)
            continue;
        std::optional<std::int64_t> loadedAt;
        if (payload.IsStretch() && payload.opened() == &loaded)
            loadedAt = payload.offset();
        written.Write(entry.Offset, std::int64_t{entry.Offset} + entry.Size, loadedAt);
    }

    // A sweep over the loaded archive: at each offset, the source that
    // covers it furthest comes from the written archive; where none does,
    // the bytes are stored.
    const auto sources = written.ByLoadedOffset();
    std::vector<UndoPiece> pieces;
    std::int64_t stored = 0;
    std::size_t next = 0;
    const WrittenFromLoaded::Source* best = nullptr;
    for (std::int64_t at = from; at < to;) {
        for (; next < sources.size() && sources[next].loadedBegin <= at; ++next)
            if (best == nullptr || sources[next].loadedEnd > best->loadedEnd)
                best = &sources[next];
        if (best != nullptr && best->loadedEnd > at) {
            const std::int64_t length = std::min(best->loadedEnd, to) - at;
            Add(pieces, {UndoPiece::Kind::InArchive, length, best->writtenAt + (at - best->loadedBegin)});
            at += length;
        } else {
            const std::int64_t end = next < sources.size() ? std::min(sources[next].loadedBegin, to) : to;
            Add(pieces, {UndoPiece::Kind::Stored, end - at, stored});
            stored += end - at;
            at = end;
        }
    }
    return pieces;
}

}  // namespace mw
