#include "ops/mods/mod_ledger.h"

#include <algorithm>

#include "core/content_hash.h"
#include "ops/byte_codec.h"
#include "ops/messages.h"
#include "ops/undo_checksum.h"

namespace mw {
namespace {

constexpr std::string_view kMagic = "MWMODS1\n";
constexpr std::size_t kChecksumSize = sizeof(std::uint64_t);
// The fewest bytes an item of each table takes, which bounds its count.
constexpr std::size_t kFoundEntryBytes = kNameFieldSize + 2 * sizeof(std::int32_t) + 2 * sizeof(std::uint64_t);
constexpr std::size_t kFileBytes = 2 + sizeof(std::uint32_t) + 2 * sizeof(std::uint64_t);
constexpr std::size_t kModBytes = 8 + 4 + 1 + 8 + 4 + 1 + 8;
constexpr std::size_t kModArchiveBytes = 4 + 4 + 1 + 8;

void PutFile(ByteWriter& out, const ModFile& file)
{
    out.Put(static_cast<std::uint8_t>(file.key.kind));
    out.Put(static_cast<std::uint8_t>(file.key.underCars));
    out.PutText(file.key.matchKey);
    out.Put(file.content.hash);
    out.Put(file.content.size);
}

ModFile GetFile(ByteReader& in)
{
    ModFile file;
    const auto kind = in.Get<std::uint8_t>();
    in.Check(kind <= kRaceFolder);
    file.key.kind = static_cast<FolderKind>(kind);
    file.key.underCars = in.GetFlag();
    file.key.matchKey = in.GetText();
    file.content.hash = in.Get<std::uint64_t>();
    file.content.size = in.Get<std::int64_t>();
    in.Check(file.content.size >= 0 && file.content.size <= std::int64_t{INT32_MAX});
    return file;
}

void PutArchive(ByteWriter& out, const LedgerArchive& archive)
{
    out.PutText(archive.path);
    out.Put(archive.written.size);
    out.Put(archive.written.modifiedSeconds);
    out.Put(archive.written.modifiedNanoseconds);
    out.Put(archive.fingerprint);
    const FoundArchive& found = archive.found;
    out.Put(static_cast<std::uint64_t>(found.directory.size()));
    for (std::size_t i = 0; i < found.directory.size(); ++i) {
        out.PutBytes(found.directory[i].Name, kNameFieldSize);
        out.Put(found.directory[i].Offset);
        out.Put(found.directory[i].Size);
        out.Put(found.contents[i].hash);
        out.Put(found.writers[i]);
    }
}

LedgerArchive GetArchive(ByteReader& in)
{
    LedgerArchive archive;
    archive.path = in.GetText();
    archive.written.size = in.Get<std::int64_t>();
    archive.written.modifiedSeconds = in.Get<std::int64_t>();
    archive.written.modifiedNanoseconds = in.Get<std::int64_t>();
    archive.fingerprint = in.Get<std::uint64_t>();
    FoundArchive& found = archive.found;
    const std::size_t count = in.GetCount(kFoundEntryBytes);
    in.Check(count <= static_cast<std::size_t>(INT32_MAX));
    found.directory.resize(count);
    found.contents.resize(count);
    found.writers.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        WadEntry& entry = found.directory[i];
        std::memcpy(entry.Name, in.Take(kNameFieldSize), kNameFieldSize);
        entry.Offset = in.Get<std::int32_t>();
        entry.Size = in.Get<std::int32_t>();
        in.Check(entry.Offset >= 0 && entry.Size >= 0);
        found.contents[i] = {in.Get<std::uint64_t>(), entry.Size};
        found.writers[i] = in.Get<std::uint64_t>();
    }
    return archive;
}

void PutMod(ByteWriter& out, const InstalledMod& mod)
{
    out.Put(mod.id);
    out.PutText(mod.name);
    out.Put(static_cast<std::uint8_t>(mod.permanent));
    out.Put(mod.time);
    out.PutText(mod.source);
    out.Put(static_cast<std::uint8_t>(mod.origin));
    out.Put(static_cast<std::uint64_t>(mod.archives.size()));
    for (const ModArchiveFiles& archive : mod.archives) {
        out.Put(archive.archive);
        out.PutText(archive.archiveName);
        out.Put(static_cast<std::uint8_t>(archive.enabled));
        out.Put(static_cast<std::uint64_t>(archive.files.size()));
        for (const ModFile& file : archive.files)
            PutFile(out, file);
    }
}

InstalledMod GetMod(ByteReader& in, std::size_t archiveCount)
{
    InstalledMod mod;
    mod.id = in.Get<std::uint64_t>();
    in.Check(mod.id != kFoundLayer);
    mod.name = in.GetText();
    mod.permanent = in.GetFlag();
    mod.time = in.Get<std::int64_t>();
    mod.source = in.GetText();
    const auto origin = in.Get<std::uint8_t>();
    in.Check(origin <= static_cast<std::uint8_t>(ModOrigin::Package));
    mod.origin = static_cast<ModOrigin>(origin);
    mod.archives.resize(in.GetCount(kModArchiveBytes));
    for (ModArchiveFiles& archive : mod.archives) {
        archive.archive = in.Get<std::uint32_t>();
        in.Check(archive.archive < archiveCount);
        archive.archiveName = in.GetText();
        archive.enabled = in.GetFlag();
        archive.files.resize(in.GetCount(kFileBytes));
        for (ModFile& file : archive.files)
            file = GetFile(in);
    }
    return mod;
}

}  // namespace

