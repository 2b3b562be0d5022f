#include "cli/cli_output.h"

#include <cerrno>
#include <cstdio>

#include "core/errors.h"
#include "core/path_helpers.h"

namespace mw::cli {

void PrintError(const std::string& text, const std::string& path, const std::string& cause)
{
    std::string line = "mendwright-cli: ";
    if (!path.empty())
        line += path + ": ";
    line += text;
    if (!cause.empty())
        line += " (" + cause + ")";
    // The text may quote a name too: nothing in the line drives the terminal.
    std::fprintf(stderr, "%s\n", PrintableText(line).c_str());
}

void PrintUsageError(const std::string& reason)
{
    std::fprintf(stderr, "mendwright-cli: %s\nTry 'mendwright-cli --help'.\n", reason.c_str());
}

namespace {

// Called at once after the failed call, whose errno is still there.
[[noreturn]] void ThrowOutputError()
{
    const int err = errno != 0 ? errno : EIO;
    std::clearerr(stdout);
    ThrowErrno(err, "standard output");
}

}  // namespace

void PrintOut(std::string_view text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        ThrowOutputError();
}

void FlushStandardOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        ThrowOutputError();
}

bool StandardErrorWritten()
{
    return std::fflush(stderr) == 0 && !std::ferror(stderr);
}

}  // namespace mw::cli
