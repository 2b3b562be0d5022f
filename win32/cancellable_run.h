// An operation run off a window's thread with the window's Cancel button
// shown above the other controls: the window repaints meanwhile and takes
// no input but that button's clicks and Escape, both of which stop the
// operation; an error that ends it is shown in the error display.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

#include "ops/frontend.h"
#include "win32/dialogs.h"
#include "win32/message_window_thread.h"

namespace mw {

class CancellableRun {
public:
    // cancelButton is where the window keeps its button, filled once its
    // controls are made.
    explicit CancellableRun(const HWND& cancelButton);

    // Returns on the window's thread once the operation has ended; the
    // focus is where it was before. An error that ends it calls failed
    // (the window clears its status) before the error display shows it.
    void Run(const std::function<void(Frontend&)>& operation, Frontend& window, Win32Dialogs& boxes,
             const std::function<void()>& failed);
    void RequestCancel() { cancelRequested_.store(true); }
    bool CancelRequested() const { return cancelRequested_.load(); }
    // Whether an operation runs off the thread of any window.
    static bool AnyRuns() { return running_ > 0; }

private:
    const HWND& cancelButton_;
    std::atomic<bool> cancelRequested_{false};
    Win32WindowThread thread_;
    static inline int running_ = 0;
};

}  // namespace mw
