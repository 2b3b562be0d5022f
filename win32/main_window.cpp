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
#include "startup/hand_over.h"
#include "startup/main_window_layout.h"
#include "win32/hand_over.h"
#include "win32/window_look.h"

namespace mw {
namespace {

constexpr int kFirstControlId = 100;
// Room for a long path in the file dialogs.
constexpr DWORD kPathBuffer = 32768;
// The button pictures' icon resources, numbered in the order of ButtonPicture.
constexpr int kFirstPictureResource = 10;
// A file field's buttons stand beside its text, not inside it: each this
// wide, the text ending this far before the first.
constexpr int kFieldButtonWidth = 20;
constexpr int kFieldButtonGap = 2;

// What draws each control of the layout, in the order of
// Win32MainWindow::Control: a file field is an edit and a button for each
// of its buttons, counted from its right end (0 for browse).
struct ControlLook {
    const wchar_t* className;
    DWORD style;
    MainControl control;
    std::optional<int> fieldButton = std::nullopt;
};
constexpr ControlLook kControls[] = {
    {L"STATIC", SS_LEFT, MainControl::SourceLabel},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, MainControl::SelectFolderButton},
    {L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, MainControl::SourceField},
    {L"BUTTON", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, MainControl::SourceField, 0},
    {L"STATIC", SS_LEFT, MainControl::ArchiveLabel},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, MainControl::Gp4PathButton},
    {L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, MainControl::ArchiveField},
    {L"BUTTON", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, MainControl::ArchiveField, 0},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, MainControl::CreateButton},
    {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, MainControl::UpdateButton},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, MainControl::ExtractButton},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, MainControl::UpdateTracksButton},
    {L"STATIC", SS_OWNERDRAW | WS_CLIPSIBLINGS, MainControl::StatusBar},
    {L"BUTTON", BS_PUSHBUTTON, MainControl::CancelButton},
    {L"BUTTON", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, MainControl::ArchiveField, 2},
    {L"BUTTON", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, MainControl::ArchiveField, 1},
    {L"BUTTON", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, MainControl::ArchiveField, 3},
};

int FieldButtonCount(MainControl field)
{
    return field == MainControl::ArchiveField ? 1 + static_cast<int>(std::size(kArchiveFieldButtons)) : 1;
}

// A control's place at 96 dots per inch.
RECT PlaceOf(const ControlLook& look)
{
    const ControlPlace& place = MainControlLookOf(look.control).place;
    RECT rect = {place.left, place.top, place.left + place.width, place.top + place.height};
    const bool field = look.control == MainControl::SourceField || look.control == MainControl::ArchiveField;
    if (look.fieldButton) {
        rect.right -= kFieldButtonWidth * *look.fieldButton;
        rect.left = rect.right - kFieldButtonWidth;
    }
    else if (field)
        rect.right -= kFieldButtonWidth * FieldButtonCount(look.control) + kFieldButtonGap;
    return rect;
}

std::optional<ButtonPicture> PictureOf(const ControlLook& look)
{
    if (!look.fieldButton)
        return MainControlLookOf(look.control).picture;
    if (*look.fieldButton == 0)
        return ButtonPicture::OpenFolder;
    return kArchiveFieldButtons[*look.fieldButton - 1].picture;
}

const char* ToolTipOf(const ControlLook& look)
{
    if (!look.fieldButton)
        return MainControlLookOf(look.control).toolTip;
    return *look.fieldButton == 0 ? nullptr : kArchiveFieldButtons[*look.fieldButton - 1].toolTip;
}

std::wstring CaptionOf(const ControlLook& look)
{
    return look.fieldButton ? L"" : WideFromUtf8(MainControlLookOf(look.control).caption);
}

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
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | flags;
    return dialog;
}

}  // namespace

