#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "startup/program_configuration.h"
#include "tests/support/posix/scoped_variable.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::ScopedVariable;

// Both programs start their configuration here: the elapsed times are
// written with the user's locale's decimal separator, a comma in French.
TEST(ProgramConfiguration, TakesTheDecimalSeparatorFromTheLocale)
{
    // A French locale compiled into the test's folder, which the C library
    // reads through LOCPATH: the machine need not have it installed.
    const test::TempDir dir;
    const std::string command = "localedef -i fr_FR -f UTF-8 '" + dir.path() + "/fr_FR.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && !test::Exists(dir / "fr_FR.UTF-8"))
        GTEST_SKIP() << "localedef cannot make fr_FR.UTF-8";
    const ScopedVariable path("LOCPATH", dir.path());
    const struct {
        const char* locale;
        const char* separator;
    } cases[] = {{"fr_FR.UTF-8", ","}, {"C", "."}};
    for (const auto& c : cases) {
        const ScopedVariable all("LC_ALL", c.locale);
        const ProgramConfiguration configuration([] { return std::make_unique<InMemorySettings>(); });
        EXPECT_EQ(configuration.state.DecimalSeparator, c.separator) << c.locale;
        EXPECT_NE(configuration.state.Installation, nullptr);
    }
}

}  // namespace
}  // namespace mw
