// The bytes the mods ledger needs that its archive no longer holds: what a
// mod replaced, and what a disabled mod had written. One file per content
// in the archive's folder of the ledger, named by the content's hash and
// size, written whole and flushed before it takes that name, and checked
// against its name before its bytes go back into an archive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/payload.h"
#include "ops/mods/mod_layers.h"

namespace mw {

class File;

class KeptContents {
public:
    explicit KeptContents(std::string folder) : folder_(std::move(folder)) {}

    bool Has(const ContentId& content) const;
    // Keeps content.size bytes of from, at offset, as content; bytes that
    // turn out to be another content are not kept and false is returned.
    bool Keep(const ContentId& content, File& from, std::int64_t offset) const;
    // The kept bytes as a payload, once they are checked against content;
    // nothing when they are missing or no longer that content.
    std::optional<Payload> PayloadOf(const ContentId& content) const;
    // Every content kept, with the bytes each takes.
    std::vector<ContentId> All() const;
    void Drop(const ContentId& content) const;
    // Every kept content, and the folder.
    void DropAll() const;

private:
    std::string PathOf(const ContentId& content) const;

    std::string folder_;
};

}  // namespace mw
