#include "win32/contents_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "core/path_helpers.h"
#include "core/path_text.h"
#include "core/win32/wide_text.h"
#include "ops/archive_edits.h"
#include "ops/error_report.h"
#include "ops/messages.h"
#include "win32/file_drag.h"
#include "win32/list_view.h"
#include "win32/status_bar.h"
#include "win32/system_icons.h"

namespace mw {
namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightContentsWindow";
constexpr SIZE kClientSize = {640, 420};  // at 96 dots per inch
constexpr int kFirstControlId = 100;
constexpr int kMargin = 8;
constexpr int kButtonsHeight = 22;
constexpr int kStatusBarHeight = 16;
constexpr int kGap = 6;
constexpr DWORD kPathBuffer = 32768;

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

// The list's columns in their order on screen, and the subitem each shows:
// the first subitem cannot be right-aligned, so the names come first.
constexpr int kNameSubItem = 0;
constexpr int kIndexSubItem = 1;
constexpr int kSizeSubItem = 2;

EntryColumn ColumnOfSubItem(int subItem)
{
    switch (subItem) {
    case kNameSubItem: return EntryColumn::Name;
    case kSizeSubItem: return EntryColumn::Size;
    default: return EntryColumn::Index;
    }
}

int SubItemOfColumn(EntryColumn column)
{
    switch (column) {
    case EntryColumn::Name: return kNameSubItem;
    case EntryColumn::Size: return kSizeSubItem;
    default: return kIndexSubItem;
    }
}

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

Win32ContentsWindow::Win32ContentsWindow(HWND owner, RunState& state, Win32Dialogs& boxes)
    : state_(state), boxes_(boxes)
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
                           ? CreateRowList(window_, font_, look.place, kFirstControlId + i, 0)
                           : CreateControl(window_, font_, look.className, look.text, look.style, look.place,
                                           kFirstControlId + i);
    }
    SendMessageW(controls_[FilterEdit], EM_SETCUEBANNER, TRUE,
                 reinterpret_cast<LPARAM>(L"Filter: part of a name, or a pattern such as *.tex"));
    const HWND list = controls_[EntryList];
    AddListColumn(list, kNameSubItem, L"Name", Scaled(300), LVCFMT_LEFT);
    AddListColumn(list, kIndexSubItem, L"#", ColumnWidthFor(list, L"0000000"), LVCFMT_RIGHT);
    AddListColumn(list, kSizeSubItem, L"Size", ColumnWidthFor(list, L"0,000,000,000"), LVCFMT_RIGHT);
    int order[] = {kIndexSubItem, kNameSubItem, kSizeSubItem};
    ListView_SetColumnOrderArray(list, 3, order);
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

void Win32ContentsWindow::ShowContents(ArchiveContents contents)
{
    SetWindowTextW(window_, WideFromUtf8(ContentsTitle(contents.path)).c_str());
    SetContents(std::move(contents));
    filling_ = true;
    SetWindowTextW(controls_[FilterEdit], L"");
    SelectFolder({});
    filling_ = false;
    ApplyFilter();
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(controls_[EntryList]);
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
    SetStatusText(EntryCountText(shown_.size(), contents_.entries.size()));
    UpdateActions();
}

void Win32ContentsWindow::SortBy(EntryColumn column)
{
    descending_ = column == sortColumn_ && !descending_;
    sortColumn_ = column;
    // The arrow on the column's header alone.
    const HWND header = ListView_GetHeader(controls_[EntryList]);
    for (int subItem = 0; subItem < 3; ++subItem) {
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

bool Win32ContentsWindow::RunHeldBack(const std::function<void()>& work)
{
    bool ended = false;
    HoldInputDuring(window_, [&] {
        ended = RunReportingErrors(work, [this](const ErrorReport& report) {
            ShowFailed();
            boxes_.ShowErrorDisplay(report);
        });
    });
    return ended;
}

void Win32ContentsWindow::RunEdit(const std::function<void(Frontend&)>& edit)
{
    run_.Run(edit, *this, boxes_, [this] { ShowFailed(); });
    Reload();
}

void Win32ContentsWindow::Reload()
{
    const std::string folder = CurrentFolder();
    const std::string status = statusText_;
    RunReportingErrors(
        [&] {
            SetContents(ReadArchiveContents(contents_.path));
            filling_ = true;
            SelectFolder(folder);
            filling_ = false;
            ApplyFilter();
        },
        [this](const ErrorReport& report) { boxes_.ShowErrorDisplay(report); });
    // The edit's own status stays; after a failure, the count of the archive as it is.
    if (!atRest_)
        SetStatusText(status);
}

void Win32ContentsWindow::ExtractSelection()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.empty())
        return;
    const std::optional<std::string> folder =
        boxes_.ChooseFolder(window_, L"Extract to a folder", FolderPart(contents_.path));
    if (!folder)
        return;
    RunHeldBack([&] { ExtractEntries(state_, *this, contents_, selected, *folder); });
}

