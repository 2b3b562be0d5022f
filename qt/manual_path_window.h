// The Manual Path Entry window. Its OK hands the chosen folder to
// the main window, which fills its fields again when the folder holds GP4.exe.
#pragma once

#include "qt/small_window.h"

class QLabel;
class QPushButton;

namespace mw {

class FolderTree;
class MainWindow;

class ManualPathWindow : public SmallWindow {
    Q_OBJECT

public:
    explicit ManualPathWindow(MainWindow& mainWindow);
    // A tree over a desktop folder of the caller's choice (tests).
    ManualPathWindow(MainWindow& mainWindow, const QString& desktopFolder);

    QLabel* PromptLabel() const { return promptLabel_; }
    FolderTree* Tree() const { return tree_; }
    QPushButton* OkButton() const { return okButton_; }

    // OK: the chosen folder to the main window; the window hides in any case.
    void AcceptFolder();

private:
    QLabel* promptLabel_;
    FolderTree* tree_;
    QPushButton* okButton_;
    MainWindow& mainWindow_;
};

}  // namespace mw
