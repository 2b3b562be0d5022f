// ArchivePatcher against the one-scan-per-file reference on seeded random
// layouts without overlaps (gaps, any order, empty entries): the same
// matches, offsets, sizes, names and refusals, file after file. On layouts
// with overlaps of every kind, the update's promise itself: every entry
// reads back its own bytes.
#include <random>

#include <gtest/gtest.h>

#include "core/wad.h"
#include "core/path_helpers.h"
#include "ops/archive_patcher.h"
#include "ops/messages.h"
#include "tests/ops/reference_patcher.h"
#include "tests/ops/update_invariant.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

// The generator over a seeded random sequence.
class Generator : public test::LayoutGenerator {
public:
    explicit Generator(unsigned seed) : test::LayoutGenerator([random = std::mt19937(seed)]() mutable { return random(); }) {}
};

void ExpectSameImages(const WadImage& expected, const WadImage& actual, int seed)
{
    ASSERT_EQ(expected.EntryCount, actual.EntryCount) << "seed " << seed;
    ASSERT_EQ(expected.Entries.size(), actual.Entries.size()) << "seed " << seed;
    for (std::size_t j = 0; j < expected.Entries.size(); ++j) {
        EXPECT_EQ(EntryName(expected.Entries[j]), EntryName(actual.Entries[j])) << "seed " << seed;
        EXPECT_EQ(expected.Entries[j].Offset, actual.Entries[j].Offset) << "seed " << seed << " entry " << j;
        EXPECT_EQ(expected.Entries[j].Size, actual.Entries[j].Size) << "seed " << seed << " entry " << j;
        EXPECT_EQ(expected.Payloads[j].size(), actual.Payloads[j].size()) << "seed " << seed;
    }
}

TEST(ArchivePatcherTest, AgreesWithTheReferenceOnRandomImages)
{
    for (int seed = 1; seed <= 400; ++seed) {
        Generator generate(static_cast<unsigned>(seed));
        WadImage expected = generate.Image();
        WadImage actual = expected;
        ArchivePatcher patcher(actual, "x.wad");
        const int files = generate.Below(15);
        for (int i = 0; i < files; ++i) {
            const SourceKey key = generate.Key();
            const std::string bytes(generate.Size(), 'n');
            const int match = reference::FindMatch(expected, key);
            ASSERT_EQ(patcher.FindMatch(key), match) << "seed " << seed << " file " << i;
            if (match >= 0) {
                reference::ReplaceEntry(expected, match, bytes, "src");
                patcher.Replace(match, bytes, "src");
            } else {
                const std::string name = AppendedName(generate.Below(2) ? "cars.wad" : "monza2001.wad", key);
                reference::AppendEntry(expected, name, bytes, "src");
                patcher.Append(name, bytes, "src");
            }
        }
        patcher.Finish();
        ExpectSameImages(expected, actual, seed);
    }
}

TEST(ArchivePatcherTest, RefusesAtTheSameFileAsTheReference)
{
    for (int seed = 1; seed <= 100; ++seed) {
        Generator generate(static_cast<unsigned>(seed));
        WadImage expected = generate.Image();
        for (WadEntry& entry : expected.Entries)
            entry.Offset += 0x7fffff00 - 8000;  // close to the 2 GiB edge
        WadImage actual = expected;
        ArchivePatcher patcher(actual, "x.wad");
        for (int i = 0; i < 20; ++i) {
            const SourceKey key = generate.Key();
            const std::string bytes(generate.Size() * 4, 'n');
            const int match = reference::FindMatch(expected, key);
            const std::string name = AppendedName("x.wad", key);
            bool referenceRefused = false, patcherRefused = false;
            try {
                match >= 0 ? reference::ReplaceEntry(expected, match, bytes, "src")
                           : reference::AppendEntry(expected, name, bytes, "src");
            } catch (const UserRefusal&) {
                referenceRefused = true;
            }
            try {
                match >= 0 ? patcher.Replace(match, bytes, "src") : patcher.Append(name, bytes, "src");
            } catch (const UserRefusal&) {
                patcherRefused = true;
            }
            ASSERT_EQ(referenceRefused, patcherRefused) << "seed " << seed << " file " << i;
            if (referenceRefused)
                break;
        }
    }
}

TEST(ArchivePatcherTest, EveryEntryKeepsItsBytesWhateverTheLayout)
{
    const test::TempDir dir(test::MemoryBackedFolder());  // three hundred flushed rewrites stay cheap
    const std::string archive = dir / "monza2001.wad";
    for (int seed = 1; seed <= 300; ++seed) {
        Generator generate(static_cast<unsigned>(seed));
        test::WriteBytes(archive, test::ArchiveWithLayout(generate.OverlappingLayout()));
        EXPECT_EQ(test::UpdateBreaksAnEntry(archive, generate.Sources()), "") << "seed " << seed;
    }
}

}  // namespace
}  // namespace mw
