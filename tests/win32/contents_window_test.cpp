// The Win32 contents and find windows driven in process, opened as the main
// window opens them, their boxes and dialogs answered by the test.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "core/gp4_installation.h"
#include "core/settings_store.h"
#include "core/win32/wide_text.h"
#include "ops/messages.h"
#include "ops/undo_wad.h"
#include "tests/support/contents_entries.h"
#include "tests/support/temp_dir.h"
#include "tests/win32/recording_dialogs.h"
#include "win32/file_drag.h"
#include "win32/list_view.h"
#include "win32/main_window.h"

namespace mw {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

const Entries& kEntries = test::kContentsEntries;

std::string CellText(HWND list, int row, int subItem)
{
    wchar_t text[512] = {};
    ListView_GetItemText(list, row, subItem, text, 512);
    return Utf8FromWide(text);
}

class Win32ContentsWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        main.SetArchiveText(archive);
        main.ShowContents();
        ASSERT_NE(main.ContentsView(), nullptr);
        ASSERT_TRUE(IsWindowVisible(main.ContentsView()->Handle()));
    }

    Win32ContentsWindow& Window() { return *main.ContentsView(); }
    HWND Control(Win32ContentsWindow::Control control) { return Window().ControlHandle(control); }

    test::TempDir temp;
    std::string gp4 = temp.MakeFolder("gp4");
    std::string archive = temp.Write("gp4/cars.wad", test::ContiguousArchive(kEntries));
    RunState state;
    test::RecordingDialogs boxes;
    Win32MainWindow main{WithInstallation(state, gp4), [] { return std::make_unique<InMemorySettings>(); }, boxes};

private:
    static RunState& WithInstallation(RunState& state, const std::string& gp4)
    {
        state.Installation = std::make_unique<FixedGp4Installation>(gp4);
        return state;
    }
};

// The window's keys act wherever its focus is (the filter field keeps
// Delete for its text), through the program's message loop; Escape hides it.
TEST_F(Win32ContentsWindowTest, ItsKeysWorkAnywhereInTheWindow)
{
    boxes.answer = false;
    ListView_SetItemState(Control(Win32ContentsWindow::EntryList), 0, LVIS_SELECTED, LVIS_SELECTED);
    const auto key = [&](Win32ContentsWindow::Control where, WPARAM key) {
        const MSG message = {Control(where), WM_KEYDOWN, key, 0, 0, {}};
        return main.TakeKey(message);
    };
    EXPECT_TRUE(key(Win32ContentsWindow::FolderTree, VK_DELETE));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(key(Win32ContentsWindow::FilterEdit, VK_DELETE));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(key(Win32ContentsWindow::FolderTree, VK_ESCAPE));
    EXPECT_FALSE(IsWindowVisible(Window().Handle()));
}

