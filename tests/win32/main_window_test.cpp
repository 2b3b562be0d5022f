// The Win32 main window driven in process, as a person drives it: texts set
// with WM_SETTEXT, buttons clicked with BM_CLICK, the boxes recorded.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "core/file.h"
#include "core/win32/wide_text.h"
#include "ops/messages.h"
#include "ops/run_state.h"
#include "settings/remembered_gp4_installation.h"
#include "tests/support/temp_dir.h"
#include "win32/main_window.h"

namespace mw {
namespace {

class RecordingBoxes : public Win32Boxes {
public:
    bool AskQuestion(const std::string& question) override
    {
        shown.push_back("question " + question);
        return true;
    }
    void ShowMessage(const std::string& message) override { shown.push_back("message " + message); }
    void ShowErrorDisplay(const ErrorReport& report) override { shown.push_back("error " + report.message); }

    std::vector<std::string> shown;
};

std::wstring Text(HWND control)
{
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    return text;
}

class Win32MainWindowTest : public testing::Test {
protected:
    RunState state;
    RecordingBoxes boxes;
    Win32MainWindow window{WithInstallation(state), [] { return std::make_unique<InMemorySettings>(); }, boxes};

private:
    static RunState& WithInstallation(RunState& state)
    {
        state.Installation = MakeProgramGp4Installation(state.Settings);
        return state;
    }
};

struct ControlPlace {
    Win32MainWindow::Control control;
    const wchar_t* caption;
    RECT place;  // client coordinates at 96 dots per inch
};

// The Qt window's captions and places.
constexpr ControlPlace kPlaces[] = {
    {Win32MainWindow::SelectFolderButton, L"Select a Folder", {176, 4, 297, 19}},
    {Win32MainWindow::Gp4PathButton, L"Change GP4 Path", {320, 52, 425, 67}},
    {Win32MainWindow::CreateButton, L"Create wad", {8, 96, 96, 118}},
    {Win32MainWindow::UpdateButton, L"Update wad", {104, 96, 192, 118}},
    {Win32MainWindow::ExtractButton, L"Extract wad", {200, 96, 288, 118}},
    {Win32MainWindow::UpdateTracksButton, L"Update track wads", {304, 96, 425, 118}},
    {Win32MainWindow::StatusBar, L"", {8, 126, 425, 142}},
};

TEST_F(Win32MainWindowTest, ControlsHaveTheQtWindowsCaptionsAndPlaces)
{
    for (const ControlPlace& c : kPlaces) {
        const HWND control = window.ControlHandle(c.control);
        RECT place = {};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(Text(control), c.caption);
        EXPECT_TRUE(EqualRect(&place, &c.place)) << Utf8FromWide(c.caption);
    }
    EXPECT_EQ(Text(window.ControlHandle(Win32MainWindow::SourceEdit)), L"...or select a file");
}

// The fields as typed reach the operation, and its refusal reaches the boxes.
TEST_F(Win32MainWindowTest, UpdateButtonRunsTheUpdateOnTheTypedFields)
{
    test::TempDir dir;
    const std::string source = dir.MakeFolder("source");
    const std::string missing = dir / "missing.wad";
    SendMessageW(window.ControlHandle(Win32MainWindow::SourceEdit), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(WideFromUtf8(source).c_str()));
    SendMessageW(window.ControlHandle(Win32MainWindow::ArchiveEdit), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(WideFromUtf8(missing).c_str()));
    SendMessageW(window.ControlHandle(Win32MainWindow::UpdateButton), BM_CLICK, 0, 0);

    EXPECT_EQ(window.SourceText(), source);
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"message " + RefusalText({RefusalKind::WrongWadPath})});
}

// A file dropped from Explorer at a point of the window's client area.
void Drop(HWND window, POINT at, const std::string& path)
{
    const std::wstring name = WideFromUtf8(path);
    const std::size_t size = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->pt = at;
    files->fWide = TRUE;
    std::copy(name.begin(), name.end(), reinterpret_cast<wchar_t*>(files + 1));
    GlobalUnlock(memory);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

TEST_F(Win32MainWindowTest, DroppedFilesLandOnTheFieldThatTakesThem)
{
    test::TempDir dir;
    const std::string wad = dir.Write("Cars.WAD", "x");
    const std::string text = dir.Write("notes.txt", "x");
    const POINT source = {50, 30};
    const POINT archive = {50, 78};
    struct DropCase {
        POINT at;
        std::string path;
        std::string sourceAfter;
        std::string archiveAfter;
    };
    const DropCase cases[] = {
        {archive, text, "...or select a file", ""},
        {archive, wad, "...or select a file", wad},
        {source, text, text, wad},
        {source, dir.path(), dir.path(), wad},
    };
    for (const DropCase& c : cases) {
        Drop(window.Handle(), c.at, c.path);
        EXPECT_EQ(window.SourceText(), c.sourceAfter) << c.path;
        EXPECT_EQ(window.ArchiveText(), c.archiveAfter) << c.path;
    }
}

// Each button opens its small window; OK hands the selected folder on.
TEST_F(Win32MainWindowTest, FolderChooserOkFillsTheSourceField)
{
    FolderWindow& chooser = window.FolderChooser();
    EXPECT_FALSE(IsWindowVisible(chooser.Handle()));
    EXPECT_FALSE(IsWindowVisible(window.ManualPath().Handle()));
    SendMessageW(window.ControlHandle(Win32MainWindow::SelectFolderButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(chooser.Handle()));
    EXPECT_EQ(Text(chooser.Handle()), L"Select Files...");

    const HTREEITEM drive = TreeView_GetRoot(chooser.Tree());
    TreeView_Expand(chooser.Tree(), drive, TVE_EXPAND);
    const HTREEITEM folder = TreeView_GetChild(chooser.Tree(), drive);
    ASSERT_NE(folder, nullptr) << "the first drive's folders are read when it opens";
    TreeView_SelectItem(chooser.Tree(), folder);
    const std::string chosen = chooser.SelectedPath();
    EXPECT_TRUE(FolderExists(chosen)) << chosen;
    SendMessageW(chooser.OkButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(chooser.Handle()));
    EXPECT_EQ(window.SourceText(), chosen);

    SendMessageW(window.ControlHandle(Win32MainWindow::Gp4PathButton), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(window.ManualPath().Handle()), L"Manual Path Entry");
    EXPECT_TRUE(IsWindowVisible(window.ManualPath().Handle()));
}

}  // namespace
}  // namespace mw
