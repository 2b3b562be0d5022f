#include <gtest/gtest.h>

#include "cli/cli_arguments.h"
#include "core/path_helpers.h"

namespace mw::cli {
namespace {

TEST(CliArgumentsTest, OptionsMayStandAnywhere)
{
    const auto invocation = ParseArguments({"-v", "update-tracks", "src", "--dry-run", "--gp4", "/games/gp4"});
    EXPECT_EQ(invocation.command, Command::UpdateTracks);
    EXPECT_EQ(invocation.operands, std::vector<std::string>{"src"});
    EXPECT_EQ(invocation.gp4Folder, NativePath("/games/gp4"));  // "\\games\\gp4" on Windows
    EXPECT_TRUE(invocation.dryRun);
    EXPECT_EQ(invocation.verbosity, Verbosity::Verbose);

    const auto quiet = ParseArguments({"create", "a", "-q", "b"});
    EXPECT_EQ(quiet.operands, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(quiet.verbosity, Verbosity::Quiet);
}

TEST(CliArgumentsTest, DoubleDashEndsTheOptions)
{
    const auto invocation = ParseArguments({"extract", "--", "-odd.wad", "out", "-v"});
    EXPECT_EQ(invocation.operands, (std::vector<std::string>{"-odd.wad", "out", "-v"}));
    EXPECT_EQ(invocation.verbosity, Verbosity::Normal);
}

TEST(CliArgumentsTest, HelpAfterACommandIsThatCommandsHelp)
{
    EXPECT_EQ(ParseArguments({"verify", "--help"}).helpTopic, Command::Verify);
    EXPECT_FALSE(ParseArguments({"-h"}).helpTopic);
}

}  // namespace
}  // namespace mw::cli
