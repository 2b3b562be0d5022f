#include "win32/program_boxes.h"

namespace mw {

Win32Boxes& ProgramBoxesInUse()
{
    static Win32Boxes boxes;
    return boxes;
}

}  // namespace mw
