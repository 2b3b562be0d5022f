// The contents window's controls: made, placed at their places at 96 dots
// per inch and scaled, and laid out again as the window's size changes.
#include "win32/contents_window.h"

#include <algorithm>
#include <filesystem>

#include "core/text.h"
#include "core/path_text.h"
#include "core/win32/wide_text.h"
#include "ops/messages.h"
#include "win32/contents_window_ids.h"
#include "win32/list_view.h"

namespace mw {
namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightContentsWindow";
constexpr SIZE kClientSize = {640, 420};  // at 96 dots per inch
constexpr int kMargin = 8;
constexpr int kButtonsHeight = 22;
constexpr int kStatusBarHeight = 16;
constexpr int kGap = 6;

struct ControlLook {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    RECT place;  // at 96 dots per inch, in the window's first size
};

// In the order of Win32ContentsWindow::Control; the Qt window's buttons,
// filter, tree, list and status bar.
const ControlLook kControls[] = {
    {L"BUTTON", L"Extract", BS_PUSHBUTTON | WS_TABSTOP, {8, 8, 56, 30}},
    {L"BUTTON", L"Add files", BS_PUSHBUTTON | WS_TABSTOP, {63, 8, 119, 30}},
    {L"BUTTON", L"Replace", BS_PUSHBUTTON | WS_TABSTOP, {126, 8, 182, 30}},
    {L"BUTTON", L"Rename", BS_PUSHBUTTON | WS_TABSTOP, {187, 8, 242, 30}},
    {L"BUTTON", L"Remove", BS_PUSHBUTTON | WS_TABSTOP, {249, 8, 303, 30}},
    {L"BUTTON", L"Find in GP4", BS_PUSHBUTTON | WS_TABSTOP, {310, 8, 382, 30}},
    {L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {392, 8, 632, 30}},
    {WC_TREEVIEWW, L"",
     WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, {8, 36, 168, 390}},
    {nullptr, nullptr, 0, {172, 36, 632, 390}},
    {L"STATIC", L"", SS_OWNERDRAW, {8, 396, 632, 412}},
    {L"BUTTON", L"Cancel", BS_PUSHBUTTON, {572, 396, 632, 412}},
};

}  // namespace

Win32ContentsWindow::Win32ContentsWindow(HWND owner, RunState& state, Win32Dialogs& boxes)
    : Win32WindowFrontend(controls_[StatusBar], controls_[CancelButton], boxes), state_(state)
{
    // Files dropped from Explorer on the list are added.
    CreateProgramWindow(kWindowClass, WideFromUtf8(kApplicationTitle).c_str(), WS_OVERLAPPEDWINDOW, WS_EX_ACCEPTFILES,
                        {100, 100}, owner);
    SetClientSize(window_, kClientSize);
    CreateControls();
    UpdateActions();
}

Win32ContentsWindow::~Win32ContentsWindow()
{
    findWindow_.reset();
    DestroyWindow(window_);
    if (!dragFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(FileSystemPath(dragFolder_), ignored);
    }
}

void Win32ContentsWindow::CreateControls()
{
    for (int i = 0; i < ControlCount; ++i) {
        const ControlLook& look = kControls[i];
        controls_[i] = i == EntryList
                           ? CreateRowList(window_, font_, look.place, kFirstContentsControlId + i, 0)
                           : CreateControl(window_, font_, look.className, look.text, look.style, look.place,
                                           kFirstContentsControlId + i);
    }
    SendMessageW(controls_[FilterEdit], EM_SETCUEBANNER, TRUE,
                 reinterpret_cast<LPARAM>(L"Filter: part of a name, or a pattern such as *.tex"));
    const HWND list = controls_[EntryList];
    AddListColumn(list, kNameSubItem, L"Name", Scaled(300), LVCFMT_LEFT);
    AddListColumn(list, kIndexSubItem, L"#", ColumnWidthFor(list, L"0000000"), LVCFMT_RIGHT);
    AddListColumn(list, kSizeSubItem, L"Size", ColumnWidthFor(list, L"0,000,000,000"), LVCFMT_RIGHT);
    int order[] = {kIndexSubItem, kNameSubItem, kSizeSubItem};
    ListView_SetColumnOrderArray(list, kSubItemCount, order);
    ShowWindow(controls_[CancelButton], SW_HIDE);
    LayOut();
}

// At a new DPI: the buttons at their places scaled, every control in the new font.
void Win32ContentsWindow::PlaceControls()
{
    if (!controls_[StatusBar])
        return;
    for (int i = 0; i < ControlCount; ++i) {
        const RECT& place = kControls[i].place;
        Place(controls_[i], place, Scaled(place.right - place.left));
    }
    LayOut();
}

// The buttons keep their places, the filter and the panes take the room the window gives.
void Win32ContentsWindow::LayOut()
{
    if (!controls_[StatusBar])
        return;
    RECT client = {};
    GetClientRect(window_, &client);
    const auto scaled = [this](int pixels) { return Scaled(pixels); };
    const int margin = scaled(kMargin);
    const int right = client.right - margin;
    const int filterLeft = scaled(kControls[FilterEdit].place.left);
    MoveWindow(controls_[FilterEdit], filterLeft, margin, std::max(right - filterLeft, scaled(120)),
               scaled(kButtonsHeight), TRUE);
    const int statusTop = client.bottom - margin - scaled(kStatusBarHeight);
    MoveWindow(controls_[StatusBar], margin, statusTop, right - margin, scaled(kStatusBarHeight), TRUE);
    const RECT& cancel = kControls[CancelButton].place;
    const int cancelWidth = scaled(cancel.right - cancel.left);
    MoveWindow(controls_[CancelButton], right - cancelWidth, statusTop, cancelWidth, scaled(kStatusBarHeight), TRUE);
    const int paneTop = margin + scaled(kButtonsHeight) + scaled(kGap);
    const int paneHeight = std::max(statusTop - scaled(kGap) - paneTop, 0);
    const int treeWidth = (right - margin) / 4;
    MoveWindow(controls_[FolderTree], margin, paneTop, treeWidth, paneHeight, TRUE);
    const int listLeft = margin + treeWidth + scaled(4);
    MoveWindow(controls_[EntryList], listLeft, paneTop, right - listLeft, paneHeight, TRUE);
    // The names take the room the other columns leave.
    const HWND list = controls_[EntryList];
    RECT inside = {};
    GetClientRect(list, &inside);
    const int rest = inside.right - ListView_GetColumnWidth(list, kIndexSubItem) -
                     ListView_GetColumnWidth(list, kSizeSubItem) - GetSystemMetrics(SM_CXVSCROLL);
    ListView_SetColumnWidth(list, kNameSubItem, std::max(rest, scaled(80)));
}

std::string Win32ContentsWindow::RestingText() const
{
    return ContentsStatusText(contents_, shown_.size());
}

}  // namespace mw
