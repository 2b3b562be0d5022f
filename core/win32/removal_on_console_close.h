// A temporary file removed when Ctrl+C, Ctrl+Break or closing the console
// ends the process while it has a name that closing it would not remove
// (between clearing its delete-on-close mark and putting it in place).
#pragma once

#include <string>

namespace mw {

// From now on the console's control events remove the file at path (a
// full wide path); the handler is put in place the first time.
void ArmRemovalOnConsoleClose(const std::wstring& path);
// The file is gone or has taken its final name: nothing is removed.
void DisarmRemovalOnConsoleClose();

}  // namespace mw
