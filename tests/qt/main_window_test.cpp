#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include "ops/track_names.h"
#include "core/version.h"
#include "core/wad.h"
#include "ops/run_state.h"
#include "settings/remembered_gp4_installation.h"
#include "tests/support/temp_dir.h"
#include "tests/qt/ui_test_support.h"
#include "qt/widgets/file_field.h"
#include "qt/contents_window.h"
#include "qt/folder_chooser.h"
#include "qt/manual_path_window.h"
#include "qt/widgets/picture_button.h"
#include "qt/widgets/entry_table_model.h"
#include "qt/widgets/status_bar.h"
#include "qt/main_window.h"
#include "startup/main_window_layout.h"

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
    MainWindow window{fixture.state, fixture.openSettings, fixture.dialogs};
};

// Every control at the place and with the caption of the layout the Win32
// window is placed from too.
TEST_F(MainWindowTest, EveryControlAtItsPlaceWithItsText)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Mendwright " MENDWRIGHT_VERSION));
    EXPECT_EQ(window.size(), QSize(433, 154)) << "441 x 181 with the frame";
    EXPECT_EQ(window.minimumSize(), QSize(433, 142)) << "441 x 169 with the frame";

    const std::pair<MainControl, QWidget*> controls[] = {
        {MainControl::SourceLabel, window.SourceLabel()},
        {MainControl::SelectFolderButton, window.SelectFolderButton()},
        {MainControl::SourceField, window.SourceField()},
        {MainControl::ArchiveLabel, window.ArchiveLabel()},
        {MainControl::Gp4PathButton, window.Gp4PathButton()},
        {MainControl::ArchiveField, window.ArchiveField()},
        {MainControl::CreateButton, window.CreateButton()},
        {MainControl::UpdateButton, window.UpdateButton()},
        {MainControl::ExtractButton, window.ExtractButton()},
        {MainControl::UpdateTracksButton, window.UpdateTracksButton()},
        {MainControl::StatusBar, window.Status()},
        {MainControl::CancelButton, window.CancelButton()},
    };
    ASSERT_EQ(std::size(controls), std::size(kMainControls));
    for (const auto& [control, widget] : controls) {
        const MainControlLook& look = MainControlLookOf(control);
        const QRect place(look.place.left, look.place.top, look.place.width, look.place.height);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            // A label starts at its place and is at least its width.
            EXPECT_EQ(label->pos(), place.topLeft()) << look.caption;
            EXPECT_GE(label->width(), place.width()) << look.caption;
            EXPECT_EQ(label->text(), QString::fromUtf8(look.caption));
            continue;
        }
        EXPECT_EQ(widget->geometry(), place) << look.caption;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_EQ(button->text(), QString::fromUtf8(look.caption));
        }
    }
    EXPECT_LT(window.SourceLabel()->geometry().right(), window.SelectFolderButton()->x());
    EXPECT_LT(window.ArchiveLabel()->geometry().right(), window.Gp4PathButton()->x());
    EXPECT_EQ(window.SourceField()->Filename(), QStringLiteral("...or select a file"));
    EXPECT_EQ(window.ArchiveField()->Filename(), QString());
    EXPECT_EQ(window.CancelButton()->toolTip(), QStringLiteral("Stop the operation (Esc)"));

    EXPECT_FALSE(window.CreateButton()->PictureStrip().isNull());
    EXPECT_EQ(window.SourceField()->Title(), QStringLiteral("Select a file"));
    EXPECT_EQ(window.SourceField()->Filter().size(), 2);
    EXPECT_EQ(window.ArchiveField()->Title(), QStringLiteral("Select a wad"));
    EXPECT_EQ(window.ArchiveField()->DefaultExt(), QStringLiteral("wad"));
    EXPECT_EQ(window.SaveDialog().title, QStringLiteral("Please choose a folder"));
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
    EXPECT_EQ(window.focusWidget(), window.UpdateButton());
    // The field's buttons are in the order; the undo button, disabled, is passed over.
    const QWidget* expected[] = {window.SelectFolderButton(),          window.SourceField(),
                                 window.SourceField()->BrowseButton(), window.ArchiveField(),
                                 window.ModsButton(),                  window.ContentsButton(),
                                 window.ArchiveField()->BrowseButton(), window.CreateButton(),
                                 window.ExtractButton(),               window.UpdateTracksButton(),
                                 window.Gp4PathButton(),               window.UpdateButton()};
    for (const QWidget* next : expected) {
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(window.focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, RememberSourceFolderMovesTheStartFolderOnlyForAnExistingFile)
{
    const QString start = window.SourceField()->InitialDir();
    const std::string file = temp.Write("mods/cars/car1.bin", "car");
    for (const std::string& text : {std::string("...or select a file"), temp.path() + "/mods",
                                    temp.path() + "/mods/cars/missing.bin"}) {
        window.SourceField()->SetFilename(QString::fromStdString(text));
        window.RememberSourceFolder();
        EXPECT_EQ(window.SourceField()->InitialDir(), start) << text;
    }
    // A browse that is cancelled still runs the handler on the unchanged text.
    window.SourceField()->SetFilename(QString::fromStdString(file));
    QTest::mouseClick(window.SourceField()->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(window.SourceField()->Filename(), QString::fromStdString(file));
    EXPECT_EQ(window.SourceField()->InitialDir(), Temp("mods/cars/"));
}

// The bytes written move the text's percentage with the bar; a refusal or
// an error never leaves the last success on the bar: it clears the status,
// text and fill.
TEST_F(MainWindowTest, TheStatusFollowsTheBarAndAFailureClearsIt)
{
    window.ShowProgress({ProgressPhase::Updating, "cars.wad", 100});
    window.ShowBytes(450, 1000);
    EXPECT_EQ(window.Status()->Caption(), QStringLiteral("Updating cars.wad : 45%"));
    EXPECT_EQ(window.Status()->Position(), 45);

    temp.Write("source/a.bin", "AAAA");
    temp.Write("source/b.bin", "BB");
    const struct {
        const char* what;
        QString source;
        QAbstractButton* button;
    } cases[] = {
        {"update without a source", QString(), window.UpdateButton()},
        {"track batch without a source", QString(), window.UpdateTracksButton()},
        {"create into no folder", Temp("source"), window.CreateButton()},
    };
    fixture.dialogs.saveAnswers.push_back(Temp("no/such/folder/out.wad"));
    for (const auto& c : cases) {
        window.ShowProgress({ProgressPhase::Updated, "1.5"});
        window.ShowBytes(45, 100);
        window.SourceField()->SetFilename(c.source);
        Click(c.button);
        EXPECT_EQ(window.Status()->Caption(), QString()) << c.what;
        EXPECT_EQ(window.Status()->Position(), 0) << c.what;
    }
    ASSERT_EQ(fixture.dialogs.userErrors.size(), 2u);
    EXPECT_EQ(fixture.dialogs.userErrors[0], QStringLiteral("Sorry but you have to choose source file(s) first."));
    EXPECT_EQ(fixture.dialogs.userErrors[1], fixture.dialogs.userErrors[0]);
    EXPECT_EQ(fixture.dialogs.errorDisplays.size(), 1u);
}

TEST_F(MainWindowTest, AFileErrorIsShownInTheErrorDisplayAndTheWindowGoesOn)
{
    temp.Write("source/a.bin", "AAAA");
    temp.Write("source/b.bin", "BB");
    window.SourceField()->SetFilename(Temp("source"));
    fixture.dialogs.saveAnswers.push_back(Temp("no/such/folder/out.wad"));
    Click(window.CreateButton());

    ASSERT_EQ(fixture.dialogs.errorDisplays.size(), 1u);
    EXPECT_FALSE(fixture.dialogs.errorDisplays[0].isEmpty());
    EXPECT_TRUE(window.isVisible());

    // The next click works as before.
    fixture.dialogs.saveAnswers.push_back(Temp("out.wad"));
    Click(window.CreateButton());
    EXPECT_EQ(fixture.dialogs.errorDisplays.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(temp / "out.wad"));
}

TEST_F(MainWindowTest, CreateExtractAndUpdateThroughTheButtons)
{
    temp.Write("source/a.bin", "AAAA");
    temp.Write("source/sub/b.dat", "BB");
    window.SourceField()->SetFilename(Temp("source"));
    fixture.dialogs.saveAnswers.push_back(Temp("made.wad"));
    Click(window.CreateButton());
    ASSERT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty());
    EXPECT_EQ(fixture.dialogs.saveRequests.at(0).title, QStringLiteral("Please choose a folder"));
    EXPECT_TRUE(fixture.dialogs.saveRequests.at(0).asksBeforeReplacing) << "create asks before replacing a wad";
    EXPECT_TRUE(window.Status()->Caption().startsWith(QStringLiteral("Wad created in ")));
    EXPECT_EQ(window.Status()->Position(), 0);

    window.ArchiveField()->SetFilename(Temp("made.wad"));
    fixture.dialogs.saveAnswers.push_back(Temp("unpacked"));
    Click(window.ExtractButton());
    ASSERT_TRUE(fixture.dialogs.errorDisplays.empty());
    EXPECT_FALSE(fixture.dialogs.saveRequests.at(1).asksBeforeReplacing) << "extract's names a folder";
    EXPECT_TRUE(window.Status()->Caption().startsWith(QStringLiteral("Wad extracted in ")));
    bool found = false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp / "unpacked"))
        found |= entry.path().filename() == "b.dat" && test::ReadBytes(entry.path()) == "BB";
    EXPECT_TRUE(found) << "sub/b.dat comes out of the archive";

    const std::string patch = temp.Write("patch/a.bin", "patched");
    window.SourceField()->SetFilename(QString::fromStdString(patch));
    Click(window.UpdateButton());
    ASSERT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty());
    EXPECT_TRUE(window.Status()->Caption().startsWith(QStringLiteral("Update done in ")));

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

