#include "ui/ManualPath.h"

#include <QLabel>
#include <QPushButton>

#include "ui/folder_tree.h"
#include "ui/folder_tree_model.h"
#include "ui/WadUnit.h"
#include "ui/window_look.h"

namespace mw {

namespace {
constexpr QSize kOuterSize(265, 340);
}  // namespace

TForm5::TForm5(TForm1& mainWindow) : TForm5(mainWindow, FolderTreeModel::DefaultDesktopFolder()) {}

TForm5::TForm5(TForm1& mainWindow, const QString& desktopFolder)
    : SmallWindow(QStringLiteral("Manual Path Entry"), ClientSizeOf(kOuterSize)), mainWindow_(mainWindow)
{
    // Nothing here moves or stretches when the window is resized.
    Label1 = PlaceLabel(new QLabel(QStringLiteral("Please Choose your GP4 Folder :"), this), 16, 8, 156, 13);
    ShellTreeView1 = new FolderTree(desktopFolder, this);
    ShellTreeView1->setGeometry(16, 32, 225, 233);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(168, 272, 73, 25);
    Button1->setDefault(true);

    setTabOrder(ShellTreeView1, Button1);
    ShellTreeView1->setFocus(Qt::OtherFocusReason);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
}

void TForm5::Button1Click()
{
    mainWindow_.GP4FolderChosen(ShellTreeView1->SelectedPath());
    hide();
}

}  // namespace mw
