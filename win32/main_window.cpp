#include "win32/main_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "core/file.h"
#include "core/win32/wide_text.h"
#include "ops/archive_edits.h"
#include "ops/error_report.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "ops/undo_wad.h"
#include "startup/given_path.h"
#include "win32/status_bar.h"
#include "win32/window_look.h"

namespace mw {
namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightMainWindow";
// The outer size, with a sizeable border and a caption bar, at 96 dots per inch.
constexpr SIZE kOuterSize = {441, 181};
constexpr SIZE kMinimumOuterSize = {441, 169};
constexpr int kFirstControlId = 100;
// Room for a long path in the file dialogs.
constexpr DWORD kPathBuffer = 32768;

// The button pictures' icon resources.
enum ButtonPictureId { kNoPicture = 0, kCreateWadPicture = 10, kUpdateWadPicture, kExtractWadPicture,
                       kUpdateTracksPicture, kOpenFolderPicture, kUndoPicture,
                       kContentsPicture, kModsPicture };

struct ControlLook {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int left, top, width, height;
    ButtonPictureId picture = kNoPicture;
    const wchar_t* toolTip = nullptr;
};

// In the order of Win32MainWindow::Control; the file fields' browse buttons
// stand at their right end, inside the field's width, and the undo and
// contents buttons where the Qt window has them, left of the archive
// field's.
constexpr ControlLook kControls[] = {
    {L"STATIC", L"Select file(s) to replace in wad(s)", SS_LEFT, 8, 4, 152, 13},
    {L"BUTTON", L"Select a Folder", BS_PUSHBUTTON | WS_TABSTOP, 176, 4, 121, 15},
    {L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 21, 395, 20},
    {L"BUTTON", L"", BS_PUSHBUTTON | BS_ICON, 405, 21, 20, 20, kOpenFolderPicture},
    {L"STATIC", L"Select one of the GP4's wad to patch or the wad to extract", SS_LEFT, 8, 52, 277, 13},
    {L"BUTTON", L"Change GP4 Path", BS_PUSHBUTTON | WS_TABSTOP, 320, 52, 105, 15},
    {L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 69, 335, 20},
    {L"BUTTON", L"", BS_PUSHBUTTON | BS_ICON, 405, 69, 20, 20, kOpenFolderPicture},
    {L"BUTTON", L"Create wad", BS_PUSHBUTTON | WS_TABSTOP, 8, 96, 88, 22, kCreateWadPicture},
    {L"BUTTON", L"Update wad", BS_DEFPUSHBUTTON | WS_TABSTOP, 104, 96, 88, 22, kUpdateWadPicture},
    {L"BUTTON", L"Extract wad", BS_PUSHBUTTON | WS_TABSTOP, 200, 96, 88, 22, kExtractWadPicture},
    {L"BUTTON", L"Update track wads", BS_PUSHBUTTON | WS_TABSTOP, 304, 96, 121, 22, kUpdateTracksPicture},
    {L"STATIC", L"", SS_OWNERDRAW | WS_CLIPSIBLINGS, 8, 126, 417, 16},
    {L"BUTTON", L"Cancel", BS_PUSHBUTTON, 365, 126, 60, 16, kNoPicture, L"Stop the operation (Esc)"},
    {L"BUTTON", L"", BS_PUSHBUTTON | BS_ICON, 365, 69, 20, 20, kUndoPicture, L"Undo last update"},
    {L"BUTTON", L"", BS_PUSHBUTTON | BS_ICON, 385, 69, 20, 20, kContentsPicture,
     L"Show what the wad holds (Ctrl+O, or a double click)"},
    {L"BUTTON", L"", BS_PUSHBUTTON | BS_ICON, 345, 69, 20, 20, kModsPicture,
     L"Mods installed in this GP4: disable, enable, remove (Ctrl+M)"},
};

// The four operation buttons and what each runs, from the fields' texts
// as they are at the click.
using Operation = void (*)(const RunState&, Frontend&, const std::string& source, const std::string& archive);
const std::pair<int, Operation> kOperations[] = {
    {Win32MainWindow::CreateButton,
     [](const RunState& state, Frontend& frontend, const std::string& source, const std::string&) {
         CreateWad(state, frontend, {source});
     }},
    {Win32MainWindow::UpdateButton,
     [](const RunState& state, Frontend& frontend, const std::string& source, const std::string& archive) {
         UpdateWad(state, frontend, {source, archive});
     }},
    {Win32MainWindow::ExtractButton,
     [](const RunState& state, Frontend& frontend, const std::string&, const std::string& archive) {
         ExtractWad(state, frontend, {archive});
     }},
    {Win32MainWindow::UpdateTracksButton,
     [](const RunState& state, Frontend& frontend, const std::string& source, const std::string& archive) {
         UpdateRequest request{source, archive};
         request.options.trackBatch = true;
         UpdateWad(state, frontend, request);
     }},
};

// "description|patterns|..." as the dialogs want it: NUL between the parts, two at the end.
std::wstring DialogFilter(const std::string& filter)
{
    std::wstring text = WideFromUtf8(filter);
    std::replace(text.begin(), text.end(), L'|', L'\0');
    return text + std::wstring(2, L'\0');
}

// What the open and save dialogs share; name is a buffer of kPathBuffer characters.
OPENFILENAMEW FileDialog(HWND owner, const std::wstring& filter, std::wstring& name, const wchar_t* title, DWORD flags)
{
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = kPathBuffer;
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | flags;
    return dialog;
}

}  // namespace