TEST_F(MainWindowTest, StartupFillSetsTheFieldsFromTheSettings)
{
    const std::string gp4 = temp.MakeFolder("gp4");
    temp.Write("gp4/GP4.exe", "");
    test::WindowFixture installed(gp4);
    (*installed.settings)["FileName"] = temp.path() + "/mods/update";
    (*installed.settings)["WadName"] = gp4 + "/cars.wad";
    MainWindow filled(installed.state, installed.openSettings, installed.dialogs);
    EXPECT_EQ(filled.SourceField()->Filename(), Temp("mods/update"));
    EXPECT_EQ(filled.SourceField()->InitialDir(), Temp("mods/"));
    EXPECT_EQ(filled.ArchiveField()->Filename(), QString::fromStdString(gp4 + "/cars.wad"));
    EXPECT_EQ(filled.ArchiveField()->InitialDir(), QString::fromStdString(gp4));
    EXPECT_EQ(installed.settingsOpened, 1);
}

TEST_F(MainWindowTest, TheTwoSmallButtonsOpenTheirWindowsModeless)
{
    FolderChooser chooser([](const QString&) {}, QString::fromStdString(temp.path()));
    ManualPathWindow manual([](const QString&) {}, QString::fromStdString(temp.path()));
    window.SetSmallWindows(&chooser, &manual);
    EXPECT_FALSE(chooser.isVisible());

    Click(window.SelectFolderButton());
    Click(window.SelectFolderButton());
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_FALSE(chooser.isModal());
    Click(window.Gp4PathButton());
    EXPECT_TRUE(manual.isVisible());
    EXPECT_EQ(QApplication::topLevelWidgets().count(&chooser), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window stays usable";
}

// A click that arrives while an operation runs is dropped when it ends:
// it does not run the operation a second time.
TEST_F(MainWindowTest, AClickDuringAnOperationDoesNotRunItAgain)
{
    const QPoint centre = window.UpdateButton()->rect().center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(window.UpdateButton(),
                                    new QMouseEvent(type, centre, window.UpdateButton()->mapToGlobal(centre),
                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    Click(window.UpdateButton());
    QCoreApplication::processEvents();
    EXPECT_EQ(fixture.dialogs.userErrors.size(), 1u);

    Click(window.UpdateButton());
    EXPECT_EQ(fixture.dialogs.userErrors.size(), 2u) << "input goes through again after the run";
}

TEST_F(MainWindowTest, TheFocusedButtonShowsItsFocusFrameFromTheStart)
{
    QApplication::setActiveWindow(&window);
    QStyleOptionButton option;
    option.initFrom(window.UpdateButton());
    EXPECT_TRUE(option.state & QStyle::State_HasFocus);
    EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange) << "the styles draw the frame only then";
}

// A file or folder dropped on the source field, a .wad file dropped on the
// archive field, becomes the field's text; any other drop is refused.
TEST_F(MainWindowTest, DropsOnTheTwoFields)
{
    const std::string folder = temp.MakeFolder("mods");
    const std::string file = temp.Write("mods/car.bin", "x");
    const std::string wad = temp.Write("Cars.WAD", "x");
    struct Case {
        FileField* field;
        std::string path;
        bool taken;
    };
    const Case cases[] = {
        {window.SourceField(), folder, true},         {window.SourceField(), file, true},
        {window.SourceField(), temp.path() + "/gone", false}, {window.ArchiveField(), wad, true},
        {window.ArchiveField(), file, false},         {window.ArchiveField(), folder, false},
    };
    for (const Case& c : cases) {
        c.field->SetFilename(QStringLiteral("before"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(c.path))});
        const QPoint at = c.field->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(c.field, &enter);
        EXPECT_EQ(enter.isAccepted(), c.taken) << c.path;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(c.field, &drop);
        EXPECT_EQ(c.field->Filename(), c.taken ? QString::fromStdString(c.path) : QStringLiteral("before")) << c.path;
    }
}

// The archive field's archive opens in the contents window from the
// field's button, a double click in the field and Ctrl+O, and follows the
// main window's updates; a missing one is refused as extraction refuses it.
TEST_F(MainWindowTest, TheArchiveFieldOpensInTheContentsWindow)
{
    QApplication::setActiveWindow(&window);
    const std::string wad = temp.Write("cars.wad", test::ContiguousArchive({{"a.bin", "A"}, {"b.bin", "B"}}));
    const std::function<void()> opens[] = {
        [&] { Click(window.ContentsButton()); },
        [&] { QTest::mouseDClick(window.ArchiveField(), Qt::LeftButton); },
        [&] { QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier); },
    };
    window.ArchiveField()->SetFilename(QString::fromStdString(wad));
    for (const auto& open : opens) {
        window.Contents().hide();
        open();
        EXPECT_TRUE(window.Contents().isVisible());
        EXPECT_EQ(window.Contents().Entries().rowCount(), 2);
    }
    EXPECT_EQ(fixture.settings->at("WadName"), wad);

    // An update of the archive shown is shown at once.
    window.SourceField()->SetFilename(QString::fromStdString(temp.Write("patch/c.bin", "C")));
    Click(window.UpdateButton());
    EXPECT_EQ(window.Contents().Entries().rowCount(), 3);

    window.Contents().hide();
    window.ArchiveField()->SetFilename(Temp("missing.wad"));
    Click(window.ContentsButton());
    EXPECT_EQ(fixture.dialogs.userErrors, std::vector<QString>{"Sorry but you have to choose a wad file first."});
    EXPECT_FALSE(window.Contents().isVisible());
}

