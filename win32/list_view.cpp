#include "win32/list_view.h"

#include "core/win32/wide_text.h"
#include "win32/window_look.h"

namespace mw {

HWND CreateRowList(HWND parent, HFONT font, const RECT& place, int id, DWORD style)
{
    const HWND list = CreateControl(parent, font, WC_LISTVIEWW, L"",
                                    WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | style,
                                    place, id);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP);
    return list;
}

HWND CreateItemList(HWND parent, HFONT font, const RECT& place, int id, DWORD exStyle)
{
    const HWND list = CreateControl(parent, font, WC_LISTVIEWW, L"",
                                    WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, place, id);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | exStyle);
    return list;
}

int AppendListRow(HWND list, const std::vector<std::string>& cells)
{
    std::wstring text = cells.empty() ? std::wstring() : WideFromUtf8(cells.front());
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = text.data();
    const int row = ListView_InsertItem(list, &item);
    for (std::size_t subItem = 1; subItem < cells.size(); ++subItem) {
        text = WideFromUtf8(cells[subItem]);
        ListView_SetItemText(list, row, static_cast<int>(subItem), text.data());
    }
    return row;
}

void AddListColumn(HWND list, int subItem, const wchar_t* title, int width, int format)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title);
    column.iSubItem = subItem;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(subItem), reinterpret_cast<LPARAM>(&column));
}

std::vector<int> SelectedRows(HWND list)
{
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void ClearSelection(HWND list)
{
    if (ListView_GetSelectedCount(list) > 0)
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (focused >= 0)
        ListView_SetItemState(list, focused, 0, LVIS_FOCUSED);
}

void SelectRowAlone(HWND list, int row)
{
    ClearSelection(list);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

std::wstring SizeText(std::int64_t size)
{
    const std::wstring digits = std::to_wstring(size);
    wchar_t grouped[64] = {};
    // No decimals, whatever the locale's default.
    wchar_t decimal[8] = L".";
    wchar_t thousand[8] = L",";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
    NUMBERFMTW format = {0, 0, 3, decimal, thousand, 1};
    if (GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format, grouped, 64) == 0)
        return digits;
    return grouped;
}

int ColumnWidthFor(HWND list, const wchar_t* text)
{
    return ListView_GetStringWidth(list, text) + Scaled(list, 14);
}

}  // namespace mw
