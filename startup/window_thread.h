// The thread a window runs on, as an operation running off it reaches it.
// Each window toolkit gives it with its own event loop.
#pragma once

#include <functional>

namespace mw {

class WindowThread {
public:
    virtual ~WindowThread() = default;

    // Has call run on the window's thread soon, after every call posted
    // before it; may be called from any thread.
    virtual void Post(std::function<void()> call) = 0;
    // On the window's thread: handles its events, posted calls among them,
    // until done answers true after one of them.
    virtual void HandleEventsUntil(const std::function<bool()>& done) = 0;
};

}  // namespace mw
