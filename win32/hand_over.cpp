#include "win32/hand_over.h"

#include "core/win32/wide_text.h"

namespace mw {
namespace {

constexpr ULONG_PTR kArchivePath = 0x4D574144;  // "MWAD"
constexpr UINT kAnswerWait = 5000;                // milliseconds
constexpr DWORD kLongestPath = 32768;             // characters

BOOL CALLBACK NoteHeldWindow(HWND window, LPARAM held)
{
    if (IsWindowVisible(window) && !IsWindowEnabled(window)) {
        *reinterpret_cast<bool*>(held) = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool SendArchiveTo(HWND mainWindow, const std::string& archive)
{
    const std::wstring path = WideFromUtf8(archive);
    COPYDATASTRUCT data = {};
    data.dwData = kArchivePath;
    data.cbData = static_cast<DWORD>(path.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(path.data());
    // The running program may bring its contents window to the front.
    DWORD process = 0;
    GetWindowThreadProcessId(mainWindow, &process);
    AllowSetForegroundWindow(process);
    DWORD_PTR taken = FALSE;
    return SendMessageTimeoutW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerWait, &taken) != 0 &&
           taken == TRUE;
}

bool HandToRunningProgram(const std::string& archive)
{
    // A hidden main window is a package's install running, which takes none.
    for (HWND window = FindWindowExW(nullptr, nullptr, kMainWindowClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr))
        if (IsWindowVisible(window))
            return SendArchiveTo(window, archive);
    return false;
}

std::optional<std::string> HandedOverArchive(const COPYDATASTRUCT& data)
{
    if (data.dwData != kArchivePath || data.lpData == nullptr || data.cbData == 0 ||
        data.cbData % sizeof(wchar_t) != 0 || data.cbData / sizeof(wchar_t) > kLongestPath)
        return std::nullopt;
    const std::wstring path(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
    if (path.find(L'\0') != std::wstring::npos)
        return std::nullopt;
    return Utf8FromWide(path);
}

bool WindowHeldOnThisThread()
{
    bool held = false;
    EnumThreadWindows(GetCurrentThreadId(), NoteHeldWindow, reinterpret_cast<LPARAM>(&held));
    return held;
}

}  // namespace mw
