// Each operation on a disk that runs out of space: on a real small tmpfs
// (when the tests may mount one) and through the file layer's fault seam.
// The error is shown, an archive being rewritten keeps its old bytes and no
// temporary file is left behind.
#include <cerrno>
#include <memory>

#include <gtest/gtest.h>

#include "ops/track_names.h"
#include "core/file_faults.h"
#include "core/wad.h"
#include "ops/operations.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

const std::string kDiskFull = "Erreur E/S 112";
// Larger than the room a filled disk leaves for one more write.
const std::string kLargePayload(256 * 1024, 'L');

enum class DiskKind { Tmpfs, Seam };

// The folder that runs out of space. FillUp(n) lets about n more writes of
// a small file through (up to 16 KiB each) and makes the next one fail.
class Disk {
public:
    virtual ~Disk() = default;
    virtual void FillUp(int writesThatFit) = 0;
};

class TmpfsDisk : public Disk {
public:
    explicit TmpfsDisk(const std::string& folder) : disk_(folder, 4 * 1024 * 1024) {}
    bool mounted() const { return disk_.mounted(); }
    const std::string& whyNot() const { return disk_.whyNotMounted(); }
    void FillUp(int writesThatFit) override { disk_.FillLeaving(std::int64_t{writesThatFit} * 16 * 1024); }

private:
    test::SmallDisk disk_;
};

class SeamDisk : public Disk {
public:
    ~SeamDisk() override { faults::Clear(); }
    void FillUp(int writesThatFit) override { faults::Arm(faults::Call::Write, writesThatFit + 1, ENOSPC); }
};

// A frontend that fills the disk when a track archive is done (its position
// goes back to 0), so that the batch runs out of space at the next one.
class FillingFrontend : public test::RecordingFrontend {
public:
    Disk* disk = nullptr;
    void ShowProgress(const Progress& progress) override
    {
        const std::size_t before = positions.size();
        RecordingFrontend::ShowProgress(progress);
        if (positions.size() != before && positions.back() == 0 && disk != nullptr) {
            disk->FillUp(0);
            disk = nullptr;
        }
    }
};

class FullDiskTest : public ::testing::TestWithParam<DiskKind> {
protected:
    void SetUp() override
    {
        diskFolder = dir.MakeFolder("disk");
        if (GetParam() == DiskKind::Seam) {
            disk = std::make_unique<SeamDisk>();
            return;
        }
        auto tmpfs = std::make_unique<TmpfsDisk>(diskFolder);
        if (!tmpfs->mounted())
            GTEST_SKIP() << "no real full disk: " << tmpfs->whyNot() << " (the fault seam case still runs)";
        disk = std::move(tmpfs);
    }

    std::string Run(const std::function<void()>& operation) { return test::ErrorOf(operation); }

    TempDir dir;
    std::string diskFolder;
    std::unique_ptr<Disk> disk;  // declared after dir: unmounted before the folder goes
    RunState state;
    FillingFrontend ui;
};

TEST_P(FullDiskTest, CreateKeepsTheOldArchive)
{
    dir.Write("src/a.txt", "abc");
    dir.Write("src/large.bin", kLargePayload);
    const std::string old = test::ContiguousArchive({{"old.txt", "old"}});
    const std::string archive = dir.Write("disk/x.wad", old);
    disk->FillUp(1);
    ui.dialogAnswer = archive;
    EXPECT_EQ(Run([&] { CreateWad(state, ui, {dir / "src"}); }), kDiskFull);
    EXPECT_EQ(test::ReadBytes(archive), old);
    EXPECT_EQ(test::TemporaryFiles(diskFolder), std::vector<std::string>{});
}

TEST_P(FullDiskTest, UpdateKeepsTheOldArchive)
{
    const std::string old = test::ContiguousArchive({{"a.txt", "abc"}, {"b.txt", "def"}});
    const std::string archive = dir.Write("disk/x.wad", old);
    disk->FillUp(1);
    const std::string source = dir.Write("src/a.txt", kLargePayload);
    EXPECT_EQ(Run([&] { UpdateWad(state, ui, {source, archive}); }), kDiskFull);
    EXPECT_EQ(test::ReadBytes(archive), old);
    EXPECT_EQ(test::TemporaryFiles(diskFolder), std::vector<std::string>{});
}

TEST_P(FullDiskTest, TrackBatchKeepsTheArchiveItWasRewritingAndTheOnesAfter)
{
    const std::string old = test::ContiguousArchive({{"other.bin", "zz"}});
    for (const char* track : TrackNames)
        dir.Write(std::string("disk/") + track + ".wad", old);
    state.Installation = std::make_unique<FixedGp4Installation>(diskFolder);
    UpdateRequest request{dir.Write("src/other.bin", kLargePayload)};
    request.options.trackBatch = true;
    ui.disk = disk.get();  // the disk fills up once the first archive is done
    EXPECT_EQ(Run([&] { UpdateWad(state, ui, request); }), kDiskFull);

    WadImage first;
    LoadWad(diskFolder + "/" + TrackNames[0] + ".wad", first);
    EXPECT_EQ(first.Payloads[0], kLargePayload);
    for (int k = 1; k < kTrackCount; ++k)
        EXPECT_EQ(test::ReadBytes(diskFolder + "/" + TrackNames[k] + ".wad"), old) << TrackNames[k];
    EXPECT_EQ(test::TemporaryFiles(diskFolder), std::vector<std::string>{});
}

TEST_P(FullDiskTest, ExtractStopsWithTheFilesWrittenSoFar)
{
    const std::string bytes = test::ContiguousArchive({{"a.txt", "abc"}, {"sub\\large.bin", kLargePayload}});
    const std::string archive = dir.Write("in.wad", bytes);
    disk->FillUp(1);
    ui.dialogAnswer = diskFolder + "/out";
    EXPECT_EQ(Run([&] { ExtractWad(state, ui, {archive}); }), kDiskFull);
    EXPECT_EQ(test::ReadBytes(diskFolder + "/out/a.txt"), "abc");
    EXPECT_EQ(test::ReadBytes(archive), bytes);
    EXPECT_EQ(test::TemporaryFiles(diskFolder + "/out"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Disks, FullDiskTest, ::testing::Values(DiskKind::Tmpfs, DiskKind::Seam),
                         [](const auto& info) { return info.param == DiskKind::Tmpfs ? "Tmpfs" : "FaultSeam"; });

}  // namespace
}  // namespace mw
