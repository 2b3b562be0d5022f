#include "startup/window_thread_frontend.h"

#include <condition_variable>
#include <exception>
#include <mutex>

namespace mw {

void WindowThreadFrontend::OnWindowThread(const std::function<void()>& call)
{
    std::exception_ptr failure;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    thread_.Post([&] {
        try {
            call();
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        done = true;
        ended.notify_one();
    });
    std::unique_lock lock(mutex);
    ended.wait(lock, [&] { return done; });
    if (failure)
        std::rethrow_exception(failure);
}

void WindowThreadFrontend::ShowProgress(const Progress& progress)
{
    OnWindowThread([&] { window_.ShowProgress(progress); });
}

void WindowThreadFrontend::RepaintWindow()
{
    OnWindowThread([&] { window_.RepaintWindow(); });
}

void WindowThreadFrontend::ShowRefusal(const Refusal& refusal)
{
    OnWindowThread([&] { window_.ShowRefusal(refusal); });
}

std::optional<std::string> WindowThreadFrontend::AskSaveLocation(const SaveRequest& request)
{
    return Answer([&] { return window_.AskSaveLocation(request); });
}

bool WindowThreadFrontend::ConfirmChanges(const std::string& question)
{
    return Answer([&] { return window_.ConfirmChanges(question); });
}

void WindowThreadFrontend::FileDone(FileAction action, std::string_view entry, const std::string& path,
                                    std::string_view replacedMod)
{
    thread_.Post([this, action, entry = std::string(entry), path, mod = std::string(replacedMod)] {
        window_.FileDone(action, entry, path, mod);
    });
}

void WindowThreadFrontend::ShowBytes(std::int64_t done, std::int64_t total)
{
    bytesDone_.store(done);
    bytesTotal_.store(total);
    // One call waits on the window's thread at a time; it shows the latest count.
    if (bytesPosted_.exchange(true))
        return;
    thread_.Post([this] {
        bytesPosted_.store(false);
        window_.ShowBytes(bytesDone_.load(), bytesTotal_.load());
    });
}

}  // namespace mw
