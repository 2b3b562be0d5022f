// An operation run on a worker thread while its window's thread goes on
// handling its events: the window repaints, and its Cancel reaches the
// operation.
#pragma once

#include <functional>

#include "ops/frontend.h"
#include "startup/window_thread.h"

namespace mw {

// Runs operation on a worker thread with its frontend calls carried to
// window on thread, and returns on thread when it has ended and every call
// it posted has run. An error that ends it is raised again here; a
// cancelled one ends with its "Cancelled" text in window's status and the
// position at 0.
void RunOffWindowThread(const std::function<void(Frontend&)>& operation, Frontend& window, WindowThread& thread);

}  // namespace mw
