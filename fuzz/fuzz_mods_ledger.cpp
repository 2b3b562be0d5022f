// The mods ledger's reader over arbitrary bytes. The input's first byte
// says whether the rest is the whole file (odd) or the file's body, which
// the harness seals with the checksum the ledger ends in (even), so that
// the body's reading is reached. The reader either takes the file or
// refuses it as damaged, naming it, sizing nothing beyond what the file
// holds; a ledger it takes is written back as the very same bytes, and
// the mods list and the ledger's own changes work on it.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/content_hash.h"
#include "core/errors.h"
#include "fuzz/allocation_cap.h"
#include "ops/mods/mod_ledger.h"
#include "ops/mods/mod_listing.h"
#include "ops/user_refusal.h"

namespace {

const std::string kPath = "/data/mendwright/mods/0123456789abcdef/ledger";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0) {
        const std::uint64_t checksum = mw::HashOfBytes(bytes);
        bytes.append(reinterpret_cast<const char*>(&checksum), sizeof checksum);
    }
    mw::ModLedger ledger;
    bool read = false;
    mw::fuzz::WithinAllocationCap(bytes.size(), [&] {
        try {
            ledger = mw::LedgerFromBytes(bytes, kPath);
            read = true;
        } catch (const mw::AppError& error) {
            if (std::string(error.what()) != "Sorry but this mods ledger is damaged: " + kPath) {
                std::fprintf(stderr, "refused as: %s\n", error.what());
                std::abort();
            }
        }
    });
    if (!read)
        return 0;
    if (mw::LedgerBytes(ledger) != bytes) {
        std::fprintf(stderr, "a ledger read is not written back as it was read\n");
        std::abort();
    }
    try {
        mw::SummariesOf(ledger);
    } catch (const mw::UserRefusal&) {
        // A layering past the archive's largest size is refused, by name.
    }
    for (std::uint32_t a = 0; a < ledger.archives.size(); ++a)
        ledger.LayersOf(a);
    const bool hadMods = !ledger.mods.empty();
    while (!ledger.mods.empty()) {
        ledger.Forget(ledger.mods.front().id);
        for (const mw::InstalledMod& mod : ledger.mods)
            for (const mw::ModArchiveFiles& files : mod.archives)
                if (files.archive >= ledger.archives.size())
                    std::abort();  // a mod left pointing past the archives kept
    }
    if (hadMods && !ledger.archives.empty())
        std::abort();  // an archive no mod is in is forgotten
    return 0;
}
