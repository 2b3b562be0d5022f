// What every window's side of the operations' frontend shares: status
// texts and positions in the window's status bar, painted while an
// operation holds input back, and user errors in the user-error box.
#pragma once

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

    void SetStatusText(const std::string& text) override;
    void SetPosition(int percent) override;
    void RepaintProgress() override;
    void RepaintWindow() override;
    void ShowUserError(const std::string& message) override;
    // The bytes are not shown; a long copy still lets the window repaint.
    void ShowBytes(std::int64_t done, std::int64_t total) override;

protected:
    // Runs an operation's handler with input held back until it ends; an
    // error that ends it is shown in the default error display.
    void RunHeldBack(const std::function<void()>& operation);
    // Paints pending window repaints while an operation runs.
    void PaintDuringOperation();

    StatusBar* statusBar_ = nullptr;  // made with the window's controls
    Dialogs& dialogs_;

private:
    QWidget& window_;
    OperationRun* operationRun_ = nullptr;  // while an operation runs
};

}  // namespace mw
