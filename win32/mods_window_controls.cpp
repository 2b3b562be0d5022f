// The Mods window's controls: their looks and places, and the status bar
// and boxes through which a change running off the thread speaks.
#include "win32/mods_window.h"

#include <commctrl.h>

#include <algorithm>

#include "ops/messages.h"
#include "win32/list_view.h"
#include "win32/status_bar.h"

namespace mw {
namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightModsWindow";
constexpr SIZE kClientSize = {640, 440};  // at 96 dots per inch
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kLineHeight = 13;
constexpr int kButtonsHeight = 22;
constexpr int kStatusBarHeight = 16;
// The installation's status shows four lines and scrolls past them.
constexpr int kInstallationStatusHeight = 4 * kLineHeight + 8;

struct ControlLook {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    RECT place;  // at 96 dots per inch; LayOut gives the rest
    const wchar_t* toolTip;
};

// In the order of Win32ModsWindow::Control; the Qt window's summary, lists,
// buttons, installation status and status bar.
const ControlLook kControls[] = {
    {L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, {8, 8, 632, 21}, nullptr},
    {nullptr, nullptr, 0, {8, 27, 632, 150}, nullptr},
    {nullptr, nullptr, 0, {8, 154, 632, 310}, nullptr},
    {L"BUTTON", L"&Enable", BS_PUSHBUTTON | WS_TABSTOP, {8, 316, 80, 338},
     L"Put the mod back at its place in the install order"},
    {L"BUTTON", L"&Disable", BS_PUSHBUTTON | WS_TABSTOP, {86, 316, 158, 338},
     L"Take the mod out; its bytes are kept to enable it again"},
    {L"BUTTON", L"&Remove...", BS_PUSHBUTTON | WS_TABSTOP, {164, 316, 236, 338}, L"Take the mod out and forget it"},
    {L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
     {8, 344, 632, 410}, L"Each wad: as found, changed by mods, or changed outside"},
    {L"STATIC", L"", SS_OWNERDRAW, {8, 416, 632, 432}, nullptr},
    {L"BUTTON", L"Cancel", BS_PUSHBUTTON, {572, 416, 632, 432}, L"Stop the change (Esc)"},
};

struct ColumnLook {
    const wchar_t* title;
    int width;  // at 96 dots per inch; the stretching column's is its least
};
constexpr ColumnLook kModColumns[] = {{L"Mod", 150}, {L"Installed", 110}, {L"Wads", 90}, {L"Entries", 140},
                                      {L"Conflicts", 100}};
constexpr int kModStretchColumn = 2;
constexpr ColumnLook kEntryColumns[] = {{L"Wad", 90}, {L"Entry", 200}, {L"Change", 70}, {L"Read from", 130}};
constexpr int kEntryStretchColumn = 1;

template <std::size_t N>
void AddColumns(HWND list, const ColumnLook (&columns)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        AddListColumn(list, static_cast<int>(i), columns[i].title, Scaled(list, columns[i].width), LVCFMT_LEFT);
}

// The stretching column takes the width the others leave.
template <std::size_t N>
void StretchColumn(HWND list, const ColumnLook (&)[N], int stretch, int least)
{
    RECT inside = {};
    GetClientRect(list, &inside);
    int rest = inside.right - GetSystemMetrics(SM_CXVSCROLL);
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<int>(i) != stretch)
            rest -= ListView_GetColumnWidth(list, static_cast<int>(i));
    ListView_SetColumnWidth(list, stretch, std::max(rest, least));
}

}  // namespace

Win32ModsWindow::Win32ModsWindow(HWND owner, RunState& state, Win32Dialogs& boxes, std::function<void()> changed)
    : Win32WindowFrontend(controls_[StatusBar], controls_[CancelButton], boxes),
      state_(state),
      changed_(std::move(changed))
{
    CreateProgramWindow(kWindowClass, L"Mods", WS_OVERLAPPEDWINDOW, 0, {100, 100}, owner);
    SetClientSize(window_, kClientSize);
    CreateControls();
    UpdateButtons();
}

