#include <sys/stat.h>

#include <gtest/gtest.h>

#include "ops/track_names.h"
#include "core/file_faults.h"
#include "core/wad.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "ops/undo_wad.h"
#include "tests/ops/recording_frontend.h"
#include "tests/ops/update_invariant.h"
#include "tests/support/payload_bytes.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

const std::string kExample = test::ContiguousArchive({{"a.txt", "abc"}, {"sub\\b.bin", ""}});

class UpdateWadTest : public ::testing::Test {
protected:
    // Each test keeps its records and ledger in a folder of its own.
    UpdateWadTest()
    {
        state.UndoFolder = dir / "undo";
        state.ModsFolder = dir / "mods";
    }
    void TearDown() override { faults::Clear(); }

    std::string Run(const std::string& source, const std::string& archive)
    {
        return test::ErrorOf([&] { UpdateWad(state, ui, {source, archive}); });
    }
    std::string RunTracks(const std::string& source, const std::string& archive = {})
    {
        UpdateRequest request{source, archive};
        request.options.trackBatch = true;
        return test::ErrorOf([&] { UpdateWad(state, ui, request); });
    }
    WadImage Load(const std::string& archive)
    {
        WadImage image;
        LoadWad(archive, image);
        return image;
    }
    TempDir dir;
    RunState state;
    test::RecordingFrontend ui;
};

TEST_F(UpdateWadTest, ReplacingAnEntryMovesTheBytesBehindIt)
{
    const std::string archive = dir.Write("x.wad", kExample);
    ASSERT_EQ(Run(dir.Write("src/a.txt", "0123456789"), archive), "no error");
    EXPECT_EQ(test::ReadBytes(archive),
              test::ContiguousArchive({{"a.txt", "0123456789"}, {"sub\\b.bin", ""}}));
    EXPECT_EQ(test::ReadBytes(archive).size(), 286u);
    EXPECT_EQ(ui.statusTexts.front(), "Updating x.wad : 100%");
    EXPECT_EQ(ui.LastStatus().rfind("Update done in ", 0), 0u);
    EXPECT_EQ(ui.positions, (std::vector<int>{100, 0}));
    EXPECT_EQ(ui.progressRepaints, 1);
    EXPECT_EQ(state.Settings->ReadSetting("WadName", "-"), archive);
    EXPECT_EQ(state.Settings->ReadSetting("FileName", "-"), dir / "src/a.txt");
}

TEST_F(UpdateWadTest, AppendingPutsTheNewBytesInFrontOfAllOthers)
{
    const std::string archive = dir.Write("x.wad", kExample);
    ASSERT_EQ(Run(dir.Write("src/new.dat", "12345"), archive), "no error");
    const WadImage image = Load(archive);
    ASSERT_EQ(image.EntryCount, 3);
    EXPECT_EQ(EntryName(image.Entries[2]), "new.dat");
    EXPECT_EQ(image.Entries[2].Offset, 412);
    EXPECT_EQ(image.Entries[2].Size, 5);
    EXPECT_EQ(image.Entries[0].Offset, 417);
    EXPECT_EQ(image.Entries[1].Offset, 420);
    EXPECT_EQ(test::ReadBytes(archive).size(), 420u);
    EXPECT_EQ(test::PayloadBytes(image), (std::vector<std::string>{"abc", "", "12345"}));
}

// A car mod: its files under Cars/Ferrari replace the entries the game reads
// and its new files land beside them, whichever folder is the source.
TEST_F(UpdateWadTest, CarModFilesAreKeyedFromTheirCarsFolderWhateverTheSource)
{
    dir.Write("mods/ferrari/Cars/Ferrari/HELMET.tex", "new helmet");
    dir.Write("mods/ferrari/Cars/Ferrari/visor.tex", "new visor");
    using Entries = std::vector<std::pair<std::string, std::string>>;
    const Entries old = {{"cars\\ferrari\\helmet.tex", "old"}, {"cars\\ferrari\\body.tex", "b"}};
    const Entries patched = {{"cars\\ferrari\\helmet.tex", "new helmet"},
                             {"cars\\ferrari\\body.tex", "b"},
                             {"cars\\ferrari\\visor.tex", "new visor"}};
    const Entries visorOnly = {old[0], old[1], patched[2]};
    const struct {
        const char* source;
        const Entries& expected;
    } cases[] = {
        {"mods/ferrari", patched},                     // a folder above cars
        {"mods/ferrari/Cars", patched},                // cars itself
        {"mods/ferrari/Cars/Ferrari", patched},        // a folder inside cars
        {"mods/ferrari/Cars/Ferrari/visor.tex", visorOnly},  // a single file
    };
    for (const auto& c : cases) {
        const std::string archive = dir.Write("cars.wad", test::ContiguousArchive(old));
        ASSERT_EQ(Run(dir / c.source, archive), "no error") << c.source;
        const WadImage image = Load(archive);
        Entries entries;
        for (std::size_t j = 0; j < image.Entries.size(); ++j)
            entries.emplace_back(EntryName(image.Entries[j]), image.Payloads[j].Load());
        EXPECT_EQ(entries, c.expected) << c.source;
    }
}

