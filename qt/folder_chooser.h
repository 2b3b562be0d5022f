// The folder chooser ("Select Files..."). Its OK puts the chosen
// folder into the main window's source field.
#pragma once

#include "qt/small_window.h"

class QLabel;
class QWidget;

namespace mw {

class FolderTree;
class MainWindow;
class PictureButton;

class FolderChooser : public SmallWindow {
    Q_OBJECT

public:
    explicit FolderChooser(MainWindow& mainWindow);
    // A tree over a desktop folder of the caller's choice (tests).
    FolderChooser(MainWindow& mainWindow, const QString& desktopFolder);

    QLabel* PromptLabel() const { return promptLabel_; }
    QWidget* BottomBand() const { return bottomBand_; }
    PictureButton* OkButton() const { return okButton_; }
    FolderTree* Tree() const { return tree_; }

    // OK: the selected folder's path into the source field; the window hides.
    void AcceptFolder();

private:
    QWidget* topBand_;
    QLabel* promptLabel_;
    QWidget* leftBand_;
    QWidget* rightBand_;
    QWidget* bottomBand_;
    PictureButton* okButton_;
    FolderTree* tree_;
    MainWindow& mainWindow_;
};

}  // namespace mw
