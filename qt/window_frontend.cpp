#include "qt/window_frontend.h"

#include <algorithm>

#include <QWidget>

#include "core/text.h"
#include "startup/off_thread_run.h"
#include "qt/dialogs/dialogs.h"
#include "qt/dialogs/error_guard.h"
#include "qt/gui_thread.h"
#include "qt/operation_run.h"
#include "qt/qstring_conversion.h"
#include "qt/widgets/status_bar.h"

namespace mw {

void WindowFrontend::ShowProgress(const Progress& progress)
{
    ShowStatus(StatusViewOf(progress));
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
    dialogs_.ShowUserError(ToQt(RefusalText(refusal)));
}

void WindowFrontend::ShowBytes(std::int64_t done, std::int64_t total)
{
    if (total > 0)
        statusBar_->SetPosition(static_cast<std::uint8_t>(std::clamp<std::int64_t>(done * 100 / total, 0, 100)));
    PaintDuringOperation();
}

void WindowFrontend::RunHeldBack(const std::function<void()>& operation)
{
    const OperationRun run(operationRun_);
    RunHandler(dialogs_, operation);
}

void WindowFrontend::RunOffThread(const std::function<void(Frontend&)>& operation, QWidget* cancelButton)
{
    cancelRequested_.store(false);
    const OperationRun run(workerRun_, [this] { RequestCancel(); }, cancelButton);
    if (cancelButton)
        cancelButton->show();
    RunHandler(dialogs_, [&] {
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
