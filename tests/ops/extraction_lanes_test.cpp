#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "core/errors.h"
#include "core/file.h"
#include "core/output_tree.h"
#include "core/text.h"
#include "core/wad.h"
#include "ops/extraction_lanes.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

TEST(ExtractionLanesTest, EachFolderGoesWholeToOneLaneInArchiveOrder)
{
    const std::vector<std::string> names = {"a/x", "b\\y", "a\\x", "top", "a//x",
                                            "c/d/z", "b/y2", "c\\d\\\\w", "other", "a\\/x"};
    // The same folder however its separators are spelt.
    const std::vector<std::vector<std::int32_t>> folders = {{0, 2, 4, 9}, {1, 6}, {3, 8}, {5, 7}};
    std::vector<WadEntry> entries(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        SetEntryName(entries[i], names[i]);
        entries[i].Size = static_cast<std::int32_t>(i * 100000);
    }
    for (const std::size_t laneCount : {1u, 2u, 3u, 8u}) {
        const auto lanes = SplitIntoLanes(entries, laneCount);
        EXPECT_EQ(lanes.size(), std::min<std::size_t>(laneCount, folders.size())) << laneCount;
        std::vector<std::size_t> laneOf(names.size(), lanes.size());
        for (std::size_t lane = 0; lane < lanes.size(); ++lane) {
            EXPECT_TRUE(std::is_sorted(lanes[lane].begin(), lanes[lane].end())) << laneCount;
            for (const std::int32_t index : lanes[lane]) {
                EXPECT_EQ(laneOf[static_cast<std::size_t>(index)], lanes.size()) << "twice: " << index;
                laneOf[static_cast<std::size_t>(index)] = lane;
            }
        }
        for (const auto& folder : folders)
            for (const std::int32_t index : folder)
                EXPECT_EQ(laneOf[static_cast<std::size_t>(index)], laneOf[static_cast<std::size_t>(folder[0])])
                    << laneCount << " lanes, entry " << names[static_cast<std::size_t>(index)];
    }
}

// Folders that the file system folds into one (cars and Cars where case is
// ignored) are one folder to the lanes too: their entries share a lane, in
// archive order, so the last entry naming a file stays.
TEST(ExtractionLanesTest, FoldersOfOneIdentityShareALaneInArchiveOrder)
{
    const std::vector<std::string> names = {"cars\\a", "Cars\\a", "tracks\\t", "CARS\\b", "Tracks/t", "cars/b"};
    const std::vector<std::vector<std::int32_t>> folders = {{0, 1, 3, 5}, {2, 4}};
    std::vector<WadEntry> entries(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        SetEntryName(entries[i], names[i]);
        entries[i].Size = 1'000'000;  // by their spellings, four folders of even work
    }
    test::TempDir dir;
    OutputTree output(dir / "out");
    // The real folders' identities, looked up as a file system that ignores case would.
    const FolderIdentityOf ignoringCase = [&](const std::string& folder) {
        return output.FolderIdentity(LowerAscii(folder));
    };

    // The heavier folder first, each whole in archive order.
    EXPECT_EQ(SplitIntoLanes(entries, 4, ignoringCase), folders);
}

// Several lanes write what one would: the last of the entries naming one
// file stays, and after a failing entry every entry before it is written
// and listed in archive order before the failure is raised, naming its file.
TEST(ExtractionLanesTest, LanesWriteWhatOneThreadWouldAndStopAtTheFirstFailure)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < 240; ++i)
        files.emplace_back("f" + std::to_string(i % 12) + "/e" + std::to_string(i),
                           std::string(static_cast<std::size_t>(i), static_cast<char>('a' + i % 26)));
    files[20] = {"f3/same", "first"};
    files[140] = {"f3\\same", "second"};
    files[230] = {"f3//same", "third"};
    constexpr std::int32_t kFailing = 100;
    for (const bool broken : {false, true}) {
        test::TempDir dir;
        std::string bytes = test::ContiguousArchive(files);
        if (broken)  // the entry's offset field now points before the archive
            bytes.replace(DirectoryEnd(kFailing) + 128, 4, test::LittleEndian32(-1));
        File archive(dir.Write("lanes.wad", bytes), OpenMode::ReadOnly);
        std::vector<WadEntry> entries;
        ReadWadDirectory(archive, entries);
        OutputTree output(dir / "out");
        test::RecordingFrontend ui;

        std::string error = "no error";
        std::string errorPath;
        try {
            WriteEntries(entries, archive, output, ui, 3);
        } catch (const AppError& failure) {
            error = failure.what();
            errorPath = failure.path();
        }

        EXPECT_EQ(error, broken ? "Erreur E/S 131" : "no error");
        EXPECT_EQ(errorPath, broken ? archive.Name() : "");
        // Listed in archive order: every entry before the failure, then
        // any that other lanes wrote past it.
        std::map<std::string, std::size_t> indexOf;
        for (std::size_t i = 0; i < files.size(); ++i)
            indexOf[files[i].first] = i;
        std::vector<std::size_t> listed;
        for (const std::string& name : ui.filesDone)
            listed.push_back(indexOf.at(name));
        const std::size_t before = broken ? kFailing : files.size();
        ASSERT_GE(listed.size(), before);
        EXPECT_TRUE(std::adjacent_find(listed.begin(), listed.end(), std::greater_equal<>()) == listed.end());
        EXPECT_EQ(listed[before - 1], before - 1);
        EXPECT_EQ(std::count(listed.begin(), listed.end(), std::size_t{kFailing}), broken ? 0 : 1);
        for (std::size_t i = 0; i < before; ++i) {
            if (files[i].first.find("same") == std::string::npos) {
                EXPECT_EQ(test::ReadBytes(dir / ("out/" + files[i].first)), files[i].second) << files[i].first;
            }
        }
        if (!broken) {
            EXPECT_EQ(test::ReadBytes(dir / "out/f3/same"), "third");
        }
    }
}

}  // namespace
}  // namespace mw
