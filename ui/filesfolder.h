// TForm2: the folder chooser ("Select Files..."). Its OK puts the chosen
// folder into the main window's source field.
#pragma once

#include "ui/small_window.h"

class QLabel;
class QWidget;

namespace mw {

class FolderTree;
class TForm1;
class TLMDButton;

class TForm2 : public SmallWindow {
    Q_OBJECT

public:
    explicit TForm2(TForm1& mainWindow);
    // A tree over a desktop folder of the caller's choice (tests).
    TForm2(TForm1& mainWindow, const QString& desktopFolder);

    QWidget* Panel4;  // top band
    QLabel* Label1;
    QWidget* Panel2;  // left band
    QWidget* Panel3;  // right band
    QWidget* Panel1;  // bottom band
    TLMDButton* LMDButton1;
    FolderTree* ShellTreeView1;

    // OK: the selected folder's path into the source field; the window hides.
    void OKClick();

private:
    TForm1& mainWindow_;
};

}  // namespace mw
