// The command line and standard streams on Windows.
#include "core/console.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "core/errors.h"
#include "core/standard_output.h"
#include "core/win32/wide_text.h"

namespace mw {
namespace {

HANDLE StandardError()
{
    return GetStdHandle(STD_ERROR_HANDLE);
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    // The narrow arguments went through the process's code page and lost
    // what it cannot hold; the wide command line has every character.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

std::optional<std::string> WholeCommandLine()
{
    return Utf8FromWide(GetCommandLineW());
}

void PrepareStandardStreams()
{
    (void)_setmode(_fileno(stdout), _O_BINARY);
    (void)_setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

bool StandardErrorIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(StandardError(), &mode) != 0;
}

std::size_t StandardErrorColumns()
{
    CONSOLE_SCREEN_BUFFER_INFO information {};
    if (GetConsoleScreenBufferInfo(StandardError(), &information)) {
        const int columns = information.srWindow.Right - information.srWindow.Left + 1;
        if (columns > 1)
            return static_cast<std::size_t>(columns - 1);  // the last column wraps
    }
    return 79;
}

void ForgetOutputError()
{
    _doserrno = 0;
}

// Called at once after the failed call: the C runtime keeps the system's own
// code of the failed write until the next call.
void ThrowOutputError()
{
    const int err = _doserrno != 0 ? static_cast<int>(_doserrno) : ERROR_WRITE_FAULT;
    std::clearerr(stdout);
    ThrowSystemError(err, "standard output");
}

}  // namespace mw
