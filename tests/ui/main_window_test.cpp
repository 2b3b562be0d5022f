#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "core/wad.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_test_support.h"
#include "ui/file_open_edit.h"
#include "ui/filesfolder.h"
#include "ui/ManualPath.h"
#include "ui/picture_button.h"
#include "ui/progress_fill.h"
#include "ui/WadUnit.h"

namespace mw {
namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QString Temp(const std::string& relative) const { return QString::fromStdString(temp / relative); }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    test::TempDir temp;
    test::WindowFixture fixture;
    TForm1 window{fixture.state, fixture.openSettings, fixture.dialogs};
};

TEST_F(MainWindowTest, EveryControlAtItsPlaceWithItsText)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Mendwright 3.1"));
    EXPECT_EQ(window.size(), QSize(433, 154)) << "441 x 181 with the frame";
    EXPECT_EQ(window.minimumSize(), QSize(433, 142)) << "441 x 169 with the frame";

    const struct {
        QWidget* control;
        QRect place;
        QString text;
    } table[] = {
        {window.SelectFolder, {176, 4, 121, 15}, "Select a Folder"},
        {window.LMDFile1, {8, 21, 417, 20}, "...or select a file"},
        {window.BtnGP4Path, {320, 52, 105, 15}, "Change GP4 Path"},
        {window.LMDFile2, {8, 69, 417, 20}, ""},
        {window.BtnCreateWad, {8, 96, 88, 22}, "Create wad"},
        {window.BtnUpdate1Wad, {104, 96, 88, 22}, "Update wad"},
        {window.BtnExtractWad, {200, 96, 88, 22}, "Extract wad"},
        {window.BtnUpdateTracks, {304, 96, 121, 22}, "Update track wads"},
        {window.ProgressBar, {8, 126, 417, 16}, ""},
    };
    for (const auto& row : table) {
        EXPECT_EQ(row.control->geometry(), row.place) << row.text.toStdString();
        if (auto* button = qobject_cast<QAbstractButton*>(row.control)) {
            EXPECT_EQ(button->text(), row.text);
        }
        if (auto* field = qobject_cast<TLMDFileOpenEdit*>(row.control)) {
            EXPECT_EQ(field->Filename(), row.text);
        }
    }
    // The labels start at their place and are at least their designed width.
    EXPECT_EQ(window.Label1->pos(), QPoint(8, 4));
    EXPECT_GE(window.Label1->width(), 152);
    EXPECT_LT(window.Label1->geometry().right(), window.SelectFolder->x());
    EXPECT_EQ(window.Label2->pos(), QPoint(8, 52));
    EXPECT_LT(window.Label2->geometry().right(), window.BtnGP4Path->x());
    EXPECT_EQ(window.Label1->text(), QStringLiteral("Select file(s) to replace in wad(s)"));
    EXPECT_EQ(window.Label2->text(), QStringLiteral("Select one of the GP4's wad to patch or the wad to extract"));

    EXPECT_FALSE(window.BtnCreateWad->Glyph().isNull());
    EXPECT_EQ(window.LMDFile1->Title(), QStringLiteral("Select a file"));
    EXPECT_EQ(window.LMDFile1->Filter().size(), 2);
    EXPECT_EQ(window.LMDFile2->Title(), QStringLiteral("Select a wad"));
    EXPECT_EQ(window.LMDFile2->DefaultExt(), QStringLiteral("wad"));
    EXPECT_EQ(window.SaveDialog1.title, QStringLiteral("Please choose a folder"));
}

TEST_F(MainWindowTest, EnlargingMovesNothing)
{
    QList<QRect> before;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        before << child->geometry();
    window.resize(900, 600);
    QApplication::processEvents();
    QList<QRect> after;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        after << child->geometry();
    EXPECT_EQ(before, after);
}

