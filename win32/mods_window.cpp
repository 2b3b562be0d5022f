// The Mods window's handlers: what it shows, and the changes its boxes and
// buttons ask for.
#include "win32/mods_window.h"

#include <commctrl.h>

#include <algorithm>

#include "core/win32/wide_text.h"
#include "ops/error_report.h"
#include "win32/list_view.h"
#include "win32/status_bar.h"

namespace mw {
namespace {

// A box ticked or unticked, handled once the list's own notification is done:
// the change fills the list anew. wParam the row, lParam 1 for ticked.
constexpr UINT kBoxChanged = WM_APP + 1;

// The box's state image: 0 none, 1 unticked, 2 ticked.
int BoxOf(UINT state)
{
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

// An edit control breaks lines at "\r\n" only.
std::wstring EditLines(const std::string& text)
{
    std::wstring lines;
    for (const wchar_t c : WideFromUtf8(text))
        lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return lines;
}

}  // namespace

void Win32ModsWindow::ShowMods(const std::string& scope)
{
    model_ = std::make_unique<ModsWindowModel>(state_, scope);
    Reload();
    if (!placed_ && GetWindow(window_, GW_OWNER)) {
        PlaceBesideWindow(window_, GetWindow(window_, GW_OWNER));
        placed_ = true;
    }
    ShowInFrontLeavingTyping(window_, controls_[ModList]);
}

void Win32ModsWindow::Reload()
{
    if (!model_)
        return;
    const int selected = SelectedRow();
    RunShowingErrors([this] { model_->Reload(); });
    const HWND list = controls_[ModList];
    filling_ = true;
    ListView_DeleteAllItems(list);
    for (const ModRow& row : model_->Rows()) {
        const int at = AppendListRow(
            list, {row.name, row.date, row.archives, row.entries, row.conflict.empty() ? "" : "! " + row.conflict});
        // A permanent mod has no box to change.
        ListView_SetItemState(list, at, INDEXTOSTATEIMAGEMASK(row.permanent ? 0 : row.enabled ? 2 : 1),
                              LVIS_STATEIMAGEMASK);
    }
    filling_ = false;
    SetWindowTextW(controls_[Summary], WideFromUtf8(model_->SummaryText()).c_str());
    SetWindowTextW(controls_[InstallationStatus], EditLines(model_->StatusText()).c_str());
    SelectMod(std::min(std::max(selected, 0), ListView_GetItemCount(list) - 1));
    ShowEntries();
    UpdateButtons();
}

void Win32ModsWindow::SelectMod(int row)
{
    if (row >= 0 && row < ListView_GetItemCount(controls_[ModList]))
        SelectRowAlone(controls_[ModList], row);
}

int Win32ModsWindow::SelectedRow() const
{
    return ListView_GetNextItem(controls_[ModList], -1, LVNI_SELECTED);
}

void Win32ModsWindow::ShowEntries()
{
    const HWND list = controls_[EntryList];
    ListView_DeleteAllItems(list);
    const int row = SelectedRow();
    if (!model_ || row < 0)
        return;
    for (const ModEntryRow& entry : model_->EntryRows(static_cast<std::size_t>(row)))
        AppendListRow(list, {entry.archive, entry.entry, entry.kind, entry.winner});
}

void Win32ModsWindow::UpdateButtons()
{
    const int row = SelectedRow();
    const ModsWindowModel::Buttons allowed = model_ ? model_->ButtonsFor(row) : ModsWindowModel::Buttons{};
    EnableWindow(controls_[EnableButton], allowed.enable);
    EnableWindow(controls_[DisableButton], allowed.disable);
    EnableWindow(controls_[RemoveButton], allowed.remove);
}

void Win32ModsWindow::EnableSelected()
{
    Change(ModAction::Enable);
}

void Win32ModsWindow::DisableSelected()
{
    Change(ModAction::Disable);
}

void Win32ModsWindow::RemoveSelected()
{
    Change(ModAction::Remove);
}

void Win32ModsWindow::Change(ModAction action)
{
    const std::optional<ModChangeRequest> request =
        model_ ? model_->ChangeFor(
                     SelectedRow(), action, *this, [this](const std::function<void()>& work) { RunHeldBack(work); },
                     [this](const std::string& question) { return boxes_.AskQuestion(question); })
               : std::nullopt;
    if (request)
        RunChange(*request);
    else
        Reload();
}

void Win32ModsWindow::RunChange(const ModChangeRequest& request)
{
    RunOffThread([&](Frontend& frontend) { ChangeMods(state_, frontend, request); });
    Reload();
    // A change stopped or failed part way may have written some archives.
    if (changed_)
        changed_();
}

bool Win32ModsWindow::OnNotify(const NMHDR& header, LRESULT& result)
{
    result = 0;
    if (header.hwndFrom != controls_[ModList])
        return false;
    if (header.code == LVN_KEYDOWN) {
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            RemoveSelected();
        return true;
    }
    if (header.code == LVN_GETINFOTIPW) {
        // The tips the Qt window gives the box of a permanent mod and the conflict mark.
        auto& tip = const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(header));
        const ModRow* row = model_ && tip.iItem >= 0 && tip.iItem < static_cast<int>(model_->Rows().size())
                                ? &model_->Rows()[static_cast<std::size_t>(tip.iItem)]
                                : nullptr;
        const wchar_t* text = !row                    ? nullptr
                              : row->permanent        ? L"Permanent: the store's cap kept no bytes to take it out"
                              : !row->conflict.empty() ? L"Later mods overwrite some of its entries with other bytes"
                                                       : nullptr;
        if (text && tip.cchTextMax > 0)
            lstrcpynW(tip.pszText, text, tip.cchTextMax);
        return true;
    }
    if (header.code != LVN_ITEMCHANGING && header.code != LVN_ITEMCHANGED)
        return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const bool boxChange = (change.uChanged & LVIF_STATE) && BoxOf(change.uNewState) != BoxOf(change.uOldState);
    if (header.code == LVN_ITEMCHANGING) {
        // A permanent mod's row keeps having no box.
        result = !filling_ && boxChange && BoxOf(change.uOldState) == 0 ? TRUE : FALSE;
        return true;
    }
    if (filling_)
        return true;
    if (boxChange && BoxOf(change.uOldState) != 0 && change.iItem >= 0)
        PostMessageW(window_, kBoxChanged, static_cast<WPARAM>(change.iItem), BoxOf(change.uNewState) == 2);
    else if (change.uChanged & LVIF_STATE) {
        ShowEntries();
        UpdateButtons();
    }
    return true;
}

LRESULT Win32ModsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        switch (static_cast<int>(LOWORD(wParam))) {
        // Escape, given by the dialog navigation.
        case IDCANCEL: ShowWindow(window_, SW_HIDE); break;
        case kFirstControlId + EnableButton: EnableSelected(); break;
        case kFirstControlId + DisableButton: DisableSelected(); break;
        case kFirstControlId + RemoveButton: RemoveSelected(); break;
        case kFirstControlId + CancelButton: RequestCancel(); break;
        default: break;
        }
        return 0;
    case kBoxChanged: {
        const int row = static_cast<int>(wParam);
        if (!model_ || row >= static_cast<int>(model_->Rows().size()))
            return 0;
        const bool ticked = lParam != 0;
        SelectMod(row);
        // The box already shows the ledger when a change put it there.
        if (model_->Rows()[static_cast<std::size_t>(row)].enabled != ticked)
            Change(ticked ? ModAction::Enable : ModAction::Disable);
        return 0;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        PaintStatus(*item, font_);
        return TRUE;
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
