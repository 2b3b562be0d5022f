// The update's edits on one loaded archive: finding the first entry a source
// file matches, replacing its bytes or appending a new entry. Every entry
// keeps its own bytes: a replaced entry stays where it starts and the
// entries behind it move by the change in its size (entries tangled with
// it move as one piece behind its new bytes); an appended entry's bytes go
// right behind the grown directory, every other entry moved behind them;
// and no edit takes an entry's end past 2 GiB less one byte.
// Built for many files against large tables: the first match for each key
// is looked up in an index instead of a scan, offsets live in a table where
// moving all entries from an offset on costs a pass over blocks of entries,
// and an append shifts them all at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/wad.h"
#include "ops/first_index_map.h"
#include "ops/offset_table.h"
#include "ops/update_matching.h"

namespace mw {

class ArchivePatcher {
public:
    // Payloads that lie in the directory area move behind it first; an
    // archive that this would take past 2 GiB is refused naming archivePath.
    explicit ArchivePatcher(WadImage& image, const std::string& archivePath = {});
    ArchivePatcher(const ArchivePatcher&) = delete;
    ArchivePatcher& operator=(const ArchivePatcher&) = delete;

    // The index of the first entry in table order that the key matches, or -1.
    int FindMatch(const SourceKey& key) const;

    // Puts new bytes into entry m. Entries behind it move by the change in
    // size. When other entries are tangled with m (they start inside m's old
    // bytes, or their bytes cover m's start), every entry from the first of
    // them on moves as one piece behind the new bytes instead, so each keeps
    // its bytes.
    // Raises a UserRefusal naming path when an offset would pass 2 GiB.
    void Replace(int m, Payload bytes, const std::string& path);

    // Adds an entry at the end of the table; its bytes go right behind the
    // grown directory, in front of every other entry's.
    void Append(const std::string& name, Payload bytes, const std::string& path);

    // Writes the offsets and sizes back into the image's entries.
    void Finish();

private:
    void Index(std::size_t entry);

    // The lowest offset of an entry tangled with entry m; INT64_MAX when none is.
    std::int64_t TangledFrom(std::size_t m) const;

    // The largest offset + size over all entries, exactly.
    std::int64_t ExactMaxStoredEnd() const;

    WadImage& image_;
    // Offsets less the shift that every append adds to all earlier entries.
    OffsetTable offsets_;
    std::int64_t shift_ = 0;
    // An upper bound of the largest stored offset + size: while the bound
    // stays inside 2 GiB no edit can pass it, and the exact value is only
    // computed when it does not. kNoEnd while there are no entries.
    static constexpr std::int64_t kNoEnd = -(std::int64_t{1} << 62);
    std::int64_t maxStoredEndBound_ = kNoEnd;

    // The first entry for each lower-cased name, and for each lower-cased
    // file-name part: among all entries, and among those under a
    // "qualifying" or a "race" folder.
    FirstIndexMap byName_;
    FirstIndexMap byFileName_;
    FirstIndexMap byQualifyingFileName_;
    FirstIndexMap byRaceFileName_;
};

}  // namespace mw
