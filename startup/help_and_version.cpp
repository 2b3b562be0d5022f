#include "startup/help_and_version.h"

#include "core/version.h"

namespace mw {

namespace {

constexpr const char* kHelp =
    "Usage: mendwright\n"
    "       mendwright MODE ARCHIVE [UPDATE_FOLDER] [STEP]\n"
    "\n"
    "Without arguments (or with one), opens the main window. With two or more,\n"
    "patches ARCHIVE of the GP4 installation with UPDATE_FOLDER (found in the\n"
    "working folder, UpdateFolder when left out), as update packages call it:\n"
    "MODE is \\1wad, STEP \\Start, \\Run or \\End for a series of calls.\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "mendwright-cli does the same work from a terminal.\n";

}  // namespace

std::optional<std::string> HelpOrVersionText(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1)
        return std::nullopt;
    if (arguments[0] == "--help")
        return std::string(kHelp);
    if (arguments[0] == "--version")
        return std::string("mendwright " MENDWRIGHT_VERSION "\n");
    return std::nullopt;
}

}  // namespace mw
