#include "win32/find_window.h"

#include <commctrl.h>

#include <algorithm>

#include "core/entry_text.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "win32/list_view.h"

namespace mw {
namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightFindWindow";
constexpr SIZE kClientSize = {560, 320};  // at 96 dots per inch
enum Column { kArchiveColumn, kEntryColumn, kSizeColumn };

}  // namespace

Win32FindWindow::Win32FindWindow(HWND owner, const FoundEntryList& found, OpenRow open)
    : found_(found), open_(std::move(open))
{
    CreateProgramWindow(kWindowClass, L"", WS_OVERLAPPEDWINDOW, 0, {100, 100}, owner);
    SetClientSize(window_, kClientSize);
    results_ = CreateRowList(window_, font_, {8, 8, 552, 293}, 1, LVS_SINGLESEL);
    summary_ = CreateControl(window_, font_, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {8, 299, 552, 312}, 2);
    AddListColumn(results_, kArchiveColumn, L"Wad", Scaled(240), LVCFMT_LEFT);
    AddListColumn(results_, kEntryColumn, L"Entry", Scaled(200), LVCFMT_LEFT);
    AddListColumn(results_, kSizeColumn, L"Size", ColumnWidthFor(results_, L"0,000,000,000"), LVCFMT_RIGHT);
}

Win32FindWindow::~Win32FindWindow()
{
    DestroyWindow(window_);
}

void Win32FindWindow::ShowResults(const std::string& pattern)
{
    SetWindowTextW(window_, WideFromUtf8(FindTitle(pattern)).c_str());
    const std::string summary = FindSummaryText(found_.Rows().size(), found_.Failures(), found_.FolderFailures());
    SetWindowTextW(summary_, WideFromUtf8(summary).c_str());
    ListView_SetItemCountEx(results_, static_cast<int>(found_.Rows().size()), 0);
    // The wads' column as wide as its longest path.
    int width = Scaled(60);
    for (const FoundEntry& row : found_.Rows())
        width = std::max(width, ColumnWidthFor(results_, WideFromUtf8(PrintableText(row.archive)).c_str()));
    ListView_SetColumnWidth(results_, kArchiveColumn, width);
    LayOut();
    if (!IsWindowVisible(window_))
        PlaceBesideWindow(window_, GetWindow(window_, GW_OWNER));
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void Win32FindWindow::PlaceControls()
{
    for (const HWND control : {results_, summary_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    LayOut();
}

void Win32FindWindow::LayOut()
{
    if (!summary_)
        return;
    RECT client = {};
    GetClientRect(window_, &client);
    const int margin = Scaled(8);
    const int summaryHeight = Scaled(13);
    const int listBottom = client.bottom - margin - summaryHeight - Scaled(6);
    MoveWindow(results_, margin, margin, client.right - 2 * margin, listBottom - margin, TRUE);
    MoveWindow(summary_, margin, client.bottom - margin - summaryHeight, client.right - 2 * margin, summaryHeight,
               TRUE);
    // The entries' column takes the room the others leave.
    RECT list = {};
    GetClientRect(results_, &list);
    const int rest = list.right - ListView_GetColumnWidth(results_, kArchiveColumn) -
                     ListView_GetColumnWidth(results_, kSizeColumn);
    ListView_SetColumnWidth(results_, kEntryColumn, std::max(rest, Scaled(80)));
}

LRESULT Win32FindWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != results_)
            break;
        if (header->code == LVN_GETDISPINFOW) {
            auto* cell = reinterpret_cast<NMLVDISPINFOW*>(lParam);
            // A new search empties the rows before the list hears of it.
            if (!(cell->item.mask & LVIF_TEXT) || static_cast<std::size_t>(cell->item.iItem) >= found_.Rows().size())
                return 0;
            const FoundEntry& row = found_.Rows()[static_cast<std::size_t>(cell->item.iItem)];
            switch (cell->item.iSubItem) {
            case kArchiveColumn: cellText_ = WideFromUtf8(PrintableText(row.archive)); break;
            case kEntryColumn: cellText_ = WideFromUtf8(PrintableText(ShownEntryName(EntryName(row.entry)))); break;
            default: cellText_ = SizeText(row.entry.Size); break;
            }
            cell->item.pszText = cellText_.data();
            return 0;
        }
        if (header->code == NM_DBLCLK) {
            const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
            if (row >= 0 && static_cast<std::size_t>(row) < found_.Rows().size())
                open_(row);
            return 0;
        }
        break;
    }
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

}  // namespace mw
