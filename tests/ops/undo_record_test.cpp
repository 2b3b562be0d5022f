// The readers of an undo record, on records that declare more than they
// hold: each is refused, naming the file, before the size it declares is
// allocated, also where the file is as long as the declaration (a sparse
// file costs nothing to make).
#include <filesystem>

#include <gtest/gtest.h>

#include "core/file.h"
#include "core/path_text.h"
#include "ops/undo_record.h"
#include "tests/core/allocation_probe.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

// An integer of the given width, little-endian.
std::string Bytes(std::uint64_t value, int width)
{
    std::string bytes;
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>(i < 8 ? value >> (8 * i) : 0);
    return bytes;
}

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
// A summary's time, group and origin.
const std::string kSummaryStart = Bytes(0, 8) + Bytes(0, 8) + Bytes(0, 1);

struct Declaration {
    const char* what;
    std::string head;      // the record's first bytes
    std::uint64_t length;  // the file's length, zeros behind the head
    bool inSummary;        // the summary declares it; else the plan
};

// A sound summary (no texts), then a plan whose old archive is large
// enough for any directory and whose directory claims a million entries.
const std::string kMillionEntries = "MWUNDO1\n" + Bytes(41, 4) + kSummaryStart + Bytes(0, 4) + Bytes(0, 4) +
                                    Bytes(0, 8) + Bytes(0, 8) + Bytes(1000, 8) + Bytes(kGiB << 10, 8) +
                                    Bytes(0, 16) + Bytes(1000, 8) + Bytes(0, 16) + Bytes(0, 8) + Bytes(0, 4) +
                                    Bytes(1 << 20, 8);

const Declaration kDeclarations[] = {
    {"a summary longer than the file", "MWUNDO1\n" + Bytes(0xFFFFFFF0, 4), 64, true},
    {"a summary as long as the file", "MWUNDO1\n" + Bytes(3 * kGiB, 4), 3 * kGiB + 64, true},
    {"the same in a record with checksums", "MWUNDO2\n" + Bytes(3 * kGiB, 4), 3 * kGiB + 64, true},
    {"a text as long as the file", "MWUNDO1\n" + Bytes(3 * kGiB, 4) + kSummaryStart + Bytes(3 * kGiB - 64, 4),
     3 * kGiB + 64, true},
    {"more directory entries than the plan holds", kMillionEntries, 4096, false},
};

TEST(UndoRecordTest, ARecordThatDeclaresMoreThanItHoldsIsRefusedBeforeItIsAllocated)
{
    const test::TempDir dir;
    for (const Declaration& declaration : kDeclarations) {
        SCOPED_TRACE(declaration.what);
        const std::string path = dir.Write("x.undo", declaration.head);
        std::filesystem::resize_file(FileSystemPath(path), declaration.length);
        test::ResetLargestAllocation();
        const std::string summary = test::ErrorOf([&] {
            File file(path, OpenMode::ReadOnly);
            ReadUndoSummary(file);
        });
        const std::string whole =
            test::ErrorOf([&] { ReadUndoRecord(File(path, OpenMode::ReadOnly), UndoRecordCheck::Whole); });
        EXPECT_LT(test::LargestAllocation(), std::size_t{1} << 20);
        EXPECT_EQ(summary, declaration.inSummary ? "Sorry but this undo record is damaged: " + path : "no error");
        EXPECT_EQ(whole, "Sorry but this undo record is damaged: " + path);
    }
}

}  // namespace
}  // namespace mw
