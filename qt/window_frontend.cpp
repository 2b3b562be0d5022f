#include "qt/window_frontend.h"

#include <algorithm>

#include <QWidget>

#include "core/path_helpers.h"
#include "ops/error_report.h"
#include "startup/off_thread_run.h"
#include "qt/dialogs/dialogs.h"
#include "qt/gui_thread.h"
#include "qt/operation_run.h"
#include "qt/text.h"
#include "qt/widgets/status_bar.h"

namespace mw {

void WindowFrontend::ShowProgress(const Progress& progress)
{
    atRest_ = false;
    ShowStatus(status_.Step(progress));
}

void WindowFrontend::ShowStatus(const StatusView& view)
{
    if (view.position)
        statusBar_->SetPosition(static_cast<std::uint8_t>(std::clamp(*view.position, 0, 255)));
    // A status text may quote a name from an archive.
    if (view.text)
        statusBar_->SetCaption(ToQt(PrintableText(*view.text)));
    if (view.paintAtOnce)
        statusBar_->Repaint();
    PaintDuringOperation();
}

void WindowFrontend::RepaintWindow()
{
    window_.repaint();
    PaintDuringOperation();
}

void WindowFrontend::ShowRefusal(const Refusal& refusal)
{
    ShowFailed();
    dialogs_.ShowUserError(ToQt(RefusalText(refusal)));
}

void WindowFrontend::ShowBytes(std::int64_t done, std::int64_t total)
{
    if (const std::optional<StatusView> view = status_.Bytes(done, total))
        ShowStatus(*view);
    else
        PaintDuringOperation();
}

void WindowFrontend::ShowFailed()
{
    StatusView view = status_.Failed();
    view.text = RestingText();
    atRest_ = true;
    ShowStatus(view);
}

bool WindowFrontend::RunShowingFailure(const std::function<void()>& operation)
{
    return RunReportingErrors(operation, [this](const ErrorReport& report) {
        ShowFailed();
        dialogs_.ShowErrorDisplay(ToQt(report.message), ToQt(report.details));
    });
}

void WindowFrontend::RunHeldBack(const std::function<void()>& operation)
{
    const OperationRun run(operationRun_);
    RunShowingFailure(operation);
}

void WindowFrontend::RunOffThread(const std::function<void(Frontend&)>& operation, QWidget* cancelButton)
{
    cancelRequested_.store(false);
    const OperationRun run(workerRun_, [this] { RequestCancel(); }, cancelButton);
    if (cancelButton)
        cancelButton->show();
    RunShowingFailure([&] {
        GuiThread thread;
        RunOffWindowThread(operation, *this, thread);
    });
    if (cancelButton)
        cancelButton->hide();
}

void WindowFrontend::PaintDuringOperation()
{
    if (operationRun_)
        operationRun_->PaintPending();
}

}  // namespace mw
