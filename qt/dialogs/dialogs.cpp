#include "qt/dialogs/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "qt/dialogs/message_boxes.h"

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

QStringList Dialogs::RunOpenFilesDialog(const FileDialogRequest& request)
{
    const auto dialog = MakeOpenFilesDialog(request);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    QStringList chosen;
    for (const QString& file : dialog->selectedFiles())
        chosen.append(QDir::toNativeSeparators(file));
    return chosen;
}

std::optional<QString> Dialogs::ChooseFolder(const QString& title, const QString& startFolder)
{
    return RunFileDialog(*MakeFolderDialog(title, startFolder));
}

std::optional<QString> Dialogs::AskText(const QString& title, const QString& label, const QString& text)
{
    QInputDialog box;
    box.setWindowTitle(title);
    box.setLabelText(label);
    box.setTextValue(text);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
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
