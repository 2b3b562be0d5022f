// What an install tells the mods ledger of each archive it rewrites: the
// archive as found, the first time Mendwright writes it; the mod's files in
// the order installed, each with the bytes it wrote; and the bytes it
// replaced that the ledger needs, kept before the new archive takes the old
// one's place. The ledger takes effect with the archive (ops/mods/mod_store.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/archive_lock.h"
#include "core/wad.h"
#include "ops/mods/mod_ledger.h"
#include "ops/mods/mod_store.h"

namespace mw {

// Who installs, and under which name.
struct ModInstall {
    std::uint64_t id = 0;  // the install's undo group; the mod it adds to
    std::string name;      // taken unique when the mod is new
    std::string source;    // absolute
    std::int64_t time = 0;  // nanoseconds since 1970
    ModOrigin origin = ModOrigin::Update;
};

class ModRecorder {
public:
    // Notes the archive as loaded into image. With no mods folder, it keeps nothing.
    ModRecorder(const std::string& modsFolder, std::string scope, const ArchiveLock& lock, const WadImage& image,
                ModInstall install);
    ~ModRecorder();
    ModRecorder(const ModRecorder&) = delete;
    ModRecorder& operator=(const ModRecorder&) = delete;

    // A source file as installed: its key, and the entry it replaced or appended.
    void Installed(const SourceKey& key, std::int32_t entry, const std::string& sourcePath);
    // The new archive is complete in written: the ledger it leads to is
    // prepared, and the bytes it needs kept.
    void Complete(File& written, const WadImage& image);
    // The new archive is in place: the ledger takes effect. Nothing here
    // fails: the install is done.
    void Keep() noexcept;

private:
    struct InstalledFile {
        SourceKey key;
        std::int32_t entry;
        std::string sourcePath;
    };

    std::optional<ModStore> store_;
    const ArchiveLock& lock_;
    std::string archive_;  // canonical
    std::string archiveName_;
    std::vector<WadEntry> loaded_;
    ModInstall install_;
    std::vector<InstalledFile> files_;
    std::optional<ModStore::Hold> hold_;
    std::optional<ModLedger> prepared_;
    std::vector<ContentId> droppable_;
    bool kept_ = false;
};

}  // namespace mw
