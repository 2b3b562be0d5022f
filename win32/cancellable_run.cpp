#include "win32/cancellable_run.h"

#include "ops/error_report.h"
#include "startup/off_thread_run.h"

namespace mw {

CancellableRun::CancellableRun(const HWND& cancelButton)
    : cancelButton_(cancelButton),
      thread_([this](const MSG& input) {
          if (input.message == WM_KEYDOWN && input.wParam == VK_ESCAPE)
              RequestCancel();
          return input.message >= WM_MOUSEFIRST && input.message <= WM_MOUSELAST && input.hwnd == cancelButton_;
      })
{
}

void CancellableRun::Run(const std::function<void(Frontend&)>& operation, Frontend& window, Win32Dialogs& boxes,
                         const std::function<void()>& failed)
{
    cancelRequested_.store(false);
    ++running_;
    const HWND focus = GetFocus();
    SetWindowPos(cancelButton_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RunReportingErrors([&] { RunOffWindowThread(operation, window, thread_); },
                       [&](const ErrorReport& report) {
                           failed();
                           boxes.ShowErrorDisplay(report);
                       });
    ShowWindow(cancelButton_, SW_HIDE);
    --running_;
    SetFocus(focus);
}

}  // namespace mw
