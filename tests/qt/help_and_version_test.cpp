// --help and --version answer without a display: the program runs with the
// X11 platform and no X server to reach.
#include <gtest/gtest.h>

#include "core/version.h"
#include "tests/support/process.h"

namespace mw::test {
namespace {

struct Answer {
    const char* argument;
    const char* firstLine;
};

void PrintTo(const Answer& answer, std::ostream* out)
{
    *out << answer.argument;
}

class HelpAndVersionTest : public testing::TestWithParam<Answer> {};

TEST_P(HelpAndVersionTest, PrintsAndExitsWithoutADisplay)
{
    const ProcessResult result = RunProcess(MENDWRIGHT_PROGRAM, {GetParam().argument}, "",
                                            {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, 30);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')), GetParam().firstLine);
}

INSTANTIATE_TEST_SUITE_P(Options, HelpAndVersionTest,
                         testing::Values(Answer{"--help", "Usage: mendwright"},
                                         Answer{"--version", "mendwright " MENDWRIGHT_VERSION}),
                         [](const auto& info) { return std::string(info.param.argument + 2); });

}  // namespace
}  // namespace mw::test
