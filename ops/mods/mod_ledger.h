// The mods ledger of one installation (or of one archive outside any): the
// archives Mendwright has written there as it first found them, and every
// mod installed into them, in install order, with what each put into each
// archive. With the kept bytes (ops/mods/kept_contents.h) it is all that
// is needed to give any archive any set of enabled mods.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/file_stamp.h"
#include "ops/mods/mod_layers.h"

namespace mw {

enum class ModOrigin : std::uint8_t { Update, TrackBatch, Package };

// What one mod installed into one archive.
struct ModArchiveFiles {
    std::uint32_t archive = 0;  // its index in the ledger's archives
    std::string archiveName;    // the archive's file name as the install had it
    std::vector<ModFile> files;
    // Whether its files are in the archive. A change of several archives
    // that stops half-way leaves some in and some out, each archive whole.
    bool enabled = true;
};

struct InstalledMod {
    std::uint64_t id = 0;  // never 0; the group of the undo records of its install
    std::string name;
    // Folded into the found archives because the store's cap could not keep
    // the bytes its removal needs: it stays as it is.
    bool permanent = false;
    std::int64_t time = 0;  // when it was installed, in nanoseconds since 1970
    std::string source;     // the install's source, as an absolute path
    ModOrigin origin = ModOrigin::Update;
    std::vector<ModArchiveFiles> archives;

    const ModArchiveFiles* FilesFor(std::uint32_t archive) const;
    // Enabled in every archive it installed into; disabled in every one.
    bool Enabled() const;
    bool Disabled() const;
};

struct LedgerArchive {
    std::string path;  // the archive's canonical path
    FoundArchive found;
    // The archive as Mendwright last wrote it: while it bears this stamp
    // and fingerprint (WrittenFingerprint), no other program changed it.
    FileStamp written;
    std::uint64_t fingerprint = 0;
};

// What tells an archive as written from one changed since, without reading
// it whole: its directory and samples of every entry's bytes, as an undo
// record's checksum takes them (ops/undo_checksum.h).
std::uint64_t WrittenFingerprint(File& archive);

struct ModLedger {
    std::string scope;  // the installation folder, or the archive, canonically
    std::vector<LedgerArchive> archives;
    std::vector<InstalledMod> mods;  // in install order

    std::optional<std::uint32_t> ArchiveIndex(const std::string& canonicalPath) const;
    InstalledMod* ModById(std::uint64_t id);
    const InstalledMod* ModById(std::uint64_t id) const;
    // The mod of that name, compared as typed.
    const InstalledMod* ModByName(const std::string& name) const;
    // name, or name followed by " (2)", " (3)"... when another mod has it.
    std::string UniqueName(const std::string& name) const;

    // Forgets a mod; an archive no mod is left in is forgotten too, its
    // found state with it.
    void Forget(std::uint64_t id);

    // The layers that make an archive: its enabled mods that are not folded
    // into its found state, in install order. They view the ledger's files.
    std::vector<ModLayer> LayersOf(std::uint32_t archive) const;
};

// The ledger file: its body, then a 64-bit hash of all that comes before,
// written last. A file that does not check out raises an AppError naming
// it: "Sorry but this mods ledger is damaged: <path>".
std::string LedgerBytes(const ModLedger& ledger);
ModLedger LedgerFromBytes(std::string_view bytes, const std::string& path);

}  // namespace mw
