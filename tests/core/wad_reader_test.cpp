#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/file.h"
#include "core/wad.h"
#include "tests/core/allocation_probe.h"
#include "tests/support/payload_bytes.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using namespace std::string_literals;
using test::DirectoryBytes;
using test::ErrorOf;
using test::RawEntry;
using test::TempDir;

// The two-entry archive that create writes for a.txt ("abc") and sub\b.bin (empty).
const std::string kExample = test::ContiguousArchive({{"a.txt", "abc"}, {"sub\\b.bin", ""}});

class WadReaderTest : public ::testing::Test {
protected:
    WadImage Load(const std::string& bytes)
    {
        WadImage image;
        LoadWad(dir.Write("x.wad", bytes), image);
        return image;
    }
    std::string LoadError(const std::string& bytes)
    {
        return ErrorOf([&] { Load(bytes); });
    }
    TempDir dir;
};

TEST_F(WadReaderTest, TheExampleArchiveHasItsDocumentedBytes)
{
    ASSERT_EQ(kExample.size(), 279u);
    EXPECT_EQ(kExample.substr(0, 4), "\x02\0\0\0"s);
    EXPECT_EQ(kExample.substr(132, 8), "\x14\x01\0\0\x03\0\0\0"s);
    EXPECT_EQ(kExample.substr(268, 8), "\x17\x01\0\0\0\0\0\0"s);
    EXPECT_EQ(kExample.substr(276), "abc");
}

TEST_F(WadReaderTest, LoadsEntriesAndPayloads)
{
    const WadImage image = Load(kExample);
    ASSERT_EQ(image.EntryCount, 2);
    ASSERT_EQ(image.Entries.size(), 2u);
    EXPECT_EQ(EntryName(image.Entries[0]), "a.txt");
    EXPECT_EQ(image.Entries[0].Offset, 276);
    EXPECT_EQ(image.Entries[0].Size, 3);
    EXPECT_EQ(EntryName(image.Entries[1]), "sub\\b.bin");
    EXPECT_EQ(image.Entries[1].Offset, 279);
    EXPECT_EQ(test::PayloadBytes(image), (std::vector<std::string>{"abc", ""}));
}

TEST_F(WadReaderTest, FourNulBytesAreAnEmptyArchive)
{
    const WadImage image = Load("\0\0\0\0"s);
    EXPECT_EQ(image.EntryCount, 0);
    EXPECT_TRUE(image.Entries.empty());
    EXPECT_TRUE(image.Payloads.empty());
}

TEST_F(WadReaderTest, NamesEndAtTheFirstNulOrFillTheField)
{
    const std::string longName(128, 'n');
    const std::string withTail = "a.txt\0junk"s;
    const WadImage image = Load(DirectoryBytes({{longName, 276, 0}, {withTail, 276, 0}}));
    EXPECT_EQ(EntryName(image.Entries[0]), longName);
    EXPECT_EQ(EntryName(image.Entries[1]), "a.txt");
    EXPECT_EQ(std::string(image.Entries[1].Name + 6, 4), "junk");
}

TEST_F(WadReaderTest, EachPayloadIsReadFromItsOwnOffset)
{
    // Offsets running backwards, one shared by two entries, one inside the directory.
    std::string bytes = DirectoryBytes({{"late", 552, 4}, {"early", 548, 4}, {"same", 548, 4}, {"dir", 0, 4}});
    bytes += "EARLLATE" "trailing bytes are ignored";
    const WadImage image = Load(bytes);
    EXPECT_EQ(test::PayloadBytes(image), (std::vector<std::string>{"LATE", "EARL", "EARL", bytes.substr(0, 4)}));
}

TEST_F(WadReaderTest, ShortAndTruncatedFilesReadPastTheEnd)
{
    const std::string pastEnd = "Lecture au-delà de la fin de fichier";
    EXPECT_EQ(LoadError(""), pastEnd);
    EXPECT_EQ(LoadError("\x01\0\0"s), pastEnd);
    EXPECT_EQ(LoadError(kExample.substr(0, 200)), pastEnd);   // directory cut short
    EXPECT_EQ(LoadError(kExample.substr(0, 277)), pastEnd);   // payload cut short
    EXPECT_EQ(LoadError(DirectoryBytes({{"far", 5000, 1}})), pastEnd);
}

TEST_F(WadReaderTest, CorruptCountsAndSizesAllocateNothingBig)
{
    struct Case {
        std::string bytes;
        std::string error;
    };
    const std::vector<Case> cases = {
        {test::LittleEndian32(-1), "Erreur de vérification d'étendue"},
        {test::LittleEndian32(0x7fffffff), "Erreur de vérification d'étendue"},
        {test::LittleEndian32(15790321), "Erreur de vérification d'étendue"},  // 2 GiB of records
        {test::LittleEndian32(15790320), "Lecture au-delà de la fin de fichier"},
        {DirectoryBytes({{"neg", 140, -5}}), "Lecture au-delà de la fin de fichier"},
        {DirectoryBytes({{"huge", 140, 0x7ffffff0}}), "Lecture au-delà de la fin de fichier"},
        {DirectoryBytes({{"back", -8, 4}}), "Erreur E/S 131"},
    };
    for (const Case& c : cases) {
        test::ResetLargestAllocation();
        EXPECT_EQ(LoadError(c.bytes), c.error);
        EXPECT_LT(test::LargestAllocation(), 1u << 20);
    }
}

TEST_F(WadReaderTest, AnEmptyEntryMayPointAnywhereButBackwards)
{
    const WadImage image = Load(DirectoryBytes({{"empty", 99999, 0}}));
    EXPECT_EQ(image.Payloads[0], "");
}

TEST_F(WadReaderTest, ARereadImageKeepsNothingOfTheLastArchive)
{
    WadImage image;
    LoadWad(dir.Write("a.wad", kExample), image);
    LoadWad(dir.Write("b.wad", test::ContiguousArchive({{"only", "z"}})), image);
    EXPECT_EQ(image.EntryCount, 1);
    EXPECT_EQ(image.Entries.size(), 1u);
    EXPECT_EQ(test::PayloadBytes(image), std::vector<std::string>{"z"});
}

TEST_F(WadReaderTest, AReadOnlyArchiveCannotBeLoaded)
{
    const std::string name = dir.Write("locked.wad", kExample);
    ::chmod(name.c_str(), 0444);
    WadImage image;
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { LoadWad(name, image); }), "Accès au fichier refusé");
}

TEST_F(WadReaderTest, DirectoryAndPayloadReadOneEntryAtATime)
{
    File archive(dir.Write("x.wad", kExample), OpenMode::ReadOnly);
    std::vector<WadEntry> entries;
    ASSERT_EQ(ReadWadDirectory(archive, entries), 2);
    std::string payload;
    ReadWadPayload(archive, entries[0], 0, payload);
    EXPECT_EQ(payload, "abc");
    ReadWadPayload(archive, entries[1], 1, payload);
    EXPECT_EQ(payload, "");
}

}  // namespace
}  // namespace mw
