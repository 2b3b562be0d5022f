#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/support/temp_dir.h"
#include "tests/ui/ui_test_support.h"
#include "ui/file_open_edit.h"
#include "ui/filesfolder.h"
#include "ui/folder_tree.h"
#include "ui/folder_tree_model.h"
#include "ui/ManualPath.h"
#include "ui/picture_button.h"
#include "ui/WadUnit.h"

namespace mw {
namespace {

class SmallWindowsTest : public testing::Test {
protected:
    QString Desktop() const { return QString::fromStdString(desktop.path()); }

    template <typename Window>
    void Open(Window& window)
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QModelIndex Child(FolderTree& tree, const QString& name)
    {
        return tree.Folders().FindChild(tree.Folders().DesktopIndex(), Desktop() + "/" + name);
    }

    test::TempDir desktop;
    test::WindowFixture fixture;
    TForm1 main{fixture.state, fixture.openSettings, fixture.dialogs};
};

TEST_F(SmallWindowsTest, FolderChooserBandsAndTheirResizing)
{
    TForm2 chooser(main, Desktop());
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Select Files..."));
    EXPECT_TRUE(chooser.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(chooser.isVisible());
    Open(chooser);
    EXPECT_EQ(chooser.size(), QSize(204, 275));
    EXPECT_EQ(chooser.ShellTreeView1->geometry(), QRect(9, 20, 186, 219));
    EXPECT_EQ(chooser.LMDButton1->geometry(), QRect(120, 8, 73, 20));
    EXPECT_EQ(chooser.Label1->text(), QStringLiteral("Please choose a folder"));
    EXPECT_TRUE(chooser.LMDButton1->isDefault());
    EXPECT_TRUE(chooser.ShellTreeView1->AutoRefresh());

    chooser.resize(304, 375);
    QApplication::processEvents();
    EXPECT_EQ(chooser.ShellTreeView1->geometry(), QRect(9, 20, 286, 319)) << "the tree takes the room";
    EXPECT_EQ(chooser.Panel1->height(), 36);
    EXPECT_EQ(chooser.LMDButton1->geometry(), QRect(220, 8, 73, 20)) << "OK keeps its distance from the right";
}

TEST_F(SmallWindowsTest, FolderChooserOkPutsTheChosenFolderIntoTheSourceField)
{
    desktop.MakeFolder("pack");
    TForm2 chooser(main, Desktop());
    main.LMDFile1->SetInitialDir(QStringLiteral("/start/"));
    Open(chooser);
    QTest::mouseClick(chooser.LMDButton1, Qt::LeftButton);
    EXPECT_EQ(main.LMDFile1->Filename(), Desktop()) << "OK at once gives the desktop";
    EXPECT_FALSE(chooser.isVisible());

    Open(chooser);
    chooser.ShellTreeView1->Select(Child(*chooser.ShellTreeView1, "pack"));
    QTest::keyClick(chooser.ShellTreeView1, Qt::Key_Return);
    EXPECT_EQ(main.LMDFile1->Filename(), Desktop() + "/pack") << "Enter presses OK; no trailing separator";
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(main.LMDFile1->InitialDir(), QStringLiteral("/start/"));

    // Closing with the close box changes nothing; the tree is as it was left.
    Open(chooser);
    EXPECT_EQ(chooser.ShellTreeView1->SelectedPath(), Desktop() + "/pack");
    main.LMDFile1->SetFilename(QStringLiteral("kept"));
    chooser.close();
    EXPECT_EQ(main.LMDFile1->Filename(), QStringLiteral("kept"));
}

TEST_F(SmallWindowsTest, ManualPathWindowKeepsEverythingInPlace)
{
    TForm5 manual(main, Desktop());
    Open(manual);
    EXPECT_EQ(manual.size(), QSize(257, 313)) << "265 x 340 with the frame";
    EXPECT_TRUE(manual.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(manual.Label1->text(), QStringLiteral("Please Choose your GP4 Folder :"));
    EXPECT_FALSE(manual.ShellTreeView1->AutoRefresh());
    EXPECT_TRUE(manual.Button1->isDefault());
    manual.resize(400, 500);
    QApplication::processEvents();
    EXPECT_EQ(manual.ShellTreeView1->geometry(), QRect(16, 32, 225, 233));
    EXPECT_EQ(manual.Button1->geometry(), QRect(168, 272, 73, 25));
}

TEST_F(SmallWindowsTest, ManualPathOkRunsTheStartUpFillAgainOnlyWithGP4Exe)
{
    desktop.MakeFolder("nogame");
    desktop.Write("game/GP4.exe", "");
    (*fixture.settings)["FileName"] = "/mods/car.gp4";
    TForm5 manual(main, Desktop());
    EXPECT_EQ(fixture.settingsOpened, 1);

    Open(manual);
    manual.ShellTreeView1->Select(Child(*manual.ShellTreeView1, "nogame"));
    QTest::keyClick(manual.ShellTreeView1, Qt::Key_Return);
    EXPECT_FALSE(manual.isVisible());
    EXPECT_EQ(fixture.settingsOpened, 1);
    EXPECT_EQ(main.LMDFile1->Filename(), QStringLiteral("...or select a file"));

    Open(manual);
    manual.ShellTreeView1->Select(Child(*manual.ShellTreeView1, "game"));
    QTest::mouseClick(manual.Button1, Qt::LeftButton);
    EXPECT_FALSE(manual.isVisible());
    EXPECT_EQ(fixture.settingsOpened, 2);
    EXPECT_EQ(main.LMDFile1->Filename(), QStringLiteral("/mods/car.gp4"));
}

}  // namespace
}  // namespace mw
