#include "qt/folder_chooser.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "qt/widgets/file_field.h"
#include "qt/widgets/folder_tree.h"
#include "qt/widgets/folder_tree_model.h"
#include "qt/widgets/picture_button.h"
#include "qt/window_look.h"

namespace mw {

namespace {

constexpr QSize kClientSize(204, 275);
constexpr int kTopBand = 20;
constexpr int kSideBand = 9;
constexpr int kBottomBand = 36;

QWidget* Band(QWidget* parent, int width, int height)
{
    auto* band = new QWidget(parent);
    if (width > 0)
        band->setFixedWidth(width);
    if (height > 0)
        band->setFixedHeight(height);
    return band;
}

}  // namespace

FolderChooser::FolderChooser(Accept accept)
    : FolderChooser(std::move(accept), FolderTreeModel::DefaultDesktopFolder())
{
}

FolderChooser::FolderChooser(Accept accept, const QString& desktopFolder)
    : SmallWindow(QStringLiteral("Select Files..."), kClientSize), accept_(std::move(accept))
{
    topBand_ = Band(this, 0, kTopBand);
    promptLabel_ = PlaceLabel(new QLabel(QStringLiteral("Please choose a folder"), topBand_), 10, 4, 108, 13);
    leftBand_ = Band(this, kSideBand, 0);
    rightBand_ = Band(this, kSideBand, 0);
    bottomBand_ = Band(this, 0, kBottomBand);

    // OK keeps its place at the band's top and right edges: 8 from the top,
    // 11 from the right at the window's first size.
    okButton_ = new PictureButton(QStringLiteral("OK"), bottomBand_);
    okButton_->setFixedSize(73, 20);
    okButton_->setDefault(true);
    auto* okRow = new QHBoxLayout(bottomBand_);
    okRow->setContentsMargins(0, 8, kClientSize.width() - 120 - 73, 0);
    okRow->addStretch();
    okRow->addWidget(okButton_, 0, Qt::AlignTop);

    tree_ = new FolderTree(desktopFolder, this);
    tree_->SetAutoRefresh(true);

    auto* bands = new QGridLayout(this);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    bands->addWidget(topBand_, 0, 0, 1, 3);
    bands->addWidget(leftBand_, 1, 0);
    bands->addWidget(tree_, 1, 1);
    bands->addWidget(rightBand_, 1, 2);
    bands->addWidget(bottomBand_, 2, 0, 1, 3);

    setTabOrder(tree_, okButton_);
    tree_->setFocus(Qt::OtherFocusReason);
    connect(okButton_, &QPushButton::clicked, this, &FolderChooser::AcceptFolder);
}

void FolderChooser::AcceptFolder()
{
    const QString sourceFolder = tree_->SelectedPath();
    hide();
    accept_(sourceFolder);
}

}  // namespace mw
