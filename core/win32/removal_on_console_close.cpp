#include "core/win32/removal_on_console_close.h"

#include <windows.h>

#include <atomic>
#include <mutex>

namespace mw {
namespace {

// The system runs the handler on a thread of its own; it touches only
// what is set up beforehand.
std::atomic<bool> armed{false};
wchar_t armedPath[32768];

BOOL WINAPI OnControl(DWORD)
{
    if (armed.exchange(false))
        DeleteFileW(armedPath);
    return FALSE;  // the process then ends as it would have
}

}  // namespace

void ArmRemovalOnConsoleClose(const std::wstring& path)
{
    static std::once_flag installed;
    std::call_once(installed, [] { SetConsoleCtrlHandler(OnControl, TRUE); });
    armed = false;
    const std::size_t length = std::min(path.size(), std::size(armedPath) - 1);
    path.copy(armedPath, length);
    armedPath[length] = L'\0';
    armed = true;
}

void DisarmRemovalOnConsoleClose()
{
    armed = false;
}

}  // namespace mw
