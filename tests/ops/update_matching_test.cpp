#include <gtest/gtest.h>

#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/archive_patcher.h"
#include "ops/update_matching.h"
#include "ops/messages.h"

namespace mw {
namespace {

WadImage ImageOf(const std::vector<std::pair<std::string, std::string>>& entries)
{
    WadImage image;
    std::int32_t offset = static_cast<std::int32_t>(DirectoryEnd(static_cast<std::int64_t>(entries.size())));
    for (const auto& [name, payload] : entries) {
        WadEntry entry {};
        SetEntryName(entry, name);
        entry.Offset = offset;
        entry.Size = static_cast<std::int32_t>(payload.size());
        offset += entry.Size;
        image.Entries.push_back(entry);
        image.Payloads.emplace_back(payload);
    }
    image.EntryCount = static_cast<std::int32_t>(entries.size());
    return image;
}

int FindMatch(WadImage image, const SourceKey& key)
{
    return ArchivePatcher(image).FindMatch(key);
}

void ReplaceEntry(WadImage& image, int m, Payload bytes, const std::string& path)
{
    ArchivePatcher patcher(image);
    patcher.Replace(m, std::move(bytes), path);
    patcher.Finish();
}

void AppendEntry(WadImage& image, const std::string& name, Payload bytes, const std::string& path)
{
    ArchivePatcher patcher(image);
    patcher.Append(name, std::move(bytes), path);
    patcher.Finish();
}

TEST(ClassifySourceTest, FolderKindAndMatchKeyFollowThePath)
{
    SourceKey key = ClassifySource(NativePath("/mods/Qualifying/Setup.DAT"));
    EXPECT_EQ(key.kind, kQualifyingFolder);
    EXPECT_EQ(key.matchKey, "setup.dat");

    key = ClassifySource(NativePath("/mods/qualifying/x/race/a.bin"));
    EXPECT_EQ(key.kind, kRaceFolder);

    key = ClassifySource(NativePath("/mods/notrace/a.bin"));
    EXPECT_EQ(key.kind, kPlainFolder);

    // Under cars the key runs from the last cars folder on.
    const struct {
        const char* path;
        const char* matchKey;
    } cases[] = {
        {"/mods/Cars/Textures/A.tex", "cars\\textures\\a.tex"},
        {"/cars/x/CARS/a.tex", "cars\\a.tex"},
        {"cars/a.tex", "cars\\a.tex"},  // a relative source that starts with it
    };
    for (const auto& c : cases) {
        key = ClassifySource(NativePath(c.path));
        EXPECT_TRUE(key.underCars) << c.path;
        EXPECT_EQ(key.matchKey, c.matchKey) << c.path;
    }
}

TEST(FindMatchTest, FolderKindsMatchTheirOwnEntries)
{
    const WadImage image = ImageOf({{"maps\\x\\race\\setup.dat", "r"},
                                    {"maps\\x\\qualifying\\SETUP.DAT", "q"},
                                    {"setup.dat", "p"},
                                    {"cars\\textures\\a.tex", "t"}});
    EXPECT_EQ(FindMatch(image, {kPlainFolder, false, "setup.dat"}), 0);  // first in table order
    EXPECT_EQ(FindMatch(image, {kQualifyingFolder, false, "setup.dat"}), 1);
    EXPECT_EQ(FindMatch(image, {kRaceFolder, false, "setup.dat"}), 0);
    EXPECT_EQ(FindMatch(image, {kPlainFolder, true, "cars\\textures\\a.tex"}), 3);
    EXPECT_EQ(FindMatch(image, {kPlainFolder, true, "textures\\a.tex"}), -1);  // whole names only
    EXPECT_EQ(FindMatch(image, {kRaceFolder, false, "a.tex"}), -1);
    EXPECT_EQ(FindMatch(ImageOf({}), {kPlainFolder, false, "a"}), -1);
}

TEST(FindMatchTest, ARaceFileDoesNotTakeAQualifyingEntry)
{
    const WadImage image = ImageOf({{"maps\\x\\qualifying\\setup.dat", "q"}});
    EXPECT_EQ(FindMatch(image, {kRaceFolder, false, "setup.dat"}), -1);
}

TEST(ReplaceEntryTest, LaterEntriesMoveByTheDifference)
{
    WadImage image = ImageOf({{"a", "aaaa"}, {"b", "bb"}, {"c", "c"}});
    const std::int32_t bOffset = image.Entries[1].Offset;
    ReplaceEntry(image, 0, "A", "src");
    EXPECT_EQ(image.Entries[0].Size, 1);
    EXPECT_EQ(image.Entries[1].Offset, bOffset - 3);
    EXPECT_EQ(image.Entries[2].Offset, bOffset - 1);
    EXPECT_EQ(image.Payloads[0], "A");
}

TEST(ReplaceEntryTest, AnEntrySharingTheOffsetKeepsItsBytesApart)
{
    WadImage image = ImageOf({{"empty", ""}, {"shared", "ss"}, {"after", "x"}});
    // "empty" and "shared" start at the same offset.
    ASSERT_EQ(image.Entries[0].Offset, image.Entries[1].Offset);
    const std::int32_t at = image.Entries[0].Offset;
    ReplaceEntry(image, 0, "NEW", "src");
    EXPECT_EQ(image.Entries[0].Offset, at);
    EXPECT_EQ(image.Entries[1].Offset, at + 3);
    EXPECT_EQ(image.Entries[2].Offset, at + 5);
    EXPECT_EQ(image.Payloads[1], "ss");

    // Sharers with no bytes keep the plain rule: they stay.
    WadImage plain = ImageOf({{"e1", ""}, {"e2", ""}, {"after", "x"}});
    const std::int32_t plainAt = plain.Entries[0].Offset;
    plain.Entries[2].Offset = plainAt + 1;
    ReplaceEntry(plain, 0, "NEW", "src");
    EXPECT_EQ(plain.Entries[1].Offset, plainAt);
    EXPECT_EQ(plain.Entries[2].Offset, plainAt + 4);
}

TEST(AppendEntryTest, TheNewEntryGoesRightBehindTheGrownDirectory)
{
    WadImage image = ImageOf({{"a", "aaa"}, {"b", ""}});
    AppendEntry(image, "new.dat", "12345", "src");
    EXPECT_EQ(image.EntryCount, 3);
    EXPECT_EQ(image.Entries[2].Offset, 412);
    EXPECT_EQ(image.Entries[0].Offset, 276 + 5 + 136);
    EXPECT_EQ(image.Entries[1].Offset, 279 + 5 + 136);
    EXPECT_THROW(AppendEntry(image, std::string(129, 'n'), "", "src"), UserRefusal);
}

TEST(AppendEntryTest, AnAppendedEntryTakesPartInLaterSearches)
{
    WadImage image = ImageOf({{"other", "o"}});
    ArchivePatcher patcher(image);
    patcher.Append(AppendedName("x.wad", {kPlainFolder, false, "readme.txt"}), "first", "src");
    EXPECT_EQ(patcher.FindMatch({kPlainFolder, false, "readme.txt"}), 1);
    EXPECT_EQ(patcher.FindMatch({kQualifyingFolder, false, "readme.txt"}), -1);
    patcher.Append(AppendedName("x.wad", {kPlainFolder, false, "readme.txt"}), "second", "src");
    EXPECT_EQ(patcher.FindMatch({kPlainFolder, false, "readme.txt"}), 1);  // still the first
}

TEST(AppendedNameTest, CarsAndTrackArchivesGetTheirPrefixes)
{
    const SourceKey plain{kPlainFolder, false, "a.tex"};
    const SourceKey underCars{kPlainFolder, true, "cars\\a.tex"};
    EXPECT_EQ(AppendedName("cars.wad", plain), "cars\\a.tex");
    EXPECT_EQ(AppendedName("CARS.WAD", plain), "cars\\a.tex");
    EXPECT_EQ(AppendedName("cars.wad", underCars), "cars\\a.tex");  // no second cars folder
    EXPECT_EQ(AppendedName("monza2001.wad", plain), "maps\\monza2001\\a.tex");
    EXPECT_EQ(AppendedName("monza2001.wad", underCars), "maps\\monza2001\\cars\\a.tex");
    EXPECT_EQ(AppendedName("Monza2001.wad", plain), "a.tex");
    EXPECT_EQ(AppendedName("other.wad", plain), "a.tex");
}

TEST(ReplaceEntryTest, AnArchivePastTwoGibibytesIsRefused)
{
    WadImage image = ImageOf({{"a", "a"}, {"b", "b"}});
    image.Entries[1].Offset = 0x7ffffff0;
    image.Entries[1].Size = 8;
    EXPECT_THROW(ReplaceEntry(image, 0, std::string(32, 'x'), "big.bin"), UserRefusal);
}

}  // namespace
}  // namespace mw
