#include "startup/command_line.h"

#include "core/console.h"

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

std::vector<std::string> WindowedProgramArguments(int argc, char** argv)
{
    const std::optional<std::string> commandLine = WholeCommandLine();
    if (!commandLine)
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> arguments = SplitCommandLine(*commandLine);
    if (!arguments.empty())
        arguments.erase(arguments.begin());
    return arguments;
}

}  // namespace mw
