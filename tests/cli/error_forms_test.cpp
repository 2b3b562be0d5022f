// What mendwright-cli says when something goes wrong: the file concerned and
// the system's reason for a file error, one reason line for a wrong command
// line, and output that cannot be written reported as an error.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "core/file_faults.h"
#include "tests/support/bad_inputs.h"
#include "tests/support/permission_checks.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

test::ProcessResult Cli(const std::vector<std::string>& arguments)
{
    return test::RunProcess(MENDWRIGHT_CLI, arguments);
}

test::ProcessResult CliUnprivileged(const TempDir& dir, const std::vector<std::string>& arguments)
{
    return test::RunUnprivileged(dir.path(), MENDWRIGHT_CLI, arguments);
}

// The tool run in this process, so that the file layer's fault seam reaches
// it; what it writes on stderr is collected from a file.
test::ProcessResult CliInProcess(const TempDir& dir, const std::vector<std::string>& arguments)
{
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    const int captured = ::open((dir / "stderr").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    ::dup2(captured, STDERR_FILENO);
    test::ProcessResult result;
    result.exitCode = cli::RunCli(arguments);
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    ::close(captured);
    result.err = test::ReadBytes(dir / "stderr");
    return result;
}

class CliErrorTest : public ::testing::Test {
protected:
    void TearDown() override { faults::Clear(); }
    TempDir dir;
};

TEST_F(CliErrorTest, FileErrorsNameThePathAndTheCause)
{
    dir.Write("mods/a.bin", "a");
    ::chmod(dir.Write("mods/locked.bin", "b").c_str(), 0);
    auto result = CliUnprivileged(dir, {"create", dir / "mods", dir / "x.wad"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "mendwright-cli: " + dir / "mods/locked.bin" +
                              ": Accès au fichier refusé. (you may not read locked.bin (another user's, or its "
                              "permissions forbid it))\n");
    EXPECT_FALSE(test::Exists(dir / "x.wad"));

    result = Cli({"list", dir / "none.wad"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "mendwright-cli: " + dir / "none.wad" + ": Fichier introuvable. (none.wad does not exist)\n");
}

// A source folder that cannot be read would leave its files out unsaid: it
// is named, and nothing is written, in a dry run too.
TEST_F(CliErrorTest, ASourceFolderThatCannotBeReadIsNamedAndNothingIsWritten)
{
    dir.Write("mods/a.bin", "a");
    dir.Write("mods/locked/b.bin", "b");
    ::chmod((dir / "mods/locked").c_str(), 0);
    const std::string old = test::ContiguousArchive({{"a.bin", "old"}});
    const std::string archive = dir.Write("t.wad", old);
    const std::vector<std::vector<std::string>> runs = {
        {"create", dir / "mods", dir / "new.wad"},
        {"update", dir / "mods", archive},
        {"update", dir / "mods", archive, "--dry-run"},
    };
    for (const auto& arguments : runs) {
        const auto result = CliUnprivileged(dir, arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments.back();
        EXPECT_EQ(result.err, "mendwright-cli: " + dir / "mods/locked" +
                                  ": Accès au fichier refusé. (you may not read locked (another user's, or its "
                                  "permissions forbid it))\n");
        EXPECT_EQ(test::ReadBytes(archive), old);
        EXPECT_FALSE(test::Exists(dir / "new.wad"));
    }
}

class CliBadInputTest : public CliErrorTest, public ::testing::WithParamInterface<test::BadInput> {};

TEST_P(CliBadInputTest, ShowsTheExactTextAndThePlainCause)
{
    const test::BadInput& input = GetParam();
    const std::string archive = input.arrange(dir);
    if (input.diskFull)
        faults::Arm(faults::Call::Write, 1, ENOSPC);
    test::ProcessResult result;
    {
        const test::PermissionChecks checks;
        result = CliInProcess(dir, {"-q", input.create ? "create" : "update", dir / "src", archive});
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "mendwright-cli: " + archive + ": " + input.text + ". (" + input.cause + ")\n");
}

INSTANTIATE_TEST_SUITE_P(Inputs, CliBadInputTest, ::testing::ValuesIn(test::BadInputs()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliErrorTest, OutputThatCannotBeWrittenIsAFullDisk)
{
    // A listing written at exit, and one written on the way, which the
    // standard library has already failed to write once.
    for (const int entries : {1, 5000}) {
        dir.Write("x.wad", test::ContiguousArchive(std::vector(entries, std::pair<std::string, std::string>("a", "a"))));
        const auto result =
            test::RunProcess("/bin/sh", {"-c", "\"$0\" list \"$1\" > /dev/full", MENDWRIGHT_CLI, dir / "x.wad"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "mendwright-cli: standard output: Erreur E/S 112. (the disk holding standard output is full)\n")
            << entries;
    }
}

struct WrongUsage {
    std::vector<std::string> arguments;
    std::string reason;
};

class CliUsageTest : public ::testing::TestWithParam<WrongUsage> {};

TEST_P(CliUsageTest, SaysWhatIsWrongInOneLine)
{
    const auto result = Cli(GetParam().arguments);
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_EQ(result.err, "mendwright-cli: " + GetParam().reason + "\nTry 'mendwright-cli --help'.\n");
    EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, CliUsageTest,
    ::testing::Values(WrongUsage{{}, "missing command"}, WrongUsage{{"frob"}, "unknown command 'frob'"},
                      WrongUsage{{"create", "src"}, "create: missing ARCHIVE"},
                      WrongUsage{{"list", "a", "b"}, "list: extra operand 'b'"},
                      WrongUsage{{"-x", "list", "a"}, "unknown option '-x'"},
                      WrongUsage{{"list", "a", "--frob"}, "unknown option '--frob'"},
                      WrongUsage{{"update-tracks", "src", "--gp4"}, "option '--gp4' needs an argument"},
                      WrongUsage{{"update", "a", "b.wad", "--json"}, "option '--json' does not go with update"}));

}  // namespace
}  // namespace mw
