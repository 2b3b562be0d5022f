// extract with name patterns, and list --json read back by a JSON parser.
#include <gtest/gtest.h>

#include "core/path_helpers.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

test::ProcessResult Cli(const std::vector<std::string>& arguments)
{
    return test::RunProcess(MENDWRIGHT_CLI, arguments);
}

TEST(CliSelectionTest, ExtractWritesOnlyTheEntriesThePatternsMatch)
{
    TempDir dir;
    const std::string archive = dir.Write(
        "x.wad", test::ContiguousArchive({{"cars\\a.bin", "a"}, {"cars\\sub\\B.BIN", "b"}, {"maps\\x1.bin", "x"},
                                          {"maps\\x22.bin", "y"}, {"readme.txt", "r"}}));
    auto result = Cli({"extract", archive, dir / "out", "CARS/*.bin", "maps\\x?.bin"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(test::ReadBytes(dir / "out/cars/a.bin"), "a");
    EXPECT_EQ(test::ReadBytes(dir / "out/cars/sub/B.BIN"), "b");
    EXPECT_EQ(test::ReadBytes(dir / "out/maps/x1.bin"), "x");
    EXPECT_FALSE(test::Exists(dir / "out/maps/x22.bin"));
    EXPECT_FALSE(test::Exists(dir / "out/readme.txt"));

    result = Cli({"extract", archive, dir / "none", "*.bin", "*.tga"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "mendwright-cli: No entry matches this pattern: *.tga\n");
    EXPECT_FALSE(test::Exists(dir / "none"));
}

TEST(CliSelectionTest, ListJsonReadsBackWithEveryName)
{
    TempDir dir;
    const std::string archive = dir.Write(
        "x.wad", test::ContiguousArchive({{"say \"hi\"\\a.bin", "ab"}, {"caf\xe9.bin", ""}, {"caf\xc3\xa9\t.bin", "c"},
                                          {"\xc2\x9b" "2J.bin", ""}}));
    const auto listed = Cli({"list", "--json", archive});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out.find("\xc2\x9b"), std::string::npos) << "a C1 control reaches the terminal";
    test::WriteBytes(dir / "list.json", listed.out);
    // Read back by Python's JSON reader, a Linux program here.
    if (kWindowsFileNames)
        GTEST_SKIP() << "Python does not run under Wine";
    const auto parsed = test::RunProcess(
        "/usr/bin/python3", {"-c",
                             "import json, sys\n"
                             "for e in json.load(open(sys.argv[1])):\n"
                             "    print(e['index'], e['offset'], e['size'], ascii(e['name']))",
                             dir / "list.json"});
    EXPECT_EQ(parsed.err, "");
    // The byte E9 that is no UTF-8 reads as the character U+00E9.
    EXPECT_EQ(parsed.out,
              "0 548 2 'say \"hi\"\\\\a.bin'\n"
              "1 550 0 'caf\\xe9.bin'\n"
              "2 550 1 'caf\\xe9\\t.bin'\n"
              "3 551 0 '\\x9b2J.bin'\n");
}

}  // namespace
}  // namespace mw
