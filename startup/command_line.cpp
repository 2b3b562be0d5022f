#include "startup/command_line.h"

#ifdef _WIN32
#include <windows.h>

#include "core/win32/wide_text.h"
#endif

namespace mw {
namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine)
{
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < commandLine.size()) {
        if (IsBlank(commandLine[i])) {
            ++i;
            continue;
        }
        std::string argument;
        bool quoted = false;
        for (; i < commandLine.size() && (quoted || !IsBlank(commandLine[i])); ++i) {
            if (commandLine[i] == '"')
                quoted = !quoted;
            else
                argument += commandLine[i];
        }
        if (!argument.empty())
            arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
#ifdef _WIN32
    static_cast<void>(argc);
    static_cast<void>(argv);
    std::vector<std::string> arguments =
        SplitCommandLine(Utf8FromWide(::GetCommandLineW()));
    if (!arguments.empty())
        arguments.erase(arguments.begin());
    return arguments;
#else
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
}

}  // namespace mw
