#include "ui/gui_thread_frontend.h"

#include <QMetaObject>

namespace mw {

void GuiThreadFrontend::OnGuiThread(const std::function<void()>& call)
{
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        &context_,
        [&] {
            try {
                call();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

std::string GuiThreadFrontend::SourceText()
{
    return Answer([this] { return window_.SourceText(); });
}

void GuiThreadFrontend::SetSourceText(const std::string& text)
{
    OnGuiThread([&] { window_.SetSourceText(text); });
}

std::string GuiThreadFrontend::ArchiveText()
{
    return Answer([this] { return window_.ArchiveText(); });
}

void GuiThreadFrontend::SetArchiveText(const std::string& text)
{
    OnGuiThread([&] { window_.SetArchiveText(text); });
}

void GuiThreadFrontend::ShowProgress(const Progress& progress)
{
    OnGuiThread([&] { window_.ShowProgress(progress); });
}

void GuiThreadFrontend::RepaintWindow()
{
    OnGuiThread([&] { window_.RepaintWindow(); });
}

void GuiThreadFrontend::ShowRefusal(const Refusal& refusal)
{
    OnGuiThread([&] { window_.ShowRefusal(refusal); });
}

std::optional<std::string> GuiThreadFrontend::AskSaveLocation(const SaveRequest& request)
{
    return Answer([&] { return window_.AskSaveLocation(request); });
}

bool GuiThreadFrontend::ConfirmChanges(const std::string& question)
{
    return Answer([&] { return window_.ConfirmChanges(question); });
}

void GuiThreadFrontend::FileDone(FileAction action, std::string_view entry, const std::string& path)
{
    QMetaObject::invokeMethod(
        &context_, [this, action, entry = std::string(entry), path] { window_.FileDone(action, entry, path); },
        Qt::QueuedConnection);
}

void GuiThreadFrontend::ShowBytes(std::int64_t done, std::int64_t total)
{
    bytesDone_.store(done);
    bytesTotal_.store(total);
    // One call waits on the GUI thread at a time; it shows the latest count.
    if (bytesPosted_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        &context_,
        [this] {
            bytesPosted_.store(false);
            window_.ShowBytes(bytesDone_.load(), bytesTotal_.load());
        },
        Qt::QueuedConnection);
}

}  // namespace mw
