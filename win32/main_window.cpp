#include "win32/main_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "core/file.h"
#include "core/win32/wide_text.h"
#include "ops/error_report.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "startup/given_path.h"
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
                       kUpdateTracksPicture, kOpenFolderPicture };

struct ControlLook {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int left, top, width, height;
    ButtonPictureId picture = kNoPicture;
};

// In the order of Win32MainWindow::Control; the file fields' browse buttons
// stand at their right end, inside the field's width.
constexpr ControlLook kControls[] = {
    {L"STATIC", L"Select file(s) to replace in wad(s)", SS_LEFT, 8, 4, 152, 13},
    {L"BUTTON", L"Select a Folder", BS_PUSHBUTTON | WS_TABSTOP, 176, 4, 121, 15},
    {L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 21, 395, 20},
    {L"BUTTON", L"", BS_PUSHBUTTON | BS_ICON, 405, 21, 20, 20, kOpenFolderPicture},
    {L"STATIC", L"Select one of the GP4's wad to patch or the wad to extract", SS_LEFT, 8, 52, 277, 13},
    {L"BUTTON", L"Change GP4 Path", BS_PUSHBUTTON | WS_TABSTOP, 320, 52, 105, 15},
    {L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 69, 395, 20},
    {L"BUTTON", L"", BS_PUSHBUTTON | BS_ICON, 405, 69, 20, 20, kOpenFolderPicture},
    {L"BUTTON", L"Create wad", BS_PUSHBUTTON | WS_TABSTOP, 8, 96, 88, 22, kCreateWadPicture},
    {L"BUTTON", L"Update wad", BS_DEFPUSHBUTTON | WS_TABSTOP, 104, 96, 88, 22, kUpdateWadPicture},
    {L"BUTTON", L"Extract wad", BS_PUSHBUTTON | WS_TABSTOP, 200, 96, 88, 22, kExtractWadPicture},
    {L"BUTTON", L"Update track wads", BS_PUSHBUTTON | WS_TABSTOP, 304, 96, 121, 22, kUpdateTracksPicture},
    {L"STATIC", L"", SS_OWNERDRAW, 8, 126, 417, 16},
};

// The four operation buttons and what each runs.
using Operation = void (*)(RunState&, Frontend&);
const std::pair<int, Operation> kOperations[] = {
    {Win32MainWindow::CreateButton, [](RunState& state, Frontend& frontend) { CreateWad(state, frontend); }},
    {Win32MainWindow::UpdateButton, [](RunState& state, Frontend& frontend) { UpdateWad(state, frontend); }},
    {Win32MainWindow::ExtractButton, [](RunState& state, Frontend& frontend) { ExtractWad(state, frontend); }},
    {Win32MainWindow::UpdateTracksButton, [](RunState& state, Frontend& frontend) { UpdateTrackWads(state, frontend); }},
};

std::string WindowText(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

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

Win32MainWindow::Win32MainWindow(RunState& state, SettingsFactory openSettings, Win32Boxes& boxes)
    : state_(state), openSettings_(std::move(openSettings)), boxes_(boxes)
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
        RunOperation([&] { ApplyChosenGp4Folder(folder, StartupView(), *this, openSettings_); });
    });
    RunReportingErrors(
        [this] { FillFromSettings(StartupView(), *this, openSettings_); },
        [this](const ErrorReport& report) { boxes_.ShowErrorDisplay(report); });
}

Win32MainWindow::~Win32MainWindow()
{
    if (window_)
        DestroyWindow(window_);
    if (font_)
        DeleteObject(font_);
}

StartupState Win32MainWindow::StartupView()
{
    return {state_.Settings, state_.SourceList, state_.Installation.get()};
}

int Win32MainWindow::Scaled(int pixels) const
{
    return mw::Scaled(window_, pixels);
}

void Win32MainWindow::CreateControls()
{
    font_ = CreateWindowFont(window_);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (int i = 0; i < ControlCount; ++i) {
        const ControlLook& look = kControls[i];
        const int width = look.style == SS_LEFT ? LabelWidth(window_, font_, look.text, Scaled(look.width)) : Scaled(look.width);
        controls_[i] = CreateWindowExW(0, look.className, look.text, WS_CHILD | WS_VISIBLE | look.style,
                                       Scaled(look.left), Scaled(look.top), width, Scaled(look.height),
                                       window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                       instance, nullptr);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        // Common controls 6 show a button's picture beside its caption.
        if (look.picture != kNoPicture) {
            const HANDLE picture = LoadImageW(instance, MAKEINTRESOURCEW(look.picture), IMAGE_ICON, Scaled(16),
                                              Scaled(16), LR_SHARED);
            SendMessageW(controls_[i], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
        }
    }
    SetSourceText(kSourcePlaceholder);
    SetFocus(controls_[UpdateButton]);
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
        return 0;
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
    default:
        for (const auto& [button, operation] : kOperations)
            if (id == button)
                RunOperation([this, operation] { operation(state_, *this); });
        break;
    }
}

void Win32MainWindow::RunOperation(const std::function<void()>& operation)
{
    // Keys and clicks given while the operation runs are dropped, not
    // replayed on the window after it.
    const HWND focus = GetFocus();
    EnableWindow(window_, FALSE);
    RunReportingErrors(operation, [this](const ErrorReport& report) { boxes_.ShowErrorDisplay(report); });
    MSG dropped;
    while (PeekMessageW(&dropped, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
           PeekMessageW(&dropped, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    EnableWindow(window_, TRUE);
    SetFocus(focus);
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

std::string Win32MainWindow::SourceText()
{
    return WindowText(controls_[SourceEdit]);
}

void Win32MainWindow::SetSourceText(const std::string& text)
{
    SetWindowTextW(controls_[SourceEdit], WideFromUtf8(text).c_str());
}

std::string Win32MainWindow::ArchiveText()
{
    return WindowText(controls_[ArchiveEdit]);
}

void Win32MainWindow::SetArchiveText(const std::string& text)
{
    SetWindowTextW(controls_[ArchiveEdit], WideFromUtf8(text).c_str());
}

void Win32MainWindow::ShowProgress(const Progress& progress)
{
    const StatusView view = StatusViewOf(progress);
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

// A lowered bevel, the fill up to the position, the text over both.
void Win32MainWindow::PaintStatus(HDC dc, const RECT& area)
{
    RECT inner = area;
    DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    RECT fill = inner;
    fill.right = fill.left + (inner.right - inner.left) * position_ / 100;
    FillRect(dc, &fill, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ old = SelectObject(dc, font_);
    std::wstring text = WideFromUtf8(statusText_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

void Win32MainWindow::ShowRefusal(const Refusal& refusal)
{
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

}  // namespace mw
