// The durable rename on Windows: MoveFileExW writes the move through to
// the disk before it returns.
#include "core/durable_rename.h"

#include <windows.h>

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/win32/wide_text.h"

namespace mw {

void RenameDurably(const std::string& from, const std::string& to)
{
    int err = faults::Check(faults::Call::Rename);
    if (err == 0 && !MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        err = static_cast<int>(GetLastError());
    if (err != 0)
        ThrowSystemError(err, to);
}

}  // namespace mw