TEST_F(UpdateWadTest, InstallingACarModTwiceGivesTheArchiveOfOneInstall)
{
    dir.Write("mods/ferrari/cars/ferrari/helmet.tex", "new helmet");
    dir.Write("mods/ferrari/cars/ferrari/visor.tex", "new visor");
    const std::string archive = dir.Write("cars.wad", test::ContiguousArchive({{"cars\\ferrari\\helmet.tex", "old"}}));
    ASSERT_EQ(Run(dir / "mods/ferrari", archive), "no error");
    const std::string once = test::ReadBytes(archive);
    ASSERT_EQ(Run(dir / "mods/ferrari", archive), "no error");
    EXPECT_EQ(test::ReadBytes(archive), once);
}

TEST_F(UpdateWadTest, ValidatesInOrderAndChangesNothingOnRefusal)
{
    const std::string archive = dir.Write("x.wad", kExample);
    dir.Write("TRACK.WAD", kExample);
    const std::string source = dir.Write("src/a.txt", "new");
    struct Case {
        std::string source;
        std::string archive;
        RefusalKind message;
        bool wadNameStored;
    };
    const std::vector<Case> cases = {
        {kSourcePlaceholder, "", RefusalKind::ChooseSourceFiles, false},
        {"", archive, RefusalKind::ChooseSourceFiles, false},
        {source, "", RefusalKind::ChooseWadFile, false},
        {source, dir / "TRACK.WAD", RefusalKind::NotAWadFile, false},
        {source, dir / "missing.wad", RefusalKind::WrongWadPath, false},
        {source, dir.MakeFolder("folder.wad"), RefusalKind::WrongWadPath, false},
        {dir / "pack.new", archive, RefusalKind::WrongFilePath, true},
    };
    for (const Case& c : cases) {
        ui = {};
        state.Settings = std::make_unique<InMemorySettings>();
        ASSERT_EQ(Run(c.source, c.archive), "no error");
        EXPECT_EQ(ui.userErrors, std::vector<std::string>{RefusalText({c.message})}) << c.source << " " << c.archive;
        EXPECT_TRUE(ui.statusTexts.empty());
        EXPECT_EQ(bool(state.Settings->Read("WadName")), c.wadNameStored);
        EXPECT_FALSE(state.Settings->Read("FileName"));
    }
    EXPECT_EQ(test::ReadBytes(archive), kExample);
}

// Replacing m by an empty file once moved e, which starts inside m's bytes,
// into the directory; a payload over the directory got the new directory.
TEST_F(UpdateWadTest, EntriesTangledWithTheReplacedOneOrTheDirectoryKeepTheirBytes)
{
    const std::vector<std::vector<test::LayoutEntry>> layouts = {
        {{"m.bin", 276, 100}, {"e.bin", 326, 100}},
        {{"m.bin", 276, 100}, {"dir.bin", 0, 300}},
    };
    for (const auto& layout : layouts) {
        const std::string archive = dir.Write("x.wad", test::ArchiveWithLayout(layout));
        const std::string kept = Load(archive).Payloads[1].Load();
        ui = {};
        ASSERT_EQ(Run(dir.Write("src/m.bin", ""), archive), "no error");
        EXPECT_EQ(ui.LastStatus().rfind("Update done in ", 0), 0u);
        const WadImage image = Load(archive);
        EXPECT_EQ(image.Payloads[0].Load(), "");
        EXPECT_EQ(image.Payloads[1].Load(), kept) << layout[1].name << " at " << image.Entries[1].Offset;
    }
}

TEST_F(UpdateWadTest, AnArchiveNameEndingInWadWithoutADotPasses)
{
    const std::string archive = dir.Write("trackwad", kExample);
    ASSERT_EQ(Run(dir.Write("src/a.txt", "x"), archive), "no error");
    EXPECT_TRUE(ui.userErrors.empty());
}

