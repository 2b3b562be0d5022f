#include "ops/mods/mod_store.h"

#include <cinttypes>
#include <cstdio>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/content_hash.h"
#include "core/durable_rename.h"
#include "core/errors.h"
#include "core/path_helpers.h"
#include "core/text.h"
#include "core/path_text.h"
#include "core/user_data_folder.h"
#include "ops/byte_codec.h"
#include "ops/messages.h"

namespace mw {
namespace {

constexpr const char* kLedgerName = "ledger";
constexpr const char* kPendingName = "ledger.pending";
constexpr const char* kLockName = "lock";
constexpr std::string_view kPendingMagic = "MWPEND1\n";

// A folder name for a canonical path: its hash, stable from one build and
// one machine to the next.
std::string FolderNameOf(const std::string& canonicalPath)
{
    char name[17];
    std::snprintf(name, sizeof name, "%016" PRIx64, HashOfBytes(canonicalPath));
    return name;
}

std::string ReadWhole(const std::string& path)
{
    File file(path, OpenMode::ReadOnly);
    std::string bytes(static_cast<std::size_t>(file.Length()), '\0');
    file.Read(bytes.data(), bytes.size());
    file.Close();
    return bytes;
}

// Writes bytes under path, whole and flushed before they take its name.
void WriteWhole(const std::string& path, std::string_view bytes)
{
    const std::string partial = path + ".partial";
    {
        File out(partial, OpenMode::Writing);
        out.Write(bytes.data(), bytes.size());
        out.Sync();
        out.Close();
    }
    RenameDurably(partial, path);
}

void RemoveFile(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove(FileSystemPath(path), ignored);
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

ModStore::ModStore(const std::string& modsFolder, std::string scope)
    : folder_(modsFolder + kNativeSeparator + FolderNameOf(scope)), scope_(std::move(scope))
{
}

ModStore::Hold::Hold(const std::string& lockPath) : lock_(lockPath, OpenMode::Writing)
{
    // Another process holds it only while it reads or writes a ledger; a
    // file system that keeps no locks leaves the ledger unguarded.
    while (lock_.TryLockForUpdate() == File::LockTry::HeldElsewhere)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

ModStore::Hold ModStore::Lock() const
{
    std::string unmade;  // the open that follows names what could not be made
    CreateFolders(folder_, unmade);
    return Hold(folder_ + kNativeSeparator + kLockName);
}

ModLedger ModStore::Read() const
{
    const std::string ledgerPath = folder_ + kNativeSeparator + kLedgerName;
    const std::string pendingPath = folder_ + kNativeSeparator + kPendingName;
    if (RegularFileExists(pendingPath)) {
        const std::string bytes = ReadWhole(pendingPath);
        ByteReader in(bytes, pendingPath, kDamagedLedgerPrefix);
        in.Check(std::string_view(in.Take(kPendingMagic.size()), kPendingMagic.size()) == kPendingMagic);
        const std::string archive = in.GetText();
        FileStamp stamp;
        stamp.size = in.Get<std::int64_t>();
        stamp.modifiedSeconds = in.Get<std::int64_t>();
        stamp.modifiedNanoseconds = in.Get<std::int64_t>();
        const std::size_t at = kPendingMagic.size() + sizeof(std::uint32_t) + archive.size() + 3 * sizeof(std::int64_t);
        // The change's archive took its place: its ledger holds.
        if (StampNow(archive) == stamp) {
            LedgerFromBytes(std::string_view(bytes).substr(at), pendingPath);
            WriteWhole(ledgerPath, std::string_view(bytes).substr(at));
        }
        RemoveFile(pendingPath);
    }
    if (!RegularFileExists(ledgerPath)) {
        ModLedger ledger;
        ledger.scope = scope_;
        return ledger;
    }
    ModLedger ledger = LedgerFromBytes(ReadWhole(ledgerPath), ledgerPath);
    if (ledger.scope != scope_)
        throw AppError(kDamagedLedgerPrefix + PrintableText(ledgerPath), ledgerPath);
    return ledger;
}

void ModStore::Prepare(const ModLedger& ledger, const std::string& canonicalArchive, const FileStamp& written) const
{
    std::string unmade;  // the open that follows names what could not be made
    CreateFolders(folder_, unmade);
    ByteWriter out;
    out.PutBytes(kPendingMagic.data(), kPendingMagic.size());
    out.PutText(canonicalArchive);
    out.Put(written.size);
    out.Put(written.modifiedSeconds);
    out.Put(written.modifiedNanoseconds);
    out.bytes() += LedgerBytes(ledger);
    WriteWhole(folder_ + kNativeSeparator + kPendingName, out.bytes());
}

void ModStore::Commit(const ModLedger& ledger) const
{
    Write(ledger);
    RemoveFile(folder_ + kNativeSeparator + kPendingName);
}

void ModStore::Abandon() const
{
    RemoveFile(folder_ + kNativeSeparator + kPendingName);
}

void ModStore::Write(const ModLedger& ledger) const
{
    std::string unmade;  // the open that follows names what could not be made
    CreateFolders(folder_, unmade);
    WriteWhole(folder_ + kNativeSeparator + kLedgerName, LedgerBytes(ledger));
}

KeptContents ModStore::KeptFor(const std::string& canonicalArchive) const
{
    return KeptContents(folder_ + kNativeSeparator + FolderNameOf(canonicalArchive));
}

}  // namespace mw
