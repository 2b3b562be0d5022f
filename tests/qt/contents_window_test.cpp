#include <chrono>
#include <functional>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "core/archive_lock.h"
#include "ops/archive_edits.h"
#include "tests/support/contents_entries.h"
#include "tests/support/temp_dir.h"
#include "tests/qt/ui_test_support.h"
#include "qt/contents_window.h"
#include "qt/find_window.h"
#include "qt/widgets/entry_filter_model.h"
#include "qt/widgets/entry_table_model.h"
#include "qt/widgets/status_bar.h"

namespace mw {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

const Entries& kEntries = test::kContentsEntries;

class ContentsWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.ShowContents(ReadArchiveContents(archive));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
    }

    // The entries the list shows, by their index in the archive, top to bottom.
    std::vector<int> Shown() const
    {
        std::vector<int> rows;
        for (int row = 0; row < window.Shown().rowCount(); ++row)
            rows.push_back(window.Shown().mapToSource(window.Shown().index(row, 0)).row());
        return rows;
    }

    void Select(const std::vector<int>& entries)
    {
        window.EntryList()->clearSelection();
        for (const int entry : entries) {
            const QModelIndex row = window.Shown().mapFromSource(window.Entries().index(entry, 0));
            window.EntryList()->selectionModel()->select(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    std::vector<std::string> FolderNames(const QModelIndex& parent) const
    {
        std::vector<std::string> names;
        const QAbstractItemModel* folders = window.FolderTree()->model();
        for (int row = 0; row < folders->rowCount(parent); ++row)
            names.push_back(folders->index(row, 0, parent).data().toString().toStdString());
        return names;
    }

    test::TempDir temp;
    std::string archive = temp.Write("cars.wad", test::ContiguousArchive(kEntries));
    test::WindowFixture fixture;
    ContentsWindow window{fixture.state, fixture.dialogs};
};

TEST_F(ContentsWindowTest, TheFolderTreeFollowsTheBackslashesOfTheNames)
{
    const QModelIndex top = window.FolderTree()->model()->index(0, 0);
    EXPECT_EQ(top.data().toString(), QStringLiteral("cars.wad"));
    EXPECT_EQ(FolderNames(top), (std::vector<std::string>{"cars", "maps"}));
    EXPECT_EQ(FolderNames(top.model()->index(0, 0, top)), (std::vector<std::string>{"ferrari", "Williams"}));
    EXPECT_EQ(window.windowTitle().left(11), QStringLiteral("cars.wad - "));
    EXPECT_EQ(window.Status()->Caption(), QStringLiteral("5 entries"));
}

// The list shows the entries below the folder chosen in the tree that the
// filter text finds, in any case, "/" as "\", or as a pattern.
TEST_F(ContentsWindowTest, TheListShowsTheFolderAndWhatTheFilterFinds)
{
    const struct {
        std::string folder;
        QString text;
        std::vector<int> shown;
    } cases[] = {
        {"", "", {0, 1, 2, 3, 4}},
        {"cars", "", {1, 2, 3}},
        {"CARS\\FERRARI", "", {1, 2}},
        {"", "HELMET", {1, 3}},
        {"", "ferrari/helm", {1}},
        {"", "*.tex", {1, 3}},
        {"cars\\williams", "*.tex", {3}},
        {"maps", "helmet", {}},
    };
    for (const auto& c : cases) {
        window.SelectFolder(c.folder);
        window.FilterField()->setText(c.text);
        EXPECT_EQ(Shown(), c.shown) << c.folder << " " << c.text.toStdString();
    }
    EXPECT_EQ(window.Status()->Caption(), QStringLiteral("0 of 5 entries"));
}

TEST_F(ContentsWindowTest, EachColumnSortsBothWays)
{
    const struct {
        int column;
        Qt::SortOrder order;
        std::vector<int> shown;
    } cases[] = {
        {EntryTableModel::kNameColumn, Qt::AscendingOrder, {2, 1, 3, 4, 0}},
        {EntryTableModel::kSizeColumn, Qt::DescendingOrder, {0, 2, 4, 1, 3}},
        {EntryTableModel::kIndexColumn, Qt::DescendingOrder, {4, 3, 2, 1, 0}},
        {EntryTableModel::kIndexColumn, Qt::AscendingOrder, {0, 1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        window.EntryList()->sortByColumn(c.column, c.order);
        EXPECT_EQ(Shown(), c.shown) << c.column;
    }
}

// The window's keys act wherever its focus is, but in the filter field
// Delete deletes text; Escape closes the window.
TEST_F(ContentsWindowTest, ItsKeysWorkAnywhereInTheWindow)
{
    const struct {
        const char* what;
        QKeyCombination key;
        bool inFilter;
        std::size_t questions, texts;
    } cases[] = {
        {"Delete in the folder tree", Qt::Key_Delete, false, 1, 0},
        {"F2 in the folder tree", Qt::Key_F2, false, 0, 1},
        {"Ctrl+F in the folder tree", Qt::CTRL | Qt::Key_F, false, 0, 1},
        {"Delete in the filter field", Qt::Key_Delete, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fixture.dialogs.questions.clear();
        fixture.dialogs.textsProposed.clear();
        Select({0});
        QWidget* focus = c.inFilter ? static_cast<QWidget*>(window.FilterField()) : window.FolderTree();
        focus->setFocus();
        QTest::keyClick(focus, c.key.key(), c.key.keyboardModifiers());
        EXPECT_EQ(fixture.dialogs.questions.size(), c.questions);
        EXPECT_EQ(fixture.dialogs.textsProposed.size(), c.texts);
    }
    QTest::keyClick(window.FolderTree(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ContentsWindowTest, TheSelectionEnablesTheActions)
{
    const struct {
        std::vector<int> selected;
        bool extract, replace, rename, remove;
    } cases[] = {
        {{}, false, false, false, false},
        {{2}, true, true, true, true},
        {{0, 4}, true, false, false, true},
    };
    for (const auto& c : cases) {
        Select(c.selected);
        EXPECT_EQ(window.SelectedEntries(), std::vector<std::int32_t>(c.selected.begin(), c.selected.end()));
        EXPECT_EQ(window.ExtractAction()->isEnabled(), c.extract) << c.selected.size();
        EXPECT_TRUE(window.AddAction()->isEnabled());
        EXPECT_EQ(window.ReplaceAction()->isEnabled(), c.replace) << c.selected.size();
        EXPECT_EQ(window.RenameAction()->isEnabled(), c.rename) << c.selected.size();
        EXPECT_EQ(window.RemoveAction()->isEnabled(), c.remove) << c.selected.size();
    }
}

// Each edit goes through its action (or a drop) with the answers the user
// gives, writes the archive, and the list shows the archive as it is now.
TEST_F(ContentsWindowTest, EachEditThroughItsAction)
{
    Entries added = kEntries;
    added.push_back({"cars\\ferrari\\visor.tex", "V"});
    Entries twoAdded = kEntries;
    twoAdded.push_back({"cars\\a.bin", "A"});
    twoAdded.push_back({"cars\\b.bin", "B"});
    Entries replaced = kEntries;
    replaced[1].second = "new helmet";
    Entries renamed = kEntries;
    renamed[2].first = "cars\\ferrari\\car2.gpc";
    const Entries removed = {kEntries[0], kEntries[2], kEntries[4]};

    const struct {
        const char* what;
        std::vector<int> selected;
        std::function<void(test::FakeDialogs&, const test::TempDir&)> answer;
        std::function<void(ContentsWindow&, const test::TempDir&)> act;
        Entries expected;
    } cases[] = {
        {"add one file under the name typed, proposed in the folder shown", {},
         [](test::FakeDialogs& d, const test::TempDir& t) {
             d.openFilesAnswers.push_back({QString::fromStdString(t.Write("in/visor.tex", "V"))});
             d.textAnswers.push_back(QStringLiteral("cars\\ferrari\\visor.tex"));
         },
         [](ContentsWindow& w, const test::TempDir&) { w.AddAction()->trigger(); }, added},
        {"add several files below the folder shown", {},
         [](test::FakeDialogs& d, const test::TempDir& t) {
             d.openFilesAnswers.push_back({QString::fromStdString(t.Write("in/a.bin", "A")),
                                           QString::fromStdString(t.Write("in/b.bin", "B"))});
         },
         [](ContentsWindow& w, const test::TempDir&) { w.AddAction()->trigger(); }, twoAdded},
        {"drop files on the list", {}, {},
         [](ContentsWindow& w, const test::TempDir& t) {
             QMimeData data;
             data.setUrls({QUrl::fromLocalFile(QString::fromStdString(t.Write("in/a.bin", "A"))),
                           QUrl::fromLocalFile(QString::fromStdString(t.Write("in/b.bin", "B")))});
             ASSERT_TRUE(w.Shown().dropMimeData(&data, Qt::CopyAction, -1, -1, {}));
             QCoreApplication::processEvents();
         },
         twoAdded},
        {"replace", {1},
         [](test::FakeDialogs& d, const test::TempDir& t) {
             d.openAnswers.push_back(QString::fromStdString(t.Write("in/helmet.tex", "new helmet")));
         },
         [](ContentsWindow& w, const test::TempDir&) { w.ReplaceAction()->trigger(); }, replaced},
        {"rename with F2", {2},
         [](test::FakeDialogs& d, const test::TempDir&) { d.textAnswers.push_back(QStringLiteral("cars/ferrari/car2.gpc")); },
         [](ContentsWindow& w, const test::TempDir&) { QTest::keyClick(w.EntryList(), Qt::Key_F2); }, renamed},
        {"remove with Delete, answered yes", {1, 3},
         [](test::FakeDialogs& d, const test::TempDir&) { d.questionAnswer = true; },
         [](ContentsWindow& w, const test::TempDir&) { QTest::keyClick(w.EntryList(), Qt::Key_Delete); }, removed},
        {"remove, answered no", {1, 3}, {},
         [](ContentsWindow& w, const test::TempDir&) { w.RemoveAction()->trigger(); }, kEntries},
    };
    for (const auto& c : cases) {
        test::WriteBytes(archive, test::ContiguousArchive(kEntries));
        window.ShowContents(ReadArchiveContents(archive));
        window.SelectFolder("cars");
        Select(c.selected);
        window.EntryList()->setFocus();
        fixture.dialogs.questionAnswer = false;
        if (c.answer)
            c.answer(fixture.dialogs, temp);
        c.act(window, temp);

        EXPECT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty()) << c.what;
        EXPECT_EQ(test::ReadBytes(archive), test::ContiguousArchive(c.expected)) << c.what;
        EXPECT_EQ(window.Entries().rowCount(), static_cast<int>(c.expected.size())) << c.what;
        EXPECT_EQ(window.CurrentFolder(), "cars") << c.what;
    }
    EXPECT_EQ(fixture.dialogs.questions.at(0), QStringLiteral("Remove 2 entries from cars.wad?"));
    EXPECT_EQ(fixture.dialogs.textsProposed,
              (std::vector<QString>{"cars\\visor.tex", "cars\\ferrari\\car.gpc"}))
        << "a file added alone is proposed in the folder shown; a rename starts from the name";
}

// An edit of an archive that another program holds waits off the window's
// thread: the status says so while the window goes on (its timer runs),
// and Cancel ends the wait with nothing written.
TEST_F(ContentsWindowTest, AnEditWaitingForAnotherProgramShowsItAndCancelEndsIt)
{
    fixture.state.LockNoticeAfter = std::chrono::milliseconds(0);
    const std::string before = test::ReadBytes(archive);
    const ArchiveLock held(archive, ArchiveLock::Wait::ForOtherUpdates);
    Select({1});
    fixture.dialogs.questionAnswer = true;
    const QString entryCount = window.Status()->Caption();
    QString waiting;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!waiting.isEmpty() || !window.CancelButton()->isVisible() || window.Status()->Caption() == entryCount)
            return;
        waiting = window.Status()->Caption();
        QTest::mouseClick(window.CancelButton(), Qt::LeftButton);
    });
    watch.start(5);

    window.RemoveAction()->trigger();

    EXPECT_EQ(waiting, QStringLiteral("Waiting for another program using cars.wad"));
    EXPECT_EQ(window.Status()->Caption(), QStringLiteral("Cancelled"));
    EXPECT_FALSE(window.CancelButton()->isVisible());
    EXPECT_EQ(test::ReadBytes(archive), before);
    EXPECT_TRUE(fixture.dialogs.userErrors.empty() && fixture.dialogs.errorDisplays.empty());
}

// Extraction writes the selected entries below the chosen folder; a drag
// hands the file manager the same files, made in a folder of the window's.
TEST_F(ContentsWindowTest, ExtractAndDragOutWriteTheSelectedEntries)
{
    Select({1, 4});
    fixture.dialogs.folderAnswers.push_back(QString::fromStdString(temp / "out"));
    window.ExtractAction()->trigger();
    EXPECT_EQ(test::ReadBytes(temp / "out/cars/ferrari/helmet.tex"), "HH");
    EXPECT_EQ(test::ReadBytes(temp / "out/maps/monza2001/track.dat"), "TTTT");
    EXPECT_EQ(test::DirectoryOrder(temp / "out").size(), 2u);

    const QModelIndexList rows = window.EntryList()->selectionModel()->selectedRows(EntryTableModel::kNameColumn);
    const std::unique_ptr<QMimeData> drag(window.Shown().mimeData(rows));
    ASSERT_NE(drag, nullptr);
    ASSERT_EQ(drag->urls().size(), 2);
    EXPECT_EQ(test::ReadBytes(drag->urls()[0].toLocalFile().toStdString()), "HH");
    EXPECT_TRUE(drag->urls()[0].toLocalFile().endsWith(QStringLiteral("/helmet.tex")));
    EXPECT_FALSE(window.Shown().canDropMimeData(drag.get(), Qt::CopyAction, -1, -1, {}))
        << "the list's own drag is no drop of new files";
    EXPECT_TRUE(fixture.dialogs.errorDisplays.empty() && fixture.dialogs.userErrors.empty());
}

// Find lists every matching entry of the installation's wads, with its wad
// and size; a double click on one opens its wad at that entry.
TEST_F(ContentsWindowTest, FindListsTheInstallationsMatchesAndOpensOne)
{
    const std::string gp4 = temp.MakeFolder("gp4");
    temp.Write("gp4/GP4.exe", "");
    const std::string first = temp.Write("gp4/a.wad", test::ContiguousArchive({{"x.tex", "X"}, {"y.bin", "Y"}}));
    const std::string second =
        temp.Write("gp4/maps/b.wad", test::ContiguousArchive({{"z.bin", "Z"}, {"w\\w.tex", "WWW"}}));
    fixture.state.Installation = std::make_unique<test::FolderInstallation>(gp4);
    fixture.dialogs.textAnswers.push_back(QStringLiteral("*.tex"));
    window.FindAction()->trigger();

    ASSERT_NE(window.Finds(), nullptr);
    const QAbstractItemModel& found = *window.Finds()->Results()->model();
    ASSERT_EQ(found.rowCount(), 2);
    const QString expected[2][3] = {{QString::fromStdString(first), "x.tex", "1"},
                                    {QString::fromStdString(second), "w\\w.tex", "3"}};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(found.index(row, column).data().toString(), expected[row][column]) << row << column;

    QTreeView& results = *window.Finds()->Results();
    const QPoint centre = results.visualRect(found.index(1, 1)).center();
    QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(results.viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(window.Entries().Contents().path, second);
    EXPECT_EQ(window.SelectedEntries(), std::vector<std::int32_t>{1});
}

}  // namespace
}  // namespace mw
