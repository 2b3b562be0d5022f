// The window's thread as operations off it reach it: calls queued and run
// by a message-only window, and the thread's message loop run while the
// window waits for an operation, with what a person sends its windows
// held back.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "startup/window_thread.h"

namespace mw {

class Win32WindowThread final : public WindowThread {
public:
    // passes: whether a key, click, drop or close given while events are
    // handled goes on to its window; the others are dropped.
    explicit Win32WindowThread(std::function<bool(const MSG&)> passes);
    ~Win32WindowThread() override;

    void Post(std::function<void()> call) override;
    // The input that waits when done answers true is dropped too.
    void HandleEventsUntil(const std::function<bool()>& done) override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunFirstCall();
    // Handles message, or drops it when it is input that does not pass.
    void Handle(MSG& message);

    std::function<bool(const MSG&)> passes_;
    HWND window_ = nullptr;
    std::mutex mutex_;
    std::deque<std::function<void()>> calls_;
};

}  // namespace mw
