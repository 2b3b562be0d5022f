#include "startup/startup.h"

#include "startup/auto_install.h"
#include "startup/given_path.h"

namespace mw {

int RunMode(const std::vector<std::string>& arguments, RunState& state, ProgramShell& shell, StartupDialogs& dialogs,
            const std::function<int()>& messageLoop)
{
    if (arguments.size() < 2) {
        // A file manager's "Open With" hands over one path; an archive
        // opened so is opened to see what it holds.
        const bool archiveGiven =
            arguments.size() == 1 && OpenGivenPath(arguments[0], shell.MainFields()) == GivenPath::Archive;
        shell.ShowMainWindow();
        if (archiveGiven)
            shell.ShowContents();
        return messageLoop();
    }
    return RunAutoInstall(arguments, state, shell, dialogs);
}

}  // namespace mw
