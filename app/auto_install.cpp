#include "app/auto_install.h"

namespace mw {

// The branches ("\1wad" with its step words, the confirmation and the
// success message) are not written yet: until they are, the program ends
// without showing anything, as it does for an unknown mode word.
int RunAutoInstall(const QStringList& arguments, RunState& state, TForm1& mainWindow, Dialogs& dialogs)
{
    static_cast<void>(arguments);
    static_cast<void>(state);
    static_cast<void>(mainWindow);
    static_cast<void>(dialogs);
    return 0;
}

}  // namespace mw
