// Where a mods ledger lives: a folder of the user's data per installation
// (or per archive outside any), named by a hash of its canonical path,
// holding the ledger, the ledger of a write under way, a lock, and a
// folder of kept contents per archive. The folders are private ones
// (core/private_folder.h): the user's alone, and nothing in them is
// reached through a link.
//
// A change that writes an archive writes the ledger it leads to beside the
// ledger first ("pending"), with the stamp the new archive has; once the
// archive is in place the pending ledger takes the ledger's name. A process
// that ends in between leaves a pending ledger that the next reader takes
// when the archive bears its stamp, and drops when it does not.
#pragma once

#include <string>

#include "core/file.h"
#include "core/private_folder.h"
#include "core/file_stamp.h"
#include "ops/mods/kept_contents.h"
#include "ops/mods/mod_ledger.h"

namespace mw {

// The user's mods folder: "mendwright/mods" in the user's data folder;
// empty when the environment names no data folder.
std::string DefaultModsFolder();

class ModStore {
public:
    // scope: the installation folder's or the archive's canonical path.
    ModStore(const std::string& modsFolder, std::string scope);

    const std::string& scope() const { return scope_; }

    // Held while a ledger is read, changed and written back. Taken after the
    // locks of the archives a change writes, never before.
    class Hold {
    public:
        explicit Hold(File lock);
        Hold(Hold&&) = default;

    private:
        File lock_;
    };
    Hold Lock() const;

    // The ledger, a pending one resolved first; an empty ledger of the scope
    // when there is none. Damaged files raise an AppError naming them.
    ModLedger Read() const;
    // Read under the ledger's lock, for a reader that changes nothing.
    ModLedger ReadHeld() const;
    // The ledger to take effect when the archive now at canonicalArchive
    // bears written's stamp.
    void Prepare(const ModLedger& ledger, const std::string& canonicalArchive, const FileStamp& written) const;
    // The archive is in place: the prepared ledger becomes the ledger.
    void Commit(const ModLedger& ledger) const;
    // The archive was not replaced: the prepared ledger goes.
    void Abandon() const;
    // A change that writes no archive.
    void Write(const ModLedger& ledger) const;

    KeptContents KeptFor(const std::string& canonicalArchive) const;

private:
    // The scope's folder, made when missing.
    PrivateFolder Folder() const;
    void WriteWhole(const std::string& name, std::string_view bytes) const;

    std::string modsFolder_;
    std::string scope_;
};

}  // namespace mw