Win32MainWindow::Win32MainWindow(RunState& state, SettingsFactory openSettings, Win32Dialogs& boxes)
    : state_(state),
      openSettings_(std::move(openSettings)),
      boxes_(boxes)
{
    // Files dropped from Explorer land on the two fields.
    CreateProgramWindow(kWindowClass, WideFromUtf8(kApplicationTitle).c_str(), WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX,
                        WS_EX_ACCEPTFILES, kOuterSize, nullptr);
    const int width = Scaled(kOuterSize.cx);
    const int height = Scaled(kOuterSize.cy);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER);
    CreateControls();
    boxes_.SetOwner(window_);
    // The small windows after the main one, both hidden.
    folderChooser_ = std::make_unique<FolderWindow>(window_, kFolderChooserLook,
                                                    [this](const std::string& folder) { SetSourceText(folder); });
    manualPath_ = std::make_unique<FolderWindow>(window_, kManualPathLook, [this](const std::string& folder) {
        RunHeldBack([&] { ApplyChosenGp4Folder(folder, StartupView(), *this, openSettings_); });
    });
    RunReportingErrors(
        [this] { FillFromSettings(StartupView(), *this, openSettings_); },
        [this](const ErrorReport& report) { boxes_.ShowErrorDisplay(report); });
}

Win32MainWindow::~Win32MainWindow()
{
    if (window_)
        DestroyWindow(window_);
    for (const HICON picture : pictures_)
        if (picture)
            DestroyIcon(picture);
}

StartupState Win32MainWindow::StartupView()
{
    return {state_.Settings, state_.Installation.get()};
}

void Win32MainWindow::CreateControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HWND toolTips = CreateToolTips(window_);
    for (int i = 0; i < ControlCount; ++i) {
        const ControlLook& look = kControls[i];
        controls_[i] = CreateWindowExW(0, look.className, look.text, WS_CHILD | WS_VISIBLE | look.style, 0, 0, 0, 0,
                                       window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                       instance, nullptr);
        if (look.toolTip)
            AddToolTip(toolTips, controls_[i], look.toolTip);
    }
    PlaceControls();
    ShowWindow(controls_[CancelButton], SW_HIDE);
    EnableWindow(controls_[UndoButton], FALSE);
    SetSourceText(kSourcePlaceholder);
    SetFocus(controls_[UpdateButton]);
}

void Win32MainWindow::PlaceControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (int i = 0; i < ControlCount; ++i) {
        const ControlLook& look = kControls[i];
        const int width = look.style == SS_LEFT ? LabelWidth(look.text, Scaled(look.width)) : Scaled(look.width);
        Place(controls_[i], {look.left, look.top, look.left + look.width, look.top + look.height}, width);
        // Common controls 6 show a button's picture beside its caption. A
        // shared icon would keep the size it was first loaded at.
        if (look.picture != kNoPicture) {
            const HICON old = pictures_[i];
            pictures_[i] = static_cast<HICON>(
                LoadImageW(instance, MAKEINTRESOURCEW(look.picture), IMAGE_ICON, Scaled(16), Scaled(16), 0));
            SendMessageW(controls_[i], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(pictures_[i]));
            if (old)
                DestroyIcon(old);
        }
    }
}

void Win32MainWindow::ShowMainWindow()
{
    ShowWindow(window_, SW_SHOWNORMAL);
    // The focus frame of "Update wad" shows from the start, as after a key.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    UpdateWindow(window_);
}

