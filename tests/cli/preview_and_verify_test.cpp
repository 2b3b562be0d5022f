// update --dry-run against the update it previews, and verify on a sound
// archive and on each kind of fault it reports.
#include <gtest/gtest.h>

#include <sstream>

#include "core/wad.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

test::ProcessResult Cli(const std::vector<std::string>& arguments)
{
    return test::RunProcess(MENDWRIGHT_CLI, arguments);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST(CliPreviewTest, DryRunNamesWhatTheUpdateThenReplacesAndAppends)
{
    TempDir dir;
    const std::string archive = dir.Write("cars.wad", test::ContiguousArchive({{"cars\\a\\body.tex", "old body"},
                                                                                {"readme.txt", "old readme"}}));
    dir.Write("mod/cars/a/body.tex", "new body");
    dir.Write("mod/docs/README.TXT", "new readme");
    dir.Write("mod/cars/b/wheel.tex", "new wheel");
    const std::string before = test::ReadBytes(archive);

    const auto preview = Cli({"update", "--dry-run", dir / "mod", archive});
    ASSERT_EQ(preview.exitCode, 0) << preview.err;
    EXPECT_EQ(test::ReadBytes(archive), before);
    EXPECT_EQ(test::TemporaryFiles(dir.path()), std::vector<std::string>{});

    const auto update = Cli({"-v", "update", dir / "mod", archive});
    ASSERT_EQ(update.exitCode, 0) << update.err;
    WadImage image;
    LoadWad(archive, image);
    const std::vector<std::string> lines = Lines(preview.out);
    ASSERT_EQ(lines.size(), 3u);
    std::size_t appended = 2;  // the archive's own entries come first
    for (const std::string& line : lines) {
        std::istringstream fields(line);
        std::string action, entry, file;
        std::getline(fields, action, '\t');
        std::getline(fields, entry, '\t');
        std::getline(fields, file);
        // The update's own report of the same file, word for word.
        EXPECT_NE(update.err.find(action + " " + entry + " <- " + file + "\n"), std::string::npos) << line;
        std::size_t index = 0;
        if (action == "append")
            index = appended++;
        else
            while (index < image.Entries.size() && EntryName(image.Entries[index]) != entry)
                ++index;
        ASSERT_LT(index, image.Entries.size()) << line;
        EXPECT_EQ(EntryName(image.Entries[index]), entry);
        EXPECT_EQ(image.Payloads[index], test::ReadBytes(file)) << line;
    }
    EXPECT_EQ(appended, 3u);
}

struct ArchiveCase {
    const char* name;
    std::string bytes;
    int exitCode;
    std::string out;
};

class CliVerifyTest : public ::testing::TestWithParam<ArchiveCase> {};

TEST_P(CliVerifyTest, ReportsEachFaultyEntryAndASummary)
{
    TempDir dir;
    const auto result = Cli({"verify", dir.Write("x.wad", GetParam().bytes)});
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.err;
    EXPECT_EQ(result.out, GetParam().out);
}

const std::string kPayloads = "abcd";
constexpr std::int32_t kTwoEntryEnd = 4 + 2 * 136;

INSTANTIATE_TEST_SUITE_P(
    Archives, CliVerifyTest,
    ::testing::Values(
        ArchiveCase{"Sound", test::ContiguousArchive({{"a\\b.bin", "ab"}, {"c.bin", "cd"}}), 0, "2 entries, all sound\n"},
        ArchiveCase{"PastTheEnd", test::DirectoryBytes({{"a", kTwoEntryEnd, 2}, {"b", kTwoEntryEnd + 2, 9}}) + kPayloads,
                    1, "1\tb\tx.wad is truncated: entry 1 (b) ends past the end of the file\n2 entries, 1 faulty\n"},
        ArchiveCase{"OverTheDirectory", test::DirectoryBytes({{"a", 4, 2}, {"b", kTwoEntryEnd, 2}}) + kPayloads, 1,
                    "0\ta\tx.wad is not a GP4 archive: entry 0 (a) lies over its directory\n2 entries, 1 faulty\n"},
        ArchiveCase{"UnsafeName", test::DirectoryBytes({{"a", kTwoEntryEnd, 2}, {"..\\b", kTwoEntryEnd + 2, 2}}) + kPayloads,
                    1, "1\t..\\b\tx.wad holds a name that extraction refuses: entry 1 (..\\b)\n2 entries, 1 faulty\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mw
