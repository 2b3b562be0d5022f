// The bytes the mods ledger needs that its archive no longer holds: what a
// mod replaced, and what a disabled mod had written. One file per content
// in the archive's folder of the ledger's store, named by the content's
// hash and size, written whole and flushed before it takes that name, and
// checked against its name before its bytes go back into an archive. The
// folder is a private one (core/private_folder.h): the user's alone, and
// nothing in it is reached through a link.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/payload.h"
#include "core/private_folder.h"
#include "ops/mods/mod_layers.h"

namespace mw {

class File;

class KeptContents {
public:
    explicit KeptContents(PrivateFolder folder);

    bool Has(const ContentId& content) const;
    // Keeps content.size bytes of from, at offset, as content; bytes that
    // turn out to be another content are not kept and false is returned.
    bool Keep(const ContentId& content, File& from, std::int64_t offset);
    // The kept bytes as a payload, once they are checked against content;
    // nothing when they are missing or no longer that content.
    std::optional<Payload> PayloadOf(const ContentId& content) const;
    // Every content kept.
    std::vector<ContentId> All() const;
    // The bytes the kept contents take together.
    std::int64_t Bytes() const;
    void Drop(const ContentId& content);
    void DropAll();

private:
    PrivateFolder folder_;
    std::set<std::pair<std::uint64_t, std::int64_t>> kept_;
};

}  // namespace mw
