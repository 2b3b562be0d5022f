// The command line and standard streams on POSIX.
#include "core/console.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/errors.h"
#include "core/standard_output.h"

namespace mw {

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::optional<std::string> WholeCommandLine()
{
    return std::nullopt;
}

void PrepareStandardStreams() {}

bool StandardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

std::size_t StandardErrorColumns()
{
    winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1)
        return size.ws_col - 1u;  // the last column would wrap on some terminals
    return 79;
}

void ForgetOutputError()
{
    errno = 0;
}

// Called at once after the failed call, whose errno is still there: a later
// call may reset it, and a full disk would then read as a device error.
void ThrowOutputError()
{
    const int err = errno != 0 ? errno : EIO;
    std::clearerr(stdout);
    ThrowSystemError(err, "standard output");
}

}  // namespace mw
