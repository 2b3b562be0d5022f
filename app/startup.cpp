#include "app/startup.h"

#include "app/auto_install.h"
#include "ui/text.h"

namespace mw {

int RunMode(const std::vector<std::string>& arguments, RunState& state, ProgramWindows& windows,
            Dialogs& dialogs, const std::function<int()>& messageLoop)
{
    state.AutoInstallMode = false;
    if (arguments.size() < 2) {
        // A file manager's "Open With" hands over one path; an archive
        // opened so is opened to see what it holds.
        const bool archiveGiven = arguments.size() == 1 && windows.mainWindow.OpenGivenPath(ToQt(arguments[0])) ==
                                                               MainWindow::GivenPath::Archive;
        windows.mainWindow.show();
        if (archiveGiven)
            windows.mainWindow.ShowContents();
        return messageLoop();
    }
    state.AutoInstallMode = true;
    return RunAutoInstall(arguments, state, windows, dialogs);
}

}  // namespace mw
