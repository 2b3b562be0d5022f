// The frontend an operation on a worker thread talks to: every call is
// carried to the window's frontend on the GUI thread. Calls that answer,
// and the dialogs, wait there for their end; the byte progress and the
// files done are only posted, so a long copy never waits for the window;
// the cancel request is read where it is asked.
#pragma once

#include <atomic>
#include <exception>
#include <functional>

#include <QObject>

#include "ops/frontend.h"

namespace mw {

class GuiThreadFrontend final : public Frontend {
public:
    // Made on the GUI thread; window is used there only.
    explicit GuiThreadFrontend(Frontend& window) : window_(window) {}

    std::string SourceText() override;
    void SetSourceText(const std::string& text) override;
    std::string ArchiveText() override;
    void SetArchiveText(const std::string& text) override;
    void ShowProgress(const Progress& progress) override;
    void RepaintWindow() override;
    void ShowRefusal(const Refusal& refusal) override;
    std::optional<std::string> AskSaveLocation(const SaveRequest& request) override;
    bool ConfirmChanges(const std::string& question) override;
    void FileDone(FileAction action, std::string_view entry, const std::string& path) override;
    void ShowBytes(std::int64_t done, std::int64_t total) override;
    bool ShowsByteTotal() const override { return window_.ShowsByteTotal(); }
    bool CancelRequested() const override { return window_.CancelRequested(); }

private:
    // Runs call on the GUI thread and waits for it; an error it raises is
    // raised again here.
    void OnGuiThread(const std::function<void()>& call);
    // The same for a call that answers: its answer.
    template <typename Call>
    auto Answer(const Call& call)
    {
        decltype(call()) answer{};
        OnGuiThread([&] { answer = call(); });
        return answer;
    }

    Frontend& window_;
    QObject context_;  // posted calls die with it
    std::atomic<std::int64_t> bytesDone_{0}, bytesTotal_{0};
    std::atomic<bool> bytesPosted_{false};
};

}  // namespace mw
