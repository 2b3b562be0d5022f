// The frontend an operation on a worker thread talks to: every call is
// carried to the window's frontend on the window's thread. Calls that
// answer, and the dialogs, wait there for their end; the byte progress and
// the files done are only posted, so a long copy never waits for the
// window; the cancel request is read where it is asked. Posted calls run
// in their order, so the last call the worker posts runs after them all.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "ops/frontend.h"
#include "startup/window_thread.h"

namespace mw {

class WindowThreadFrontend final : public Frontend {
public:
    // window is used on thread only.
    WindowThreadFrontend(Frontend& window, WindowThread& thread) : window_(window), thread_(thread) {}

    void ShowProgress(const Progress& progress) override;
    void RepaintWindow() override;
    void ShowRefusal(const Refusal& refusal) override;
    std::optional<std::string> AskSaveLocation(const SaveRequest& request) override;
    bool ConfirmChanges(const std::string& question) override;
    void FileDone(FileAction action, std::string_view entry, const std::string& path,
                  std::string_view replacedMod) override;
    void ShowBytes(std::int64_t done, std::int64_t total) override;
    bool ShowsByteTotal() const override { return window_.ShowsByteTotal(); }
    bool CancelRequested() const override { return window_.CancelRequested(); }

private:
    // Runs call on the window's thread and waits for it; an error it
    // raises is raised again here.
    void OnWindowThread(const std::function<void()>& call);
    // The same for a call that answers: its answer.
    template <typename Call>
    auto Answer(const Call& call)
    {
        decltype(call()) answer{};
        OnWindowThread([&] { answer = call(); });
        return answer;
    }

    Frontend& window_;
    WindowThread& thread_;
    std::atomic<std::int64_t> bytesDone_{0}, bytesTotal_{0};
    std::atomic<bool> bytesPosted_{false};
};

}  // namespace mw