TEST_F(MainWindowTest, FocusStartsOnUpdateWadAndTabFollowsTheOrder)
{
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(window.focusWidget(), window.BtnUpdate1Wad);
    const QWidget* expected[] = {window.SelectFolder,  window.LMDFile1,        window.LMDFile2,
                                 window.BtnCreateWad,  window.BtnExtractWad,   window.BtnUpdateTracks,
                                 window.BtnGP4Path,    window.BtnUpdate1Wad};
    for (const QWidget* next : expected) {
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(window.focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, LMDFile1ClickMovesTheStartFolderOnlyForAnExistingFile)
{
    const QString start = window.LMDFile1->InitialDir();
    const std::string file = temp.Write("mods/cars/car1.bin", "car");
    for (const std::string& text : {std::string("...or select a file"), temp.path() + "/mods",
                                    temp.path() + "/mods/cars/missing.bin"}) {
        window.LMDFile1->SetFilename(QString::fromStdString(text));
        window.LMDFile1Click();
        EXPECT_EQ(window.LMDFile1->InitialDir(), start) << text;
    }
    // A browse that is cancelled still runs the handler on the unchanged text.
    window.LMDFile1->SetFilename(QString::fromStdString(file));
    QTest::mouseClick(window.LMDFile1->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(window.LMDFile1->Filename(), QString::fromStdString(file));
    EXPECT_EQ(window.LMDFile1->InitialDir(), Temp("mods/cars/"));
}

TEST_F(MainWindowTest, UserErrorsLeaveTheStatusAsItWas)
{
    window.SetStatusText("Update done in 1.5s");
    Click(window.BtnUpdate1Wad);
    Click(window.BtnUpdateTracks);
    ASSERT_EQ(fixture.dialogs.userErrors.size(), 2u);
    EXPECT_EQ(fixture.dialogs.userErrors[0], QStringLiteral("Sorry but you have to choose source file(s) first."));
    EXPECT_EQ(fixture.dialogs.userErrors[1], fixture.dialogs.userErrors[0]);
    EXPECT_EQ(window.ProgressBar->Caption(), QStringLiteral("Update done in 1.5s"));
    EXPECT_FALSE(fixture.state.BatchMode);
}

TEST_F(MainWindowTest, AFileErrorIsShownInTheErrorDisplayAndTheWindowGoesOn)
{
    temp.Write("source/a.bin", "AAAA");
    temp.Write("source/b.bin", "BB");
    window.LMDFile1->SetFilename(Temp("source"));
    fixture.dialogs.saveAnswers.push_back(Temp("no/such/folder/out.wad"));
    Click(window.BtnCreateWad);

    ASSERT_EQ(fixture.dialogs.errorDisplays.size(), 1u);
    EXPECT_FALSE(fixture.dialogs.errorDisplays[0].isEmpty());
    EXPECT_TRUE(window.isVisible());

    // The next click works as before.
    fixture.dialogs.saveAnswers.push_back(Temp("out.wad"));
    Click(window.BtnCreateWad);
    EXPECT_EQ(fixture.dialogs.errorDisplays.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(temp / "out.wad"));
}

TEST_F(MainWindowTest, CreateExtractAndUpdateThroughTheButtons)
{
    temp.Write("source/a.bin", "AAAA");
    temp.Write("source/sub/b.dat", "BB");
    window.LMDFile1->SetFilename(Temp("source"));
    fixture.dialogs.saveAnswers.push_back(Temp("made.wad"));
    Click(window.BtnCreateWad);
    ASSERT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty());
    EXPECT_EQ(fixture.dialogs.saveRequests.at(0).title, QStringLiteral("Please choose a folder"));
    EXPECT_TRUE(window.ProgressBar->Caption().startsWith(QStringLiteral("Wad created in ")));
    EXPECT_EQ(window.ProgressBar->Position(), 0);

    window.LMDFile2->SetFilename(Temp("made.wad"));
    fixture.dialogs.saveAnswers.push_back(Temp("unpacked"));
    Click(window.BtnExtractWad);
    ASSERT_TRUE(fixture.dialogs.errorDisplays.empty());
    EXPECT_TRUE(window.ProgressBar->Caption().startsWith(QStringLiteral("Wad extracted in ")));
    bool found = false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp / "unpacked"))
        found |= entry.path().filename() == "b.dat" && test::ReadBytes(entry.path()) == "BB";
    EXPECT_TRUE(found) << "sub/b.dat comes out of the archive";

    const std::string patch = temp.Write("patch/a.bin", "patched");
    window.LMDFile1->SetFilename(QString::fromStdString(patch));
    Click(window.BtnUpdate1Wad);
    ASSERT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty());
    EXPECT_TRUE(window.ProgressBar->Caption().startsWith(QStringLiteral("Update done in ")));

    WadImage image;
    LoadWad(temp / "made.wad", image);
    ASSERT_EQ(image.EntryCount, 2);
    bool patched = false;
    for (int i = 0; i < image.EntryCount; ++i)
        patched |= EntryName(image.Entries[i]) == "a.bin" &&
                   image.Payloads[i] == std::string("patched");
    EXPECT_TRUE(patched);
    EXPECT_EQ(fixture.settings->at("WadName"), temp / "made.wad");
}

TEST_F(MainWindowTest, FormCreateFillsTheFieldsFromTheSettings)
{
    const std::string gp4 = temp.MakeFolder("gp4");
    temp.Write("gp4/GP4.exe", "");
    test::WindowFixture installed(gp4);
    (*installed.settings)["FileName"] = temp.path() + "/mods/update";
    (*installed.settings)["WadName"] = gp4 + "/cars.wad";
    TForm1 filled(installed.state, installed.openSettings, installed.dialogs);
    EXPECT_EQ(filled.LMDFile1->Filename(), Temp("mods/update"));
    EXPECT_EQ(filled.LMDFile1->InitialDir(), Temp("mods/"));
    EXPECT_EQ(filled.LMDFile2->Filename(), QString::fromStdString(gp4 + "/cars.wad"));
    EXPECT_EQ(filled.LMDFile2->InitialDir(), QString::fromStdString(gp4));
    EXPECT_EQ(installed.settingsOpened, 1);
}

TEST_F(MainWindowTest, TheTwoSmallButtonsOpenTheirWindowsModeless)
{
    TForm2 chooser(window, QString::fromStdString(temp.path()));
    TForm5 manual(window, QString::fromStdString(temp.path()));
    window.SetSmallWindows(&chooser, &manual);
    EXPECT_FALSE(chooser.isVisible());

    Click(window.SelectFolder);
    Click(window.SelectFolder);
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_FALSE(chooser.isModal());
    Click(window.BtnGP4Path);
    EXPECT_TRUE(manual.isVisible());
    EXPECT_EQ(QApplication::topLevelWidgets().count(&chooser), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window stays usable";
}

}  // namespace
}  // namespace mw
