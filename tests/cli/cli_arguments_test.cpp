#include <gtest/gtest.h>

#include "cli/cli_arguments.h"

namespace mw::cli {
namespace {

TEST(CliArgumentsTest, OptionsMayStandAnywhere)
{
    const auto invocation = ParseArguments({"-v", "update-tracks", "src", "--gp4", "/games/gp4"});
    ASSERT_TRUE(invocation);
    EXPECT_EQ(invocation->command, Command::UpdateTracks);
    EXPECT_EQ(invocation->operands, std::vector<std::string>{"src"});
    EXPECT_EQ(invocation->gp4Folder, "/games/gp4");
    EXPECT_EQ(invocation->verbosity, Verbosity::Verbose);

    const auto late = ParseArguments({"create", "a", "-q", "b", "--gp4=x"});
    EXPECT_FALSE(late);  // --gp4 belongs to update-tracks only
    const auto quiet = ParseArguments({"create", "a", "-q", "b"});
    ASSERT_TRUE(quiet);
    EXPECT_EQ(quiet->operands, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(quiet->verbosity, Verbosity::Quiet);
}

TEST(CliArgumentsTest, DoubleDashEndsTheOptions)
{
    const auto invocation = ParseArguments({"list", "--", "-odd.wad"});
    ASSERT_TRUE(invocation);
    EXPECT_EQ(invocation->operands, std::vector<std::string>{"-odd.wad"});
}

}  // namespace
}  // namespace mw::cli
