#include "win32/message_window_thread.h"

#include <shellapi.h>

namespace mw {
namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightWindowThread";
constexpr UINT kRunCall = WM_APP;

// What a person sends a window: keys, the pointer in and around it, files
// dropped on it.
bool IsUserInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_DROPFILES;
}

}  // namespace

Win32WindowThread::Win32WindowThread(std::function<bool(const MSG&)> passes) : passes_(std::move(passes))
{
    static const ATOM windowClass = [] {
        WNDCLASSW look = {};
        look.lpfnWndProc = Procedure;
        look.hInstance = GetModuleHandleW(nullptr);
        look.lpszClassName = kWindowClass;
        return RegisterClassW(&look);
    }();
    static_cast<void>(windowClass);
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32WindowThread::~Win32WindowThread()
{
    DestroyWindow(window_);
}

void Win32WindowThread::Post(std::function<void()> call)
{
    {
        const std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    // Each call runs at its own message, in its place among the input. A
    // full message queue refuses one: the worker that posts waits for room
    // rather than leave a call that no message would run.
    while (!PostMessageW(window_, kRunCall, 0, 0) && GetLastError() == ERROR_NOT_ENOUGH_QUOTA)
        Sleep(1);
}

LRESULT CALLBACK Win32WindowThread::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRunCall)
        return DefWindowProcW(window, message, wParam, lParam);
    reinterpret_cast<Win32WindowThread*>(GetWindowLongPtrW(window, GWLP_USERDATA))->RunFirstCall();
    return 0;
}

// One call per message: a dialog a call opens runs the calls that follow
// it in their order.
void Win32WindowThread::RunFirstCall()
{
    std::function<void()> call;
    {
        const std::lock_guard lock(mutex_);
        call = std::move(calls_.front());
        calls_.pop_front();
    }
    call();
}

void Win32WindowThread::HandleEventsUntil(const std::function<bool()>& done)
{
    // A quit asked for meanwhile waits for the end: the operation needs the
    // thread until then.
    bool quit = false;
    WPARAM exitCode = 0;
    MSG message;
    while (!done()) {
        if (GetMessageW(&message, nullptr, 0, 0) > 0) {
            Handle(message);
        } else {
            quit = true;
            exitCode = message.wParam;
        }
    }
    while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
           PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    if (quit)
        PostQuitMessage(static_cast<int>(exitCode));
}

void Win32WindowThread::Handle(MSG& message)
{
    if (IsUserInput(message.message) && !passes_(message)) {
        if (message.message == WM_DROPFILES)
            DragFinish(reinterpret_cast<HDROP>(message.wParam));
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace mw
