// Undo gives back every byte of an archive as it was before each update,
// whatever the archive's layout and however the updates stack; an archive
// changed since its update is refused with nothing touched.
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "core/durable_rename.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/file_faults.h"
#include "core/file_stamp.h"
#include "core/gp4_installation.h"
#include "core/wad.h"
#include "ops/operations.h"
#include "ops/undo_record.h"
#include "ops/undo_recorder.h"
#include "ops/undo_store.h"
#include "ops/undo_wad.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

FileStamp ModifiedTime(const std::string& path)
{
    return StampOf(File(path, OpenMode::ReadOnly));
}

void SetModifiedTime(const std::string& path, const FileStamp& time)
{
    File file(path, OpenMode::Reading);
    mw::SetModifiedTime(file, time);
    file.Close();
}

class UndoTest : public ::testing::Test {
protected:
    void TearDown() override { faults::Clear(); }

    std::string Update(const std::string& source, const std::string& archive, std::uint64_t group = 0)
    {
        UpdateRequest request{source, archive};
        request.options.undoGroup = group;
        return test::ErrorOf([&] { UpdateWad(state, ui, request); });
    }
    // The refusal the undo showed, or "undone".
    std::string Undo(const std::string& archive, int steps = 1)
    {
        ui.userErrors.clear();
        const std::string error = test::ErrorOf([&] { UndoWad(state, ui, {archive, steps}); });
        if (error != "no error")
            return error;
        return ui.userErrors.empty() ? "undone" : ui.userErrors.back();
    }

    TempDir dir;
    TempDir data;
    RunState state = [&] {
        RunState fresh;
        fresh.UndoFolder = data.path();
        return fresh;
    }();
    test::RecordingFrontend ui;
};

// The record says what made the update: the window's button or an update package.
TEST_F(UndoTest, RecordsWhetherAPackageMadeTheUpdate)
{
    state.Installation = std::make_unique<FixedGp4Installation>(dir.path());
    for (const bool fromPackage : {false, true}) {
        UpdateRequest request{dir.Write("src/a.txt", "new"),
                              dir.Write(fromPackage ? "p.wad" : "w.wad", test::ContiguousArchive({{"a.txt", "old"}}))};
        request.options.fromPackage = fromPackage;
        ASSERT_EQ(test::ErrorOf([&] { UpdateWad(state, ui, request); }), "no error");
        const UndoStore store(state.UndoFolder, state.UndoCap);
        const std::vector<UndoRecordFile> records = store.RecordsOf(CanonicalArchivePath(request.archiveText));
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(store.ReadSummary(records[0]).origin,
                  fromPackage ? UndoOrigin::AutoInstall : UndoOrigin::Update);
    }
}

// Any layout a reader accepts: payloads in any order, with gaps, overlaps,
// shared bytes, bytes in the directory area and bytes behind the last one.
std::string RandomArchive(std::mt19937& random)
{
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int count = pick(0, 6);
    const bool packed = pick(0, 1) == 0;
    std::vector<std::string> payloads;
    for (int i = 0; i < count; ++i)
        payloads.emplace_back(static_cast<std::size_t>(pick(0, 1) == 0 ? 0 : pick(1, 300)), static_cast<char>('a' + i));
    std::string bytes(static_cast<std::size_t>(DirectoryEnd(count)), '\0');
    std::vector<test::RawEntry> entries;
    for (int i = 0; i < count; ++i) {
        if (packed)
            bytes.append(static_cast<std::size_t>(pick(0, 1) * pick(1, 40)), '~');  // a gap, or none
        const auto at = static_cast<std::int32_t>(packed ? bytes.size() : pick(0, static_cast<int>(bytes.size())));
        const std::string& payload = payloads[static_cast<std::size_t>(i)];
        if (bytes.size() < at + payload.size())
            bytes.resize(at + payload.size(), '\0');
        bytes.replace(static_cast<std::size_t>(at), payload.size(), payload);
        entries.push_back({"d" + std::to_string(pick(0, 1)) + "\\f" + std::to_string(pick(0, 4)) + ".bin", at,
                           static_cast<std::int32_t>(payload.size())});
    }
    bytes.append(static_cast<std::size_t>(pick(0, 1) * pick(1, 60)), '#');  // trailing bytes, or none
    const std::string directory = test::DirectoryBytes(entries);
    // Payload bytes that lie in the directory area are what the directory holds there.
    return directory + bytes.substr(directory.size());
}

