// What one archive becomes when its layers change (a mod disabled, enabled
// or removed): the archive of the new layers, its bytes taken from the
// archive as it stands where they are there, else from the kept contents.
// Entries whose live bytes the ledger cannot explain were changed by
// another program: a change that would touch one is refused, or, forced,
// leaves its bytes where they stand.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/wad.h"
#include "ops/mods/kept_contents.h"
#include "ops/mods/mod_ledger.h"

namespace mw {

class File;

// One entry the change gives another state, for a dry run and the question
// before a change.
struct EntryChange {
    enum class Kind { Changed, Added, Removed };
    Kind kind = Kind::Changed;
    std::string entry;
    std::uint64_t from = kFoundLayer;  // the layer whose bytes it held (Changed, Removed)
    std::uint64_t to = kFoundLayer;    // the layer whose bytes it gets (Changed, Added)
};

// The archive as it stands, for a rewrite: loaded (its payloads stretches
// of file), with the hashes of its entries taken as they are needed.
class LiveArchive {
public:
    LiveArchive(WadImage& image, std::shared_ptr<File> file) : image_(image), file_(std::move(file)) {}
    const WadImage& image() const { return image_; }
    File& file() const { return *file_; }
    // Whether entry index holds content.
    bool Holds(std::size_t index, const ContentId& content);

private:
    WadImage& image_;
    std::shared_ptr<File> file_;
    std::vector<std::uint64_t> hashes_;
    std::vector<bool> hashed_;
};

struct LayerRewrite {
    // The archive to write; laidOut when its offsets are those of the
    // layering (no bytes changed elsewhere were kept), else the writer lays
    // the payloads out in table order.
    WadImage image;
    bool laidOut = true;
    std::vector<EntryChange> changes;
    // Entries the change would touch that another program changed.
    std::vector<std::string> changedOutside;
    // Contents the ledger needs that leave the archive, and the live entry
    // that holds each.
    std::vector<std::pair<ContentId, std::size_t>> toKeep;
    // Kept contents the new archive holds again.
    std::vector<ContentId> fromKept;
};

// The rewrite of archive from the layers of before to those of after. With
// force, entries changed outside keep their live bytes and the rest goes on;
// without, changedOutside names them and image is left empty. Bytes the new
// layers need that neither the archive nor the kept contents hold raise an
// AppError naming the archive.
LayerRewrite PlanLayerRewrite(const ModLedger& before, const ModLedger& after, std::uint32_t archive,
                              LiveArchive& live, const KeptContents& kept, bool force);

// Where each entry of an expected directory stands in the live one: at
// the same index when both name the same entries in the same order, else
// by name; -1 where the live archive has no such entry.
std::vector<std::int64_t> AlignToLive(const std::vector<WadEntry>& expected, const std::vector<WadEntry>& live,
                                      bool& sameOrder);

// Every content the ledger's mods and found state of archive may need.
std::vector<ContentId> NeededContents(const ModLedger& ledger, std::uint32_t archive);

}  // namespace mw
