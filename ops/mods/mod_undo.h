// The mods ledger's side of an undo (ops/undo_wad.h). An undo that gives
// an archive back as it was before an install makes the ledger forget what
// that install put into the archive, with the archive: the ledger that
// holds once the archive is in place is prepared before it is. An undo
// whose record no longer fits the archive, because mods were changed since,
// takes the install out through the ledger instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/file.h"
#include "core/file_stamp.h"
#include "ops/frontend.h"
#include "ops/mods/mod_ledger.h"
#include "ops/mods/mod_store.h"
#include "ops/run_state.h"

namespace mw {

class ForgottenInstall {
public:
    // install: the undo record's group, which is the mod's id.
    ForgottenInstall(const RunState& state, const std::string& canonicalArchive, std::uint64_t install);
    ~ForgottenInstall();
    ForgottenInstall(const ForgottenInstall&) = delete;
    ForgottenInstall& operator=(const ForgottenInstall&) = delete;

    // The archive is complete as it was before the install in restored, and
    // will bear stamp: the ledger without the install's files for it is
    // prepared. Nothing when the ledger knows no such install there.
    void Prepare(File& restored, const FileStamp& stamp);
    // The archive is in place. Nothing here fails: the undo is done.
    void Commit() noexcept;

private:
    void Tidy();

    std::optional<ModStore> store_;
    std::string archive_;
    std::uint64_t install_;
    std::optional<ModStore::Hold> hold_;
    std::optional<ModLedger> prepared_;
    bool committed_ = false;
};

// The newest mod that installed into the archive taken out and forgotten
// (ChangeMods, ops/mods/mod_changes.h), when it is the install given and
// the archive is as the ledger last wrote it.
// The name of the archive's newest mod when it is the install given and the
// archive is as the ledger last wrote it: what RemoveNewestMod takes out.
std::optional<std::string> NewestModOfInstall(const RunState& state, const std::string& canonicalArchive,
                                              std::uint64_t install);

enum class NewestModRemoval { NotTheNewest, Removed, Refused };
NewestModRemoval RemoveNewestMod(const RunState& state, Frontend& frontend, const std::string& canonicalArchive,
                                 std::uint64_t install);

}  // namespace mw
