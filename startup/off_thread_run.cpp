#include "startup/off_thread_run.h"

#include <exception>
#include <thread>

#include "ops/operation_cancelled.h"
#include "startup/window_thread_frontend.h"

namespace mw {

void RunOffWindowThread(const std::function<void(Frontend&)>& operation, Frontend& window, WindowThread& thread)
{
    try {
        WindowThreadFrontend carried(window, thread);
        std::exception_ptr failure;
        bool ended = false;  // on the window's thread
        std::thread worker([&] {
            try {
                operation(carried);
            } catch (...) {
                failure = std::current_exception();
            }
            thread.Post([&ended] { ended = true; });
        });
        thread.HandleEventsUntil([&ended] { return ended; });
        worker.join();
        if (failure)
            std::rethrow_exception(failure);
    } catch (const OperationCancelled& cancelled) {
        window.ShowProgress({ProgressPhase::Cancelled, cancelled.what()});
    }
}

}  // namespace mw
