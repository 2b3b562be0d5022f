#include "qt/manual_path_window.h"

#include <QLabel>
#include <QPushButton>

#include "qt/widgets/folder_tree.h"
#include "qt/widgets/folder_tree_model.h"
#include "qt/window_look.h"

namespace mw {

namespace {
constexpr QSize kOuterSize(265, 340);
}  // namespace

ManualPathWindow::ManualPathWindow(Accept accept)
    : ManualPathWindow(std::move(accept), FolderTreeModel::DefaultDesktopFolder())
{
}

ManualPathWindow::ManualPathWindow(Accept accept, const QString& desktopFolder)
    : SmallWindow(QStringLiteral("Manual Path Entry"), ClientSizeOf(kOuterSize)), accept_(std::move(accept))
{
    // Nothing here moves or stretches when the window is resized.
    promptLabel_ = PlaceLabel(new QLabel(QStringLiteral("Please Choose your GP4 Folder :"), this), 16, 8, 156, 13);
    tree_ = new FolderTree(desktopFolder, this);
    tree_->setGeometry(16, 32, 225, 233);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setGeometry(168, 272, 73, 25);
    okButton_->setDefault(true);

    setTabOrder(tree_, okButton_);
    tree_->setFocus(Qt::OtherFocusReason);
    connect(okButton_, &QPushButton::clicked, this, &ManualPathWindow::AcceptFolder);
}

void ManualPathWindow::AcceptFolder()
{
    accept_(tree_->SelectedPath());
    hide();
}

}  // namespace mw
