#include "ops/mods/mod_store.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <thread>

#include "core/content_hash.h"
#include "core/errors.h"
#include "core/path_helpers.h"
#include "core/user_data_folder.h"
#include "ops/byte_codec.h"

namespace mw {
namespace {

constexpr const char* kLedgerName = "ledger";
constexpr const char* kPendingName = "ledger.pending";
constexpr const char* kPartialName = "ledger.partial";
constexpr const char* kLockName = "lock";
constexpr std::string_view kPendingMagic = "MWPEND1\n";
constexpr const char* kDamaged = "Sorry but this mods ledger is damaged: ";

// A folder name for a canonical path: its hash, stable from one build and
// one machine to the next.
std::string FolderNameOf(const std::string& canonicalPath)
{
    char name[17];
    std::snprintf(name, sizeof name, "%016" PRIx64, HashOfBytes(canonicalPath));
    return name;
}

EntryKind KindOf(const PrivateFolder& folder, const std::string& name)
{
    for (const PrivateFolder::Entry& entry : folder.Entries())
        if (entry.name == name)
            return entry.kind;
    return EntryKind::Missing;
}

bool HasFile(const PrivateFolder& folder, const std::string& name)
{
    return KindOf(folder, name) == EntryKind::File;
}

std::string ReadWhole(const PrivateFolder& folder, const std::string& name)
{
    File file = folder.OpenToRead(name);
    std::string bytes(static_cast<std::size_t>(file.Length()), '\0');
    file.Read(bytes.data(), bytes.size());
    file.Close();
    return bytes;
}

// The stamp the archive at path bears now; none when it cannot be opened.
std::optional<FileStamp> StampNow(const std::string& path)
{
    try {
        const File file(path, OpenMode::ReadOnly);
        return StampOf(file);
    } catch (const AppError&) {
        return std::nullopt;
    }
}

}  // namespace

std::string DefaultModsFolder()
{
    const std::string data = UserDataFolder();
    if (data.empty())
        return {};
    return data + kNativeSeparator + "mendwright" + kNativeSeparator + "mods";
}

ModStore::ModStore(const std::string& modsFolder, std::string scope) : modsFolder_(modsFolder), scope_(std::move(scope))
{
}

PrivateFolder ModStore::Folder() const
{
    return PrivateFolder::Make(modsFolder_).MakeChild(FolderNameOf(scope_));
}

ModStore::Hold::Hold(File lock) : lock_(std::move(lock))
{
    // Another process holds it only while it reads or writes a ledger; a
    // file system that keeps no locks leaves the ledger unguarded.
    while (lock_.TryLockForUpdate() == File::LockTry::HeldElsewhere)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

ModStore::Hold ModStore::Lock() const
{
    const PrivateFolder folder = Folder();
    // A link another program left at the lock's name is never opened: it
    // would fail every change from then on. It goes, not what it leads to.
    if (KindOf(folder, kLockName) == EntryKind::Link)
        folder.Remove(kLockName);
    return Hold(folder.OpenLockFile(kLockName));
}

ModLedger ModStore::ReadHeld() const
{
    const Hold hold = Lock();
    return Read();
}

ModLedger ModStore::Read() const
{
    const PrivateFolder folder = Folder();
    const std::string pendingPath = folder.PathOf(kPendingName);
    if (HasFile(folder, kPendingName)) {
        const std::string bytes = ReadWhole(folder, kPendingName);
        ByteReader in(bytes, pendingPath, kDamaged);
        in.Check(std::string_view(in.Take(kPendingMagic.size()), kPendingMagic.size()) == kPendingMagic);
        const std::string archive = in.GetText();
        FileStamp stamp;
        stamp.size = in.Get<std::int64_t>();
        stamp.modifiedSeconds = in.Get<std::int64_t>();
        stamp.modifiedNanoseconds = in.Get<std::int64_t>();
        const std::size_t at = kPendingMagic.size() + sizeof(std::uint32_t) + archive.size() + 3 * sizeof(std::int64_t);
        // The change's archive took its place: its ledger holds.
        if (StampNow(archive) == stamp) {
            const std::string_view ledger = std::string_view(bytes).substr(at);
            LedgerFromBytes(ledger, pendingPath);
            WriteWhole(kLedgerName, ledger);
        }
        folder.Remove(kPendingName);
    }
    if (!HasFile(folder, kLedgerName)) {
        ModLedger ledger;
        ledger.scope = scope_;
        return ledger;
    }
    const std::string ledgerPath = folder.PathOf(kLedgerName);
    ModLedger ledger = LedgerFromBytes(ReadWhole(folder, kLedgerName), ledgerPath);
    if (ledger.scope != scope_)
        throw AppError(kDamaged + PrintableText(ledgerPath), ledgerPath);
    return ledger;
}

void ModStore::WriteWhole(const std::string& name, std::string_view bytes) const
{
    const PrivateFolder folder = Folder();
    {
        File out = folder.Create(kPartialName);
        out.Write(bytes.data(), bytes.size());
        out.Sync();
        out.Close();
    }
    folder.Rename(kPartialName, name);
}

void ModStore::Prepare(const ModLedger& ledger, const std::string& canonicalArchive, const FileStamp& written) const
{
    ByteWriter out;
    out.PutBytes(kPendingMagic.data(), kPendingMagic.size());
    out.PutText(canonicalArchive);
    out.Put(written.size);
    out.Put(written.modifiedSeconds);
    out.Put(written.modifiedNanoseconds);
    out.bytes() += LedgerBytes(ledger);
    WriteWhole(kPendingName, out.bytes());
}

void ModStore::Commit(const ModLedger& ledger) const
{
    Write(ledger);
    Folder().Remove(kPendingName);
}

void ModStore::Abandon() const
{
    Folder().Remove(kPendingName);
}

void ModStore::Write(const ModLedger& ledger) const
{
    WriteWhole(kLedgerName, LedgerBytes(ledger));
}

KeptContents ModStore::KeptFor(const std::string& canonicalArchive) const
{
    return KeptContents(Folder().MakeChild(FolderNameOf(canonicalArchive)));
}

}  // namespace mw