bool Win32MainWindow::TakeKey(const MSG& message)
{
    // Ctrl+O, or a double click on the archive field, shows what its wad holds.
    if ((message.message == WM_KEYDOWN && message.wParam == 'O' && GetKeyState(VK_CONTROL) < 0 &&
         GetAncestor(message.hwnd, GA_ROOT) == window_) ||
        (message.message == WM_LBUTTONDBLCLK && message.hwnd == controls_[ArchiveEdit])) {
        ShowContents();
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == 'M' && GetKeyState(VK_CONTROL) < 0 &&
        GetAncestor(message.hwnd, GA_ROOT) == window_) {
        ShowMods();
        return true;
    }
    // Alt+Down on a field opens its browse dialog.
    if (message.message != WM_SYSKEYDOWN || message.wParam != VK_DOWN)
        return false;
    for (const auto& [edit, browse] : {std::pair{SourceEdit, SourceBrowse}, std::pair{ArchiveEdit, ArchiveBrowse}})
        if (message.hwnd == controls_[edit]) {
            OnCommand(browse);
            return true;
        }
    return false;
}

void Win32MainWindow::DropFiles(HDROP drop)
{
    POINT at = {};
    DragQueryPoint(drop, &at);
    std::wstring name(kPathBuffer, L'\0');
    const bool named = DragQueryFileW(drop, 0, name.data(), kPathBuffer) > 0;
    DragFinish(drop);
    if (!named)
        return;
    const std::string path = Utf8FromWide(name.c_str());
    const HWND target = ChildWindowFromPoint(window_, at);
    if (target == controls_[SourceEdit] && (FileExists(path) || FolderExists(path)))
        SetSourceText(path);
    else if (target == controls_[ArchiveEdit] && IsWadFile(path))
        SetArchiveText(path);
}

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnCommand(LOWORD(wParam) - kFirstControlId);
        else if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kFirstControlId + ArchiveEdit)
            UpdateUndoButton();
        return 0;
    case WM_ACTIVATE:
        // Coming back to the window: another window or program may have
        // updated or undone the wad.
        if (LOWORD(wParam) != WA_INACTIVE)
            UpdateUndoButton();
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        PaintStatus(item->hDC, item->rcItem);
        return TRUE;
    }
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {Scaled(kMinimumOuterSize.cx), Scaled(kMinimumOuterSize.cy)};
        return 0;
    }
    case WM_CLOSE:
        ShowWindow(window_, SW_HIDE);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Win32MainWindow::OnCommand(int id)
{
    switch (id) {
    case SelectFolderButton:
        folderChooser_->Show();
        break;
    case Gp4PathButton:
        manualPath_->Show();
        break;
    case SourceBrowse:
        Browse(SourceEdit, L"Select a file", "Main GP4 files|*.gp4;*.col;*.bin;*.cfp;*.dat|*.*|*.*", sourceStart_);
        break;
    case ArchiveBrowse:
        Browse(ArchiveEdit, L"Select a wad", "*.wad|*.wad", archiveStart_);
        break;
    case CancelButton:
        run_.RequestCancel();
        break;
    case UndoButton:
        RunOperation([this, archive = ArchiveText()](Frontend& frontend) { UndoLastUpdate(state_, frontend, archive); });
        break;
    case ContentsButton:
        ShowContents();
        break;
    case ModsButton:
        ShowMods();
        break;
    default:
        for (const auto& [button, operation] : kOperations)
            if (id == button)
                RunOperation([this, operation, source = SourceText(), archive = ArchiveText()](Frontend& frontend) {
                    operation(state_, frontend, source, archive);
                });
        break;
    }
}

void Win32MainWindow::RunOperation(const std::function<void(Frontend&)>& operation)
{
    run_.Run(operation, *this, boxes_, [this] { ShowFailed(); });
    UpdateUndoButton();
    if (mods_ && IsWindowVisible(mods_->Handle()))
        mods_->Reload();
}

void Win32MainWindow::UpdateUndoButton()
{
    EnableWindow(controls_[UndoButton], HasUndoableUpdate(state_, ArchiveText()));
}

