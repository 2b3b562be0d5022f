#include "win32/window_frontend.h"

#include "ops/error_report.h"
#include "ops/messages.h"
#include "startup/status_bar_fill.h"
#include "win32/status_bar.h"
#include "win32/window_look.h"

namespace mw {

void Win32WindowFrontend::ShowProgress(const Progress& progress)
{
    atRest_ = false;
    ShowStatus(status_.Step(progress));
}

void Win32WindowFrontend::ShowFailed()
{
    StatusView view = status_.Failed();
    view.text = RestingText();
    atRest_ = true;
    ShowStatus(view);
}

void Win32WindowFrontend::ShowStatus(const StatusView& view)
{
    const int position = view.position ? StatusBarPercent(*view.position) : position_;
    if (position == position_ && (!view.text || *view.text == statusText_) && !view.paintAtOnce)
        return;
    position_ = position;
    if (view.text)
        statusText_ = *view.text;
    RepaintStatus();
}

void Win32WindowFrontend::SetStatusText(const std::string& text)
{
    statusText_ = text;
    RepaintStatus();
}

void Win32WindowFrontend::ShowBytes(std::int64_t done, std::int64_t total)
{
    if (const std::optional<StatusView> view = status_.Bytes(done, total))
        ShowStatus(*view);
}

void Win32WindowFrontend::RepaintStatus()
{
    InvalidateRect(statusBar_, nullptr, FALSE);
    UpdateWindow(statusBar_);
}

void Win32WindowFrontend::PaintStatus(const DRAWITEMSTRUCT& item, HFONT font) const
{
    PaintStatusBar(item.hDC, item.rcItem, font, position_, statusText_);
}

void Win32WindowFrontend::RepaintWindow()
{
    RedrawWindow(GetParent(statusBar_), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32WindowFrontend::ShowRefusal(const Refusal& refusal)
{
    ShowFailed();
    boxes_.ShowMessage(RefusalText(refusal));
}

bool Win32WindowFrontend::ConfirmChanges(const std::string& question)
{
    return boxes_.AskQuestion(question);
}

bool Win32WindowFrontend::RunShowingErrors(const std::function<void()>& work)
{
    return RunReportingErrors(work, [this](const ErrorReport& report) {
        ShowFailed();
        boxes_.ShowErrorDisplay(report);
    });
}

bool Win32WindowFrontend::RunHeldBack(const std::function<void()>& work)
{
    bool ended = false;
    HoldInputDuring(GetParent(statusBar_), [&] { ended = RunShowingErrors(work); });
    return ended;
}

}  // namespace mw
