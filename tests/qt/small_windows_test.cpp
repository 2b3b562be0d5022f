#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/support/temp_dir.h"
#include "tests/qt/ui_test_support.h"
#include "qt/widgets/file_field.h"
#include "qt/folder_chooser.h"
#include "qt/widgets/folder_tree.h"
#include "qt/widgets/folder_tree_model.h"
#include "qt/manual_path_window.h"
#include "qt/widgets/picture_button.h"
#include "qt/main_window.h"

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
    MainWindow main{fixture.state, fixture.openSettings, fixture.dialogs};
    // What the program hands each window's OK, as ProgramWindows wires it.
    FolderChooser::Accept intoSourceField = [this](const QString& folder) { main.SourceField()->SetFilename(folder); };
    ManualPathWindow::Accept toStartUpFill = [this](const QString& folder) { main.UseGp4Folder(folder); };
};

TEST_F(SmallWindowsTest, FolderChooserBandsAndTheirResizing)
{
    FolderChooser chooser(intoSourceField, Desktop());
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Select Files..."));
    EXPECT_TRUE(chooser.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(chooser.isVisible());
    Open(chooser);
    EXPECT_EQ(chooser.size(), QSize(204, 275));
    EXPECT_EQ(chooser.Tree()->geometry(), QRect(9, 20, 186, 219));
    EXPECT_EQ(chooser.OkButton()->geometry(), QRect(120, 8, 73, 20));
    EXPECT_EQ(chooser.PromptLabel()->text(), QStringLiteral("Please choose a folder"));
    EXPECT_TRUE(chooser.OkButton()->isDefault());
    EXPECT_TRUE(chooser.Tree()->AutoRefresh());

    chooser.resize(304, 375);
    QApplication::processEvents();
    EXPECT_EQ(chooser.Tree()->geometry(), QRect(9, 20, 286, 319)) << "the tree takes the room";
    EXPECT_EQ(chooser.BottomBand()->height(), 36);
    EXPECT_EQ(chooser.OkButton()->geometry(), QRect(220, 8, 73, 20)) << "OK keeps its distance from the right";
}

TEST_F(SmallWindowsTest, FolderChooserOkPutsTheChosenFolderIntoTheSourceField)
{
    desktop.MakeFolder("pack");
    FolderChooser chooser(intoSourceField, Desktop());
    main.SourceField()->SetInitialDir(QStringLiteral("/start/"));
    Open(chooser);
    QTest::mouseClick(chooser.OkButton(), Qt::LeftButton);
    EXPECT_EQ(main.SourceField()->Filename(), Desktop()) << "OK at once gives the desktop";
    EXPECT_FALSE(chooser.isVisible());

    Open(chooser);
    chooser.Tree()->Select(Child(*chooser.Tree(), "pack"));
    QTest::keyClick(chooser.Tree(), Qt::Key_Return);
    EXPECT_EQ(main.SourceField()->Filename(), Desktop() + "/pack") << "Enter presses OK; no trailing separator";
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(main.SourceField()->InitialDir(), QStringLiteral("/start/"));

    // Closing with the close box changes nothing; the tree is as it was left.
    Open(chooser);
    EXPECT_EQ(chooser.Tree()->SelectedPath(), Desktop() + "/pack");
    main.SourceField()->SetFilename(QStringLiteral("kept"));
    chooser.close();
    EXPECT_EQ(main.SourceField()->Filename(), QStringLiteral("kept"));
}

TEST_F(SmallWindowsTest, ManualPathWindowKeepsEverythingInPlace)
{
    ManualPathWindow manual(toStartUpFill, Desktop());
    Open(manual);
    EXPECT_EQ(manual.size(), QSize(257, 313)) << "265 x 340 with the frame";
    EXPECT_TRUE(manual.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(manual.PromptLabel()->text(), QStringLiteral("Please Choose your GP4 Folder :"));
    EXPECT_FALSE(manual.Tree()->AutoRefresh());
    EXPECT_TRUE(manual.OkButton()->isDefault());
    manual.resize(400, 500);
    QApplication::processEvents();
    EXPECT_EQ(manual.Tree()->geometry(), QRect(16, 32, 225, 233));
    EXPECT_EQ(manual.OkButton()->geometry(), QRect(168, 272, 73, 25));
}

TEST_F(SmallWindowsTest, ManualPathOkRunsTheStartUpFillAgainOnlyWithGP4Exe)
{
    desktop.MakeFolder("nogame");
    desktop.Write("game/GP4.exe", "");
    (*fixture.settings)["FileName"] = "/mods/car.gp4";
    ManualPathWindow manual(toStartUpFill, Desktop());
    EXPECT_EQ(fixture.settingsOpened, 1);

    Open(manual);
    manual.Tree()->Select(Child(*manual.Tree(), "nogame"));
    QTest::keyClick(manual.Tree(), Qt::Key_Return);
    EXPECT_FALSE(manual.isVisible());
    EXPECT_EQ(fixture.settingsOpened, 1);
    EXPECT_EQ(main.SourceField()->Filename(), QStringLiteral("...or select a file"));

    Open(manual);
    manual.Tree()->Select(Child(*manual.Tree(), "game"));
    QTest::mouseClick(manual.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(manual.isVisible());
    EXPECT_EQ(fixture.settingsOpened, 2);
    EXPECT_EQ(main.SourceField()->Filename(), QStringLiteral("/mods/car.gp4"));
}

}  // namespace
}  // namespace mw
