// The attacks that try to turn an extraction, or the names create and update
// store, against the user, each once through mendwright-cli: the exit code,
// and nothing outside the output folder (nor the archive) changed. The link
// attacks run again as an unprivileged user against a folder it owns.
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr uid_t kNobody = 65534;
constexpr const char* kSetpriv = "/usr/bin/setpriv";

// Every path below the folder but those below the output folder, with what
// it is: a file's bytes, a link's target, or a folder; the archive always.
std::map<std::string, std::string> Outside(const TempDir& dir, const std::string& archive)
{
    const std::string output = dir / "out";
    std::map<std::string, std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        const std::string path = entry.path().string();
        if (path.rfind(output + "/", 0) == 0)
            continue;
        if (entry.is_symlink())
            found[path] = "link to " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            found[path] = "folder";
        else
            found[path] = test::ReadBytes(path);
    }
    if (test::Exists(archive))
        found[archive] = test::ReadBytes(archive);
    return found;
}

struct Command {
    std::vector<std::string> operands;
    std::string archive;  // the one that is read, or that create would write
};

struct Attack {
    const char* name;
    // Plants what the attack needs below dir and returns the command.
    std::function<Command(const TempDir& dir)> arrange;
    int exitCode;
    std::string error;  // what stderr says, "{dir}" standing for the folder
    bool linkAttack = false;
};

void PrintTo(const Attack& attack, std::ostream* out)
{
    *out << attack.name;
}

std::string Archive(const TempDir& dir, const std::string& relative,
                    const std::vector<std::pair<std::string, std::string>>& entries)
{
    return dir.Write(relative, test::ContiguousArchive(entries));
}

Command Extract(const std::string& archive, const std::string& output)
{
    return {{"extract", archive, output}, archive};
}

Command ExtractWithLink(const TempDir& dir, const std::string& link, const std::string& target,
                        const std::string& entry)
{
    dir.MakeFolder("out");
    fs::create_symlink(dir / target, dir / link);
    return Extract(Archive(dir, "a.wad", {{"first.txt", "1"}, {entry, "through the link"}}), dir / "out");
}

// create or update from a folder that holds a harmless file and the one given.
Command FromSource(const TempDir& dir, const std::string& command, const std::string& file)
{
    dir.Write("src/ok.txt", "ok");
    dir.Write("src/" + file, "bytes");
    const std::string archive = dir / "cars.wad";
    if (command == "update")
        Archive(dir, "cars.wad", {{"cars\\ok.txt", "old"}});
    return {{command, dir / "src", archive}, archive};
}

const Attack kAttacks[] = {
    {"LinkedFolderBelowTheOutput",
     [](const TempDir& dir) { return ExtractWithLink(dir, "out/maps", "outside", "maps\\x"); }, 1,
     "mendwright-cli: Symbolic link in the output folder: {dir}/out/maps.\n", true},
    {"LinkAtAnEntryToAFileOutside",
     [](const TempDir& dir) { return ExtractWithLink(dir, "out/victim.txt", "outside/victim.txt", "victim.txt"); },
     1, "mendwright-cli: Symbolic link in the output folder: {dir}/out/victim.txt.\n", true},
    {"DanglingLinkAtAnEntry",
     [](const TempDir& dir) { return ExtractWithLink(dir, "out/new.txt", "outside/new.txt", "new.txt"); }, 1,
     "mendwright-cli: Symbolic link in the output folder: {dir}/out/new.txt.\n", true},
    {"EmptyOutputFolder",
     [](const TempDir& dir) {
         // Below the root this name would be {dir}/escaped.txt.
         return Extract(Archive(dir, "a.wad", {{dir.path().substr(1) + "/escaped.txt", "root"}}), "");
     },
     64,
     "mendwright-cli: extract: OUTPUT is empty; name a folder (an empty name would mean the root of the file "
     "system)\nTry 'mendwright-cli --help'.\n"},
    {"ArchiveInsideTheOutputUnderAnEntrysName",
     [](const TempDir& dir) {
         dir.Write("out/a.txt", "a");
         dir.Write("out/b.txt", "b");
         for (int i = 0; i < 2; ++i)
             test::RunProcess(MENDWRIGHT_CLI, {"-q", "create", dir / "out", dir / "out/out.wad"});
         return Extract(dir / "out/out.wad", dir / "out");
     },
     2, "mendwright-cli: Sorry but this entry would overwrite the wad itself: out.wad\n"},
    {"HardLinkToTheArchiveAtAnEntry",
     [](const TempDir& dir) {
         const std::string archive = Archive(dir, "a.wad", {{"x", "1"}, {"sub\\h.wad", "2"}, {"y", "3"}});
         fs::create_hard_link(archive, dir.MakeFolder("out/sub") + "/h.wad");
         return Extract(archive, dir / "out");
     },
     2, "mendwright-cli: Sorry but this entry would overwrite the wad itself: sub\\h.wad\n"},
    {"TerminalEscapesInARefusedName",
     [](const TempDir& dir) {
         const std::string archive = Archive(dir, "a.wad", {{"..\\\x1b]0;owned\x07\x1b[2Jdone\r\x7f", "1"}});
         return Extract(archive, dir / "out");
     },
     1, "mendwright-cli: {dir}/a.wad: Unsafe entry name in archive: ..\\?]0;owned??[2Jdone??.\n"},
    {"CreateFromAFileNamedWithBackslashes",
     [](const TempDir& dir) { return FromSource(dir, "create", "..\\..\\evil.txt"); }, 2,
     "mendwright-cli: Sorry but this file's name cannot become a wad entry: {dir}/src/..\\..\\evil.txt\n"},
    {"CreateFromAFolderNamedLikeADrive", [](const TempDir& dir) { return FromSource(dir, "create", "C:/x.txt"); }, 2,
     "mendwright-cli: Sorry but this file's name cannot become a wad entry: {dir}/src/C:/x.txt\n"},
    {"TooLongANameThatHoldsTerminalEscapes",
     [](const TempDir& dir) {
         return FromSource(dir, "create", "\x1b]0;PWNED\x07\x1b[2J\xc2\x9b" + std::string(130, 'x'));
     },
     2, "mendwright-cli: Sorry but this name is too long for a wad entry: ?]0;PWNED??[2J?" + std::string(130, 'x') + "\n"},
    {"UpdateFromAFileNamedWithBackslashes",
     [](const TempDir& dir) { return FromSource(dir, "update", "cars/..\\..\\evil.tex"); }, 2,
     "mendwright-cli: Sorry but this file's name cannot become a wad entry: {dir}/src/cars/..\\..\\evil.tex\n"},
};

