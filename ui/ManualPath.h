// TForm5: the Manual Path Entry window. Its OK hands the chosen folder to
// the main window, which fills its fields again when the folder holds GP4.exe.
#pragma once

#include "ui/small_window.h"

class QLabel;
class QPushButton;

namespace mw {

class FolderTree;
class TForm1;

class TForm5 : public SmallWindow {
    Q_OBJECT

public:
    explicit TForm5(TForm1& mainWindow);
    // A tree over a desktop folder of the caller's choice (tests).
    TForm5(TForm1& mainWindow, const QString& desktopFolder);

    QLabel* Label1;
    FolderTree* ShellTreeView1;
    QPushButton* Button1;

    // OK: the chosen folder to the main window; the window hides in any case.
    void Button1Click();

private:
    TForm1& mainWindow_;
};

}  // namespace mw
