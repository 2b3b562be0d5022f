// What every Win32 window's side of the operations' frontend shares: the
// status text and position painted in the window's owner-drawn status bar,
// user errors and questions in the program's boxes, and operations run
// with the window's input held back or off its thread with its Cancel
// button shown.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ops/frontend.h"
#include "ops/progress.h"
#include "win32/cancellable_run.h"
#include "win32/dialogs.h"

namespace mw {

class Win32WindowFrontend : public Frontend {
public:
    // statusBar and cancelButton are where the window keeps those controls'
    // handles, filled once its controls are made; the status bar's parent
    // is the window.
    Win32WindowFrontend(const HWND& statusBar, const HWND& cancelButton, Win32Dialogs& boxes)
        : boxes_(boxes), statusBar_(statusBar), run_(cancelButton) {}

    void ShowProgress(const Progress& progress) override;
    void RepaintWindow() override;
    void ShowRefusal(const Refusal& refusal) override;
    bool ConfirmChanges(const std::string& question) override;
    // The bar's position follows the bytes when their total is known. A
    // change of the text or the position is painted at once, also while
    // the window's own thread runs the operation.
    void ShowBytes(std::int64_t done, std::int64_t total) override;
    bool ShowsByteTotal() const override { return true; }
    bool CancelRequested() const override { return run_.CancelRequested(); }

    const std::string& StatusText() const { return statusText_; }
    int Position() const { return position_; }
    // Whether a refusal or an error put the status back to its resting
    // text since the last step.
    bool StatusAtRest() const { return atRest_; }

protected:
    // The status a failure leaves: "" (the main window), the count of
    // entries (the contents window).
    virtual std::string RestingText() const { return {}; }
    // A refusal or an error: the bar empty, the resting text shown.
    void ShowFailed();
    // A new status text, painted at once.
    void SetStatusText(const std::string& text);
    // The status bar's owner drawing, in the window's font.
    void PaintStatus(const DRAWITEMSTRUCT& item, HFONT font) const;
    // Runs work with the window's input held back; an error that ends it
    // is shown in the default error display. True when it ran to its end.
    bool RunHeldBack(const std::function<void()>& work);
    // The same without holding input back.
    bool RunShowingErrors(const std::function<void()>& work);
    // Runs an operation off the window's thread, its Cancel button shown:
    // the window repaints meanwhile and takes no other input but Escape,
    // and an error that ends the operation is shown in the error display.
    void RunOffThread(const std::function<void(Frontend&)>& operation)
    {
        run_.Run(operation, *this, boxes_, [this] { ShowFailed(); });
    }
    // The Cancel button's click: the operation off the thread stops.
    void RequestCancel() { run_.RequestCancel(); }

    Win32Dialogs& boxes_;

private:
    // The text and position a step or the bytes give, painted when they changed.
    void ShowStatus(const StatusView& view);
    void RepaintStatus();

    const HWND& statusBar_;
    CancellableRun run_;
    StatusTrack status_;
    bool atRest_ = false;
    std::string statusText_;
    int position_ = 0;
};

}  // namespace mw
