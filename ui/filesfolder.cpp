#include "ui/filesfolder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "ui/file_open_edit.h"
#include "ui/folder_tree.h"
#include "ui/folder_tree_model.h"
#include "ui/picture_button.h"
#include "ui/WadUnit.h"
#include "ui/window_look.h"

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

TForm2::TForm2(TForm1& mainWindow) : TForm2(mainWindow, FolderTreeModel::DefaultDesktopFolder()) {}

TForm2::TForm2(TForm1& mainWindow, const QString& desktopFolder)
    : SmallWindow(QStringLiteral("Select Files..."), kClientSize), mainWindow_(mainWindow)
{
    Panel4 = Band(this, 0, kTopBand);
    Label1 = PlaceLabel(new QLabel(QStringLiteral("Please choose a folder"), Panel4), 10, 4, 108, 13);
    Panel2 = Band(this, kSideBand, 0);
    Panel3 = Band(this, kSideBand, 0);
    Panel1 = Band(this, 0, kBottomBand);

    // OK keeps its place at the band's top and right edges: 8 from the top,
    // 11 from the right at the window's first size.
    LMDButton1 = new TLMDButton(QStringLiteral("OK"), Panel1);
    LMDButton1->setFixedSize(73, 20);
    LMDButton1->setDefault(true);
    auto* okRow = new QHBoxLayout(Panel1);
    okRow->setContentsMargins(0, 8, kClientSize.width() - 120 - 73, 0);
    okRow->addStretch();
    okRow->addWidget(LMDButton1, 0, Qt::AlignTop);

    ShellTreeView1 = new FolderTree(desktopFolder, this);
    ShellTreeView1->SetAutoRefresh(true);

    auto* bands = new QGridLayout(this);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    bands->addWidget(Panel4, 0, 0, 1, 3);
    bands->addWidget(Panel2, 1, 0);
    bands->addWidget(ShellTreeView1, 1, 1);
    bands->addWidget(Panel3, 1, 2);
    bands->addWidget(Panel1, 2, 0, 1, 3);

    setTabOrder(ShellTreeView1, LMDButton1);
    ShellTreeView1->setFocus(Qt::OtherFocusReason);
    connect(LMDButton1, &QPushButton::clicked, this, &TForm2::OKClick);
}

void TForm2::OKClick()
{
    const QString sourceFolder = ShellTreeView1->SelectedPath();
    hide();
    mainWindow_.LMDFile1->SetFilename(sourceFolder);
}

}  // namespace mw
