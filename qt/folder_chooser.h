// The folder chooser ("Select Files..."). Its OK hides the window and hands
// the chosen folder on: the program puts it into the main window's source
// field.
#pragma once

#include <functional>

#include "qt/small_window.h"

class QLabel;
class QWidget;

namespace mw {

class FolderTree;
class PictureButton;

class FolderChooser : public SmallWindow {
    Q_OBJECT

public:
    using Accept = std::function<void(const QString& folder)>;

    explicit FolderChooser(Accept accept);
    // A tree over a desktop folder of the caller's choice (tests).
    FolderChooser(Accept accept, const QString& desktopFolder);

    QLabel* PromptLabel() const { return promptLabel_; }
    QWidget* BottomBand() const { return bottomBand_; }
    PictureButton* OkButton() const { return okButton_; }
    FolderTree* Tree() const { return tree_; }

    // OK: the window hides and the selected folder's path is handed on.
    void AcceptFolder();

private:
    QWidget* topBand_;
    QLabel* promptLabel_;
    QWidget* leftBand_;
    QWidget* rightBand_;
    QWidget* bottomBand_;
    PictureButton* okButton_;
    FolderTree* tree_;
    Accept accept_;
};

}  // namespace mw
