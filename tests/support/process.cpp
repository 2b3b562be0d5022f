#include "tests/support/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

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

struct Launch {
    int out = -1;  // descriptors for the child's stdout and stderr
    int err = -1;
    std::string folder;
    const Environment* environment = nullptr;
    unsigned timeLimitSeconds = 0;
};

pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, const Launch& launch)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    const int none = ::open("/dev/null", O_RDWR);
    ::dup2(none, 0);
    ::dup2(launch.out >= 0 ? launch.out : none, 1);
    ::dup2(launch.err >= 0 ? launch.err : none, 2);
    if (launch.environment)
        for (const auto& [name, value] : *launch.environment)
            ::setenv(name.c_str(), value.c_str(), 1);
    if (!launch.folder.empty() && ::chdir(launch.folder.c_str()) != 0)
        ::_exit(127);
    // A pending alarm outlives exec: the program is ended when it runs too long.
    if (launch.timeLimitSeconds > 0)
        ::alarm(launch.timeLimitSeconds);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
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
    const pid_t child = Spawn(program, arguments, {out, err, folder, &environment, timeLimitSeconds});
    ::close(out);
    ::close(err);
    ProcessResult result;
    result.exitCode = WaitProcess(child);
    result.out = ReadAll(outName);
    result.err = ReadAll(errName);
    return result;
}

pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    return Spawn(program, arguments, {});
}

int WaitProcess(pid_t process)
{
    int status = 0;
    while (::waitpid(process, &status, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error("cannot wait for a process");
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace mw::test
