#include "cli/cli_output.h"

#include <cstdio>

#include "core/text.h"

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

}  // namespace mw::cli
