#include "tests/support/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const Environment& environment)
{
    char outName[] = "/tmp/mendwright-out-XXXXXX";
    char errName[] = "/tmp/mendwright-err-XXXXXX";
    const int out = ::mkstemp(outName);
    const int err = ::mkstemp(errName);
    if (out < 0 || err < 0)
        throw std::runtime_error("cannot make output files");
    const pid_t child = ::fork();
    if (child == 0) {
        const int none = ::open("/dev/null", O_RDONLY);
        ::dup2(none, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        for (const auto& [name, value] : environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        if (!folder.empty() && ::chdir(folder.c_str()) != 0)
            ::_exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out);
    ::close(err);
    int status = 0;
    ::waitpid(child, &status, 0);
    ProcessResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadAll(outName);
    result.err = ReadAll(errName);
    return result;
}

}  // namespace mw::test