// "Undo last update" is there only for a wad with an update to undo, asks
// first naming the entries, and gives the wad back byte for byte.
TEST_F(MainWindowTest, UndoLastUpdateAsksThenGivesTheArchiveBack)
{
    const std::string original = test::ContiguousArchive({{"a.bin", "A"}, {"b.bin", "B"}});
    const std::string wad = temp.Write("cars.wad", original);
    window.ArchiveField()->SetFilename(QString::fromStdString(wad));
    EXPECT_FALSE(window.UndoButton()->isEnabled());

    window.SourceField()->SetFilename(QString::fromStdString(temp.Write("patch/a.bin", "patched")));
    Click(window.UpdateButton());
    const std::string updated = test::ReadBytes(wad);
    ASSERT_NE(updated, original);
    ASSERT_TRUE(window.UndoButton()->isEnabled());

    // Ctrl+Z outside a field does what the arrow does.
    QApplication::setActiveWindow(&window);
    window.UpdateButton()->setFocus();
    const std::function<void()> undos[] = {
        [&] { Click(window.UndoButton()); },
        [&] { QTest::keyClick(window.UpdateButton(), Qt::Key_Z, Qt::ControlModifier); },
    };
    for (const bool answer : {false, true}) {
        fixture.dialogs.questionAnswer = answer;
        undos[answer]();
        EXPECT_EQ(test::ReadBytes(wad), answer ? original : updated);
    }
    ASSERT_EQ(fixture.dialogs.questions.size(), 2u);
    EXPECT_TRUE(fixture.dialogs.questions[0].contains(QStringLiteral("\n    a.bin\n")))
        << fixture.dialogs.questions[0].toStdString();
    EXPECT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty());
    EXPECT_FALSE(window.UndoButton()->isEnabled()) << "nothing is left to undo";
}