void Win32MainWindow::RunHeldBack(const std::function<void()>& handler)
{
    // Keys and clicks given while the handler runs are dropped, not
    // replayed on the window after it.
    const HWND focus = GetFocus();
    EnableWindow(window_, FALSE);
    RunReportingErrors(handler, [this](const ErrorReport& report) {
        ShowFailed();
        boxes_.ShowErrorDisplay(report);
    });
    MSG dropped;
    while (PeekMessageW(&dropped, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
           PeekMessageW(&dropped, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    EnableWindow(window_, TRUE);
    SetFocus(focus);
    // The archive shown may be one the operation rewrote.
    if (contents_ && IsWindowVisible(contents_->Handle()))
        contents_->Reload();
}

void Win32MainWindow::ShowContents()
{
    RunReportingErrors(
        [this] {
            if (std::optional<ArchiveContents> contents = OpenArchiveContents(state_, *this, ArchiveText())) {
                if (!contents_)
                    contents_ = std::make_unique<Win32ContentsWindow>(window_, state_, boxes_);
                contents_->ShowContents(std::move(*contents));
            }
        },
        [this](const ErrorReport& report) { boxes_.ShowErrorDisplay(report); });
}

void Win32MainWindow::ShowMods()
{
    RunReportingErrors(
        [this] {
            // After a change: the undo button and the contents shown follow the archives it wrote.
            if (!mods_)
                mods_ = std::make_unique<Win32ModsWindow>(window_, state_, boxes_, [this] {
                    UpdateUndoButton();
                    if (contents_ && IsWindowVisible(contents_->Handle()))
                        contents_->Reload();
                });
            mods_->ShowMods(ModsScopeOf(state_, ArchiveText()));
        },
        [this](const ErrorReport& report) { boxes_.ShowErrorDisplay(report); });
}

void Win32MainWindow::Browse(Control edit, const std::wstring& title, const std::string& filter, std::string& startFolder)
{
    std::wstring name(kPathBuffer, L'\0');
    const std::wstring filterText = DialogFilter(filter);
    const std::wstring folder = WideFromUtf8(startFolder);
    OPENFILENAMEW dialog = FileDialog(window_, filterText, name, title.c_str(), OFN_FILEMUSTEXIST);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = edit == ArchiveEdit ? L"wad" : nullptr;
    if (!GetOpenFileNameW(&dialog))
        return;
    const std::string chosen = Utf8FromWide(name.c_str());
    SetWindowTextW(controls_[edit], name.c_str());
    // The next browse starts in the chosen file's folder.
    startFolder = chosen.substr(0, dialog.nFileOffset);
}

std::string Win32MainWindow::SourceText() const
{
    return WindowText(controls_[SourceEdit]);
}

void Win32MainWindow::SetSourceText(const std::string& text)
{
    SetWindowTextW(controls_[SourceEdit], WideFromUtf8(text).c_str());
}

std::string Win32MainWindow::ArchiveText() const
{
    return WindowText(controls_[ArchiveEdit]);
}

void Win32MainWindow::SetArchiveText(const std::string& text)
{
    SetWindowTextW(controls_[ArchiveEdit], WideFromUtf8(text).c_str());
}

void Win32MainWindow::ShowProgress(const Progress& progress)
{
    ShowStatus(status_.Step(progress));
}

void Win32MainWindow::ShowFailed()
{
    ShowStatus(status_.Failed());
}

void Win32MainWindow::ShowStatus(const StatusView& view)
{
    if (view.position)
        position_ = std::clamp(*view.position, 0, 100);
    InvalidateRect(controls_[StatusBar], nullptr, FALSE);
    // A new text is painted at once.
    if ((view.text && *view.text != statusText_) || view.paintAtOnce) {
        if (view.text)
            statusText_ = *view.text;
        UpdateWindow(controls_[StatusBar]);
    }
}

void Win32MainWindow::RepaintWindow()
{
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32MainWindow::PaintStatus(HDC dc, const RECT& area)
{
    PaintStatusBar(dc, area, font_, position_, statusText_);
}

void Win32MainWindow::ShowRefusal(const Refusal& refusal)
{
    ShowFailed();
    boxes_.ShowMessage(RefusalText(refusal));
}

std::optional<std::string> Win32MainWindow::AskSaveLocation(const SaveRequest& request)
{
    std::wstring name = WideFromUtf8(request.proposedName);
    name.resize(kPathBuffer, L'\0');
    const std::wstring filterText = DialogFilter(request.filter);
    OPENFILENAMEW dialog = FileDialog(window_, filterText, name, L"Please choose a folder",
                                      request.asksBeforeReplacing ? OFN_OVERWRITEPROMPT : 0);
    if (!GetSaveFileNameW(&dialog))
        return std::nullopt;
    return Utf8FromWide(name.c_str());
}

bool Win32MainWindow::ConfirmChanges(const std::string& question)
{
    return boxes_.AskQuestion(question);
}

void Win32MainWindow::ShowBytes(std::int64_t done, std::int64_t total)
{
    if (const std::optional<StatusView> view = status_.Bytes(done, total))
        ShowStatus(*view);
}

}  // namespace mw