// A source folder of files that replace entries (by file name) or are
// appended, of sizes from 0 up.
std::string RandomSource(std::mt19937& random, const TempDir& dir, int step)
{
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string folder = dir.MakeFolder("src" + std::to_string(step));
    for (int i = pick(0, 3); i >= 0; --i) {
        const std::string name = pick(0, 1) == 0 ? "f" + std::to_string(pick(0, 4)) : "new" + std::to_string(pick(0, 2));
        dir.Write("src" + std::to_string(step) + "/" + name + ".bin",
                  std::string(static_cast<std::size_t>(pick(0, 1) * pick(1, 500)), static_cast<char>('A' + step)));
    }
    return folder;
}

TEST_F(UndoTest, UndoGivesBackEveryByteOfEachUpdateStackedOnRandomArchives)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const std::string archive = dir.Write("x" + std::to_string(seed) + ".wad", RandomArchive(random));
        const FileStamp loadedTime = ModifiedTime(archive);
        std::vector<std::string> before;
        const int updates = std::uniform_int_distribution<int>(1, 3)(random);
        for (int step = 0; step < updates; ++step) {
            before.push_back(test::ReadBytes(archive));
            ASSERT_EQ(Update(RandomSource(random, dir, step), archive), "no error");
        }
        // An update that fails as its archive is put in place keeps no record.
        faults::Arm(faults::Call::Rename, 2, DiskFullSystemError());
        ASSERT_EQ(Update(RandomSource(random, dir, updates), archive), "Erreur E/S 112");
        faults::Clear();

        if (seed % 2 == 0) {
            ASSERT_EQ(Undo(archive, updates), "undone");
        } else {
            for (int step = updates - 1; step >= 0; --step) {
                ASSERT_EQ(Undo(archive), "undone");
                ASSERT_EQ(test::ReadBytes(archive), before[static_cast<std::size_t>(step)]);
            }
        }
        EXPECT_EQ(test::ReadBytes(archive), before.front());
        EXPECT_TRUE(ModifiedTime(archive) == loadedTime);
        EXPECT_EQ(Undo(archive), "Sorry but this wad has no update to undo: " + archive);
    }
}

struct ChangeSince {
    const char* what;
    std::function<void(const TempDir& dir, const std::string& archive)> change;
};

const ChangeSince kChanges[] = {
    {"its size", [](const TempDir&, const std::string& archive) {
         test::WriteBytes(archive, test::ReadBytes(archive) + "x");
     }},
    {"its time alone", [](const TempDir&, const std::string& archive) {
         SetModifiedTime(archive, {0, 1, 0});
     }},
    {"its content, same size and time", [](const TempDir&, const std::string& archive) {
         const FileStamp time = ModifiedTime(archive);
         std::string bytes = test::ReadBytes(archive);
         bytes[4] = 'Z';  // the first entry's name
         test::WriteBytes(archive, bytes);
         SetModifiedTime(archive, time);
     }},
    {"another file renamed over it, same size and time", [](const TempDir& dir, const std::string& archive) {
         std::string bytes = test::ReadBytes(archive);
         bytes.back() ^= 1;
         const std::string other = dir.Write("other.wad", bytes);
         SetModifiedTime(other, ModifiedTime(archive));
         RenameDurably(other, archive);
     }},
};

void PrintTo(const ChangeSince& change, std::ostream* out)
{
    *out << change.what;
}

class UndoRefusalTest : public UndoTest, public ::testing::WithParamInterface<ChangeSince> {};

TEST_P(UndoRefusalTest, AnArchiveChangedSinceItsUpdateIsRefusedAndLeftAsItIs)
{
    const std::string archive = dir.Write("x.wad", test::ContiguousArchive({{"a.bin", "old"}, {"b.bin", "bytes"}}));
    EXPECT_EQ(OfferedUndo(state, archive).whyNot, "Undo last update: this wad has no update to undo");
    ASSERT_EQ(Update(dir.Write("src/a.bin", "new!"), archive), "no error");
    EXPECT_TRUE(OfferedUndo(state, archive).offered);
    GetParam().change(dir, archive);
    // The window offers no undo it would refuse, and says why.
    EXPECT_EQ(OfferedUndo(state, archive).whyNot,
              "Undo last update: this wad was changed after its last update, which therefore cannot be undone");
    const std::string changed = test::ReadBytes(archive);
    const FileStamp time = ModifiedTime(archive);

    EXPECT_EQ(Undo(archive),
              "Sorry but this wad was changed after its last update, which therefore cannot be undone: " + archive);
    EXPECT_EQ(test::ReadBytes(archive), changed);
    EXPECT_TRUE(ModifiedTime(archive) == time);
    EXPECT_EQ(test::TemporaryFiles(dir.path()).size(), 0u);
    EXPECT_EQ(UndoHistory(state, archive).size(), 1u);  // the record stays
}

