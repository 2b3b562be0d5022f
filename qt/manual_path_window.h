// The Manual Path Entry window. Its OK hands the chosen folder on: the
// program gives it to the main window, which fills its fields again when
// the folder holds GP4.exe.
#pragma once

#include <functional>

#include "qt/small_window.h"

class QLabel;
class QPushButton;

namespace mw {

class FolderTree;

class ManualPathWindow : public SmallWindow {
    Q_OBJECT

public:
    using Accept = std::function<void(const QString& folder)>;

    explicit ManualPathWindow(Accept accept);
    // A tree over a desktop folder of the caller's choice (tests).
    ManualPathWindow(Accept accept, const QString& desktopFolder);

    QLabel* PromptLabel() const { return promptLabel_; }
    FolderTree* Tree() const { return tree_; }
    QPushButton* OkButton() const { return okButton_; }

    // OK: the chosen folder is handed on; the window hides in any case.
    void AcceptFolder();

private:
    QLabel* promptLabel_;
    FolderTree* tree_;
    QPushButton* okButton_;
    Accept accept_;
};

}  // namespace mw