Win32MainWindow::Win32MainWindow(RunState& state, SettingsFactory openSettings, Win32Dialogs& boxes)
    : Win32WindowFrontend(controls_[StatusBar], controls_[CancelButton], boxes),
      state_(state),
      openSettings_(std::move(openSettings))
{
    // Files dropped from Explorer land on the two fields.
    CreateProgramWindow(kMainWindowClass, WideFromUtf8(kApplicationTitle).c_str(), WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX,
                        WS_EX_ACCEPTFILES, {kMainOuterSize.width, kMainOuterSize.height}, nullptr);
    const int width = Scaled(kMainOuterSize.width);
    const int height = Scaled(kMainOuterSize.height);
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
        RunHandlerHeldBack([&] { ApplyChosenGp4Folder(folder, StartupView(), *this, openSettings_); });
    });
    RunShowingErrors([this] { FillFromSettings(StartupView(), *this, openSettings_); });
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
    toolTips_ = CreateToolTips(window_);
    for (int i = 0; i < ControlCount; ++i) {
        const ControlLook& look = kControls[i];
        controls_[i] = CreateWindowExW(0, look.className, CaptionOf(look).c_str(), WS_CHILD | WS_VISIBLE | look.style,
                                       0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance,
                                       nullptr);
        // The undo button's says why it is disabled.
        if (const char* toolTip = ToolTipOf(look))
            (i == UndoButton ? AddPlaceToolTip : AddToolTip)(toolTips_, controls_[i], WideFromUtf8(toolTip).c_str());
    }
    // The archive field's buttons follow it in the Tab order, left to right
    // as they stand, though they are made last.
    HWND previous = controls_[ArchiveEdit];
    for (const Control button : {ModsButton, UndoButton, ContentsButton, ArchiveBrowse}) {
        SetWindowPos(controls_[button], previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = controls_[button];
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
        const RECT place = PlaceOf(look);
        const int width = look.style == SS_LEFT ? LabelWidth(CaptionOf(look).c_str(), Scaled(place.right - place.left))
                                                : Scaled(place.right - place.left);
        Place(controls_[i], place, width);
        // Common controls 6 show a button's picture beside its caption. A
        // shared icon would keep the size it was first loaded at.
        if (const std::optional<ButtonPicture> picture = PictureOf(look)) {
            const HICON old = pictures_[i];
            const int resource = kFirstPictureResource + static_cast<int>(*picture);
            pictures_[i] = static_cast<HICON>(
                LoadImageW(instance, MAKEINTRESOURCEW(resource), IMAGE_ICON, Scaled(16), Scaled(16), 0));
            SendMessageW(controls_[i], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(pictures_[i]));
            if (old)
                DestroyIcon(old);
        }
    }
    PlaceToolTip(toolTips_, controls_[UndoButton]);
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
    // Ctrl+Z in a field undoes its typing; elsewhere the last update.
    if (message.message == WM_KEYDOWN && message.wParam == 'Z' && GetKeyState(VK_CONTROL) < 0 &&
        GetAncestor(message.hwnd, GA_ROOT) == window_ && message.hwnd != controls_[SourceEdit] &&
        message.hwnd != controls_[ArchiveEdit]) {
        if (IsWindowEnabled(controls_[UndoButton]))
            OnCommand(UndoButton);
        return true;
    }
    if (contents_ && contents_->TakeKey(message))
        return true;
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
    case WM_DRAWITEM:
        PaintStatus(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), font_);
        return TRUE;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {Scaled(kMainMinimumOuterSize.width), Scaled(kMainMinimumOuterSize.height)};
        return 0;
    }
    case WM_COPYDATA: {
        // Another start's archive, taken while no operation runs and no
        // question waits, opened once that start has its answer.
        const std::optional<std::string> archive =
            HandedOverArchive(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        if (!archive || CancellableRun::AnyRuns() || WindowHeldOnThisThread() || !IsWadFile(*archive))
            return FALSE;
        handedOver_ = *archive;
        PostMessageW(window_, kOpenHandedOver, 0, 0);
        return TRUE;
    }
    case kOpenHandedOver:
        if (IsIconic(window_))
            ShowWindow(window_, SW_RESTORE);
        OpenHandedOverArchive(handedOver_, *this);
        return 0;
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
        Browse(SourceEdit, kSourceFieldDialog, sourceStart_);
        break;
    case ArchiveBrowse:
        Browse(ArchiveEdit, kArchiveFieldDialog, archiveStart_);
        break;
    case CancelButton:
        RequestCancel();
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
    RunOffThread(operation);
    UpdateUndoButton();
    if (mods_ && IsWindowVisible(mods_->Handle()))
        mods_->Reload();
}

void Win32MainWindow::UpdateUndoButton()
{
    const UndoOffer offer = OfferedUndo(state_, ArchiveText());
    EnableWindow(controls_[UndoButton], offer.offered);
    undoToolTip_ = WideFromUtf8(offer.offered ? kArchiveFieldButtons[1].toolTip : offer.whyNot);
    SetPlaceToolTipText(toolTips_, controls_[UndoButton], undoToolTip_.c_str());
}

void Win32MainWindow::RunHandlerHeldBack(const std::function<void()>& handler)
{
    RunHeldBack(handler);
    // The archive shown may be one the operation rewrote.
    if (contents_ && IsWindowVisible(contents_->Handle()))
        contents_->Reload();
}

void Win32MainWindow::ShowContents()
{
    RunShowingErrors([this] {
        if (std::optional<ArchiveContents> contents = OpenArchiveContents(state_, *this, ArchiveText())) {
            if (!contents_)
                contents_ = std::make_unique<Win32ContentsWindow>(window_, state_, boxes_);
            contents_->ShowContents(std::move(*contents));
        }
    });
}

void Win32MainWindow::ShowMods()
{
    RunShowingErrors([this] {
        // After a change: the undo button and the contents shown follow the archives it wrote.
        if (!mods_)
            mods_ = std::make_unique<Win32ModsWindow>(window_, state_, boxes_, [this] {
                UpdateUndoButton();
                if (contents_ && IsWindowVisible(contents_->Handle()))
                    contents_->Reload();
            });
        mods_->ShowMods(ModsScopeOf(state_, ArchiveText()));
    });
}

void Win32MainWindow::Browse(Control edit, const FileFieldDialog& look, std::string& startFolder)
{
    std::wstring name(kPathBuffer, L'\0');
    const std::wstring filterText = DialogFilter(look.filter);
    const std::wstring folder = WideFromUtf8(startFolder);
    const std::wstring title = WideFromUtf8(look.title);
    const std::wstring extension = WideFromUtf8(look.defaultExtension);
    OPENFILENAMEW dialog = FileDialog(window_, filterText, name, title.c_str(), OFN_FILEMUSTEXIST);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
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

std::optional<std::string> Win32MainWindow::AskSaveLocation(const SaveRequest& request)
{
    std::wstring name = WideFromUtf8(request.proposedName);
    name.resize(kPathBuffer, L'\0');
    const std::wstring filterText = DialogFilter(request.filter);
    // An extraction (no filter: a folder) makes every folder on the way,
    // so a folder that does not exist yet is let through; an archive's
    // folder must exist.
    const DWORD flags = (request.asksBeforeReplacing ? OFN_OVERWRITEPROMPT : 0) |
                        (request.filter.empty() ? 0 : OFN_PATHMUSTEXIST);
    OPENFILENAMEW dialog = FileDialog(window_, filterText, name, WideFromUtf8(kSaveDialogTitle).c_str(), flags);
    if (!GetSaveFileNameW(&dialog))
        return std::nullopt;
    return Utf8FromWide(name.c_str());
}

}  // namespace mw