// Escape or the Cancel button while an update runs stops it: the wad stays
// as it was, the status says so, and the next update runs in full.
TEST_F(MainWindowTest, EscapeOrCancelStopsTheRunningUpdate)
{
    const std::string original = test::ContiguousArchive({{"a.bin", "A"}});
    const std::string wad = temp.Write("cars.wad", original);
    window.ArchiveField()->SetFilename(QString::fromStdString(wad));
    window.SourceField()->SetFilename(QString::fromStdString(temp.Write("patch/a.bin", "patched")));
    QPushButton* cancel = window.CancelButton();
    const QPoint centre = cancel->rect().center();
    const std::function<void()> stops[] = {
        [&] { QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier)); },
        [&] {
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(cancel, new QMouseEvent(type, centre, cancel->mapToGlobal(centre),
                                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        },
    };
    for (const auto& stop : stops) {
        // Taken by the window's event loop while the update runs.
        stop();
        Click(window.UpdateButton());
        EXPECT_EQ(window.Status()->Caption(), QStringLiteral("Cancelled"));
        EXPECT_EQ(test::ReadBytes(wad), original);
        EXPECT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty());
        EXPECT_FALSE(cancel->isVisible());
    }

    Click(window.UpdateButton());
    EXPECT_NE(test::ReadBytes(wad), original);
}

