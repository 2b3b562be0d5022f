// What the mods list says of conflicts, and changes refused where another
// program changed an archive.
#include <filesystem>

#include <gtest/gtest.h>

#include "ops/mods/mod_changes.h"
#include "ops/mods/mod_listing.h"
#include "ops/operations.h"
#include "ops/undo_wad.h"
#include "ops/undo_store.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

class ModsTest : public ::testing::Test {
protected:
    ModsTest() : dir_(test::MemoryBackedFolder())
    {
        dir_.Write("gp4/GP4.exe", "");
        archive_ = dir_.Write("gp4/cars.wad", test::ContiguousArchive({{"a.tex", "found a"}, {"b.tex", "found b"}}));
        state_.UndoFolder = dir_ / "undo";
        state_.ModsFolder = dir_ / "mods";
    }

    // Installs files (relative path, bytes) as the mod name.
    void Install(const std::string& name, const std::vector<std::pair<std::string, std::string>>& files)
    {
        for (const auto& [path, bytes] : files)
            dir_.Write("sources/" + name + "/" + path, bytes);
        test::RecordingFrontend ui;
        ASSERT_TRUE(UpdateWad(state_, ui, {dir_ / ("sources/" + name), archive_}))
            << ::testing::PrintToString(ui.userErrors);
    }

    bool Change(const std::string& name, ModAction action, bool force, test::RecordingFrontend& ui)
    {
        return ChangeMods(state_, ui, {Scope(), {name}, action, false, force});
    }

    std::string Scope() const { return CanonicalArchivePath(dir_ / "gp4"); }
    ModLedger Ledger() const
    {
        const ModStore store(state_.ModsFolder, Scope());
        return store.Read();
    }

    test::TempDir dir_;
    std::string archive_;
    RunState state_;
};

// How many of the first mod's entries the second overwrites, and who the
// game reads the first mod's entry from.
TEST_F(ModsTest, ALaterModOverwritingWithOtherBytesIsAConflict)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> second;
        int overwritten;
        ModEntry::Winner winner;
    };
    const std::vector<Case> cases = {
        {"OtherBytes", {{"a.tex", "second"}}, 1, ModEntry::Winner::LaterMod},
        {"EqualBytes", {{"a.tex", "first"}}, 0, ModEntry::Winner::LaterMod},
        {"AnotherEntry", {{"b.tex", "second"}}, 0, ModEntry::Winner::ThisMod},
        {"QualifyingIsAnotherName", {{"qualifying/a.tex", "second"}}, 0, ModEntry::Winner::ThisMod},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir_.Write("gp4/cars.wad", test::ContiguousArchive({{"a.tex", "found a"}, {"b.tex", "found b"}}));
        std::filesystem::remove_all(state_.ModsFolder);
        Install(std::string("first-") + c.name, {{"a.tex", "first"}});
        Install(std::string("second-") + c.name, c.second);
        const std::vector<ModSummary> mods = SummariesOf(Ledger());
        ASSERT_EQ(mods.size(), 2u);
        EXPECT_EQ(mods[0].overwritten, c.overwritten);
        const std::vector<ModEntry> entries = EntriesOf(Ledger(), *Ledger().ModByName(mods[0].name));
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].winner, c.winner);
    }
}

// Another program rewrote an entry the first mod wrote: taking the mod out
// would lose those bytes, so it is refused and nothing is written; forced,
// the entry keeps them and the rest goes on.
TEST_F(ModsTest, AChangeTouchingBytesAnotherProgramChangedIsRefusedUnlessForced)
{
    Install("first", {{"a.tex", "first"}, {"n.tex", "new"}});
    const std::string outside =
        test::ContiguousArchive({{"a.tex", "outside"}, {"b.tex", "found b"}, {"cars\\n.tex", "new"}});
    test::WriteBytes(archive_, outside);

    test::RecordingFrontend refused;
    EXPECT_FALSE(Change("first", ModAction::Disable, false, refused));
    ASSERT_EQ(refused.userErrors.size(), 1u);
    EXPECT_NE(refused.userErrors[0].find("cars.wad (a.tex)"), std::string::npos) << refused.userErrors[0];
    EXPECT_EQ(test::ReadBytes(archive_), outside);
    EXPECT_EQ(StatusOf(Ledger()).front().changedOutside, std::vector<std::string>{"a.tex"});

    test::RecordingFrontend forced;
    EXPECT_TRUE(Change("first", ModAction::Disable, true, forced)) << ::testing::PrintToString(forced.userErrors);
    EXPECT_EQ(test::ReadBytes(archive_), test::ContiguousArchive({{"a.tex", "outside"}, {"b.tex", "found b"}}));
}

// When the kept bytes alone would keep the store over its cap, the oldest
// mod is folded in for good: it cannot be taken out, the list says so, and
// every archive and every later mod stay as they were.
TEST_F(ModsTest, ACapTooSmallForTheKeptBytesMakesTheOldestModPermanent)
{
    const std::string big(4000, 'o');
    dir_.Write("gp4/cars.wad", test::ContiguousArchive({{"a.tex", big}, {"b.tex", big}}));
    state_.UndoCap = 3000;
    Install("first", {{"a.tex", "first"}});
    Install("second", {{"b.tex", "second"}});

    const std::vector<ModSummary> mods = SummariesOf(Ledger());
    ASSERT_EQ(mods.size(), 2u);
    EXPECT_TRUE(mods[0].permanent);
    EXPECT_FALSE(mods[1].permanent);
    test::RecordingFrontend ui;
    EXPECT_FALSE(Change("first", ModAction::Disable, false, ui));
    EXPECT_EQ(ui.userErrors, std::vector<std::string>{RefusalText({RefusalKind::PermanentMod, "first"})});
    ASSERT_TRUE(Change("second", ModAction::Disable, false, ui)) << ::testing::PrintToString(ui.userErrors);
    EXPECT_EQ(test::ReadBytes(archive_), test::ContiguousArchive({{"a.tex", "first"}, {"b.tex", big}}));
}

// Undo takes the newest mod out and forgets it: from its record while the
// archive is as the install left it, through the ledger once an earlier
// mod was disabled since.
TEST_F(ModsTest, UndoForgetsTheNewestModFromItsRecordOrThroughTheLedger)
{
    const std::string found = test::ReadBytes(archive_);
    Install("first", {{"a.tex", "first"}});
    const std::string afterFirst = test::ReadBytes(archive_);
    Install("second", {{"b.tex", "second"}, {"n.tex", "new"}});

    test::RecordingFrontend ui;
    ASSERT_TRUE(UndoWad(state_, ui, {archive_})) << ::testing::PrintToString(ui.userErrors);
    EXPECT_EQ(test::ReadBytes(archive_), afterFirst);
    EXPECT_EQ(Ledger().mods.size(), 1u);

    Install("third", {{"b.tex", "third"}});
    ASSERT_TRUE(Change("first", ModAction::Disable, false, ui));
    // The record no longer fits, the ledger can still take the mod out.
    EXPECT_TRUE(OfferedUndo(state_, archive_).offered);
    ASSERT_TRUE(UndoWad(state_, ui, {archive_})) << ::testing::PrintToString(ui.userErrors);
    EXPECT_EQ(test::ReadBytes(archive_), found);
    ASSERT_EQ(Ledger().mods.size(), 1u);
    EXPECT_EQ(Ledger().mods[0].name, "first");
}

}  // namespace
}  // namespace mw
