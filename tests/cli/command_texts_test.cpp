// What the command line says when a command ends: find by a plain name and
// when nothing matches, history with nothing to list, create over an
// existing archive, a dry run, an undo of a batch, a count of one. Each case
// runs the real tool after the commands that set it up, and checks its
// output, its exit code and the bytes left on disk.

#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

constexpr const char* kTracks[] = {
    "a1ring2001",   "barcelona2001", "hockenheim2001",  "hungaroring2001", "imola2001",  "indianapolis2001",
    "interlagos2001", "magnycours2001", "melborne2001", "monaco2001",      "montreal2001", "monza2001",
    "nurburgring2001", "sepang2001",  "silverstone2001", "spa2001",        "suzuka2001",
};

constexpr const char* kRule =
    "(text without * or ? is found in any part of a name; a pattern must match the last part of a name "
    "(helmet*.tex), or the whole name when it holds \\ or / (cars\\*.tex))";

struct TextCase {
    const char* name;
    std::vector<std::vector<std::string>> before;  // commands run first; "@" is the test folder
    std::vector<std::string> command;
    const char* out;  // times show as "in Ts"
    const char* err;
    int exitCode;
    const char* archive;   // below the test folder: its bytes after the command...
    const char* sameAs;    // ...are those this archive had at the start ("" : those of the setup's cars.wad)
};

const TextCase kCases[] = {
    {"FindAPlainNameAtAnyDepth", {}, {"find", "helmet_1.tex", "--gp4", "@/gp4"},
     "@/gp4/cars.wad\tcars\\ferrari\\helmet_1.tex\t4\n", "", 0, nullptr, nullptr},
    {"FindNothingSaysSoWithTheRule", {}, {"find", "visor", "--gp4", "@/gp4"}, "",
     "mendwright-cli: no entry matches visor ", 0, nullptr, nullptr},
    {"HistoryWithNothingSaysSo", {}, {"history", "@/gp4/cars.wad"}, "",
     "mendwright-cli: no update of @/gp4/cars.wad can be undone\n", 0, "gp4/cars.wad", ""},
    {"VerifyCountsOneEntryInTheSingular", {}, {"verify", "@/one.wad"}, "1 entry, all sound\n", "", 0, nullptr,
     nullptr},
    {"CreateRefusesToReplaceAnArchive", {}, {"create", "@/mod", "@/gp4/cars.wad"}, "",
     "mendwright-cli: Sorry but this file exists already (--force replaces it): @/gp4/cars.wad\n", 2,
     "gp4/cars.wad", ""},
    {"UndoGivesBackWhatCreateReplaced", {{"create", "@/mod", "@/gp4/cars.wad", "--force"}},
     {"undo", "@/gp4/cars.wad"}, "Undo done in Ts\n", "", 0, "gp4/cars.wad", ""},
    {"DryRunSaysNothingWasWritten", {}, {"update", "--dry-run", "-v", "@/mod/a.bin", "@/gp4/cars.wad"},
     "append\tcars\\a.bin\t@/mod/a.bin\n",
     "Updating cars.wad : 100%\nDry run done in Ts, nothing was written\n", 0, "gp4/cars.wad", ""},
    {"UndoOfABatchSaysHowManyCameBack", {{"update-tracks", "@/mod", "--gp4", "@/gp4"}},
     {"undo", "@/gp4/monza2001.wad"}, "Undo done in Ts, 17 wads given back\n", "", 0, "gp4/spa2001.wad",
     "gp4/spa2001.wad"},
};

std::string InFolder(std::string text, const std::string& folder)
{
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + folder.size()))
        text.replace(at, 1, folder);
    return text;
}

// The seconds a run took vary: "Undo done in 0.012s" reads "Undo done in Ts".
std::string WithoutTimes(const std::string& text)
{
    const auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        // " in " digits, optionally "." or "," and digits, then "s".
        std::size_t end = i + 4;
        if (text.compare(i, 4, " in ") == 0 && digit(end)) {
            while (digit(end))
                ++end;
            if (end < text.size() && (text[end] == '.' || text[end] == ',') && digit(end + 1))
                for (++end; digit(end);)
                    ++end;
            if (end < text.size() && text[end] == 's') {
                out += " in Ts";
                i = end + 1;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

void PrintTo(const TextCase& c, std::ostream* out)
{
    *out << c.name;
}

class CommandTextsTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CommandTextsTest, SaysWhatHappenedAndLeavesTheBytesItShould)
{
    const TextCase& c = GetParam();
    const TempDir dir;
    const std::string cars = test::ContiguousArchive(
        {{"cars\\ferrari\\helmet_1.tex", "abcd"}, {"cars\\williams\\helmet_2.tex", "ef"}});
    dir.Write("gp4/cars.wad", cars);
    for (const char* track : kTracks)
        dir.Write(std::string("gp4/") + track + ".wad", test::ContiguousArchive({{track, "t"}}));
    dir.Write("one.wad", test::ContiguousArchive({{"a.tex", "a"}}));
    dir.Write("mod/a.bin", "new");
    dir.Write("mod/b.bin", "more");
    const std::string original = c.sameAs == nullptr || *c.sameAs == '\0' ? cars : test::ReadBytes(dir / c.sameAs);
    const test::Environment environment = {{"WINEPREFIX", dir / "nowine"}};

    const auto withFolder = [&](const std::vector<std::string>& arguments) {
        std::vector<std::string> given;
        for (const std::string& argument : arguments)
            given.push_back(InFolder(argument, dir.path()));
        return given;
    };
    for (const std::vector<std::string>& step : c.before)
        ASSERT_EQ(test::RunProcess(MENDWRIGHT_CLI, withFolder(step), "", environment).exitCode, 0) << step[0];
    const auto result = test::RunProcess(MENDWRIGHT_CLI, withFolder(c.command), "", environment);
    EXPECT_EQ(WithoutTimes(result.out), InFolder(c.out, dir.path()));
    const std::string err = InFolder(c.err, dir.path());
    // A refusal to find says how names are looked for.
    EXPECT_EQ(WithoutTimes(result.err), err.ends_with(' ') ? err + kRule + "\n" : err);
    EXPECT_EQ(result.exitCode, c.exitCode);
    if (c.archive != nullptr) {
        EXPECT_EQ(test::ReadBytes(dir / c.archive), original);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandTextsTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mw
