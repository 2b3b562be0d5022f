// The attacks that try to turn an extraction, or the names create and update
// store, against the user, each once through mendwright-cli: the exit code,
// the error naming the file it concerns, and nothing outside the output
// folder (nor the archive) changed. The link attacks run again as an
// unprivileged user against a folder it owns.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

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
    for (auto it = fs::recursive_directory_iterator(dir.path()); it != fs::recursive_directory_iterator(); ++it) {
        const fs::directory_entry& entry = *it;
        const std::string path = entry.path().string();
        if (path == output)
            it.disable_recursion_pending();
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
    std::string cannot = {};  // why the attack cannot be planted here, or ""
    // What reached a pipe that the attack planted, read after the run.
    std::function<std::string()> sentThrough = {};
};

enum class Runs {
    AsCaller,
    AlsoAsNobody,
    Unprivileged,  // root would pass where the attack expects a refusal
};

struct Attack {
    const char* name;
    // Plants what the attack needs below dir and returns the command.
    std::function<Command(const TempDir& dir)> arrange;
    int exitCode;
    std::string error;  // what stderr says, "{dir}" standing for the folder
    Runs runs = Runs::AsCaller;
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

// Extraction onto a device, a pipe or a socket already at an entry's path.
Command ExtractOntoNode(const TempDir& dir, mode_t kind, dev_t device = 0)
{
    const std::string node = dir.MakeFolder("out") + "/node";
    Command command = Extract(Archive(dir, "a.wad", {{"first.txt", "1"}, {"node", "into the node"}}), dir / "out");
    if (::mknod(node.c_str(), kind | 0666, device) != 0) {
        command.cannot = "cannot make the node: " + std::string(std::strerror(errno));
        return command;
    }
    if (S_ISFIFO(kind)) {
        // Open across the run, so that bytes written into the pipe stay there.
        const std::shared_ptr<int> reader(new int(::open(node.c_str(), O_RDONLY | O_NONBLOCK)), [](int* fd) {
            ::close(*fd);
            delete fd;
        });
        command.sentThrough = [reader] {
            char bytes[64];
            const ssize_t got = ::read(*reader, bytes, sizeof bytes);
            return std::string(bytes, got > 0 ? static_cast<std::size_t>(got) : 0);
        };
    }
    return command;
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
     "mendwright-cli: {dir}/out/maps: Symbolic link in the output folder.\n", Runs::AlsoAsNobody},
    {"LinkAtAnEntryToAFileOutside",
     [](const TempDir& dir) { return ExtractWithLink(dir, "out/victim.txt", "outside/victim.txt", "victim.txt"); },
     1, "mendwright-cli: {dir}/out/victim.txt: Symbolic link in the output folder.\n", Runs::AlsoAsNobody},
    {"DanglingLinkAtAnEntry",
     [](const TempDir& dir) { return ExtractWithLink(dir, "out/new.txt", "outside/new.txt", "new.txt"); }, 1,
     "mendwright-cli: {dir}/out/new.txt: Symbolic link in the output folder.\n", Runs::AlsoAsNobody},
    {"PipeAtAnEntry", [](const TempDir& dir) { return ExtractOntoNode(dir, S_IFIFO); }, 1,
     "mendwright-cli: {dir}/out/node: Device, pipe or socket in the output folder.\n"},
    {"CharacterDeviceAtAnEntry",  // the numbers of /dev/null
     [](const TempDir& dir) { return ExtractOntoNode(dir, S_IFCHR, ::makedev(1, 3)); }, 1,
     "mendwright-cli: {dir}/out/node: Device, pipe or socket in the output folder.\n"},
    {"SocketAtAnEntry", [](const TempDir& dir) { return ExtractOntoNode(dir, S_IFSOCK); }, 1,
     "mendwright-cli: {dir}/out/node: Device, pipe or socket in the output folder.\n"},
    {"LinkLoopAsTheOutputFolder",
     [](const TempDir& dir) {
         fs::create_symlink("loop1", dir / "loop1");
         return Extract(Archive(dir, "a.wad", {{"a.txt", "1"}}), dir / "loop1");
     },
     1, "mendwright-cli: {dir}/loop1: Erreur E/S 40. (loop1 is a symbolic link, or leads through a loop of them)\n"},
    {"UnreadableOutputFolder",
     [](const TempDir& dir) {
         ::chmod(dir.MakeFolder("out").c_str(), 0);
         return Extract(Archive(dir, "a.wad", {{"a.txt", "1"}}), dir / "out");
     },
     1, "mendwright-cli: {dir}/out: Accès au fichier refusé. (you may not open out (its permissions, or its folder's, forbid it))\n", Runs::Unprivileged},
    {"OutputFolderThatCannotBeMade",
     [](const TempDir& dir) {
         ::chmod(dir.MakeFolder("ro").c_str(), 0555);
         return Extract(Archive(dir, "a.wad", {{"a.txt", "1"}}), dir / "ro/out");
     },
     1, "mendwright-cli: {dir}/ro/out: Accès au fichier refusé. (you may not create out (its folder's permissions forbid it))\n", Runs::Unprivileged},
    {"FolderBelowTheOutputThatCannotBeMade",
     [](const TempDir& dir) {
         ::chmod(dir.MakeFolder("out/cars").c_str(), 0555);
         return Extract(Archive(dir, "a.wad", {{"cars\\sub\\a.txt", "1"}}), dir / "out");
     },
     1, "mendwright-cli: {dir}/out/cars/sub: Accès au fichier refusé. (you may not create sub (its folder's permissions forbid it))\n", Runs::Unprivileged},
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
         // The second create packs the first archive into the one that replaces it.
         test::RunProcess(MENDWRIGHT_CLI, {"-q", "create", dir / "out", dir / "out/out.wad"});
         test::RunProcess(MENDWRIGHT_CLI, {"-q", "create", "--force", dir / "out", dir / "out/out.wad"});
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
    if (!command.cannot.empty())
        GTEST_SKIP() << command.cannot;
    if (attack.runs == Runs::Unprivileged && !unprivileged && test::RunningAsRoot())
        GTEST_SKIP() << "root passes every permission; the run as nobody holds this";
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
    if (command.sentThrough) {
        EXPECT_EQ(command.sentThrough(), "");
    }
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Attack, bool>>& info)
{
    return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "AsNobody" : "");
}

std::vector<Attack> AttacksAsNobody()
{
    std::vector<Attack> attacks;
    for (const Attack& attack : kAttacks)
        if (attack.runs != Runs::AsCaller)
            attacks.push_back(attack);
    return attacks;
}

INSTANTIATE_TEST_SUITE_P(Every, ExtractionAttackTest,
                         ::testing::Combine(::testing::ValuesIn(kAttacks), ::testing::Values(false)), CaseName);
INSTANTIATE_TEST_SUITE_P(Unprivileged, ExtractionAttackTest,
                         ::testing::Combine(::testing::ValuesIn(AttacksAsNobody()), ::testing::Values(true)),
                         CaseName);

}  // namespace
}  // namespace mw