std::string WithDir(std::string text, const std::string& dir)
{
    for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;)
        text.replace(at, 5, dir);
    return text;
}

// setpriv's arguments that run the command after them as nobody.
std::vector<std::string> AsNobody(std::vector<std::string> command)
{
    command.insert(command.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", "--"});
    return command;
}

// Hands the folder to nobody; the reason when nobody cannot run in it here.
std::string HandToNobody(const TempDir& dir)
{
    if (!test::RunningAsRoot())
        return "not root: every run is already unprivileged";
    if (::access(kSetpriv, X_OK) != 0)
        return "setpriv is missing";
    for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
        ::lchown(entry.path().c_str(), kNobody, kNobody);
    ::lchown(dir.path().c_str(), kNobody, kNobody);
    const test::ProcessResult probe = test::RunProcess(kSetpriv, AsNobody({"/usr/bin/test", "-w", dir.path()}));
    return probe.exitCode == 0 ? "" : "nobody cannot write the test folder";
}

class ExtractionAttackTest : public ::testing::TestWithParam<std::tuple<Attack, bool>> {};

TEST_P(ExtractionAttackTest, IsRefusedAndChangesNothingOutsideTheOutput)
{
    const auto& [attack, unprivileged] = GetParam();
    const TempDir dir;
    dir.Write("outside/victim.txt", "victim");
    const Command command = attack.arrange(dir);
    std::string program = MENDWRIGHT_CLI;
    std::vector<std::string> operands = command.operands;
    if (unprivileged) {
        if (const std::string reason = HandToNobody(dir); !reason.empty())
            GTEST_SKIP() << reason;
        operands.insert(operands.begin(), program);
        program = kSetpriv;
        operands = AsNobody(operands);
    }
    const auto before = Outside(dir, command.archive);

    const test::ProcessResult result = test::RunProcess(program, operands);
    EXPECT_EQ(result.exitCode, attack.exitCode);
    EXPECT_EQ(result.err, WithDir(attack.error, dir.path()));
    EXPECT_EQ(Outside(dir, command.archive), before);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Attack, bool>>& info)
{
    return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "AsNobody" : "");
}

std::vector<Attack> LinkAttacks()
{
    std::vector<Attack> links;
    for (const Attack& attack : kAttacks)
        if (attack.linkAttack)
            links.push_back(attack);
    return links;
}

INSTANTIATE_TEST_SUITE_P(Every, ExtractionAttackTest,
                         ::testing::Combine(::testing::ValuesIn(kAttacks), ::testing::Values(false)), CaseName);
INSTANTIATE_TEST_SUITE_P(Links, ExtractionAttackTest,
                         ::testing::Combine(::testing::ValuesIn(LinkAttacks()), ::testing::Values(true)), CaseName);

}  // namespace
}  // namespace mw
