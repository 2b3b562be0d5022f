#include "tests/support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace mw::test {
namespace {

std::string ReadAll(const std::string& path)
{
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, got);
        std::fclose(file);
    }
    std::remove(path.c_str());
    return text;
}

// This process's variables with the given ones set on top, as NAME=value.
std::vector<std::string> EnvironmentWith(const Environment& overrides)
{
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        bool overridden = false;
        for (const auto& [name, value] : overrides)
            overridden = overridden || text.rfind(name + "=", 0) == 0;
        if (!overridden)
            variables.push_back(text);
    }
    for (const auto& [name, value] : overrides)
        variables.push_back(name + "=" + value);
    return variables;
}

std::vector<char*> Pointers(const std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (const std::string& text : texts)
        pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// posix_spawn rather than fork: it does not copy the page tables of a test
// process, which are large under AddressSanitizer.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, int out, int err,
            const std::string& folder, const Environment& environment)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    for (const auto& [from, to] : {std::pair{out, 1}, std::pair{err, 2}}) {
        if (from >= 0)
            posix_spawn_file_actions_adddup2(&actions, from, to);
        else
            posix_spawn_file_actions_addopen(&actions, to, "/dev/null", O_WRONLY, 0);
    }
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const std::vector<std::string> envp = EnvironmentWith(environment);
    pid_t child = -1;
    const int failed = ::posix_spawn(&child, program.c_str(), &actions, nullptr, Pointers(argv).data(),
                                     Pointers(envp).data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        throw std::runtime_error("cannot start " + program);
    return child;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const Environment& environment, unsigned timeLimitSeconds)
{
    char outName[] = "/tmp/mendwright-out-XXXXXX";
    char errName[] = "/tmp/mendwright-err-XXXXXX";
    const int out = ::mkstemp(outName);
    const int err = ::mkstemp(errName);
    if (out < 0 || err < 0)
        throw std::runtime_error("cannot make output files");
    const pid_t child = Spawn(program, arguments, out, err, folder, environment);
    ::close(out);
    ::close(err);
    ProcessResult result;
    result.exitCode = WaitProcess(child, timeLimitSeconds);
    result.out = ReadAll(outName);
    result.err = ReadAll(errName);
    return result;
}

pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    return Spawn(program, arguments, -1, -1, "", {});
}

pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& errorFile, const Environment& environment)
{
    const int err = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (err < 0)
        throw std::runtime_error("cannot make " + errorFile);
    try {
        const pid_t child = Spawn(program, arguments, -1, err, "", environment);
        ::close(err);
        return child;
    } catch (...) {
        ::close(err);
        throw;
    }
}

int WaitProcess(pid_t process, unsigned timeLimitSeconds)
{
    if (timeLimitSeconds > 0) {
        const int handle = static_cast<int>(::syscall(SYS_pidfd_open, process, 0));
        pollfd ended {handle, POLLIN, 0};
        if (handle >= 0 && ::poll(&ended, 1, static_cast<int>(timeLimitSeconds) * 1000) == 0)
            ::kill(process, SIGKILL);
        if (handle >= 0)
            ::close(handle);
    }
    int status = 0;
    while (::waitpid(process, &status, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error("cannot wait for a process");
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace mw::test