Win32ModsWindow::~Win32ModsWindow()
{
    DestroyWindow(window_);
}

void Win32ModsWindow::CreateControls()
{
    const HWND toolTips = CreateToolTips(window_);
    for (int i = 0; i < ControlCount; ++i) {
        const ControlLook& look = kControls[i];
        if (i == ModList || i == EntryList)
            controls_[i] = CreateItemList(window_, font_, look.place, kFirstControlId + i,
                                          i == ModList ? LVS_EX_CHECKBOXES | LVS_EX_INFOTIP : 0);
        else
            controls_[i] = CreateControl(window_, font_, look.className, look.text, look.style, look.place,
                                         kFirstControlId + i);
        if (look.toolTip)
            AddToolTip(toolTips, controls_[i], look.toolTip);
    }
    AddColumns(controls_[ModList], kModColumns);
    AddColumns(controls_[EntryList], kEntryColumns);
    ShowWindow(controls_[CancelButton], SW_HIDE);
    LayOut();
}

// At a new DPI: every control in the new font, then laid out again.
void Win32ModsWindow::PlaceControls()
{
    if (!controls_[CancelButton])
        return;
    for (int i = 0; i < ControlCount; ++i) {
        const RECT& place = kControls[i].place;
        Place(controls_[i], place, Scaled(place.right - place.left));
    }
    LayOut();
}

// The buttons keep their widths; the lists share the height the rest leaves.
void Win32ModsWindow::LayOut()
{
    if (!controls_[CancelButton])
        return;
    RECT client = {};
    GetClientRect(window_, &client);
    const int margin = Scaled(kMargin);
    const int gap = Scaled(kGap);
    const int width = std::max(static_cast<int>(client.right) - 2 * margin, Scaled(200));
    const int statusTop = static_cast<int>(client.bottom) - margin - Scaled(kStatusBarHeight);
    MoveWindow(controls_[StatusBar], margin, statusTop, width, Scaled(kStatusBarHeight), TRUE);
    const RECT& cancel = kControls[CancelButton].place;
    const int cancelWidth = Scaled(cancel.right - cancel.left);
    MoveWindow(controls_[CancelButton], margin + width - cancelWidth, statusTop, cancelWidth,
               Scaled(kStatusBarHeight), TRUE);
    const int installationTop = statusTop - gap - Scaled(kInstallationStatusHeight);
    MoveWindow(controls_[InstallationStatus], margin, installationTop, width, Scaled(kInstallationStatusHeight), TRUE);
    const int buttonsTop = installationTop - gap - Scaled(kButtonsHeight);
    for (const Control button : {EnableButton, DisableButton, RemoveButton}) {
        const RECT& place = kControls[button].place;
        MoveWindow(controls_[button], Scaled(place.left), buttonsTop, Scaled(place.right - place.left),
                   Scaled(kButtonsHeight), TRUE);
    }
    MoveWindow(controls_[Summary], margin, margin, width, Scaled(kLineHeight), TRUE);
    const int listsTop = margin + Scaled(kLineHeight) + gap;
    const int listsHeight = std::max(buttonsTop - gap - listsTop - Scaled(4), 0);
    const int modsHeight = listsHeight * 2 / 5;
    MoveWindow(controls_[ModList], margin, listsTop, width, modsHeight, TRUE);
    MoveWindow(controls_[EntryList], margin, listsTop + modsHeight + Scaled(4), width, listsHeight - modsHeight, TRUE);
    StretchColumn(controls_[ModList], kModColumns, kModStretchColumn, Scaled(kModColumns[kModStretchColumn].width));
    StretchColumn(controls_[EntryList], kEntryColumns, kEntryStretchColumn,
                  Scaled(kEntryColumns[kEntryStretchColumn].width));
}

}  // namespace mw
