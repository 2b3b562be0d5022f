#include "startup/hand_over.h"

#include "ops/error_report.h"
#include "startup/given_path.h"

namespace mw {

std::optional<std::string> ArchiveToHandOver(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1 || !IsWadFile(arguments[0]))
        return std::nullopt;
    return FullNativePath(arguments[0]);
}

void OpenHandedOverArchive(const std::string& archive, ProgramShell& shell)
{
    if (OpenGivenPath(archive, shell.MainFields()) == GivenPath::Archive)
        shell.ShowContents();
}

}  // namespace mw
