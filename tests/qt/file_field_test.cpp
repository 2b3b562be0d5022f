#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "tests/qt/ui_test_support.h"
#include "qt/widgets/file_field.h"

namespace mw {
namespace {

class FileFieldTest : public testing::Test {
protected:
    void SetUp() override
    {
        field.SetDialogs(dialogs);
        field.SetTitle(QStringLiteral("Select a wad"));
        field.SetFilter({{QStringLiteral("*.wad"), {QStringLiteral("*.wad")}}});
        field.SetDefaultExt(QStringLiteral("wad"));
        field.SetInitialDir(QStringLiteral("/games/gp4/"));
        field.resize(417, 20);
        field.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    }

    void ClickBrowse() { QTest::mouseClick(field.BrowseButton(), Qt::LeftButton); }

    test::FakeDialogs dialogs;
    FileField field;
};

TEST_F(FileFieldTest, BrowseButtonIsEighteenPixelsInsideTheRightEndAndInTheTabOrder)
{
    const QRect button = field.BrowseButton()->geometry();
    EXPECT_EQ(button.width(), 18);
    EXPECT_LE(button.right(), field.width() - 1);
    EXPECT_GE(button.left(), field.width() - 18 - 3);
    EXPECT_EQ(field.BrowseButton()->focusPolicy(), Qt::TabFocus);
}

TEST_F(FileFieldTest, CancelledBrowseKeepsTheTextAndStillRaisesOnBrowse)
{
    field.SetFilename(QStringLiteral("/mods/cars/car1.bin"));
    QSignalSpy before(&field, &FileField::BeforeBrowse);
    QSignalSpy after(&field, &FileField::Browsed);
    ClickBrowse();
    EXPECT_EQ(field.Filename(), QStringLiteral("/mods/cars/car1.bin"));
    EXPECT_EQ(before.count(), 1);
    EXPECT_EQ(after.count(), 1);
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
}

TEST_F(FileFieldTest, FreshDialogOpensInTheStartFolderWithAnEmptyNameBox)
{
    field.SetFilename(QStringLiteral("/mods/cars/car1.bin"));
    dialogs.openAnswers.push_back(QStringLiteral("/games/gp4/cars.wad"));
    ClickBrowse();

    const FileDialogRequest& request = dialogs.openRequests.at(0);
    EXPECT_EQ(request.title, QStringLiteral("Select a wad"));
    EXPECT_EQ(request.filter, field.Filter());
    EXPECT_EQ(request.defaultExt, QStringLiteral("wad"));
    EXPECT_TRUE(request.fileName.isEmpty()) << "the field's text is not passed to the dialog";
    EXPECT_EQ(request.initialDir, QStringLiteral("/games/gp4")) << "not the folder of the text";
    EXPECT_EQ(field.Filename(), QStringLiteral("/games/gp4/cars.wad"));
    EXPECT_TRUE(field.hasFocus());
}

TEST_F(FileFieldTest, AltDownInTheFieldPressesTheBrowseButton)
{
    EXPECT_TRUE(field.BrowseButton()->toolTip().contains(QStringLiteral("Alt+Down")));
    QTest::keyClick(&field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, QStringLiteral("Select a wad"));
}

TEST(DialogStartFolder, DropsATrailingSeparatorUnlessItEndsADriveOrIsTheRoot)
{
    EXPECT_EQ(DialogStartFolder(QStringLiteral("/mods/cars/")), QStringLiteral("/mods/cars"));
    EXPECT_EQ(DialogStartFolder(QStringLiteral("/mods/cars")), QStringLiteral("/mods/cars"));
    EXPECT_EQ(DialogStartFolder(QStringLiteral("D:/")), QStringLiteral("D:/"));
    EXPECT_EQ(DialogStartFolder(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(DialogStartFolder(QString()), QString());
}

TEST(DialogFilters, TextFormAndQtForm)
{
    const QList<FilterEntry> wad = FilterFromText("Wad file(*.wad)|*.wad");
    ASSERT_EQ(wad.size(), 1);
    EXPECT_EQ(wad[0].description, QStringLiteral("Wad file(*.wad)"));
    EXPECT_TRUE(FilterFromText("").isEmpty());

    const QList<FilterEntry> main = FilterFromText("Main GP4 files|*.gp4;*.col|*.*|*.*");
    EXPECT_EQ(QtFilters(main), (QStringList{QStringLiteral("Main GP4 files (*.gp4 *.col)"),
                                            QStringLiteral("*.* (*)")}))
        << "every file, also one without a dot";
}

// The save dialogs show the create filter once and, for extraction, no file
// type list; create's asks before it replaces a file, extract's does not.
TEST(DialogFilters, SaveDialogsShowTheFilterAsGiven)
{
    FileDialogRequest create;
    create.filter = FilterFromText("Wad file(*.wad)|*.wad");
    create.asksBeforeReplacing = true;
    EXPECT_EQ(MakeSaveDialog(create)->nameFilters(), QStringList{QStringLiteral("Wad file(*.wad)")});
    EXPECT_FALSE(MakeSaveDialog(create)->testOption(QFileDialog::DontConfirmOverwrite));

    const auto extract = MakeSaveDialog(FileDialogRequest{});
    EXPECT_TRUE(extract->testOption(QFileDialog::DontConfirmOverwrite));
    extract->show();
    const auto* types = extract->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    EXPECT_FALSE(types->isVisible());
    EXPECT_FALSE(extract->findChild<QWidget*>(QStringLiteral("fileTypeLabel"))->isVisible());
}

}  // namespace
}  // namespace mw
