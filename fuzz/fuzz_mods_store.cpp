// The mods store's folder as another program may leave it: a pending ledger
// and a ledger of any bytes (or a folder, a link or a pipe in their place),
// and kept contents under any names, of any kind. Reading the ledger either
// gives the scope's ledger or refuses with a text naming the ledger, the
// pending ledger, or the name the ledger is written under first; the lock is
// taken or refused naming it; kept contents are only what their names say,
// checked before their bytes are given; nothing outside the store changes. The
// input: a byte of choices for each of the two ledgers and its bytes, then
// planted names until the input ends.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/content_hash.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/file_stamp.h"
#include "fuzz/fuzz_folder.h"
#include "fuzz/input_bytes.h"
#include "ops/byte_codec.h"
#include "ops/mods/mod_store.h"
#include "ops/undo_store.h"

namespace {

namespace fs = std::filesystem;
using mw::fuzz::Planted;

struct World {
    mw::fuzz::FuzzFolder folder{"mods-store"};
    std::string archive;  // canonically
    std::string scope;
    mw::FileStamp stamp;
    fs::path store;  // the scope's folder in the mods folder
    fs::path outside;

    World()
    {
        fs::create_directories(folder / "gp4");
        mw::fuzz::PutFile(folder / "gp4/GP4.exe", "");
        mw::fuzz::PutFile(folder / "gp4/cars.wad", std::string("\0\0\0\0", 4));
        archive = mw::CanonicalArchivePath((folder / "gp4/cars.wad").string());
        scope = mw::CanonicalArchivePath((folder / "gp4").string());
        stamp = mw::StampOf(mw::File(archive, mw::OpenMode::ReadOnly));
        outside = folder / "outside";
        // The store's folder, as the store names it.
        const mw::ModStore modStore((folder / "mods").string(), scope);
        modStore.Write(mw::ModLedger{scope, {}, {}});
        for (const fs::directory_entry& entry : fs::directory_iterator(folder / "mods"))
            store = entry.path();
    }

    void Reset() const
    {
        fs::remove_all(folder / "mods");
        fs::remove_all(outside);
        fs::create_directories(store);
        fs::create_directories(outside / "folder");
        mw::fuzz::PutFile(outside / "victim", "victim");
    }