// On Linux a GP4 folder chosen with "Change GP4 Path" stands in for an
// installation that the Wine lookup cannot find: it is remembered, and the
// track batch patches the archives there.
TEST_F(MainWindowTest, ChosenGp4FolderIsRememberedAndPatchedByTheTrackBatch)
{
    const std::string gp4 = temp.MakeFolder("copied gp4");
    temp.Write("copied gp4/gp4.exe", "MZ");
    for (const char* track : TrackNames)
        temp.Write(std::string("copied gp4/") + track + ".wad", test::ContiguousArchive({{"other.bin", "zz"}}));
    fixture.state.Installation =
        std::make_unique<RememberedGp4Installation>(std::move(fixture.state.Installation), fixture.state.Settings);

    window.UseGp4Folder(QString::fromStdString(gp4));
    EXPECT_EQ(fixture.settings->at("GP4Folder"), gp4);
    EXPECT_EQ(window.ArchiveField()->InitialDir(), QString::fromStdString(gp4)) << "the start-up fill found it";

    // The batch names the archives it will change first; "Annuler" changes none.
    window.SourceField()->SetFilename(QString::fromStdString(temp.Write("fix/extra.txt", "+")));
    for (const bool answer : {false, true}) {
        fixture.dialogs.questionAnswer = answer;
        Click(window.UpdateTracksButton());
        ASSERT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty());
        for (const char* track : TrackNames) {
            WadImage image;
            LoadWad(gp4 + "/" + track + ".wad", image);
            EXPECT_EQ(image.EntryCount, answer ? 2 : 1) << track;
            EXPECT_TRUE(fixture.dialogs.questions.back().contains(QString::fromLatin1(track) + ".wad\n")) << track;
        }
    }
    EXPECT_TRUE(fixture.dialogs.questions.back().contains(QString::fromStdString(gp4)));
}

}  // namespace
}  // namespace mw
