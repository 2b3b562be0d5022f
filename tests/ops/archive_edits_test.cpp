#include <functional>

#include <gtest/gtest.h>

#include "ops/archive_contents.h"
#include "ops/archive_edits.h"
#include "ops/messages.h"
#include "ops/undo_wad.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::ContiguousArchive;
using test::TempDir;

const std::string kStart = ContiguousArchive({{"a.txt", "abc"}, {"cars\\b.bin", "BB"}, {"cars\\c.dat", ""}});
// Two entries sharing their three bytes, and a third.
const std::string kShared = test::DirectoryBytes({{"x", 412, 3}, {"y", 412, 3}, {"z", 415, 1}}) + "abcZ";

using Edit = std::function<bool(RunState&, Frontend&, const ArchiveContents&, const TempDir&)>;

struct EditCase {
    const char* what;
    Edit edit;
    std::string expected;  // the archive's bytes after the edit
    std::string refusal;   // the start of the user error; the archive then stays as it was
    std::string start = kStart;
};

// Each edit writes one whole archive, its payloads behind the directory in
// table order; a refused one leaves the archive byte for byte and no
// temporary file.
TEST(ArchiveEdits, EachEditWritesTheWholeArchiveOrNothing)
{
    const EditCase cases[] = {
        {"remove",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir&) { return RemoveEntries(s, f, c, {2, 0}); },
         ContiguousArchive({{"cars\\b.bin", "BB"}}), ""},
        {"rename, / taken as \\",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir&) { return RenameEntry(s, f, c, 1, "cars/d.bin"); },
         ContiguousArchive({{"a.txt", "abc"}, {"cars\\d.bin", "BB"}, {"cars\\c.dat", ""}}), ""},
        {"replace",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir& d) {
             return ReplaceEntry(s, f, c, 2, d.Write("new.dat", "0123456789"));
         },
         ContiguousArchive({{"a.txt", "abc"}, {"cars\\b.bin", "BB"}, {"cars\\c.dat", "0123456789"}}), ""},
        {"add under a typed name",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir& d) {
             return AddEntries(s, f, c, {{"maps\\x.txt", d.Write("x.txt", "X")}});
         },
         ContiguousArchive({{"a.txt", "abc"}, {"cars\\b.bin", "BB"}, {"cars\\c.dat", ""}, {"maps\\x.txt", "X"}}), ""},
        {"add a file and a folder below an archive folder",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir& d) {
             d.Write("pack/sub/f.bin", "F");
             return AddFilesBelow(s, f, c, "cars", {d.Write("e.tex", "E"), d / "pack/"});
         },
         ContiguousArchive({{"a.txt", "abc"},
                            {"cars\\b.bin", "BB"},
                            {"cars\\c.dat", ""},
                            {"cars\\e.tex", "E"},
                            {"cars\\pack\\sub\\f.bin", "F"}}),
         ""},
        {"entries that share their bytes keep sharing them",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir&) { return RemoveEntries(s, f, c, {2}); },
         test::DirectoryBytes({{"x", 276, 3}, {"y", 276, 3}}) + "abc", "", kShared},
        {"a name that would leave the output folder",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir&) { return RenameEntry(s, f, c, 0, "cars\\..\\..\\x"); },
         "", kBadEntryNamePrefix},
        {"a name with an empty level",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir& d) {
             return AddEntries(s, f, c, {{"cars\\", d.Write("y", "Y")}});
         },
         "", kBadEntryNamePrefix},
        {"a name another entry has, in another case",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir&) { return RenameEntry(s, f, c, 0, "CARS/B.BIN"); },
         "", kEntryExistsPrefix},
        {"two new files of one name",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir& d) {
             return AddFilesBelow(s, f, c, "", {d.Write("one/n.bin", "1"), d.Write("two/N.BIN", "2")});
         },
         "", kEntryExistsPrefix},
#ifndef _WIN32  // on Windows "\\" separates folders: no file name holds one
        {"a file whose own name holds a \\",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir& d) {
             return AddFilesBelow(s, f, c, "", {d.Write("odd\\name", "1")});
         },
         "", kUnsafeSourcePrefix},
