// The mods and status commands, run as a user runs them, and a disable
// racing an update of the same archive.
#include <gtest/gtest.h>

#include "ops/operations.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

class CliModsTest : public ::testing::Test {
protected:
    CliModsTest()
    {
        dir.Write("gp4/GP4.exe", "");
        archive = dir.Write("gp4/cars.wad", found);
        dir.Write("fast/a.tex", "fast a");
        dir.Write("fast/n.tex", "fast n");
        dir.Write("helmet/a.tex", "helmet a");
    }
    // The programs keep their ledgers in this test program's data folder.
    test::ProcessResult Cli(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.end(), {"--gp4", dir / "gp4"});
        return test::RunProcess(MENDWRIGHT_CLI, arguments);
    }
    test::ProcessResult Update(const std::string& source, const std::string& into)
    {
        return test::RunProcess(MENDWRIGHT_CLI, {"-q", "update", dir / source, into});
    }

    const std::string found = test::ContiguousArchive({{"a.tex", "found a"}, {"b.tex", "found b"}});
    TempDir dir;
    std::string archive;
};

// Each command's output after two mods, the second overwriting the first's
// a.tex, and the first then disabled.
TEST_F(CliModsTest, CommandsListShowChangeAndTellTheStatus)
{
    ASSERT_EQ(Update("fast", archive).exitCode, 0);
    ASSERT_EQ(Update("helmet", archive).exitCode, 0);
    const std::string carsWad = dir / "gp4/cars.wad";
    struct Step {
        std::vector<std::string> arguments;
        std::string out;  // lines' fields that hold times or folders are left out
    };
    const std::vector<Step> steps = {
        {{"status"}, carsWad + "\tchanged by mods: fast, helmet\n"},
        {{"mods", "show", "fast"}, "cars.wad\ta.tex\treplaced\tmod helmet\ncars.wad\tcars\\n.tex\tappended\tthis mod\n"},
        {{"mods", "disable", "fast", "--dry-run"}, "cars.wad\tcars\\n.tex\ttaken out with mod fast\n"},
        {{"-q", "mods", "disable", "fast"}, ""},
        {{"mods", "show", "fast"},
         "cars.wad\ta.tex\treplaced\tmod helmet\ncars.wad\tcars\\n.tex\tappended\tnot in the wad\n"},
        {{"status"}, carsWad + "\tchanged by mods: helmet\n"},
        {{"mods", "remove", "nothing"}, ""},
    };
    for (const Step& step : steps) {
        const test::ProcessResult result = Cli(step.arguments);
        SCOPED_TRACE(::testing::PrintToString(step.arguments) + result.err);
        EXPECT_EQ(result.out, step.out);
    }
    const test::ProcessResult list = Cli({"mods"});
    EXPECT_NE(list.out.find("fast\tdisabled\t"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("\tcars.wad\t1 replaced, 1 appended, 0 overwritten by later mods\t"), std::string::npos);
    const test::ProcessResult json = Cli({"mods", "--json"});
    EXPECT_NE(json.out.find("{\"name\": \"helmet\", \"enabled\": true,"), std::string::npos) << json.out;
    EXPECT_EQ(Cli({"mods", "remove", "nothing"}).exitCode, 2);
}

// A disable and an update of one archive, started together: whichever goes
// first, the archive ends as found with the update's mod alone.
TEST_F(CliModsTest, ADisableRacingAnUpdateLosesNeither)
{
    std::string expected;
    {
        const std::string reference = dir.Write("reference/cars.wad", found);
        RunState state;
        state.UndoFolder.clear();
        state.ModsFolder.clear();
        test::RecordingFrontend ui;
        ASSERT_TRUE(UpdateWad(state, ui, {dir / "helmet", reference}));
        expected = test::ReadBytes(reference);
    }
    for (int round = 0; round < 5; ++round) {
        const std::string gp4 = "round" + std::to_string(round);
        dir.Write(gp4 + "/GP4.exe", "");
        const std::string cars = dir.Write(gp4 + "/cars.wad", found);
        ASSERT_EQ(Update("fast", cars).exitCode, 0);
        const pid_t disable = test::StartProcess(MENDWRIGHT_CLI, {"-q", "mods", "disable", "fast", "--gp4", dir / gp4});
        const test::ProcessResult update = Update("helmet", cars);
        EXPECT_EQ(test::WaitProcess(disable, 60), 0);
        EXPECT_EQ(update.exitCode, 0) << update.err;
        EXPECT_EQ(test::ReadBytes(cars), expected) << "round " << round;
    }
}

}  // namespace
}  // namespace mw