TEST_F(UpdateWadTest, AnEmptySourceFolderRewritesTheSameEntries)
{
    const std::string archive = dir.Write("x.wad", kExample + "trailing");
    ASSERT_EQ(Run(dir.MakeFolder("nothing"), archive), "no error");
    EXPECT_EQ(test::ReadBytes(archive), kExample);
    EXPECT_EQ(ui.statusTexts.size(), 1u);
}

// A source is a file or a folder by what is on disk; the extension rule
// decides only for a path that is not there, and a missing folder is refused.
TEST_F(UpdateWadTest, TakesTheSourceAsWhatIsOnDiskAndRefusesAMissingFolder)
{
    const std::string old = kExample + "trailing";
    const std::string archive = dir.Write("x.wad", old);
    struct Case {
        std::string source;
        std::vector<std::string> userErrors;
        int entries;
    };
    const std::vector<Case> cases = {
        {dir / "nosuch", {kNoSourceFolderPrefix + dir / "nosuch"}, 2},
        {dir / "UpdateFolder/carsfix", {kNoSourceFolderPrefix + dir / "UpdateFolder/carsfix"}, 2},
        {dir / "pack.new", {RefusalText({RefusalKind::WrongFilePath})}, 2},
        {dir.Write("data.json", "json"), {}, 3},
        {dir.Write("README", "readme"), {}, 3},
        {dir.MakeFolder("my.old") + "", {}, 2},
    };
    for (const Case& c : cases) {
        test::WriteBytes(archive, old);
        ui = {};
        ASSERT_EQ(Run(c.source, archive), "no error") << c.source;
        EXPECT_EQ(ui.userErrors, c.userErrors) << c.source;
        EXPECT_EQ(Load(archive).EntryCount, c.entries) << c.source;
        if (!c.userErrors.empty()) {
            EXPECT_EQ(test::ReadBytes(archive), old) << c.source;
        }
    }
}

TEST_F(UpdateWadTest, ShowsEachFilesPercentage)
{
    const std::string archive = dir.Write("x.wad", kExample);
    for (const char* name : {"1.bin", "2.bin", "3.bin"})
        dir.Write(std::string("src/") + name, name);
    ASSERT_EQ(Run(dir / "src", archive), "no error");
    EXPECT_EQ(std::vector<std::string>(ui.statusTexts.begin(), ui.statusTexts.end() - 1),
              (std::vector<std::string>{"Updating x.wad : 33%", "Updating x.wad : 66%", "Updating x.wad : 100%"}));
}

TEST_F(UpdateWadTest, APackagesUpdateLeavesFileNameAlone)
{
    state.Installation = std::make_unique<FixedGp4Installation>(dir.path());
    UpdateRequest request{dir.Write("src/a.txt", "x"), dir.Write("x.wad", kExample)};
    request.options.fromPackage = true;
    ASSERT_EQ(test::ErrorOf([&] { UpdateWad(state, ui, request); }), "no error");
    EXPECT_FALSE(state.Settings->Read("FileName"));
    EXPECT_TRUE(state.Settings->Read("WadName"));
}

TEST_F(UpdateWadTest, AFailureMidwayLeavesTheArchiveOnDiskUnchanged)
{
    const std::string archive = dir.Write("x.wad", kExample);
    dir.Write("src/a.txt", "new bytes");
    faults::Arm(faults::Call::Write, 2, ENOSPC);
    EXPECT_EQ(Run(dir / "src", archive), "Erreur E/S 112");
    EXPECT_EQ(test::ReadBytes(archive), kExample);
    EXPECT_TRUE(test::TemporaryFiles(dir.path()).empty());
    EXPECT_EQ(ui.LastStatus(), "Updating x.wad : 100%");
}

// Cancelled while the sources are matched, in the middle of the copy, or
// after the last byte is written and before the new archive takes its place,
// the update leaves the archive as it was, no temporary file and no record.
TEST_F(UpdateWadTest, ACancelledUpdateLeavesTheArchiveAsItWas)
{
    const std::string large(3 << 20, 'L');
    const std::string original = test::ContiguousArchive({{"a.txt", "abc"}, {"big.bin", large}, {"c.txt", "c"}});
    const std::string archive = dir.Write("x.wad", original);
    dir.Write("src/a.txt", "new a");
    dir.Write("src/c.txt", "new c");
    test::CancellingFrontend counting;
    dir.Write("copy.wad", original);
    ASSERT_TRUE(UpdateWad(state, counting, {dir / "src", dir / "copy.wad"}));
    const int polls = counting.asked;
    ASSERT_GT(polls, 4) << "asked between files and during the copy";

    for (const int point : {1, polls / 2, polls}) {
        test::CancellingFrontend cancelling;
        cancelling.cancelAt = point;
        EXPECT_EQ(test::ErrorOf([&] { UpdateWad(state, cancelling, {dir / "src", archive}); }), "Cancelled") << point;
        EXPECT_EQ(test::ReadBytes(archive), original) << point;
        EXPECT_TRUE(test::TemporaryFiles(dir.path()).empty()) << point;
        EXPECT_FALSE(HasUndoableUpdate(state, archive)) << point;
    }
}