    fs::path Target(Planted kind) const { return kind == Planted::LinkToFolder ? outside / "folder" : outside / "victim"; }
};

// A ledger's body sealed with its checksum, as the store writes it.
std::string Sealed(std::string body)
{
    const std::uint64_t checksum = mw::HashOfBytes(body);
    body.append(reinterpret_cast<const char*>(&checksum), sizeof checksum);
    return body;
}

// The bytes of a ledger file, or of a pending one: raw, or a ledger's body
// sealed; a pending ledger's head names the archive with its stamp now, or
// another.
std::string FileBytes(mw::fuzz::InputBytes& in, const World& world, bool pending, int how)
{
    std::string bytes = in.Text();
    if (how == 0)
        return bytes;
    std::string ledger = Sealed("MWMODS1\n" + bytes);
    if (!pending)
        return ledger;
    mw::ByteWriter head;
    head.PutBytes("MWPEND1\n", 8);
    head.PutText(how == 1 ? world.archive : world.archive + ".gone");
    head.Put(world.stamp.size);
    head.Put(world.stamp.modifiedSeconds);
    head.Put(world.stamp.modifiedNanoseconds + in.Below(2));
    return head.bytes() + ledger;
}

void PlantLedger(mw::fuzz::InputBytes& in, const World& world, const char* name, bool pending)
{
    const int choice = in.Byte();
    if (choice % 4 == 3) {
        const auto kind = static_cast<Planted>(1 + (choice >> 2) % (static_cast<int>(Planted::Count) - 1));
        mw::fuzz::Plant(world.store / name, kind, "", world.Target(kind));
    } else if (choice % 4 != 0) {
        mw::fuzz::PutFile(world.store / name, FileBytes(in, world, pending, choice % 4 - 1));
    }
}

// The name a kept content's file takes.
std::string KeptName(const mw::ContentId& content)
{
    char name[64];
    std::snprintf(name, sizeof name, "%016llx-%lld", static_cast<unsigned long long>(content.hash),
                  static_cast<long long>(content.size));
    return name;
}

// The content Keep is asked for: the archive's first four bytes.
const mw::ContentId kArchiveHead{mw::HashOfBytes(std::string_view("\0\0\0\0", 4)), 4};

// A name of a folder of the store: one a kept content's file takes, one
// being written, the lock's, or any.
std::string NameOf(mw::fuzz::InputBytes& in)
{
    switch (in.Below(6)) {
    case 0: return KeptName({in.Word(), in.Byte()});
    case 1: return "ledger.partial";
    case 2: return KeptName(kArchiveHead) + ".partial";
    case 3: return "lock";
    default: break;
    }
    std::string text = in.Text();
    for (char& c : text)
        if (c == '/' || c == '\0')
            c = '_';
    return text;
}

// Every content listed is a file of the folder under the content's own name.
void CheckKept(const mw::KeptContents& kept, const fs::path& folder)
{
    for (const mw::ContentId& content : kept.All()) {
        std::error_code error;
        if (!kept.Has(content) || !fs::is_regular_file(fs::symlink_status(folder / KeptName(content), error))) {
            std::fprintf(stderr, "a content listed as kept is not kept under its name\n");
            std::abort();
        }
        const std::optional<mw::Payload> payload = kept.PayloadOf(content);
        if (payload) {
            const std::string bytes = payload->Load();
            if (static_cast<std::int64_t>(bytes.size()) != content.size || mw::HashOfBytes(bytes) != content.hash)
                std::abort();  // bytes given back that are not the content
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const World world;
    world.Reset();
    mw::fuzz::InputBytes in(data, size);
    PlantLedger(in, world, "ledger.pending", true);
    PlantLedger(in, world, "ledger", false);
    const mw::ModStore store((world.folder / "mods").string(), world.scope);
    const fs::path keptFolder = world.store / KeptName({mw::HashOfBytes(world.archive), 0}).substr(0, 16);
    fs::create_directories(keptFolder);
    while (!in.AtEnd()) {
        const auto kind = static_cast<Planted>(in.Below(static_cast<int>(Planted::Count)));
        const std::string name = NameOf(in);
        const fs::path& folder = in.Below(2) == 0 ? keptFolder : world.store;
        if (!name.empty() && name != "." && name != "..")
            mw::fuzz::Plant(folder / name, kind, in.Text(), world.Target(kind));
    }
    const auto outsideBefore = mw::fuzz::TreeOf(world.outside);

    try {
        // As a change takes it, before it reads the ledger.
        const mw::ModStore::Hold hold = store.Lock();
    } catch (const mw::AppError& error) {
        if (error.path() != (world.store / "lock").string()) {
            std::fprintf(stderr, "the lock refused as: %s\n", error.what());
            std::abort();
        }
    }
    try {
        const mw::ModLedger ledger = store.Read();
        if (ledger.scope != world.scope)
            std::abort();
    } catch (const mw::AppError& error) {
        // Damaged, or not to be written where a folder stands: at the
        // ledger's name, or at the name its new bytes are written under
        // first (a pending ledger that holds is written as the ledger).
        const std::string text = error.what();
        const std::string ledger = (world.store / "ledger").string();
        if (text != "Sorry but this mods ledger is damaged: " + ledger &&
            text != "Sorry but this mods ledger is damaged: " + ledger + ".pending" && error.path() != ledger &&
            error.path() != ledger + ".partial") {
            std::fprintf(stderr, "refused as: %s (%s)\n", text.c_str(), error.path().c_str());
            std::abort();
        }
    }
    // The kept contents as a change reads them.
    mw::KeptContents kept = store.KeptFor(world.archive);
    CheckKept(kept, keptFolder);
    {
        mw::File archive(world.archive, mw::OpenMode::ReadOnly);
        try {
            kept.Keep(kArchiveHead, archive, 0);
        } catch (const mw::AppError&) {
            // A name taken by a folder cannot be written: the change says so.
        }
    }
    CheckKept(kept, keptFolder);
    kept.DropAll();
    if (mw::fuzz::TreeOf(world.outside) != outsideBefore) {
        std::fprintf(stderr, "something outside the store changed\n");
        std::abort();
    }
    return 0;
}
