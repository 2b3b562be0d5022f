#include "win32/program_dialogs.h"

namespace mw {

Win32Dialogs& ProgramDialogsInUse()
{
    static Win32Dialogs boxes;
    return boxes;
}

}  // namespace mw