void Win32ContentsWindow::AddFiles()
{
    const std::vector<std::string> files = boxes_.ChooseFiles(window_, L"Add files", true);
    if (files.empty())
        return;
    if (files.size() > 1)
        return AddDropped(files);
    // One file goes under the name the user gives it, in the folder shown unless it says otherwise.
    const std::optional<std::string> name = boxes_.AskText(window_, L"Add a file", L"Entry name:",
                                                           NameBelow(CurrentFolder(), FileNamePart(files.front())));
    if (!name)
        return;
    RunEdit([&](Frontend& frontend) { AddEntries(state_, frontend, contents_, {{*name, files.front()}}); });
}

void Win32ContentsWindow::AddDropped(const std::vector<std::string>& paths)
{
    const std::string folder = CurrentFolder();
    RunEdit([&](Frontend& frontend) { AddFilesBelow(state_, frontend, contents_, folder, paths); });
}

void Win32ContentsWindow::ReplaceSelected()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.size() != 1)
        return;
    const std::string name = PrintableText(EntryName(contents_.entries[static_cast<std::size_t>(selected.front())]));
    const std::vector<std::string> file = boxes_.ChooseFiles(window_, L"Replace " + WideFromUtf8(name) + L" with", false);
    if (file.empty())
        return;
    RunEdit([&](Frontend& frontend) { ReplaceEntry(state_, frontend, contents_, selected.front(), file.front()); });
}

void Win32ContentsWindow::RenameSelected()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.size() != 1)
        return;
    const std::string current(EntryName(contents_.entries[static_cast<std::size_t>(selected.front())]));
    const std::optional<std::string> name = boxes_.AskText(window_, L"Rename entry", L"New name:", current);
    if (!name || *name == current)
        return;
    RunEdit([&](Frontend& frontend) { RenameEntry(state_, frontend, contents_, selected.front(), *name); });
}

void Win32ContentsWindow::RemoveSelection()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.empty() ||
        !boxes_.AskQuestion(RemoveEntriesQuestion(selected.size(), FileNamePart(contents_.path))))
        return;
    RunEdit([&](Frontend& frontend) { RemoveEntries(state_, frontend, contents_, selected); });
}

void Win32ContentsWindow::FindInGp4()
{
    const std::optional<std::string> pattern = boxes_.AskText(
        window_, L"Find in GP4", L"Entry name or pattern (such as *.tex):", WindowText(controls_[FilterEdit]));
    if (!pattern || pattern->empty())
        return;
    found_.Clear();
    bool searched = false;
    RunHeldBack([&] { searched = FindInInstallation(state_, *this, *pattern, found_); });
    if (!searched)
        return;
    if (!findWindow_)
        findWindow_ = std::make_unique<Win32FindWindow>(window_, found_, [this](int row) { OpenFound(row); });
    findWindow_->ShowResults(*pattern);
}

void Win32ContentsWindow::OpenFound(int row)
{
    const FoundEntry& found = found_.Rows()[static_cast<std::size_t>(row)];
    if (!RunReportingErrors([&] { ShowContents(ReadArchiveContents(found.archive)); },
                            [this](const ErrorReport& report) { boxes_.ShowErrorDisplay(report); }))
        return;
    const std::optional<std::size_t> index = IndexOfEntry(contents_.entries, found.entry);
    if (!index)
        return;
    const auto shownRow = std::find(shown_.begin(), shown_.end(), static_cast<std::int32_t>(*index));
    if (shownRow != shown_.end())
        SelectRowAlone(controls_[EntryList], static_cast<int>(shownRow - shown_.begin()));
}

std::vector<std::string> Win32ContentsWindow::ExtractForDrag()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.empty())
        return {};
    if (dragFolder_.empty()) {
        // A new name in the temporary folder, taken as a folder's.
        wchar_t temp[MAX_PATH + 1] = {};
        wchar_t name[MAX_PATH + 1] = {};
        if (GetTempPathW(MAX_PATH + 1, temp) == 0 || GetTempFileNameW(temp, L"mwd", 0, name) == 0 ||
            !DeleteFileW(name) || !CreateDirectoryW(name, nullptr))
            return {};
        dragFolder_ = Utf8FromWide(name);
    }
    // Each drag in a folder of its own: a later drag does not overwrite files an earlier one handed over.
    const std::string folder = dragFolder_ + kNativeSeparator + std::to_string(++drags_);
    std::vector<std::string> files;
    RunReportingErrors([&] { files = ExtractDragged(state_, *this, contents_, selected, folder); },
                       [this](const ErrorReport& report) { boxes_.ShowErrorDisplay(report); });
    return files;
}

