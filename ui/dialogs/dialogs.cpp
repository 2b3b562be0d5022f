#include "ui/dialogs/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/dialogs/message_boxes.h"

namespace mw {

namespace {

std::optional<QString> RunFileDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

}  // namespace

std::optional<QString> Dialogs::RunOpenDialog(const FileDialogRequest& request)
{
    return RunFileDialog(*MakeOpenDialog(request));
}

std::optional<QString> Dialogs::RunSaveDialog(const FileDialogRequest& request)
{
    return RunFileDialog(*MakeSaveDialog(request));
}

void Dialogs::ShowUserError(const QString& message)
{
    MakeUserErrorBox(message)->exec();
}

void Dialogs::ShowErrorDisplay(const QString& message, const QString& details)
{
    MakeErrorDisplay(message, details)->exec();
}

bool Dialogs::AskQuestion(const QString& question)
{
    const auto box = MakeQuestionBox(question);
    box->exec();
    return AnsweredYes(*box);
}

Dialogs& PlatformDialogs()
{
    static Dialogs dialogs;
    return dialogs;
}

}  // namespace mw
