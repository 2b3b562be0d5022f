// Entries dragged out of the contents window's list as files, and files
// dropped on it from Explorer.
#include "win32/contents_window.h"

#include "core/path_helpers.h"
#include "core/win32/wide_text.h"
#include "win32/file_drag.h"

namespace mw {
namespace {
constexpr DWORD kPathBuffer = 32768;
}  // namespace

std::optional<std::string> Win32ContentsWindow::DragFolder()
{
    if (dragFolder_.empty()) {
        // A new name in the temporary folder, taken as a folder's.
        wchar_t temp[MAX_PATH + 1] = {};
        wchar_t name[MAX_PATH + 1] = {};
        if (GetTempPathW(MAX_PATH + 1, temp) == 0 || GetTempFileNameW(temp, L"mwd", 0, name) == 0 ||
            !DeleteFileW(name) || !CreateDirectoryW(name, nullptr))
            return std::nullopt;
        dragFolder_ = Utf8FromWide(name);
    }
    return dragFolder_;
}

void Win32ContentsWindow::DragOut()
{
    const std::vector<std::string> files = ExtractForDrag();
    if (files.empty())
        return;
    dragging_ = true;
    DragFilesOut(files);
    dragging_ = false;
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
        handlers_.AddDropped(paths);
}

}  // namespace mw