INSTANTIATE_TEST_SUITE_P(Changes, UndoRefusalTest, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// Under Wine an undo takes tens of milliseconds: there every 23rd byte
// is changed; the reading it checks is the same on both systems.
#ifdef _WIN32
constexpr std::size_t kSweepStride = 23;
#else
constexpr std::size_t kSweepStride = 1;
#endif

// A record as the store held it before records kept checksums: another
// magic, and no checksums (three 64-bit words) at its end.
std::string WithoutChecksums(const std::string& record)
{
    return "MWUNDO1\n" + record.substr(8, record.size() - 8 - 24);
}

// Every single bit changed in a record, one at a time. A record that keeps
// checksums is refused by name each time, archive and record left as they
// are. One written before them can only be checked for what it gives back:
// an archive every reader takes, or a refusal.
TEST_F(UndoTest, ARecordWithABitChangedIsNeverUndoneIntoAnUnsoundArchive)
{
    // In memory: the undos that go through each flush their archive.
    const TempDir dir(test::MemoryBackedFolder()), data(test::MemoryBackedFolder());
    state.UndoFolder = data.path();
    const std::string original = test::ContiguousArchive({{"a.bin", "old bytes of a"}, {"b.bin", "bytes"}});
    const std::string archive = dir.Write("x.wad", original);
    ASSERT_EQ(Update(dir.Write("src/a.bin", "new"), archive), "no error");
    const std::string updated = test::ReadBytes(archive);
    const FileStamp updatedTime = ModifiedTime(archive);
    const std::string record =
        UndoStore(state.UndoFolder, state.UndoCap).RecordsOf(CanonicalArchivePath(archive)).front().path;
    const std::string damagedText = "Sorry but this undo record is damaged: " + record;
    const std::string written = test::ReadBytes(record);

    for (const bool checked : {true, false}) {
        SCOPED_TRACE(checked ? "with checksums" : "without checksums");
        const std::string sound = checked ? written : WithoutChecksums(written);
        for (std::size_t i = 0; i < sound.size(); i += kSweepStride) {
            std::string damaged = sound;
            damaged[i] = static_cast<char>(damaged[i] ^ (1 << (i % 8)));
            test::WriteBytes(record, damaged);
            test::WriteBytes(archive, updated);
            SetModifiedTime(archive, updatedTime);
            const std::string outcome = Undo(archive);
            if (checked) {
                ASSERT_EQ(outcome, damagedText) << "byte " << i;
            }
            if (outcome != "undone") {
                EXPECT_EQ(test::ReadBytes(archive), updated) << "byte " << i;
                EXPECT_EQ(test::ReadBytes(record), damaged) << "byte " << i;
            } else {
                WadImage image;
                EXPECT_EQ(test::ErrorOf([&] { LoadWad(archive, image); }), "no error") << "byte " << i;
            }
        }
        test::WriteBytes(record, sound);
        test::WriteBytes(archive, updated);
        SetModifiedTime(archive, updatedTime);
        ASSERT_EQ(Undo(archive), "undone");
        EXPECT_EQ(test::ReadBytes(archive), original);
    }
}

TEST_F(UndoTest, APackageRunFromStartToEndIsUndoneAsOneAndNoFurther)
{
    const std::string original = test::ContiguousArchive({{"a.bin", "old"}});
    const std::string one = dir.Write("one.wad", original), two = dir.Write("two.wad", original),
                      three = dir.Write("three.wad", original);
    ASSERT_EQ(Update(dir.Write("before/a.bin", "before the run"), two), "no error");
    const std::string twoBefore = test::ReadBytes(two);
    // The run changes two.wad twice.
    const std::pair<PackageStep, std::string> calls[] = {
        {PackageStep::Start, one}, {PackageStep::Run, two}, {PackageStep::Run, two}, {PackageStep::End, three}};
    for (const auto& [step, archive] : calls) {
        const std::uint64_t group = PackageUndoGroup(*state.Settings, step);
        ASSERT_EQ(Update(dir.Write("src/a.bin", "new " + std::to_string(static_cast<int>(step))), archive, group),
                  "no error");
    }
    ASSERT_EQ(UndoHistory(state, one).front().archives.size(), 3u);
    ASSERT_EQ(Undo(one), "undone");
    EXPECT_EQ(test::ReadBytes(one), original);
    EXPECT_EQ(test::ReadBytes(two), twoBefore);
    EXPECT_EQ(test::ReadBytes(three), original);
}

}  // namespace
}  // namespace mw
