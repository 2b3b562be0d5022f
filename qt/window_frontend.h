// What every window's side of the operations' frontend shares: status
// texts and positions in the window's status bar, painted while an
// operation holds input back, and user errors in the user-error box.
#pragma once

#include <atomic>
#include <functional>
#include <string>

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
    // error that ends it is shown in the default error display.
    void RunHeldBack(const std::function<void()>& operation);
    // The same with the operation on a worker thread, its frontend calls
    // carried to this one: the window repaints as usual meanwhile, and
    // Escape or cancelButton (shown for the run) stops it; a stopped
    // operation ends with its "Cancelled" text in the status bar.
    void RunOffThread(const std::function<void(Frontend&)>& operation, QWidget* cancelButton);
    // Paints pending window repaints while an operation runs.
    void PaintDuringOperation();
    // The status bar's text and position, as a step or the end of a run sets them.
    void ShowStatus(const StatusView& view);
    // What the status bar says at rest, which a refusal or an error leaves
    // on it in place of the last step: nothing, unless the window says more.
    virtual std::string RestingText() const { return {}; }
    // Whether the last run's failure left the status at rest.
    bool StatusAtRest() const { return atRest_; }

    StatusBar* statusBar_ = nullptr;  // made with the window's controls
    Dialogs& dialogs_;

private:
    // A refusal or an error: the status goes back to rest.
    void ShowFailed();
    // Runs the operation; an error that ends it clears the status, then
    // shows in the default error display. False when one ended it.
    bool RunShowingFailure(const std::function<void()>& operation);

    QWidget& window_;
    StatusTrack status_;
    bool atRest_ = false;
    OperationRun* operationRun_ = nullptr;  // while an operation runs on the GUI thread
    OperationRun* workerRun_ = nullptr;     // while one runs off it
    std::atomic<bool> cancelRequested_{false};
};

}  // namespace mw
