#include "cli/cli_output.h"

#include <cstdio>

#include "core/errors.h"
#include "core/path_helpers.h"

namespace mw::cli {

void PrintError(const std::string& text, const std::string& path, int systemError)
{
    std::string line = "mendwright-cli: ";
    if (!path.empty())
        line += PrintableText(path) + ": ";
    line += text;
    if (systemError != 0)
        line += " (" + SystemErrorText(systemError) + ")";
    std::fprintf(stderr, "%s\n", line.c_str());
}

void PrintUsageError(const std::string& reason)
{
    std::fprintf(stderr, "mendwright-cli: %s\nTry 'mendwright-cli --help'.\n", reason.c_str());
}

}  // namespace mw::cli
