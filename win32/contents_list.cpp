// The contents window's folder tree and list: filled from the archive's
// directory, the list a virtual one that asks for the cells it paints, the
// rows the folder and the filter leave in the order of the column chosen.
#include "win32/contents_window.h"

#include <algorithm>

#include "core/text.h"
#include "core/path_helpers.h"
#include "core/win32/wide_text.h"
#include "ops/messages.h"
#include "win32/contents_window_ids.h"
#include "win32/list_view.h"
#include "win32/system_icons.h"
#include "win32/window_look.h"

namespace mw {

void Win32ContentsWindow::ShowContents(ArchiveContents contents)
{
    SetWindowTextW(window_, WideFromUtf8(ContentsTitle(contents.path)).c_str());
    SetContents(std::move(contents));
    filling_ = true;
    SetWindowTextW(controls_[FilterEdit], L"");
    SelectFolder({});
    filling_ = false;
    ApplyFilter();
    if (!IsWindowVisible(window_))
        PlaceBesideWindow(window_, GetWindow(window_, GW_OWNER));
    ShowInFrontLeavingTyping(window_, controls_[EntryList]);
}

void Win32ContentsWindow::ShowContentsAgain(ArchiveContents contents, const std::string& folder)
{
    SetContents(std::move(contents));
    filling_ = true;
    SelectFolder(folder);
    filling_ = false;
    ApplyFilter();
}

void Win32ContentsWindow::SetContents(ArchiveContents contents)
{
    filling_ = true;
    ClearSelection(controls_[EntryList]);
    ListView_SetItemCountEx(controls_[EntryList], 0, 0);
    shown_.clear();
    contents_ = std::move(contents);
    order_ = EntryOrder(contents_.entries);
    const HWND tree = controls_[FolderTree];
    TreeView_DeleteAllItems(tree);
    folders_ = EntryFolders(contents_.entries);
    folderNodes_.clear();
    // The shell's pictures: the archive's as a .wad file's, the folders' as its folders'.
    TreeView_SetImageList(tree, SmallSystemIcons(), TVSIL_NORMAL);
    const int archiveIcon = SmallIconOfKind(L"x.wad", FILE_ATTRIBUTE_NORMAL);
    const int folderIcon = SmallIconOfKind(L"folder", FILE_ATTRIBUTE_DIRECTORY);
    const int openFolderIcon = SmallIconOfKind(L"folder", FILE_ATTRIBUTE_DIRECTORY, true);
    const auto insert = [tree](HTREEITEM parent, const std::string& text, LPARAM data, int icon, int selectedIcon) {
        const std::wstring name = WideFromUtf8(PrintableText(text));
        TVINSERTSTRUCTW item = {};
        item.hParent = parent;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.item.pszText = const_cast<wchar_t*>(name.c_str());
        item.item.lParam = data;
        item.item.iImage = icon;
        item.item.iSelectedImage = selectedIcon;
        return TreeView_InsertItem(tree, &item);
    };
    // The archive's own node carries 0, a folder its place in folders_ and one.
    folderNodes_[{}] = insert(TVI_ROOT, FileNamePart(contents_.path), 0, archiveIcon, archiveIcon);
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        const std::string key = LowerAscii(folders_[i]);
        const std::size_t end = key.rfind(kEntrySeparator);
        const std::string parentKey = end == std::string::npos ? std::string() : key.substr(0, end);
        const std::string name = end == std::string::npos ? folders_[i] : folders_[i].substr(end + 1);
        folderNodes_[key] =
            insert(folderNodes_.at(parentKey), name, static_cast<LPARAM>(i + 1), folderIcon, openFolderIcon);
    }
    TreeView_Expand(tree, folderNodes_.at({}), TVE_EXPAND);
    filling_ = false;
}

std::string Win32ContentsWindow::CurrentFolder() const
{
    TVITEMW item = {};
    item.mask = TVIF_PARAM;
    item.hItem = TreeView_GetSelection(controls_[FolderTree]);
    if (!item.hItem || !TreeView_GetItem(controls_[FolderTree], &item) || item.lParam == 0)
        return {};
    return folders_[static_cast<std::size_t>(item.lParam - 1)];
}

