#include "win32/folder_window.h"

#include <commctrl.h>

#include "core/win32/wide_text.h"
#include "win32/window_look.h"

namespace mw {

const FolderWindowLook kFolderChooserLook = {
    L"Select Files...", {204, 275}, L"Please choose a folder", {10, 4, 118, 17}, {9, 20, 195, 239}, {120, 247, 193, 267}};
const FolderWindowLook kManualPathLook = {
    L"Manual Path Entry", {257, 313}, L"Please Choose your GP4 Folder :", {16, 8, 172, 21}, {16, 32, 241, 265},
    {168, 272, 241, 297}};

namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightFolderWindow";
constexpr int kOkId = 1;

HTREEITEM InsertFolder(HWND tree, HTREEITEM parent, const std::wstring& name)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(name.c_str());
    // Whether it has folders is learnt when it is first opened.
    insert.item.cChildren = 1;
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

}  // namespace

FolderWindow::FolderWindow(HWND owner, const FolderWindowLook& look, std::function<void(const std::string&)> accept)
    : accept_(std::move(accept))
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
    CreateProgramWindow(kWindowClass, look.caption, kStyle, WS_EX_DLGMODALFRAME, {100, 100}, owner);
    RECT outer = {0, 0, Scaled(look.clientSize.cx), Scaled(look.clientSize.cy)};
    AdjustWindowRectExForDpi(&outer, kStyle, FALSE, WS_EX_DLGMODALFRAME, GetDpiForWindow(window_));
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);

    font_ = CreateWindowFont(window_);
    const auto place = [&](const wchar_t* className, const wchar_t* text, DWORD style, const RECT& at, int id) {
        int width = Scaled(at.right - at.left);
        if (style == SS_LEFT)
            width = LabelWidth(window_, font_, text, width);
        const HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, Scaled(at.left),
                                             Scaled(at.top), width, Scaled(at.bottom - at.top),
                                             window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return control;
    };
    place(L"STATIC", look.prompt, SS_LEFT, look.promptPlace, 0);
    tree_ = place(WC_TREEVIEWW, L"", WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                          TVS_SHOWSELALWAYS, look.treePlace, 0);
    ok_ = place(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, look.okPlace, kOkId);

    // The drives are the tree's roots.
    wchar_t drives[512] = {};
    GetLogicalDriveStringsW(511, drives);
    for (const wchar_t* drive = drives; *drive; drive += wcslen(drive) + 1)
        InsertFolder(tree_, TVI_ROOT, drive);
}

FolderWindow::~FolderWindow()
{
    if (window_)
        DestroyWindow(window_);
    if (font_)
        DeleteObject(font_);
}

int FolderWindow::Scaled(int pixels) const
{
    return mw::Scaled(window_, pixels);
}

void FolderWindow::Show()
{
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(tree_);
}

std::wstring FolderWindow::PathOf(HTREEITEM item) const
{
    std::wstring path;
    for (; item; item = TreeView_GetParent(tree_, item)) {
        wchar_t name[MAX_PATH] = {};
        TVITEMW read = {};
        read.mask = TVIF_TEXT;
        read.hItem = item;
        read.pszText = name;
        read.cchTextMax = MAX_PATH;
        TreeView_GetItem(tree_, &read);
        std::wstring part = name;
        if (!path.empty() && part.back() != L'\\')
            part += L'\\';
        path = part + path;
    }
    return path;
}

std::string FolderWindow::SelectedPath() const
{
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    return selected ? Utf8FromWide(PathOf(selected)) : std::string();
}

void FolderWindow::AddFolders(HTREEITEM parent, const std::wstring& folder)
{
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    bool any = false;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") {
                InsertFolder(tree_, parent, name);
                any = true;
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (!any) {
        TVITEMW none = {};
        none.mask = TVIF_CHILDREN;
        none.hItem = parent;
        TreeView_SetItem(tree_, &none);
    }
}

LRESULT FolderWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
        // A folder's folders are read when it is first opened.
        if (change->hdr.code == TVN_ITEMEXPANDINGW && change->action == TVE_EXPAND &&
            !TreeView_GetChild(tree_, change->itemNew.hItem))
            AddFolders(change->itemNew.hItem, PathOf(change->itemNew.hItem));
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kOkId && HIWORD(wParam) == BN_CLICKED) {
            const std::string folder = SelectedPath();
            ShowWindow(window_, SW_HIDE);
            if (!folder.empty())
                accept_(folder);
        }
        return 0;
    case WM_CLOSE:
        ShowWindow(window_, SW_HIDE);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace mw
