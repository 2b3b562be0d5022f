#include "ops/mods/mod_recorder.h"

#include <algorithm>
#include <set>

#include "core/content_hash.h"
#include "core/file.h"
#include "core/file_stamp.h"
#include "core/path_helpers.h"
#include "ops/mods/layer_rewrite.h"
#include "ops/undo_store.h"

namespace mw {
namespace {

using ContentKey = std::pair<std::uint64_t, std::int64_t>;

ContentKey KeyOf(const ContentId& content)
{
    return {content.hash, content.size};
}

ContentId ContentOf(File& file, const WadEntry& entry)
{
    return {HashOfFileBytes(file, entry.Offset, entry.Size), entry.Size};
}

// The archive as it was loaded, with what each entry held.
FoundArchive FoundFrom(const std::vector<WadEntry>& loaded, File& archive)
{
    FoundArchive found;
    found.directory = loaded;
    found.contents.reserve(loaded.size());
    for (const WadEntry& entry : loaded)
        found.contents.push_back(ContentOf(archive, entry));
    found.writers.assign(loaded.size(), kFoundLayer);
    return found;
}

}  // namespace

ModRecorder::ModRecorder(const std::string& modsFolder, std::string scope, const ArchiveLock& lock,
                         const WadImage& image, ModInstall install)
    : lock_(lock), install_(std::move(install))
{
    if (modsFolder.empty())
        return;
    store_.emplace(modsFolder, std::move(scope));
    archive_ = CanonicalArchivePath(lock.fileName());
    archiveName_ = FileNamePart(lock.fileName());
    loaded_ = image.Entries;
}

ModRecorder::~ModRecorder()
{
    if (prepared_ && !kept_)
        store_->Abandon();
}

void ModRecorder::Installed(const SourceKey& key, std::int32_t entry, const std::string& sourcePath)
{
    if (store_)
        files_.push_back({key, entry, sourcePath});
}

void ModRecorder::Complete(File& written, const WadImage& image)
{
    if (!store_)
        return;
    hold_.emplace(store_->Lock());
    ModLedger ledger = store_->Read();
    File& old = *lock_.archive();

    std::uint32_t archive = 0;
    if (const auto index = ledger.ArchiveIndex(archive_))
        archive = *index;
    else {
        archive = static_cast<std::uint32_t>(ledger.archives.size());
        ledger.archives.push_back({archive_, FoundFrom(loaded_, old), {}});
    }
    InstalledMod* mod = ledger.ModById(install_.id);
    if (mod == nullptr) {
        InstalledMod added;
        added.id = install_.id;
        added.name = ledger.UniqueName(install_.name);
        added.time = install_.time;
        added.source = install_.source;
        added.origin = install_.origin;
        ledger.mods.push_back(std::move(added));
        mod = &ledger.mods.back();
    }
    ModArchiveFiles* files = nullptr;
    for (ModArchiveFiles& each : mod->archives)
        if (each.archive == archive)
            files = &each;
    if (files == nullptr) {
        mod->archives.push_back({archive, archiveName_, {}, true});
        files = &mod->archives.back();
    }

    KeptContents kept = store_->KeptFor(archive_);
    std::set<ContentKey> writtenContents;
    std::vector<std::pair<ContentId, std::string>> fromSources;
    for (std::size_t f = 0; f < files_.size(); ++f) {
        const InstalledFile& file = files_[f];
        const bool overwritten = std::any_of(files_.begin() + static_cast<std::ptrdiff_t>(f) + 1, files_.end(),
                                             [&](const InstalledFile& later) { return later.entry == file.entry; });
        ContentId content;
        if (overwritten) {
            // Its bytes are in no archive: they are kept from the file.
            File source(file.sourcePath, OpenMode::ReadOnly);
            content = {HashOfFileBytes(source, 0, source.Length()), source.Length()};
            fromSources.emplace_back(content, file.sourcePath);
        } else {
            content = ContentOf(written, image.Entries[static_cast<std::size_t>(file.entry)]);
            writtenContents.insert(KeyOf(content));
        }
        files->files.push_back({file.key, content});
    }

    // The bytes the install replaced leave the archive; the ledger keeps
    // those it needs.
    std::set<ContentKey> needed;
    for (const ContentId& content : NeededContents(ledger, archive))
        needed.insert(KeyOf(content));
    std::set<std::int32_t> replaced;
    for (const InstalledFile& file : files_)
        if (static_cast<std::size_t>(file.entry) < loaded_.size())
            replaced.insert(file.entry);
    for (const std::int32_t entry : replaced) {
        const WadEntry& was = loaded_[static_cast<std::size_t>(entry)];
        const ContentId content = ContentOf(old, was);
        if (needed.contains(KeyOf(content)) && !writtenContents.contains(KeyOf(content)) && !kept.Has(content))
            kept.Keep(content, old, was.Offset);
    }
    for (const auto& [content, path] : fromSources) {
        if (needed.contains(KeyOf(content)) && !writtenContents.contains(KeyOf(content)) && !kept.Has(content)) {
            File source(path, OpenMode::ReadOnly);
            kept.Keep(content, source, 0);
        }
    }
    for (const ContentId& content : kept.All())
        if (!needed.contains(KeyOf(content)) || writtenContents.contains(KeyOf(content)))
            droppable_.push_back(content);

    ledger.archives[archive].written = StampOf(written);
    ledger.archives[archive].fingerprint = WrittenFingerprint(written);
    store_->Prepare(ledger, archive_, ledger.archives[archive].written);
    prepared_ = std::move(ledger);
}

void ModRecorder::Keep() noexcept
{
    if (!prepared_)
        return;
    kept_ = true;
    try {
        store_->Commit(*prepared_);
        KeptContents kept = store_->KeptFor(archive_);
        for (const ContentId& content : droppable_)
            kept.Drop(content);
    } catch (...) {
        // The install is done: the prepared ledger, left pending, is taken
        // by the next reader, which finds the archive bearing its stamp.
    }
    hold_.reset();
}

}  // namespace mw
