#include "ops/mods/mod_undo.h"

#include <algorithm>

#include "core/file.h"

#include "ops/mods/layer_rewrite.h"
#include "ops/mods/mod_changes.h"
#include "ops/mods/mod_scope.h"

namespace mw {
namespace {

// The newest mod of the ledger that installed into the archive, folded in
// or not.
const InstalledMod* NewestModOf(const ModLedger& ledger, std::uint32_t archive)
{
    for (auto mod = ledger.mods.rbegin(); mod != ledger.mods.rend(); ++mod)
        if (mod->FilesFor(archive) != nullptr)
            return &*mod;
    return nullptr;
}

}  // namespace

ForgottenInstall::ForgottenInstall(const RunState& state, const std::string& canonicalArchive, std::uint64_t install)
    : archive_(canonicalArchive), install_(install)
{
    if (!state.ModsFolder.empty() && install != 0)
        store_.emplace(state.ModsFolder, ModScopeOf(canonicalArchive));
}

ForgottenInstall::~ForgottenInstall()
{
    if (prepared_ && !committed_)
        store_->Abandon();
}

void ForgottenInstall::Prepare(File& restored, const FileStamp& stamp)
{
    if (!store_)
        return;
    hold_.emplace(store_->Lock());
    ModLedger ledger = store_->Read();
    const auto archive = ledger.ArchiveIndex(archive_);
    InstalledMod* mod = ledger.ModById(install_);
    if (!archive || mod == nullptr || mod->FilesFor(*archive) == nullptr) {
        hold_.reset();
        return;
    }
    std::erase_if(mod->archives, [&](const ModArchiveFiles& files) { return files.archive == *archive; });
    if (mod->archives.empty())
        ledger.Forget(install_);
    if (const auto kept = ledger.ArchiveIndex(archive_)) {
        ledger.archives[*kept].written = stamp;
        ledger.archives[*kept].fingerprint = WrittenFingerprint(restored);
    }
    store_->Prepare(ledger, archive_, stamp);
    prepared_ = std::move(ledger);
}

void ForgottenInstall::Commit() noexcept
{
    if (!prepared_)
        return;
    committed_ = true;
    try {
        Tidy();
    } catch (...) {
        // The undo is done: the prepared ledger, left pending, is taken by
        // the next reader, which finds the archive bearing its stamp.
    }
    hold_.reset();
}

void ForgottenInstall::Tidy()
{
    store_->Commit(*prepared_);
    // The bytes kept for the install alone are no longer needed.
    KeptContents kept = store_->KeptFor(archive_);
    if (const auto index = prepared_->ArchiveIndex(archive_)) {
        const std::vector<ContentId> needed = NeededContents(*prepared_, *index);
        for (const ContentId& content : kept.All())
            if (std::find(needed.begin(), needed.end(), content) == needed.end())
                kept.Drop(content);
    } else {
        kept.DropAll();
    }
}

std::optional<std::string> NewestModOfInstall(const RunState& state, const std::string& canonicalArchive,
                                              std::uint64_t install)
{
    if (state.ModsFolder.empty() || install == 0)
        return std::nullopt;
    const ModStore store(state.ModsFolder, ModScopeOf(canonicalArchive));
    const ModStore::Hold hold = store.Lock();
    const ModLedger ledger = store.Read();
    const auto archive = ledger.ArchiveIndex(canonicalArchive);
    const InstalledMod* newest = archive ? NewestModOf(ledger, *archive) : nullptr;
    if (newest == nullptr || newest->id != install || newest->permanent)
        return std::nullopt;
    // Only a change the ledger made itself: one by another program is the
    // undo's refusal, as it always was.
    File now(canonicalArchive, OpenMode::ReadOnly);
    const LedgerArchive& written = ledger.archives[*archive];
    if (StampOf(now) != written.written || WrittenFingerprint(now) != written.fingerprint)
        return std::nullopt;
    return newest->name;
}

NewestModRemoval RemoveNewestMod(const RunState& state, Frontend& frontend, const std::string& canonicalArchive,
                                 std::uint64_t install)
{
    const std::optional<std::string> name = NewestModOfInstall(state, canonicalArchive, install);
    if (!name)
        return NewestModRemoval::NotTheNewest;
    const ModChangeRequest request{ModScopeOf(canonicalArchive), {*name}, ModAction::Remove};
    return ChangeMods(state, frontend, request) ? NewestModRemoval::Removed : NewestModRemoval::Refused;
}

}  // namespace mw
