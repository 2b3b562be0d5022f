// What every window's side of the operations' frontend shares: status
// texts and positions in the window's status bar, painted while an
// operation holds input back, and user errors in the user-error box.
#pragma once

#include <atomic>
#include <functional>

#include "ops/frontend.h"

class QWidget;

namespace mw {

class Dialogs;
class OperationRun;
class StatusBar;

class WindowFrontend : public Frontend {
public:
    WindowFrontend(QWidget& window, Dialogs& dialogs) : dialogs_(dialogs), window_(window) {}

    void ShowProgress(const Progress& progress) override;
    void RepaintWindow() override;
    void ShowRefusal(const Refusal& refusal) override;
    // The bar's position follows the bytes when their total is known.
    void ShowBytes(std::int64_t done, std::int64_t total) override;
    bool ShowsByteTotal() const override { return true; }
    bool CancelRequested() const override { return cancelRequested_.load(); }
    // The user's Cancel: the operation running off the window's thread stops.
    void RequestCancel() { cancelRequested_.store(true); }

protected:
    // Runs an operation's handler with input held back until it ends; an
    // error that ends it is shown in the default error display. True when
    // it ran to its end.
    bool RunHeldBack(const std::function<void()>& operation);
    // The same with the operation on a worker thread, its frontend calls
    // carried to this one: the window repaints as usual meanwhile, and
    // Escape or cancelButton (shown for the run) stops it; a stopped
    // operation ends with its "Cancelled" text in the status bar.
    void RunOffThread(const std::function<void(Frontend&)>& operation, QWidget* cancelButton);
    // Paints pending window repaints while an operation runs.
    void PaintDuringOperation();
    // The status bar's text and position, as a step or the end of a run sets them.
    void ShowStatus(const StatusView& view);

    StatusBar* statusBar_ = nullptr;  // made with the window's controls
    Dialogs& dialogs_;

private:
    QWidget& window_;
    OperationRun* operationRun_ = nullptr;  // while an operation runs on the GUI thread
    OperationRun* workerRun_ = nullptr;     // while one runs off it
    std::atomic<bool> cancelRequested_{false};
};

}  // namespace mw
