#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "tests/support/temp_dir.h"
#include "qt/widgets/folder_path.h"
#include "qt/widgets/folder_tree.h"
#include "qt/widgets/folder_tree_model.h"

namespace mw {
namespace {

QStringList ChildNames(FolderTreeModel& model, const QModelIndex& parent)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(parent); ++row)
        names << model.DisplayName(model.index(row, 0, parent));
    return names;
}

class FolderTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        desktop.MakeFolder("beta");
        desktop.MakeFolder("Alpha/inner");
        desktop.MakeFolder(".hidden");
        desktop.Write("file.txt", "x");
    }

    QString Desktop() const { return QString::fromStdString(desktop.path()); }

    test::TempDir desktop;
};

TEST_F(FolderTreeTest, DesktopRootHoldsHomeTheFileSystemAndItsVisibleFolders)
{
    FolderTreeModel model(Desktop(), nullptr);
    ASSERT_EQ(model.rowCount(), 1);
    const QModelIndex root = model.DesktopIndex();
    EXPECT_EQ(model.ParsingName(root), Desktop());
    model.fetchMore(root);

    const QStringList names = ChildNames(model, root);
    ASSERT_GE(names.size(), 4);
    EXPECT_EQ(names.mid(names.size() - 2), (QStringList{"Alpha", "beta"})) << "no files, no hidden folders";
    EXPECT_TRUE(model.FindChild(root, QDir::toNativeSeparators(QDir::rootPath())).isValid())
        << "the file system root is reachable";

    const QModelIndex alpha = model.FindChild(root, Desktop() + "/Alpha");
    const QModelIndex beta = model.FindChild(root, Desktop() + "/beta");
    EXPECT_TRUE(model.hasChildren(alpha));
    EXPECT_FALSE(model.hasChildren(beta)) << "no expand button without subfolders";
}

TEST_F(FolderTreeTest, RefreshAddsAndRemovesFoldersAndKeepsTheOthers)
{
    FolderTreeModel model(Desktop(), nullptr);
    const QModelIndex root = model.DesktopIndex();
    const QModelIndex alpha = model.FindChild(root, Desktop() + "/Alpha");
    model.fetchMore(alpha);
    const QPersistentModelIndex inner = model.index(0, 0, alpha);

    desktop.MakeFolder("Alpha/another");
    desktop.MakeFolder("gamma");
    QDir(Desktop() + "/beta").removeRecursively();
    model.Refresh(root);

    const QStringList names = ChildNames(model, root);
    EXPECT_EQ(names.mid(names.size() - 2), (QStringList{"Alpha", "gamma"}));
    EXPECT_TRUE(inner.isValid()) << "Alpha's node, listed children included, stays";
    EXPECT_EQ(ChildNames(model, model.FindChild(root, Desktop() + "/Alpha")), QStringList{"inner"});
}

TEST_F(FolderTreeTest, FirstShowSelectsAndExpandsTheDesktopAndAutoRefreshFollowsTheSelection)
{
    FolderTree tree(Desktop(), nullptr);
    tree.SetAutoRefresh(true);
    EXPECT_TRUE(tree.SelectedPath().isEmpty()) << "nothing selected before the tree is shown";
    EXPECT_EQ(tree.WatchedFolder(), Desktop()) << "the root before any selection";
    EXPECT_FALSE(tree.rootIsDecorated());
    EXPECT_EQ(tree.indentation(), 19);

    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    EXPECT_EQ(tree.SelectedPath(), Desktop());
    EXPECT_TRUE(tree.isExpanded(tree.Folders().DesktopIndex()));

    const QModelIndex alpha = tree.Folders().FindChild(tree.Folders().DesktopIndex(), Desktop() + "/Alpha");
    tree.expand(alpha);
    tree.Select(alpha);
    EXPECT_EQ(tree.WatchedFolder(), Desktop() + "/Alpha");
    desktop.MakeFolder("Alpha/fresh");
    EXPECT_TRUE(QTest::qWaitFor([&] { return ChildNames(tree.Folders(), alpha).contains("fresh"); }, 5000));
}

// A selected folder that gains its first subfolder gets its expander at
// once, and one that loses its last loses it, without collapsing the parent.
TEST_F(FolderTreeTest, ExpanderFollowsSubfoldersThatComeAndGo)
{
    FolderTree tree(Desktop(), nullptr);
    tree.SetAutoRefresh(true);
    tree.resize(200, 300);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    FolderTreeModel& model = tree.Folders();
    struct Case {
        const char* folder;
        bool gainsSubfolder;
    };
    for (const Case c : {Case{"beta", true}, Case{"Alpha", false}}) {
        const QModelIndex node = model.FindChild(model.DesktopIndex(), Desktop() + '/' + c.folder);
        tree.Select(node);
        if (c.gainsSubfolder)
            desktop.MakeFolder(std::string(c.folder) + "/fresh");
        else
            QDir(Desktop() + "/Alpha/inner").removeRecursively();
        ASSERT_TRUE(QTest::qWaitFor([&] { return model.hasChildren(node) == c.gainsSubfolder; }, 5000));
        QCoreApplication::processEvents();

        const QRect row = tree.visualRect(node);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(row.left() - tree.indentation() / 2, row.center().y()));
        EXPECT_EQ(tree.isExpanded(node), c.gainsSubfolder) << c.folder << ": a click on its expander";
    }
}

TEST_F(FolderTreeTest, RightClickSelects)
{
    FolderTree tree(Desktop(), nullptr);
    tree.resize(200, 300);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    const QModelIndex beta = tree.Folders().FindChild(tree.Folders().DesktopIndex(), Desktop() + "/beta");
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, tree.visualRect(beta).center());
    EXPECT_EQ(tree.SelectedPath(), Desktop() + "/beta");
}

TEST(FolderPath, VirtualFoldersGiveTheirDisplayNameAndQuestionMarksGoBeforeADigit)
{
    EXPECT_EQ(FolderPathText("/mods/pack", "pack"), "/mods/pack");
    EXPECT_EQ(FolderPathText("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "Computer"), "Computer");
    EXPECT_EQ(FolderPathText("?1?2", "x"), "12");
    EXPECT_EQ(FolderPathText("?a?", "x"), "?a?");
    EXPECT_EQ(FolderPathText("?", "x"), "?");
}

}  // namespace
}  // namespace mw