TEST_F(UpdateWadTest, AReadOnlyArchiveIsRefusedButReadOnlySourcesAreRead)
{
    const std::string archive = dir.Write("x.wad", kExample);
    const std::string source = dir.Write("src/a.txt", "read only source");
    ::chmod(source.c_str(), 0444);
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { UpdateWad(state, ui, {source, archive}); }), "no error");
    EXPECT_EQ(Load(archive).Payloads[0], "read only source");

    ::chmod(archive.c_str(), 0444);
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { UpdateWad(state, ui, {source, archive}); }), "Accès au fichier refusé");
}

// A fake installation of the seventeen track archives.
class TrackBatchTest : public UpdateWadTest {
protected:
    void SetUp() override
    {
        gp4 = dir.MakeFolder("gp4");
        for (const char* track : TrackNames)
            dir.Write(std::string("gp4/") + track + ".wad",
                      test::ContiguousArchive({{std::string("maps\\") + track + "\\qualifying\\setup.dat", "old"},
                                               {"other.bin", "zz"}}));
        state.Installation = std::make_unique<FixedGp4Installation>(gp4);
    }
    std::string gp4;
};

TEST_F(TrackBatchTest, PatchesAllSeventeenArchivesAndIgnoresTheArchiveField)
{
    dir.Write("src/Qualifying/SETUP.DAT", "new");
    dir.Write("src/extra.txt", "+");
    ASSERT_EQ(RunTracks(dir / "src", "not an archive at all"), "no error");
    EXPECT_TRUE(ui.userErrors.empty());
    for (const char* track : TrackNames) {
        const WadImage image = Load(gp4 + "/" + track + ".wad");
        ASSERT_EQ(image.EntryCount, 3) << track;
        EXPECT_EQ(image.Payloads[0], "new");
        EXPECT_EQ(EntryName(image.Entries[2]), std::string("maps\\") + track + "\\extra.txt");
    }
    EXPECT_EQ(ui.statusTexts[1], "Updating a1ring2001.wad : 100%");
    EXPECT_EQ(ui.statusTexts[33], "Updating suzuka2001.wad : 100%");
    EXPECT_EQ(ui.positions[2], 0);  // back to 0 after each archive
    EXPECT_EQ(ui.LastStatus().rfind("Update done in ", 0), 0u);
    EXPECT_FALSE(state.Settings->Read("WadName"));
    EXPECT_EQ(state.Settings->ReadSetting("FileName", "-"), dir / "src");
}

TEST_F(TrackBatchTest, AMissingTrackArchiveStopsTheRunAfterTheOnesBefore)
{
    std::remove((gp4 + "/hungaroring2001.wad").c_str());
    EXPECT_EQ(RunTracks(dir.Write("src/other.bin", "patched")), "Fichier introuvable");
    EXPECT_EQ(Load(gp4 + "/hockenheim2001.wad").Payloads[1], "patched");
    EXPECT_EQ(Load(gp4 + "/imola2001.wad").Payloads[1], "zz");
}

TEST_F(TrackBatchTest, NoInstallationIsRefusedBeforeAnyArchiveIsOpened)
{
    const std::string before = test::ReadBytes(gp4 + "/a1ring2001.wad");
    state.Installation = std::make_unique<FixedGp4Installation>("");
    ASSERT_EQ(RunTracks(dir.Write("src/other.bin", "patched")), "no error");
    EXPECT_EQ(ui.userErrors, std::vector<std::string>{kNoInstallationMessage});
    EXPECT_TRUE(ui.statusTexts.empty());
    EXPECT_EQ(test::ReadBytes(gp4 + "/a1ring2001.wad"), before);
}

TEST_F(TrackBatchTest, ThePlaceholderIsRefusedAsInASingleUpdate)
{
    RunTracks(kSourcePlaceholder);
    EXPECT_EQ(ui.userErrors, std::vector<std::string>{RefusalText({RefusalKind::ChooseSourceFiles})});
}

}  // namespace
}  // namespace mw
