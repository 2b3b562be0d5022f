// The real program on a virtual display: a person presses Enter on the
// question box, then on the success message.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "tests/qt/update_package.h"

namespace mw::test {
namespace {

// The program's full path found in PATH, or "".
std::string FindInPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return {};
}

// Starts the program with $2... and presses Enter on each box as it
// appears; the program's exit code, or 90 when a box never appeared.
constexpr const char* kPressEnterScript = R"(
program=$1; shift
"$program" "$@" &
pid=$!
press_enter() {
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
    if [ -z "$window" ]; then echo "no window named $1" >&2; kill $pid; exit 90; fi
    xdotool windowfocus --sync "$window" key Return
}
press_enter '^Confirmation$'
press_enter '^Mendwright 3\.1$'
wait $pid
)";

TEST(AutoInstallDisplayTest, EnterOnTheQuestionBoxAgreesAndThePackagePatches)
{
    const std::string xvfbRun = FindInPath("xvfb-run");
    if (xvfbRun.empty() || FindInPath("xdotool").empty())
        GTEST_SKIP() << "xvfb-run or xdotool is missing (scripts/bootstrap installs both): "
                        "the run on a virtual display is skipped";

    const PackageMachine machine;
    const std::string cars = machine.PutArchive("cars.wad", "old");
    machine.PutUpdate("carsfix/a.txt", "new");
    Environment environment = machine.MachineEnvironment();
    environment.emplace_back("QT_QPA_PLATFORM", "xcb");

    const ProcessResult result =
        RunProcess(xvfbRun,
                   {"-a", "-s", "-screen 0 1280x1024x24", "sh", "-c", kPressEnterScript, "sh", MENDWRIGHT_PROGRAM,
                    "\\1wad", "cars.wad", "carsfix"},
                   machine.work, environment, 120);

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadBytes(cars), OneEntryArchive("new"));
}

}  // namespace
}  // namespace mw::test
