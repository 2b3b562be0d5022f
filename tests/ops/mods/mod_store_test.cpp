// The mods store writes only inside its folder: a link that another program
// left at one of the names it writes is replaced, never written through.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstdio>
#include <functional>

#include "core/content_hash.h"
#include "core/file.h"
#include "ops/mods/mod_store.h"
#include "tests/support/temp_dir.h"
#ifdef _WIN32
#include "tests/support/wine_host.h"
#endif

namespace mw {
namespace {

struct LinkedName {
    const char* what;
    std::function<std::string(const std::string& archive)> name;  // below the store's folder
    std::function<void(const ModStore&, const std::string& archive)> write;
};

TEST(ModStoreTest, ALinkAtANameTheStoreWritesIsNeverWrittenThrough)
{
    const LinkedName names[] = {
        {"the ledger being written", [](const std::string&) { return std::string("ledger.partial"); },
         [](const ModStore& store, const std::string&) { store.Write(ModLedger{store.scope(), {}, {}}); }},
        {"the lock", [](const std::string&) { return std::string("lock"); },
         [](const ModStore& store, const std::string&) { store.Lock(); }},
        {"a kept content being written",
         [](const std::string& archive) {
             char name[64];
             std::snprintf(name, sizeof name, "%016llx/%016llx-4.partial",
                           static_cast<unsigned long long>(HashOfBytes(archive)),
                           static_cast<unsigned long long>(HashOfBytes("head")));
             return std::string(name);
         },
         [](const ModStore& store, const std::string& archive) {
             File from(archive, OpenMode::ReadOnly);
             store.KeptFor(archive).Keep({HashOfBytes("head"), 4}, from, 0);
         }},
    };
    for (const LinkedName& linked : names) {
        SCOPED_TRACE(linked.what);
        const test::TempDir dir;
        const std::string archive = dir.Write("gp4/cars.wad", "head and more");
        const std::string victim = dir.Write("victim", "the user's own bytes");
        const ModStore store(dir / "mods", dir / "gp4");
        store.Write(ModLedger{store.scope(), {}, {}});
        // The scope's folder, the one the mods folder holds.
        const std::filesystem::path link = std::filesystem::directory_iterator(dir / "mods")->path() / linked.name(archive);
        std::filesystem::create_directories(link.parent_path());
#ifdef _WIN32
        if (!test::MakeLink(link.string(), victim, false))
            GTEST_SKIP() << "no link can be made here";
#else
        std::filesystem::create_symlink(victim, link);
#endif

        // The store replaces the link, or (under Wine, which shows a Linux
        // link as a plain file, and deleting that deletes what it leads to)
        // leaves it and stops with an error: never through it.
        try {
            linked.write(store, archive);
        } catch (const std::exception&) {
        }
        EXPECT_EQ(test::ReadBytes(victim), "the user's own bytes");
    }
}

}  // namespace
}  // namespace mw
