// The contents window's messages: its buttons, keys and menu call the
// handlers; the tree, the filter and the list's header filter and sort the
// list; the list asks for the cells it paints.
#include "win32/contents_window.h"

#include <windowsx.h>

#include "win32/contents_window_ids.h"

namespace mw {
namespace {

// The menu of the list, in the order of the buttons.
constexpr struct {
    int control;
    const wchar_t* text;
} kMenuItems[] = {
    {Win32ContentsWindow::ExtractButton, L"Extract...\tCtrl+E"},
    {Win32ContentsWindow::AddButton, L"Add files...\tIns"},
    {Win32ContentsWindow::ReplaceButton, L"Replace..."},
    {Win32ContentsWindow::RenameButton, L"Rename...\tF2"},
    {Win32ContentsWindow::RemoveButton, L"Remove\tDel"},
};

}  // namespace

void Win32ContentsWindow::ShowMenu(POINT at)
{
    const HMENU menu = CreatePopupMenu();
    for (const auto& item : kMenuItems)
        AppendMenuW(menu, IsWindowEnabled(controls_[item.control]) ? MF_STRING : MF_STRING | MF_GRAYED,
                    static_cast<UINT_PTR>(kFirstContentsControlId + item.control), item.text);
    // From the keyboard: at the list's corner.
    if (at.x == -1 && at.y == -1) {
        at = {0, 0};
        ClientToScreen(controls_[EntryList], &at);
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
    DestroyMenu(menu);
}

void Win32ContentsWindow::OnCommand(int id)
{
    switch (id) {
    case ExtractButton: handlers_.ExtractSelection(); break;
    case AddButton: handlers_.AddFiles(); break;
    case ReplaceButton: handlers_.ReplaceSelected(); break;
    case RenameButton: handlers_.RenameSelected(); break;
    case RemoveButton: handlers_.RemoveSelection(); break;
    case FindButton: handlers_.FindInGp4(); break;
    case CancelButton: RequestCancel(); break;
    default: break;
    }
}

bool Win32ContentsWindow::OnNotify(const NMHDR& header, LRESULT& result)
{
    result = 0;
    if (header.hwndFrom == controls_[FolderTree] && header.code == TVN_SELCHANGEDW) {
        if (!filling_)
            ApplyFilter();
        return true;
    }
    if (header.hwndFrom != controls_[EntryList])
        return false;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        auto& cell = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
        if (cell.item.mask & LVIF_TEXT)
            cell.item.pszText = CellText(cell.item.iItem, cell.item.iSubItem);
        return true;
    }
    case LVN_BEGINDRAG:
        DragOut();
        return true;
    case LVN_COLUMNCLICK:
        SortBy(ColumnOfSubItem(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
        return true;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
        UpdateActions();
        return true;
    default:
        return false;
    }
}

LRESULT Win32ContentsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kFirstContentsControlId + FilterEdit) {
            if (!filling_)
                ApplyFilter();
        }
        else if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 0)
            OnCommand(LOWORD(wParam) - kFirstContentsControlId);
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == controls_[EntryList]) {
            ShowMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        break;
    case WM_DRAWITEM:
        PaintStatus(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), font_);
        return TRUE;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_CLOSE:
        ShowWindow(window_, SW_HIDE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool Win32ContentsWindow::TakeKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (findWindow_ && root == findWindow_->Handle() && message.wParam == VK_ESCAPE) {
        ShowWindow(root, SW_HIDE);
        return true;
    }
    if (root != window_)
        return false;
    // The window's keys act wherever its focus is; the filter field keeps
    // the keys it edits with.
    const bool inFilter = message.hwnd == controls_[FilterEdit];
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (message.wParam) {
    case VK_ESCAPE: ShowWindow(window_, SW_HIDE); return true;
    case VK_DELETE:
        if (inFilter)
            return false;
        handlers_.RemoveSelection();
        return true;
    case VK_F2: handlers_.RenameSelected(); return true;
    case VK_INSERT:
        if (inFilter)
            return false;
        handlers_.AddFiles();
        return true;
    case 'E':
        if (!control)
            return false;
        handlers_.ExtractSelection();
        return true;
    case 'F':
        if (!control)
            return false;
        handlers_.FindInGp4();
        return true;
    default: return false;
    }
}

}  // namespace mw
