// An archive as layers: the archive as Mendwright first found it, then each
// enabled mod's files installed over it in install order, as an update
// installs them (a file replaces the bytes of the first entry it matches or
// is appended). Computed on directories and hashes alone: what the archive
// must be, entry by entry, and who wrote each entry's bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/wad.h"
#include "ops/update_matching.h"

namespace mw {

// Mods are numbered from 1; the found archive is layer 0.
inline constexpr std::uint64_t kFoundLayer = 0;

// An entry's bytes as the ledger knows them: their size and their hash.
struct ContentId {
    std::uint64_t hash = 0;
    std::int64_t size = 0;
    friend bool operator==(const ContentId&, const ContentId&) = default;
};

// The archive as Mendwright first found it: its directory as read, and the
// bytes of each entry. Mods folded into it for good (permanent ones) are
// part of it; writers names, per entry, the one whose bytes it holds.
struct FoundArchive {
    std::vector<WadEntry> directory;
    std::vector<ContentId> contents;
    std::vector<std::uint64_t> writers;  // kFoundLayer where none did
};

// One source file of an install, in the order the install took them.
struct ModFile {
    SourceKey key;
    ContentId content;
    friend bool operator==(const ModFile& a, const ModFile& b)
    {
        return a.key.kind == b.key.kind && a.key.underCars == b.key.underCars &&
               a.key.matchKey == b.key.matchKey && a.content == b.content;
    }
};

// What one mod installed into one archive.
struct ModLayer {
    std::uint64_t mod = kFoundLayer;
    // The archive's file name as the install had it: appended entries are
    // named after it ("cars\" in cars.wad, "maps\<track>\" in a track archive).
    std::string_view archiveName;
    std::span<const ModFile> files;
};

struct LayeredEntry {
    ContentId content;
    std::uint64_t writtenBy = kFoundLayer;  // the layer whose bytes it holds
    std::uint64_t addedBy = kFoundLayer;    // the layer that appended it
    std::uint32_t addedAt = 0;  // its index in the found directory, or the file's in its layer

    // Entries of two layerings are the same entry when the same layer added
    // them from the same place.
    bool SameEntry(const LayeredEntry& other) const
    {
        return addedBy == other.addedBy && addedAt == other.addedAt;
    }
};

struct LayeredArchive {
    // Names, offsets and sizes as the update's rebuild writes them.
    std::vector<WadEntry> directory;
    std::vector<LayeredEntry> entries;
};

// What one file of a layer did when it was installed.
struct FileOutcome {
    std::uint64_t mod = kFoundLayer;
    std::uint32_t file = 0;
    std::int32_t entry = 0;  // the entry it replaced or appended
    bool appended = false;
    LayeredEntry before;  // the entry it replaced, as it was
};

// The found archive with the layers installed in order. A layering that
// would take the archive past 2 GiB raises the update's refusal, naming
// archivePath. With outcomes, every file's outcome in the order applied.
LayeredArchive LayerMods(const FoundArchive& found, std::span<const ModLayer> layers,
                         const std::string& archivePath, std::vector<FileOutcome>* outcomes = nullptr);

}  // namespace mw
