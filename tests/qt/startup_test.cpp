#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include "qt/hand_over.h"
#include "qt/program_windows.h"
#include "tests/support/posix/scoped_variable.h"
#include "startup/startup.h"
#include "tests/support/temp_dir.h"
#include "tests/qt/ui_test_support.h"
#include "qt/contents_window.h"
#include "qt/widgets/entry_table_model.h"
#include "qt/widgets/file_field.h"
#include "qt/widgets/folder_tree.h"

namespace mw {
namespace {

class StartupTest : public testing::Test {
protected:
    // The message loop stands in for the user: it notes what it found.
    int Run(const std::vector<std::string>& arguments)
    {
        return RunMode(arguments, fixture.state, windows, windows, [this] {
            ++loops;
            mainShownInLoop = windows.mainWindow.isVisible();
            return 0;
        });
    }

    test::WindowFixture fixture;
    ProgramWindows windows{fixture.state, fixture.openSettings, fixture.dialogs};
    int loops = 0;
    bool mainShownInLoop = false;
};

TEST_F(StartupTest, WindowsAreCreatedInOrderAndOnlyTheMainWindowIsShown)
{
    EXPECT_EQ(fixture.settingsOpened, 1) << "creating the main window ran the start-up fill";
    EXPECT_EQ(windows.mainWindow.SourceField()->Filename(), QStringLiteral("...or select a file"));
    EXPECT_EQ(Run({}), 0);
    EXPECT_EQ(loops, 1);
    EXPECT_TRUE(mainShownInLoop);
    EXPECT_FALSE(windows.folderChooser.isVisible());
    EXPECT_FALSE(windows.manualPathWindow.isVisible());

    Run({"\\1wad"});
    EXPECT_EQ(loops, 2) << "a single argument is ignored";
}

// A file manager's "Open With": an existing .wad goes into the archive
// field and opens in the contents window, an existing folder goes into the
// source field; anything else is ignored.
TEST_F(StartupTest, OneArgumentNamingAWadOrAFolderFillsItsField)
{
    test::TempDir dir;
    const std::string wad = dir.Write("Cars.WAD", test::ContiguousArchive({{"a.bin", "A"}}));
    const std::string folder = dir.MakeFolder("mods");
    const std::string other = dir.Write("notes.txt", "x");
    MainWindow& window = windows.mainWindow;
    const QString source = window.SourceField()->Filename();
    const QString archive = window.ArchiveField()->Filename();
    for (const std::string& ignored : {other, dir.path() + "/missing.wad", std::string("\\1wad")}) {
        Run({ignored});
        EXPECT_EQ(window.SourceField()->Filename(), source) << ignored;
        EXPECT_EQ(window.ArchiveField()->Filename(), archive) << ignored;
    }
    EXPECT_FALSE(window.Contents().isVisible());
    Run({wad});
    EXPECT_EQ(window.ArchiveField()->Filename(), QString::fromStdString(wad));
    EXPECT_TRUE(window.Contents().isVisible());
    EXPECT_EQ(window.Contents().Entries().rowCount(), 1);
    Run({folder});
    EXPECT_EQ(window.SourceField()->Filename(), QString::fromStdString(folder));
    EXPECT_EQ(loops, 5);
}

// A .wad opened while the program runs opens in it, through a socket in
// the user's runtime folder: a socket a program that ended left is taken
// over, and what is no .wad is refused (its start opens its own window).
TEST_F(StartupTest, AnArchiveOpenedWhileTheProgramRunsOpensInIt)
{
    test::TempDir dir;
    const test::ScopedVariable runtime("XDG_RUNTIME_DIR", dir.path());
    const std::string wad = dir.Write("cars.wad", test::ContiguousArchive({{"a.bin", "A"}}));
    dir.Write("mendwright.socket", "");
    EXPECT_FALSE(HandToRunningProgram(wad)) << "no program listens";

    const HandOverListener listener([this](const std::string& archive) { return windows.TakeHandedOverArchive(archive); });
    // The start waits for its answer, which the running program's loop gives.
    const auto handOver = [](const std::string& path) {
        std::future<bool> taken = std::async(std::launch::async, [path] { return HandToRunningProgram(path); });
        while (taken.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return taken.get();
    };
    MainWindow& window = windows.mainWindow;
    EXPECT_FALSE(handOver(dir.Write("notes.txt", "x")));
    EXPECT_FALSE(window.Contents().isVisible());
    EXPECT_TRUE(handOver(wad));
    EXPECT_EQ(window.ArchiveField()->Filename(), QString::fromStdString(wad));
    EXPECT_TRUE(window.Contents().isVisible());
    EXPECT_EQ(window.Contents().Entries().rowCount(), 1);
}

TEST_F(StartupTest, TwoArgumentsNeverShowTheMainWindowNorRunTheLoop)
{
    Run({"\\other", "cars.wad"});
    EXPECT_EQ(loops, 0);
    EXPECT_FALSE(windows.mainWindow.isVisible());
    EXPECT_TRUE(fixture.dialogs.questions.empty() && fixture.dialogs.userErrors.empty());
}

TEST_F(StartupTest, TheMainWindowsButtonsOpenTheSmallWindows)
{
    windows.mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows.mainWindow));
    QTest::mouseClick(windows.mainWindow.SelectFolderButton(), Qt::LeftButton);
    QTest::mouseClick(windows.mainWindow.Gp4PathButton(), Qt::LeftButton);
    EXPECT_TRUE(windows.folderChooser.isVisible());
    EXPECT_TRUE(windows.manualPathWindow.isVisible());
}

// Each small window's OK reaches its own field of the main window: the
// chooser's folder fills the source field; the Manual Path Entry window's,
// which holds no GP4.exe, changes nothing.
TEST_F(StartupTest, TheSmallWindowsHandTheirFolderToTheMainWindow)
{
    FileField& source = *windows.mainWindow.SourceField();
    source.SetFilename(QStringLiteral("before"));
    windows.manualPathWindow.AcceptFolder();
    EXPECT_EQ(source.Filename(), QStringLiteral("before"));
    windows.folderChooser.AcceptFolder();
    EXPECT_EQ(source.Filename(), windows.folderChooser.Tree()->SelectedPath());
}

}  // namespace
}  // namespace mw
