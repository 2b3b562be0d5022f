// What the program's lists (ListView controls in report mode whose rows
// the window gives as they are painted) share.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mw {

// A report-mode list of rows given on demand: full-row selection, drawn
// without flicker.
HWND CreateRowList(HWND parent, HFONT font, const RECT& place, int id, DWORD style);
// A report-mode list that keeps its rows' texts, one row selected at a
// time; exStyle adds to the extended styles (LVS_EX_CHECKBOXES).
HWND CreateItemList(HWND parent, HFONT font, const RECT& place, int id, DWORD exStyle);
// A row of such a list at its end, its cells in column order; its index.
int AppendListRow(HWND list, const std::vector<std::string>& cells);
// Column subItem with its header and width in pixels; format LVCFMT_LEFT or LVCFMT_RIGHT.
void AddListColumn(HWND list, int subItem, const wchar_t* title, int width, int format);
// The selected rows, in the list's order.
std::vector<int> SelectedRows(HWND list);
// No row selected or focused. The whole list at once only when rows are
// selected: Wine tells of every row of a list given on demand.
void ClearSelection(HWND list);
// Selects row alone, focused and scrolled into view.
void SelectRowAlone(HWND list, int row);
// A size as the user's locale groups its digits: "236,472".
std::wstring SizeText(std::int64_t size);
// The width in pixels that text takes in the list's font, with a cell's margins.
int ColumnWidthFor(HWND list, const wchar_t* text);

}  // namespace mw