std::uint64_t WrittenFingerprint(File& archive)
{
    archive.Seek(0);
    std::vector<WadEntry> entries;
    const std::int32_t count = ReadWadDirectory(archive, entries);
    std::vector<UndoPiece> pieces;
    for (const WadEntry& entry : entries)
        if (entry.Size > 0)
            pieces.push_back({UndoPiece::Kind::InArchive, entry.Size, entry.Offset});
    return UndoChecksum(archive, count, pieces);
}

const ModArchiveFiles* InstalledMod::FilesFor(std::uint32_t archive) const
{
    for (const ModArchiveFiles& files : archives)
        if (files.archive == archive)
            return &files;
    return nullptr;
}

bool InstalledMod::Enabled() const
{
    return std::all_of(archives.begin(), archives.end(), [](const ModArchiveFiles& files) { return files.enabled; });
}

bool InstalledMod::Disabled() const
{
    return std::none_of(archives.begin(), archives.end(), [](const ModArchiveFiles& files) { return files.enabled; });
}

std::optional<std::uint32_t> ModLedger::ArchiveIndex(const std::string& canonicalPath) const
{
    for (std::size_t i = 0; i < archives.size(); ++i)
        if (archives[i].path == canonicalPath)
            return static_cast<std::uint32_t>(i);
    return std::nullopt;
}

InstalledMod* ModLedger::ModById(std::uint64_t id)
{
    for (InstalledMod& mod : mods)
        if (mod.id == id)
            return &mod;
    return nullptr;
}

const InstalledMod* ModLedger::ModById(std::uint64_t id) const
{
    return const_cast<ModLedger*>(this)->ModById(id);
}

const InstalledMod* ModLedger::ModByName(const std::string& name) const
{
    for (const InstalledMod& mod : mods)
        if (mod.name == name)
            return &mod;
    return nullptr;
}

std::string ModLedger::UniqueName(const std::string& name) const
{
    std::string unique = name;
    for (int n = 2; ModByName(unique) != nullptr; ++n)
        unique = name + " (" + std::to_string(n) + ")";
    return unique;
}

void ModLedger::Forget(std::uint64_t id)
{
    std::erase_if(mods, [&](const InstalledMod& mod) { return mod.id == id; });
    std::vector<std::uint32_t> newIndex(archives.size(), 0);
    std::vector<LedgerArchive> kept;
    for (std::uint32_t a = 0; a < archives.size(); ++a) {
        const bool used = std::any_of(mods.begin(), mods.end(), [&](const InstalledMod& mod) {
            return mod.FilesFor(a) != nullptr;
        });
        if (used) {
            newIndex[a] = static_cast<std::uint32_t>(kept.size());
            kept.push_back(std::move(archives[a]));
        }
    }
    archives = std::move(kept);
    for (InstalledMod& mod : mods)
        for (ModArchiveFiles& files : mod.archives)
            files.archive = newIndex[files.archive];
}

std::vector<ModLayer> ModLedger::LayersOf(std::uint32_t archive) const
{
    std::vector<ModLayer> layers;
    for (const InstalledMod& mod : mods) {
        const ModArchiveFiles* files = mod.FilesFor(archive);
        if (files != nullptr && files->enabled && !mod.permanent)
            layers.push_back({mod.id, files->archiveName, files->files});
    }
    return layers;
}

std::string LedgerBytes(const ModLedger& ledger)
{
    ByteWriter out;
    out.PutBytes(kMagic.data(), kMagic.size());
    out.PutText(ledger.scope);
    out.Put(static_cast<std::uint64_t>(ledger.archives.size()));
    for (const LedgerArchive& archive : ledger.archives)
        PutArchive(out, archive);
    out.Put(static_cast<std::uint64_t>(ledger.mods.size()));
    for (const InstalledMod& mod : ledger.mods)
        PutMod(out, mod);
    out.Put(HashOfBytes(out.bytes()));
    return out.bytes();
}

ModLedger LedgerFromBytes(std::string_view bytes, const std::string& path)
{
    ByteReader whole(bytes, path, kDamagedLedgerPrefix);
    whole.Check(bytes.size() >= kMagic.size() + kChecksumSize && bytes.substr(0, kMagic.size()) == kMagic);
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumSize);
    std::uint64_t checksum;
    std::memcpy(&checksum, bytes.data() + body.size(), kChecksumSize);
    whole.Check(checksum == HashOfBytes(body));

    ByteReader in(body.substr(kMagic.size()), path, kDamagedLedgerPrefix);
    ModLedger ledger;
    ledger.scope = in.GetText();
    ledger.archives.resize(in.GetCount(sizeof(std::uint32_t) + 5 * sizeof(std::uint64_t)));
    for (LedgerArchive& archive : ledger.archives)
        archive = GetArchive(in);
    const std::size_t modCount = in.GetCount(kModBytes);
    for (std::size_t m = 0; m < modCount; ++m) {
        InstalledMod mod = GetMod(in, ledger.archives.size());
        // Ids tell mods apart; names are how users name them.
        in.Check(ledger.ModById(mod.id) == nullptr && ledger.ModByName(mod.name) == nullptr);
        ledger.mods.push_back(std::move(mod));
    }
    in.Check(in.AtEnd());
    for (const LedgerArchive& archive : ledger.archives)
        for (const std::uint64_t writer : archive.found.writers)
            in.Check(writer == kFoundLayer || ledger.ModById(writer) != nullptr);
    return ledger;
}

}  // namespace mw
