// ArchivePatcher against the one-scan-per-file reference on seeded random
// images and source lists: the same matches, offsets, sizes, names and
// refusals, file after file.
#include <random>

#include <gtest/gtest.h>

#include "core/wad.h"
#include "core/path_helpers.h"
#include "ops/archive_patcher.h"
#include "ops/user_refusal.h"
#include "tests/ops/reference_patcher.h"

namespace mw {
namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    std::string Name()
    {
        static const char* kFolders[] = {"maps\\x\\qualifying\\", "maps\\x\\race\\", "cars\\", "CARS\\Tex\\", "",
                                         "maps\\x\\Race\\qualifying\\", "misc\\"};
        static const char* kFiles[] = {"a.dat", "B.DAT", "setup.cfg", "x.tex", "y.bin"};
        return std::string(kFolders[Below(7)]) + kFiles[Below(5)];
    }

    // Contiguous runs with overlaps, shared offsets and empty entries mixed in.
    WadImage Image()
    {
        WadImage image;
        const int count = Below(12);
        std::int64_t offset = DirectoryEnd(count);
        for (int i = 0; i < count; ++i) {
            WadEntry entry {};
            SetEntryName(entry, Name());
            const int shape = Below(6);
            entry.Size = shape == 0 ? 0 : 1 + Below(40);
            entry.Offset = static_cast<std::int32_t>(shape == 1 && i > 0 ? image.Entries[Below(i)].Offset
                                                                          : shape == 2 ? Below(4000) : offset);
            offset = std::max<std::int64_t>(offset, entry.Offset + entry.Size);
            image.Entries.push_back(entry);
            image.Payloads.emplace_back(std::string(static_cast<std::size_t>(entry.Size), 'p'));
        }
        image.EntryCount = count;
        return image;
    }

    SourceKey Key()
    {
        const std::string name = Name();
        SourceKey key;
        key.kind = static_cast<FolderKind>(Below(3));
        key.underCars = Below(3) == 0;
        key.matchKey = LowerAscii(key.underCars ? name : FileNamePart(name, '\\'));
        return key;
    }

    std::size_t Size() { return Below(4) == 0 ? 0 : static_cast<std::size_t>(Below(60)); }

private:
    std::mt19937 random_;
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
        ArchivePatcher patcher(actual);
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
                const std::string name = AppendedName(generate.Below(2) ? "cars.wad" : "monza2001.wad", key.matchKey);
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
        ArchivePatcher patcher(actual);
        for (int i = 0; i < 20; ++i) {
            const SourceKey key = generate.Key();
            const std::string bytes(generate.Size() * 4, 'n');
            const int match = reference::FindMatch(expected, key);
            const std::string name = AppendedName("x.wad", key.matchKey);
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

}  // namespace
}  // namespace mw
