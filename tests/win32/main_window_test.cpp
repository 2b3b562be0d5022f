// The Win32 main window driven in process, as a person drives it: texts set
// with WM_SETTEXT, buttons clicked with BM_CLICK, the boxes recorded.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "core/file.h"
#include "core/win32/wide_text.h"
#include "ops/messages.h"
#include "ops/run_state.h"
#include "settings/remembered_gp4_installation.h"
#include "tests/support/temp_dir.h"
#include "tests/win32/recording_dialogs.h"
#include "startup/main_window_layout.h"
#include "win32/hand_over.h"
#include "win32/main_window.h"

namespace mw {
namespace {

std::wstring Text(HWND control)
{
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    return text;
}

class Win32MainWindowTest : public testing::Test {
protected:
    void SetText(Win32MainWindow::Control field, const std::string& text)
    {
        SendMessageW(window.ControlHandle(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
    }
    void Click(Win32MainWindow::Control button) { SendMessageW(window.ControlHandle(button), BM_CLICK, 0, 0); }

    RunState state;
    test::RecordingDialogs boxes;
    Win32MainWindow window{WithInstallation(state), [] { return std::make_unique<InMemorySettings>(); }, boxes};

private:
    static RunState& WithInstallation(RunState& state)
    {
        state.Installation = MakeProgramGp4Installation(state.Settings);
        return state;
    }
};

// A control's place in client coordinates at 96 dots per inch.
RECT PlaceOf(HWND control, HWND window)
{
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

RECT RectOf(const ControlPlace& place)
{
    return {place.left, place.top, place.left + place.width, place.top + place.height};
}

using Win32Control = Win32MainWindow::Control;

// The controls the Qt window places from the same layout table, each with
// the table's control it shows.
constexpr std::pair<Win32Control, MainControl> kSharedControls[] = {
    {Win32MainWindow::SourceLabel, MainControl::SourceLabel},
    {Win32MainWindow::SelectFolderButton, MainControl::SelectFolderButton},
    {Win32MainWindow::ArchiveLabel, MainControl::ArchiveLabel},
    {Win32MainWindow::Gp4PathButton, MainControl::Gp4PathButton},
    {Win32MainWindow::CreateButton, MainControl::CreateButton},
    {Win32MainWindow::UpdateButton, MainControl::UpdateButton},
    {Win32MainWindow::ExtractButton, MainControl::ExtractButton},
    {Win32MainWindow::UpdateTracksButton, MainControl::UpdateTracksButton},
    {Win32MainWindow::StatusBar, MainControl::StatusBar},
    {Win32MainWindow::CancelButton, MainControl::CancelButton},
};

// Where the layout table puts each control but the labels (which widen to
// show their text), at 96 dots per inch. A file field is an edit with its
// buttons beside it, each 20 pixels wide from the field's right end
// leftwards (browse, then the archive field's contents, undo and Mods buttons),
// the edit ending 2 pixels before them.
std::vector<std::pair<Win32Control, RECT>> PlacesFromTheLayout()
{
    std::vector<std::pair<Win32Control, RECT>> places;
    for (const auto& [control, layoutControl] : kSharedControls)
        if (layoutControl != MainControl::SourceLabel && layoutControl != MainControl::ArchiveLabel)
            places.emplace_back(control, RectOf(MainControlLookOf(layoutControl).place));
    constexpr int kButtonWidth = 20;
    const struct {
        Win32Control control;
        MainControl field;
        int fromRight;  // 0 for the edit, else the button's place counted from the right end
        int buttons;
    } fields[] = {
        {Win32MainWindow::SourceEdit, MainControl::SourceField, 0, 1},
        {Win32MainWindow::SourceBrowse, MainControl::SourceField, 1, 1},
        {Win32MainWindow::ArchiveEdit, MainControl::ArchiveField, 0, 4},
        {Win32MainWindow::ArchiveBrowse, MainControl::ArchiveField, 1, 4},
        {Win32MainWindow::ContentsButton, MainControl::ArchiveField, 2, 4},
        {Win32MainWindow::UndoButton, MainControl::ArchiveField, 3, 4},
        {Win32MainWindow::ModsButton, MainControl::ArchiveField, 4, 4},
    };
    for (const auto& f : fields) {
        RECT place = RectOf(MainControlLookOf(f.field).place);
        if (f.fromRight == 0)
            place.right -= kButtonWidth * f.buttons + 2;
        else {
            place.right -= kButtonWidth * (f.fromRight - 1);
            place.left = place.right - kButtonWidth;
        }
        places.emplace_back(f.control, place);
    }
    return places;
}

// The controls the Qt window places from the same layout table are at the
// same places with the same captions; a label at least as wide.
TEST_F(Win32MainWindowTest, ControlsHaveTheQtWindowsCaptionsAndPlaces)
{
    for (const auto& [control, layoutControl] : kSharedControls) {
        const MainControlLook& look = MainControlLookOf(layoutControl);
        const HWND handle = window.ControlHandle(control);
        EXPECT_EQ(Utf8FromWide(Text(handle)), look.caption);
        const RECT place = PlaceOf(handle, window.Handle());
        const RECT expected = RectOf(look.place);
        EXPECT_EQ(place.left, expected.left) << look.caption;
        EXPECT_EQ(place.top, expected.top) << look.caption;
        EXPECT_GE(place.right, expected.right) << look.caption;
        EXPECT_EQ(place.bottom, expected.bottom) << look.caption;
    }
    for (const auto& [control, expected] : PlacesFromTheLayout()) {
        const RECT place = PlaceOf(window.ControlHandle(control), window.Handle());
        EXPECT_TRUE(EqualRect(&place, &expected)) << control;
    }
    EXPECT_EQ(Text(window.ControlHandle(Win32MainWindow::SourceEdit)), L"...or select a file");
}

// The fields as typed reach the operation, and its refusal reaches the boxes.
TEST_F(Win32MainWindowTest, UpdateButtonRunsTheUpdateOnTheTypedFields)
{
    test::TempDir dir;
    const std::string source = dir.MakeFolder("source");
    const std::string missing = dir / "missing.wad";
    SetText(Win32MainWindow::SourceEdit, source);
    SetText(Win32MainWindow::ArchiveEdit, missing);
    Click(Win32MainWindow::UpdateButton);

    EXPECT_EQ(window.SourceText(), source);
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"message " + RefusalText({RefusalKind::WrongWadPath})});
}

// "/" in a field is "\", as in any typed path: the update of cars.wad
// names a new entry the same way whichever separator was typed.
TEST_F(Win32MainWindowTest, SlashesInTheFieldsAreBackslashes)
{
    test::TempDir dir;
    const std::string original = test::ContiguousArchive({{"a.bin", "A"}});
    std::string archives[2];
    for (const bool slashes : {false, true}) {
        const std::string folder = slashes ? "slashes" : "backslashes";
        const std::string wad = dir.Write(folder + "/cars.wad", original);
        const std::string mod = dir.Write(folder + "/mod/cars/ferrari/helmet.tex", "new");
        const auto typed = [slashes](std::string path) {
            if (slashes)
                std::replace(path.begin(), path.end(), '\\', '/');
            return path;
        };
        SetText(Win32MainWindow::SourceEdit, typed(mod));
        SetText(Win32MainWindow::ArchiveEdit, typed(wad));
        Click(Win32MainWindow::UpdateButton);
        archives[slashes] = test::ReadBytes(wad);
    }
    EXPECT_NE(archives[0], original);
    EXPECT_EQ(archives[1], archives[0]);
    EXPECT_TRUE(boxes.shown.empty());
}

// A refusal or an error never leaves the last success on the bar: it
// clears the status, text and fill; the bytes written move the text's
// percentage with the bar.
TEST_F(Win32MainWindowTest, TheStatusFollowsTheBarAndAFailureClearsIt)
{
    window.ShowProgress({ProgressPhase::Updating, "cars.wad", 100});
    window.ShowBytes(450, 1000);
    EXPECT_EQ(window.StatusText(), "Updating cars.wad : 45%");
    EXPECT_EQ(window.Position(), 45);

    test::TempDir dir;
    const std::string wad = dir.Write("cars.wad", "not an archive at all");
    const struct {
        const char* what;
        std::string source;
        const char* shown;  // the box's kind
    } cases[] = {
        {"a refusal", "", "message "},
        {"an error", dir.Write("patch/a.bin", "patched"), "error "},
    };
    for (const auto& c : cases) {
        window.ShowProgress({ProgressPhase::Updated, "1.5"});
        window.ShowBytes(45, 100);
        SetText(Win32MainWindow::SourceEdit, c.source);
        SetText(Win32MainWindow::ArchiveEdit, wad);
        boxes.shown.clear();
        Click(Win32MainWindow::UpdateButton);
        ASSERT_EQ(boxes.shown.size(), 1u) << c.what;
        EXPECT_EQ(boxes.shown[0].rfind(c.shown, 0), 0u) << boxes.shown[0];
        EXPECT_EQ(window.StatusText(), "") << c.what;
        EXPECT_EQ(window.Position(), 0) << c.what;
    }
}

// Escape or a click on the Cancel button, posted before "Update wad" is
// clicked, is taken by the window's thread while the update runs off it:
// the update stops, the wad stays as it was and the status says so; the
// next update runs in full.
TEST_F(Win32MainWindowTest, EscapeOrCancelStopsTheRunningUpdate)
{
    test::TempDir dir;
    const std::string original = test::ContiguousArchive({{"a.bin", "A"}});
    const std::string wad = dir.Write("cars.wad", original);
    SetText(Win32MainWindow::SourceEdit, dir.Write("patch/a.bin", "patched"));
    SetText(Win32MainWindow::ArchiveEdit, wad);
    const HWND cancel = window.ControlHandle(Win32MainWindow::CancelButton);
    const std::function<void()> stops[] = {
        [&] { PostMessageW(window.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); },
        [&] {
            PostMessageW(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageW(cancel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        },
    };
    for (const auto& stop : stops) {
        stop();
        Click(Win32MainWindow::UpdateButton);
        EXPECT_EQ(window.StatusText(), "Cancelled");
        EXPECT_EQ(window.Position(), 0);
        EXPECT_EQ(test::ReadBytes(wad), original);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_FALSE(IsWindowVisible(cancel));
    }
    Click(Win32MainWindow::UpdateButton);
    EXPECT_NE(test::ReadBytes(wad), original);
}

// "Undo last update" is enabled only for a wad with an update to undo, asks
// first, and gives the wad back byte for byte.
TEST_F(Win32MainWindowTest, UndoButtonAsksThenGivesTheArchiveBack)
{
    test::TempDir dir;
    const std::string original = test::ContiguousArchive({{"a.bin", "A"}, {"b.bin", "B"}});
    const std::string wad = dir.Write("cars.wad", original);
    const HWND undo = window.ControlHandle(Win32MainWindow::UndoButton);
    SetText(Win32MainWindow::ArchiveEdit, wad);
    EXPECT_FALSE(IsWindowEnabled(undo));

    SetText(Win32MainWindow::SourceEdit, dir.Write("patch/a.bin", "patched"));
    Click(Win32MainWindow::UpdateButton);
    const std::string updated = test::ReadBytes(wad);
    ASSERT_NE(updated, original);
    ASSERT_TRUE(IsWindowEnabled(undo));

    // Ctrl+Z outside a field does what the arrow does; in a field it is the
    // field's.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const auto ctrlZ = [&](Win32MainWindow::Control where) {
        return window.TakeKey({window.ControlHandle(where), WM_KEYDOWN, 'Z', 0, 0, {}});
    };
    EXPECT_FALSE(ctrlZ(Win32MainWindow::ArchiveEdit));
    EXPECT_TRUE(boxes.shown.empty());
    const std::function<void()> undos[] = {
        [&] { Click(Win32MainWindow::UndoButton); },
        [&] { ctrlZ(Win32MainWindow::UpdateButton); },
    };
    for (const bool answer : {false, true}) {
        boxes.answer = answer;
        undos[answer]();
        EXPECT_EQ(test::ReadBytes(wad), answer ? original : updated);
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_NE(boxes.shown[0].find("\n    a.bin\n"), std::string::npos) << boxes.shown[0];
    EXPECT_FALSE(IsWindowEnabled(undo)) << "nothing is left to undo";
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

// Tab goes from "Update wad" through the controls in reading order; the
// archive field's buttons follow it as they stand, the undo arrow,
// disabled, passed over.
TEST_F(Win32MainWindowTest, TabTakesInTheFieldsButtons)
{
    using W = Win32MainWindow;
    const W::Control expected[] = {W::ExtractButton,      W::UpdateTracksButton, W::SelectFolderButton,
                                   W::SourceEdit,         W::SourceBrowse,       W::Gp4PathButton,
                                   W::ArchiveEdit,        W::ModsButton,         W::ContentsButton,
                                   W::ArchiveBrowse,      W::CreateButton,       W::UpdateButton};
    window.ShowMainWindow();
    HWND focus = window.ControlHandle(W::UpdateButton);
    for (const W::Control next : expected) {
        focus = GetNextDlgTabItem(window.Handle(), focus, FALSE);
        EXPECT_EQ(focus, window.ControlHandle(next)) << next;
    }
}

void DispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

// The contents window leaves the focus in a field being typed in, and
// takes it otherwise.
TEST_F(Win32MainWindowTest, ContentsLeaveTheFocusInAFieldBeingTypedIn)
{
    test::TempDir dir;
    SetText(Win32MainWindow::ArchiveEdit, dir.Write("cars.wad", test::ContiguousArchive({{"a", "A"}})));
    window.ShowMainWindow();
    SetForegroundWindow(window.Handle());
    SetFocus(window.ControlHandle(Win32MainWindow::ArchiveEdit));
    window.ShowContents();
    ASSERT_NE(window.ContentsView(), nullptr);
    EXPECT_TRUE(IsWindowVisible(window.ContentsView()->Handle()));
    EXPECT_EQ(GetFocus(), window.ControlHandle(Win32MainWindow::ArchiveEdit));

    ShowWindow(window.ContentsView()->Handle(), SW_HIDE);
    SetFocus(window.ControlHandle(Win32MainWindow::UpdateButton));
    window.ShowContents();
    EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), window.ContentsView()->Handle());
}

// A .wad opened while the program runs reaches its main window, which
// opens it once the start that sent it has its answer; what is no .wad
// and what is no hand-over of ours are refused.
TEST_F(Win32MainWindowTest, AnArchiveHandedOverOpensInTheContentsWindow)
{
    test::TempDir dir;
    const std::string wad = dir.Write("cars.wad", test::ContiguousArchive({{"a", "A"}}));
    window.ShowMainWindow();
    EXPECT_FALSE(SendArchiveTo(window.Handle(), dir.Write("notes.txt", "x")));
    COPYDATASTRUCT other = {1, 4, const_cast<wchar_t*>(L"ab")};
    EXPECT_FALSE(SendMessageW(window.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other)));
    DispatchWaitingMessages();
    EXPECT_EQ(window.ContentsView(), nullptr);

    EXPECT_TRUE(SendArchiveTo(window.Handle(), wad));
    DispatchWaitingMessages();
    EXPECT_EQ(window.ArchiveText(), wad);
    ASSERT_NE(window.ContentsView(), nullptr);
    EXPECT_TRUE(IsWindowVisible(window.ContentsView()->Handle()));
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

// Each button opens its small window; OK hands the selected folder on: at
// once the desktop, which the tree starts at, and nothing for a folder
// without a path (the computer).
TEST_F(Win32MainWindowTest, FolderChooserOkFillsTheSourceField)
{
    FolderWindow& chooser = window.FolderChooser();
    EXPECT_FALSE(IsWindowVisible(chooser.Handle()));
    EXPECT_FALSE(IsWindowVisible(window.ManualPath().Handle()));
    SendMessageW(window.ControlHandle(Win32MainWindow::SelectFolderButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(chooser.Handle()));
    EXPECT_EQ(Text(chooser.Handle()), L"Select Files...");

    wchar_t desktop[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
    const HTREEITEM root = TreeView_GetRoot(chooser.Tree());
    EXPECT_EQ(TreeView_GetSelection(chooser.Tree()), root);
    EXPECT_EQ(TreeView_GetNextSibling(chooser.Tree(), root), nullptr);
    SendMessageW(chooser.OkButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(chooser.Handle()));
    EXPECT_EQ(window.SourceText(), Utf8FromWide(desktop));

    HTREEITEM computer = TreeView_GetChild(chooser.Tree(), root);
    while (computer && !chooser.PathOf(computer).empty())
        computer = TreeView_GetNextSibling(chooser.Tree(), computer);
    ASSERT_NE(computer, nullptr) << "the desktop holds a folder without a path";
    TreeView_SelectItem(chooser.Tree(), computer);
    SendMessageW(chooser.OkButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(window.SourceText(), "");

    SendMessageW(window.ControlHandle(Win32MainWindow::Gp4PathButton), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(window.ManualPath().Handle()), L"Manual Path Entry");
    EXPECT_TRUE(IsWindowVisible(window.ManualPath().Handle()));
}

RECT ClientPlace(HWND control)
{
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Moved to a monitor of another DPI, each window is laid out as it would
// have been had it started there; resized, the folder chooser's tree grows.
TEST_F(Win32MainWindowTest, DpiChangeLaysTheWindowsOutAsAtStartUp)
{
    struct WindowPlaces {
        HWND window;
        std::vector<std::pair<HWND, RECT>> places;  // at 96 dots per inch
        SIZE clientSize = {};                       // a folder window's, which its layout follows
    };
    std::vector<WindowPlaces> windows(1, {window.Handle(), {}});
    for (const auto& [control, place] : PlacesFromTheLayout())
        windows[0].places.emplace_back(window.ControlHandle(control), place);
    for (FolderWindow* small : {&window.FolderChooser(), &window.ManualPath()}) {
        const FolderWindowLook& look = small == &window.FolderChooser() ? kFolderChooserLook : kManualPathLook;
        windows.push_back(
            {small->Handle(), {{small->Tree(), look.treePlace}, {small->OkButton(), look.okPlace}}, look.clientSize});
    }
    for (const UINT dpi : {120u, 144u, 192u, 96u})
        for (const WindowPlaces& w : windows) {
            // The rectangle Windows suggests holds the client area at the new DPI.
            RECT suggested = {};
            GetWindowRect(w.window, &suggested);
            if (w.clientSize.cx != 0) {
                RECT outer = {0, 0, MulDiv(w.clientSize.cx, static_cast<int>(dpi), 96),
                              MulDiv(w.clientSize.cy, static_cast<int>(dpi), 96)};
                AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongPtrW(w.window, GWL_STYLE)), FALSE,
                                         static_cast<DWORD>(GetWindowLongPtrW(w.window, GWL_EXSTYLE)),
                                         GetDpiForWindow(w.window));
                suggested.right = suggested.left + outer.right - outer.left;
                suggested.bottom = suggested.top + outer.bottom - outer.top;
            }
            SendMessageW(w.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            for (const auto& [control, at96] : w.places) {
                const auto scaled = [dpi](LONG pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); };
                const RECT expected = {scaled(at96.left), scaled(at96.top), scaled(at96.right), scaled(at96.bottom)};
                const RECT place = ClientPlace(control);
                EXPECT_TRUE(EqualRect(&place, &expected)) << dpi << " dpi: " << place.left << "," << place.top << ","
                                                          << place.right << "," << place.bottom;
                LOGFONTW font = {};
                GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
                EXPECT_EQ(font.lfHeight, -MulDiv(11, static_cast<int>(dpi), 96)) << dpi << " dpi";
            }
        }
    // Made 40 wider and 30 higher, the chooser's tree takes the room and its
    // OK keeps its distance from the edges; in Manual Path Entry nothing moves.
    for (FolderWindow* small : {&window.FolderChooser(), &window.ManualPath()}) {
        const FolderWindowLook& look = small == &window.FolderChooser() ? kFolderChooserLook : kManualPathLook;
        RECT outer = {};
        GetWindowRect(small->Handle(), &outer);
        SetWindowPos(small->Handle(), nullptr, 0, 0, outer.right - outer.left + 40, outer.bottom - outer.top + 30,
                     SWP_NOMOVE | SWP_NOZORDER);
        const int grown = look.treeFillsWindow ? 1 : 0;
        const RECT tree = ClientPlace(small->Tree());
        const RECT ok = ClientPlace(small->OkButton());
        const RECT expectedTree = {look.treePlace.left, look.treePlace.top, look.treePlace.right + 40 * grown,
                                   look.treePlace.bottom + 30 * grown};
        RECT expectedOk = look.okPlace;
        OffsetRect(&expectedOk, 40 * grown, 30 * grown);
        EXPECT_TRUE(EqualRect(&tree, &expectedTree)) << tree.right << "," << tree.bottom;
        EXPECT_TRUE(EqualRect(&ok, &expectedOk)) << ok.left << "," << ok.top;
    }
}

// The rightmost column of a control that holds more than its background.
int RightmostInk(HWND control)
{
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    RECT area = {};
    GetClientRect(control, &area);
    const HDC dc = GetDC(control);
    const COLORREF background = GetPixel(dc, 0, 0);
    int rightmost = -1;
    for (int x = 0; x < area.right; ++x)
        for (int y = 0; y < area.bottom; ++y)
            if (GetPixel(dc, x, y) != background)
                rightmost = x;
    ReleaseDC(control, dc);
    return rightmost;
}

// The long labels show all their text and end before the buttons beside them.
TEST_F(Win32MainWindowTest, LongLabelsFitBeforeTheirButtons)
{
    window.ShowMainWindow();
    for (const auto& [label, button] : {std::pair{Win32MainWindow::SourceLabel, Win32MainWindow::SelectFolderButton},
                                        std::pair{Win32MainWindow::ArchiveLabel, Win32MainWindow::Gp4PathButton}}) {
        const HWND control = window.ControlHandle(label);
        const RECT place = ClientPlace(control);
        EXPECT_LE(place.right, ClientPlace(window.ControlHandle(button)).left);
        const int shown = RightmostInk(control);
        SetWindowPos(control, nullptr, 0, 0, place.right - place.left + 100, place.bottom - place.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(shown, RightmostInk(control)) << "as much text as when the label had room to spare";
    }
}

// The bar fills from the left in the Qt window's solid blue.
TEST_F(Win32MainWindowTest, StatusBarFillsInTheQtWindowsBlue)
{
    window.ShowMainWindow();
    window.ShowProgress({ProgressPhase::Updating, "cars.wad", 50});
    const HWND bar = window.ControlHandle(Win32MainWindow::StatusBar);
    UpdateWindow(bar);
    RECT area = {};
    GetClientRect(bar, &area);
    const HDC dc = GetDC(bar);
    EXPECT_EQ(GetPixel(dc, area.right / 4, 3), RGB(105, 174, 231));
    EXPECT_EQ(GetPixel(dc, area.right * 3 / 4, 3), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(bar, dc);
}

}  // namespace
}  // namespace mw
