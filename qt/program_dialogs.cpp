#include "qt/program_dialogs.h"

namespace mw {

Dialogs& ProgramDialogs()
{
    return PlatformDialogs();
}

}  // namespace mw
