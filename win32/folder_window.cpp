#include "win32/folder_window.h"

#include <commctrl.h>
#include <dbt.h>

#include "core/win32/wide_text.h"
#include "win32/window_look.h"

namespace mw {

const FolderWindowLook kFolderChooserLook = {
    L"Select Files...", {204, 275}, L"Please choose a folder", {10, 4, 118, 17}, {9, 20, 195, 239}, {120, 247, 193, 267}, true};
const FolderWindowLook kManualPathLook = {
    L"Manual Path Entry", {257, 313}, L"Please Choose your GP4 Folder :", {16, 8, 172, 21}, {16, 32, 241, 265},
    {168, 272, 241, 297}, false};

namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightFolderWindow";
constexpr int kOkId = 1;
constexpr UINT kFolderChanged = WM_APP + 1;
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
// The indentation of one level, at 96 dots per inch.
constexpr int kIndent = 19;

}  // namespace

FolderWindow::FolderWindow(HWND owner, const FolderWindowLook& look, std::function<void(const std::string&)> accept)
    : look_(look), accept_(std::move(accept))
{
    CreateProgramWindow(kWindowClass, look.caption, kStyle, kExStyle, {100, 100}, owner);
    RECT outer = {0, 0, Scaled(look.clientSize.cx), Scaled(look.clientSize.cy)};
    AdjustWindowRectExForDpi(&outer, kStyle, FALSE, kExStyle, dpi_);
    // Made hidden at start-up: it must not take the main window's keys.
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto create = [&](const wchar_t* className, const wchar_t* text, DWORD style, int id) {
        return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    prompt_ = create(L"STATIC", look.prompt, SS_LEFT, 0);
    // Neither lines nor buttons at the root, the desktop.
    tree_ = create(WC_TREEVIEWW, L"", WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, 0);
    ok_ = create(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kOkId);
    PlaceControls();
    folders_ = std::make_unique<ShellFolderTree>(tree_);
    watch_ = std::make_unique<FolderWatch>(window_, kFolderChanged);
    WatchOpenFolders();
}

FolderWindow::~FolderWindow()
{
    watch_.reset();
    // The tree frees its folders' ids as it goes.
    if (window_)
        DestroyWindow(window_);
}

void FolderWindow::PlaceControls()
{
    Place(prompt_, look_.promptPlace, LabelWidth(look_.prompt, Scaled(look_.promptPlace.right - look_.promptPlace.left)));
    Place(tree_, look_.treePlace, Scaled(look_.treePlace.right - look_.treePlace.left));
    Place(ok_, look_.okPlace, Scaled(look_.okPlace.right - look_.okPlace.left));
    TreeView_SetIndent(tree_, Scaled(kIndent));
    if (!look_.treeFillsWindow)
        return;
    // The room the client area has beyond its first size, at this DPI.
    RECT client = {};
    GetClientRect(window_, &client);
    const int wider = client.right - Scaled(look_.clientSize.cx);
    const int higher = client.bottom - Scaled(look_.clientSize.cy);
    const auto grow = [](HWND control, int width, int height, bool moves) {
        RECT place = {};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
        if (moves)
            OffsetRect(&place, width, height);
        else
            place = {place.left, place.top, place.right + width, place.bottom + height};
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    grow(tree_, wider, higher, false);
    grow(ok_, wider, higher, true);
}

void FolderWindow::Show()
{
    if (!shown_) {
        shown_ = true;
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        RECT place = {};
        GetWindowRect(window_, &place);
        const RECT& area = monitor.rcWork;
        SetWindowPos(window_, nullptr, (area.left + area.right - (place.right - place.left)) / 2,
                     (area.top + area.bottom - (place.bottom - place.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(tree_);
}

std::string FolderWindow::PathOf(HTREEITEM item) const
{
    return Utf8FromWide(folders_->PathOf(item));
}

void FolderWindow::WatchOpenFolders()
{
    std::vector<std::wstring> paths;
    watched_.clear();
    for (auto& [item, path] : folders_->OpenFolders()) {
        watched_.push_back(item);
        paths.push_back(std::move(path));
    }
    watch_->Watch(paths);
}

LRESULT FolderWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
        // Notifications come while the tree is first filled, before folders_ is set.
        if (folders_ && folders_->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam)))
            WatchOpenFolders();
        return 0;
    case kFolderChanged:
        if (watch_->IsCurrent(lParam) && wParam < watched_.size()) {
            folders_->Refresh(watched_[wParam]);
            WatchOpenFolders();
        }
        return 0;
    case WM_DEVICECHANGE:
        // A drive came or went.
        if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) {
            folders_->RefreshOpenFolders();
            WatchOpenFolders();
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kOkId && HIWORD(wParam) == BN_CLICKED) {
            // A folder without a path is taken as no folder.
            const std::string folder = SelectedPath();
            ShowWindow(window_, SW_HIDE);
            accept_(folder);
        }
        return 0;
    case WM_SIZE:
        if (ok_)
            PlaceControls();
        return 0;
    case WM_CLOSE:
        ShowWindow(window_, SW_HIDE);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace mw
