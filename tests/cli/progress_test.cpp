// The progress line on a terminal: the tool run under a pseudo-terminal of
// 45 columns while it creates an archive of many megabytes.
#include <fcntl.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <set>
#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace mw {
namespace {

struct TerminalRun {
    int exitCode = -1;
    std::string screen;  // everything written to the terminal, stdout and stderr
};

// The program's stdout and stderr are a pseudo-terminal of the given width;
// posix_spawn rather than fork, as the process helper does.
TerminalRun RunOnTerminal(const std::vector<std::string>& arguments, unsigned short columns)
{
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0)
        throw std::runtime_error("no pseudo-terminal");
    winsize size {};
    size.ws_row = 24;
    size.ws_col = columns;
    ::ioctl(terminal, TIOCSWINSZ, &size);
    const int screen = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, screen, 1);
    posix_spawn_file_actions_adddup2(&actions, screen, 2);
    std::vector<char*> argv = {const_cast<char*>(MENDWRIGHT_CLI)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = -1;
    const int failed = ::posix_spawn(&child, MENDWRIGHT_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(screen);
    if (failed != 0)
        throw std::runtime_error("cannot start the tool");

    TerminalRun run;
    char buffer[4096];
    ssize_t got;
    // The terminal reports an error (EIO) once the program has closed it.
    while ((got = ::read(terminal, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
        if (got > 0)
            run.screen.append(buffer, static_cast<std::size_t>(got));
    ::close(terminal);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(CliProgressTest, CreateRedrawsOneFittedLineOfBytesUpToItsFinalState)
{
    test::TempDir dir(test::MemoryBackedFolder());
    for (int i = 0; i < 8; ++i)
        dir.Write("mods/cars/car" + std::to_string(i) + ".bin", std::string(4 << 20, static_cast<char>('a' + i)));
    constexpr unsigned short kColumns = 45;
    const TerminalRun run = RunOnTerminal({"create", dir / "mods", dir / "x.wad"}, kColumns);
    ASSERT_EQ(run.exitCode, 0) << run.screen;

    // Each drawing: a carriage return, the line, and "erase to the end".
    const std::string kErase = "\x1b[K";
    std::set<std::string> percentages;
    std::string lastLine;
    std::size_t start = 0;
    for (std::size_t end; (end = run.screen.find(kErase, start)) != std::string::npos; start = end + kErase.size()) {
        lastLine = run.screen.substr(run.screen.rfind('\r', end) + 1, end - run.screen.rfind('\r', end) - 1);
        EXPECT_LT(lastLine.size(), kColumns) << lastLine;
        const std::size_t percent = lastLine.find("%  ");
        if (percent != std::string::npos && lastLine.find(" / 32.0 MiB") != std::string::npos)
            percentages.insert(lastLine.substr(lastLine.rfind(' ', percent) + 1, percent));
    }
    EXPECT_GE(percentages.size(), 3u) << run.screen;
    // The final state stays on its line, and the status line follows it.
    EXPECT_NE(lastLine.find(" 100%  32.0 MiB / 32.0 MiB"), std::string::npos) << lastLine;
    EXPECT_EQ(run.screen.substr(start, 17), "\r\nWad created in ");
}

// A cut archive whose entries all lie past its end has no byte to read:
// its line still takes the progress line's form and ends at its end,
// never "Verifying cut.wad : 0%".
TEST(CliProgressTest, VerifyOfACutArchiveEndsItsLineInTheSameForm)
{
    const test::TempDir dir;
    const std::string whole = test::ContiguousArchive({{"cars\\a.tex", std::string(4000, 'a')}});
    dir.Write("cut.wad", whole.substr(0, 200));
    const TerminalRun run = RunOnTerminal({"verify", dir / "cut.wad"}, 80);
    EXPECT_EQ(run.exitCode, 1) << run.screen;
    EXPECT_EQ(run.screen.find(" : "), std::string::npos) << run.screen;
    EXPECT_NE(run.screen.find("\rVerifying cut.wad 100%  0 B / 0 B\x1b[K\r\n"), std::string::npos) << run.screen;
}

}  // namespace
}  // namespace mw