void Win32ContentsWindow::DropFiles(HDROP drop)
{
    POINT at = {};
    DragQueryPoint(drop, &at);
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::wstring name(kPathBuffer, L'\0');
    for (UINT i = 0; i < count; ++i)
        if (DragQueryFileW(drop, i, name.data(), kPathBuffer) > 0)
            paths.push_back(Utf8FromWide(name.c_str()));
    DragFinish(drop);
    if (!dragging_ && !paths.empty() && ChildWindowFromPoint(window_, at) == controls_[EntryList] &&
        !contents_.path.empty())
        AddDropped(paths);
}

void Win32ContentsWindow::ShowMenu(POINT at)
{
    const HMENU menu = CreatePopupMenu();
    for (const auto& item : kMenuItems)
        AppendMenuW(menu, IsWindowEnabled(controls_[item.control]) ? MF_STRING : MF_STRING | MF_GRAYED,
                    static_cast<UINT_PTR>(kFirstControlId + item.control), item.text);
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
    case ExtractButton: ExtractSelection(); break;
    case AddButton: AddFiles(); break;
    case ReplaceButton: ReplaceSelected(); break;
    case RenameButton: RenameSelected(); break;
    case RemoveButton: RemoveSelection(); break;
    case FindButton: FindInGp4(); break;
    case CancelButton: run_.RequestCancel(); break;
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
        if (!(cell.item.mask & LVIF_TEXT))
            return true;
        const std::int32_t index = shown_[static_cast<std::size_t>(cell.item.iItem)];
        const WadEntry& entry = contents_.entries[static_cast<std::size_t>(index)];
        switch (cell.item.iSubItem) {
        case kNameSubItem: cellText_ = WideFromUtf8(PrintableText(EntryName(entry))); break;
        case kIndexSubItem: cellText_ = std::to_wstring(index); break;
        default: cellText_ = SizeText(entry.Size); break;
        }
        cell.item.pszText = cellText_.data();
        return true;
    }
    case LVN_BEGINDRAG: {
        const std::vector<std::string> files = ExtractForDrag();
        if (!files.empty()) {
            dragging_ = true;
            DragFilesOut(files);
            dragging_ = false;
        }
        return true;
    }
    case LVN_COLUMNCLICK:
        SortBy(ColumnOfSubItem(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
        return true;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
        UpdateActions();
        return true;
    case LVN_KEYDOWN: {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
        const bool control = GetKeyState(VK_CONTROL) < 0;
        if (key == VK_DELETE)
            RemoveSelection();
        else if (key == VK_F2)
            RenameSelected();
        else if (key == VK_INSERT)
            AddFiles();
        else if (control && key == 'E')
            ExtractSelection();
        else if (control && key == 'F')
            FindInGp4();
        return true;
    }
    default:
        return false;
    }
}

LRESULT Win32ContentsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kFirstControlId + FilterEdit) {
            if (!filling_)
                ApplyFilter();
        }
        else if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 0)
            OnCommand(LOWORD(wParam) - kFirstControlId);
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
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        PaintStatusBar(item->hDC, item->rcItem, font_, position_, statusText_);
        return TRUE;
    }
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

void Win32ContentsWindow::ShowProgress(const Progress& progress)
{
    atRest_ = false;
    ShowStatus(status_.Step(progress));
}

void Win32ContentsWindow::ShowStatus(const StatusView& view)
{
    if (view.position)
        SetPosition(*view.position);
    if (view.text)
        statusText_ = *view.text;
    RepaintProgress();
}

void Win32ContentsWindow::ShowFailed()
{
    StatusView view = status_.Failed();
    view.text = EntryCountText(shown_.size(), contents_.entries.size());
    atRest_ = true;
    ShowStatus(view);
}

void Win32ContentsWindow::SetStatusText(const std::string& text)
{
    statusText_ = text;
    RepaintProgress();
}

void Win32ContentsWindow::SetPosition(int percent)
{
    position_ = std::clamp(percent, 0, 100);
    InvalidateRect(controls_[StatusBar], nullptr, FALSE);
}

void Win32ContentsWindow::RepaintProgress()
{
    InvalidateRect(controls_[StatusBar], nullptr, FALSE);
    UpdateWindow(controls_[StatusBar]);
}

void Win32ContentsWindow::RepaintWindow()
{
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32ContentsWindow::ShowRefusal(const Refusal& refusal)
{
    ShowFailed();
    boxes_.ShowMessage(RefusalText(refusal));
}

bool Win32ContentsWindow::ConfirmChanges(const std::string& question)
{
    return boxes_.AskQuestion(question);
}

void Win32ContentsWindow::ShowBytes(std::int64_t done, std::int64_t total)
{
    if (const std::optional<StatusView> view = status_.Bytes(done, total))
        ShowStatus(*view);
    else
        RepaintProgress();
}

}  // namespace mw