// The list shows the entries the folder and the filter leave, in the
// order of the column chosen; entries drag out as files; a rename through
// its box can be undone.
TEST_F(Win32ContentsWindowTest, ListFollowsFolderFilterAndSortDragsOutAndAnEditCanBeUndone)
{
    wchar_t title[256] = {};
    GetWindowTextW(Window().Handle(), title, 256);
    EXPECT_EQ(Utf8FromWide(title), ContentsTitle(archive));
    // Every control in the window's font, 11 pixels high at 96 dots per inch.
    for (int control = 0; control < Win32ContentsWindow::ControlCount; ++control) {
        LOGFONTW font = {};
        const auto handle = reinterpret_cast<HFONT>(
            SendMessageW(Control(static_cast<Win32ContentsWindow::Control>(control)), WM_GETFONT, 0, 0));
        ASSERT_NE(GetObjectW(handle, sizeof(font), &font), 0) << control;
        EXPECT_EQ(font.lfHeight, -11) << control;
    }
    const HWND list = Control(Win32ContentsWindow::EntryList);
    // The name, index and size columns of every entry, in the archive's order.
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(CellText(list, row, 0), kEntries[static_cast<std::size_t>(row)].first);
        EXPECT_EQ(CellText(list, row, 1), std::to_string(row));
        EXPECT_EQ(CellText(list, row, 2), std::to_string(kEntries[static_cast<std::size_t>(row)].second.size()));
    }

    struct ViewCase {
        const char* folder;
        const char* filter;
        std::vector<EntryColumn> sortClicks;
        std::vector<std::int32_t> shown;
        const char* status;
    };
    const ViewCase cases[] = {
        {"", "helmet", {}, {1, 3}, "2 of 5 entries"},
        {"CARS", "", {}, {1, 2, 3}, "3 of 5 entries"},
        {"cars\\ferrari", "*.TEX", {}, {1}, "1 of 5 entries"},
        {"", "", {EntryColumn::Name}, {2, 1, 3, 4, 0}, "5 entries"},
        {"", "", {EntryColumn::Size, EntryColumn::Size}, {0, 2, 4, 1, 3}, "5 entries"},
        {"", "", {EntryColumn::Index}, {0, 1, 2, 3, 4}, "5 entries"},
    };
    for (const ViewCase& c : cases) {
        Window().SelectFolder(c.folder);
        SetWindowTextW(Control(Win32ContentsWindow::FilterEdit), WideFromUtf8(c.filter).c_str());
        for (const EntryColumn column : c.sortClicks)
            Window().SortBy(column);
        EXPECT_EQ(Window().ShownEntries(), c.shown) << c.folder << " " << c.filter;
        EXPECT_EQ(ListView_GetItemCount(list), static_cast<int>(c.shown.size()));
        EXPECT_EQ(Window().StatusText(), c.status);
    }

    // Dragged out, the selected entries are files of the drag's data.
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(list, 3, LVIS_SELECTED, LVIS_SELECTED);
    const std::vector<std::string> files = Window().ExtractForDrag();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(test::ReadBytes(files[1]), "W");
    IDataObject* data = MakeFileDragData(files);
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    EXPECT_EQ(DragQueryFileW(static_cast<HDROP>(medium.hGlobal), 0xFFFFFFFF, nullptr, 0), 2u);
    ReleaseStgMedium(&medium);
    data->Release();
    ClearSelection(list);

    const std::string before = test::ReadBytes(archive);
    EXPECT_FALSE(IsWindowEnabled(Control(Win32ContentsWindow::RenameButton)));
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    boxes.textAnswers.push_back("docs/readme.txt");
    SendMessageW(Control(Win32ContentsWindow::RenameButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front();
    EXPECT_EQ(EntryName(Window().Contents().entries[0]), "docs\\readme.txt");
    EXPECT_EQ(ReadArchiveContents(archive).entries.size(), 5u);

    EXPECT_TRUE(UndoLastUpdate(state, main, main.ArchiveText()));
    EXPECT_EQ(test::ReadBytes(archive), before);
}

// Find lists every matching entry of the installation's wads; a double
// click on one shows its wad with that entry selected; a search that
// cannot run leaves no stale row to read.
TEST_F(Win32ContentsWindowTest, FindListsTheInstallationsMatchesAndOpensOne)
{
    const std::string second =
        temp.Write("gp4/maps/b.wad", test::ContiguousArchive({{"z.bin", "Z"}, {"w\\w.tex", "WWW"}}));
    boxes.textAnswers.push_back("*.tex");
    SendMessageW(Control(Win32ContentsWindow::FindButton), BM_CLICK, 0, 0);

    ASSERT_NE(Window().Finds(), nullptr);
    const HWND results = Window().Finds()->Results();
    const std::string expected[3][3] = {{archive, "cars\\ferrari\\helmet.tex", "2"},
                                        {archive, "cars\\Williams\\helmet.TEX", "1"},
                                        {second, "w\\w.tex", "3"}};
    ASSERT_EQ(ListView_GetItemCount(results), 3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(CellText(results, row, column), expected[row][column]) << row << column;
    wchar_t summary[128] = {};
    GetWindowTextW(Window().Finds()->Summary(), summary, 128);
    EXPECT_EQ(Utf8FromWide(summary), "3 entries found");

    NMITEMACTIVATE click = {};
    click.hdr = {results, 1, NM_DBLCLK};
    click.iItem = 2;
    SendMessageW(Window().Finds()->Handle(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(Window().Contents().path, second);
    EXPECT_EQ(Window().SelectedEntries(), std::vector<std::int32_t>{1});

    // A search that cannot run empties the rows the list still counts.
    state.Installation = std::make_unique<FixedGp4Installation>(temp / "gone");
    boxes.textAnswers.push_back("*.tex");
    SendMessageW(Control(Win32ContentsWindow::FindButton), BM_CLICK, 0, 0);
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"message " + std::string(kNoInstallationMessage)});
    EXPECT_EQ(CellText(results, 2, 1), "");
}

}  // namespace
}  // namespace mw
