// Every modal dialog the windows open goes through this one seam, so that a
// test can answer them without a modal loop. The base class shows the real
// dialogs and message boxes.
#pragma once

#include <optional>

#include <QString>

#include "qt/dialogs/file_dialogs.h"

namespace mw {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen file's full path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> RunOpenDialog(const FileDialogRequest& request);
    virtual std::optional<QString> RunSaveDialog(const FileDialogRequest& request);
    // The chosen files' full paths; none when the dialog was cancelled.
    virtual QStringList RunOpenFilesDialog(const FileDialogRequest& request);
    // A folder chosen in a folder dialog that opens in startFolder, or
    // nothing when it was cancelled.
    virtual std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder);
    // A line the user typed in a box that starts with text, or nothing when
    // it was cancelled.
    virtual std::optional<QString> AskText(const QString& title, const QString& label, const QString& text);

    virtual void ShowUserError(const QString& message);
    // The error's exact text, and below it what the user needs to act: its
    // cause in plain words and the file's full path (empty when neither is known).
    virtual void ShowErrorDisplay(const QString& message, const QString& details);
    // True only when the question was answered with "&Oui".
    virtual bool AskQuestion(const QString& question);
};

// The real dialogs, shared by every window that is given no other.
Dialogs& PlatformDialogs();

}  // namespace mw