void Win32ContentsWindow::SelectFolder(const std::string& folder)
{
    const auto node = folderNodes_.find(LowerAscii(folder));
    TreeView_SelectItem(controls_[FolderTree], node != folderNodes_.end() ? node->second : folderNodes_[{}]);
}

std::vector<std::int32_t> Win32ContentsWindow::SelectedEntries() const
{
    std::vector<std::int32_t> selected;
    for (const int row : SelectedRows(controls_[EntryList]))
        selected.push_back(shown_[static_cast<std::size_t>(row)]);
    std::sort(selected.begin(), selected.end());
    return selected;
}

void Win32ContentsWindow::ApplyFilter()
{
    // The selected entries that stay shown stay selected.
    std::vector<bool> wasSelected(contents_.entries.size());
    for (const std::int32_t entry : SelectedEntries())
        wasSelected[static_cast<std::size_t>(entry)] = true;
    const EntryFilter filter(CurrentFolder(), WindowText(controls_[FilterEdit]));
    shown_.clear();
    for (std::size_t i = 0; i < contents_.entries.size(); ++i)
        if (filter.Shows(EntryName(contents_.entries[i])))
            shown_.push_back(static_cast<std::int32_t>(i));
    if (sortColumn_ != EntryColumn::Index || descending_)
        std::stable_sort(shown_.begin(), shown_.end(), [this](std::int32_t left, std::int32_t right) {
            return descending_ ? order_.Before(sortColumn_, right, left) : order_.Before(sortColumn_, left, right);
        });
    const HWND list = controls_[EntryList];
    ClearSelection(list);
    ListView_SetItemCountEx(list, static_cast<int>(shown_.size()), 0);
    for (std::size_t row = 0; row < shown_.size(); ++row)
        if (wasSelected[static_cast<std::size_t>(shown_[row])])
            ListView_SetItemState(list, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
    InvalidateRect(list, nullptr, FALSE);
    SetStatusText(RestingText());
    UpdateActions();
}

void Win32ContentsWindow::SortBy(EntryColumn column)
{
    descending_ = column == sortColumn_ && !descending_;
    sortColumn_ = column;
    // The arrow on the column's header alone.
    const HWND header = ListView_GetHeader(controls_[EntryList]);
    for (int subItem = 0; subItem < kSubItemCount; ++subItem) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, subItem, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (subItem == SubItemOfColumn(column))
            item.fmt |= descending_ ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, subItem, &item);
    }
    ApplyFilter();
}

void Win32ContentsWindow::UpdateActions()
{
    const ContentsActions allowed =
        ActionsFor(static_cast<std::size_t>(ListView_GetSelectedCount(controls_[EntryList])));
    EnableWindow(controls_[ExtractButton], allowed.extract);
    EnableWindow(controls_[AddButton], allowed.add);
    EnableWindow(controls_[ReplaceButton], allowed.replace);
    EnableWindow(controls_[RenameButton], allowed.rename);
    EnableWindow(controls_[RemoveButton], allowed.remove);
}

std::string Win32ContentsWindow::FilterText() const
{
    return WindowText(controls_[FilterEdit]);
}

void Win32ContentsWindow::SelectEntryAlone(std::size_t index)
{
    const auto shownRow = std::find(shown_.begin(), shown_.end(), static_cast<std::int32_t>(index));
    if (shownRow != shown_.end())
        SelectRowAlone(controls_[EntryList], static_cast<int>(shownRow - shown_.begin()));
}

wchar_t* Win32ContentsWindow::CellText(int row, int subItem)
{
    const std::int32_t index = shown_[static_cast<std::size_t>(row)];
    const WadEntry& entry = contents_.entries[static_cast<std::size_t>(index)];
    switch (subItem) {
    case kNameSubItem: cellText_ = WideFromUtf8(PrintableText(EntryName(entry))); break;
    case kIndexSubItem: cellText_ = std::to_wstring(index); break;
    default:
        cellText_ = SizeText(entry.Size) + (LiesPastEnd(contents_, entry) ? WideFromUtf8(kPastEndMark) : L"");
        break;
    }
    return cellText_.data();
}

}  // namespace mw