#endif
        {"a view that another program outdated",
         [](RunState& s, Frontend& f, const ArchiveContents& c, const TempDir&) {
             ArchiveContents outdated = c;
             outdated.entries.pop_back();
             return RemoveEntries(s, f, outdated, {0});
         },
         "", kArchiveChangedPrefix},
    };
    for (const EditCase& c : cases) {
        const TempDir dir;
        const std::string archive = dir.Write("x.wad", c.start);
        RunState state;
        test::RecordingFrontend ui;
        const bool done = c.edit(state, ui, ReadArchiveContents(archive), dir);
        EXPECT_EQ(done, c.refusal.empty()) << c.what;
        if (c.refusal.empty()) {
            EXPECT_EQ(test::ReadBytes(archive), c.expected) << c.what;
            EXPECT_TRUE(ui.userErrors.empty()) << c.what;
            // Each edit keeps its undo record, as an update does.
            UndoWad(state, ui, {archive});
            EXPECT_EQ(test::ReadBytes(archive), c.start) << c.what << ", undone";
        } else {
            EXPECT_EQ(test::ReadBytes(archive), c.start) << c.what;
            ASSERT_EQ(ui.userErrors.size(), 1u) << c.what;
            EXPECT_EQ(ui.userErrors[0].rfind(c.refusal, 0), 0u) << c.what << ": " << ui.userErrors[0];
        }
        EXPECT_TRUE(test::TemporaryFiles(dir.path()).empty()) << c.what;
    }
}

// A selection is extracted with extract's safety: only the chosen entries
// are written, by their full names, and an archive that holds a name that
// would leave the output folder writes nothing at all.
TEST(ArchiveEdits, ExtractionOfASelectionWritesOnlyItAndRefusesAnUnsafeArchive)
{
    const TempDir dir;
    RunState state;
    test::RecordingFrontend ui;
    const std::string archive = dir.Write("x.wad", kStart);
    ASSERT_TRUE(ExtractEntries(state, ui, ReadArchiveContents(archive), {1}, dir / "out"));
    EXPECT_EQ(test::ReadBytes(ExtractedFile(dir / "out", ReadArchiveContents(archive).entries[1])), "BB");
    EXPECT_EQ(test::DirectoryOrder(dir / "out"), std::vector<std::string>{"cars"});
    EXPECT_EQ(test::DirectoryOrder(dir / "out/cars"), std::vector<std::string>{"b.bin"});

    const std::string unsafe = dir.Write("unsafe.wad", ContiguousArchive({{"a.txt", "abc"}, {"..\\evil", "E"}}));
    EXPECT_NE(test::ErrorOf([&] { ExtractEntries(state, ui, ReadArchiveContents(unsafe), {0}, dir / "out2"); }),
              "no error");
    EXPECT_FALSE(test::Exists(dir / "out2"));
}

}  // namespace
}  // namespace mw

namespace mw {
namespace {

// An archive cut short shows its full directory, and says which entries lie
// past its end.
TEST(ArchiveContentsTest, AnArchiveCutShortSaysHowManyEntriesLiePastItsEnd)
{
    test::TempDir dir;
    // Entries a, b, c of 4 bytes each end at 4, 8 and 12 bytes past the
    // directory (4 + 3 * 136 = 412 bytes).
    const std::string whole = test::ContiguousArchive({{"a", "aaaa"}, {"b", "bbbb"}, {"c", "cccc"}});
    const struct {
        std::size_t keep;
        std::vector<bool> pastEnd;
        const char* status;
    } cases[] = {
        {whole.size(), {false, false, false}, "3 entries"},
        {whole.size() - 1, {false, false, true},
         "3 entries; 1 entry lies past the end of the wad: it was cut short"},
        {412 + 4, {false, true, true}, "3 entries; 2 entries lie past the end of the wad: it was cut short"},
    };
    for (const auto& c : cases) {
        const ArchiveContents contents = ReadArchiveContents(dir.Write("cut.wad", whole.substr(0, c.keep)));
        std::vector<bool> pastEnd;
        for (const WadEntry& entry : contents.entries)
            pastEnd.push_back(LiesPastEnd(contents, entry));
        EXPECT_EQ(pastEnd, c.pastEnd) << c.keep;
        EXPECT_EQ(ContentsStatusText(contents, 3), c.status);
    }
}

}  // namespace
}  // namespace mw
