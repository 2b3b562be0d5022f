// The file and folder choosers of Win32Dialogs: the shell's open dialog.
#include <shobjidl.h>

#include "core/win32/wide_text.h"
#include "win32/dialogs.h"

namespace mw {
namespace {

// Releases a shell object at the end of its scope.
template <typename Object>
class Held {
public:
    ~Held()
    {
        if (object_)
            object_->Release();
    }
    Object** Out() { return &object_; }
    Object* operator->() const { return object_; }

private:
    Object* object_ = nullptr;
};

std::string PathOf(IShellItem& item)
{
    wchar_t* name = nullptr;
    if (FAILED(item.GetDisplayName(SIGDN_FILESYSPATH, &name)))
        return {};
    std::string path = Utf8FromWide(name);
    CoTaskMemFree(name);
    return path;
}

// The dialog run with options; the chosen items' paths, none when cancelled.
std::vector<std::string> RunOpenDialog(HWND owner, const std::wstring& title, FILEOPENDIALOGOPTIONS options,
                                       const std::string& startFolder)
{
    Held<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.Out()))))
        return {};
    FILEOPENDIALOGOPTIONS current = 0;
    dialog->GetOptions(&current);
    dialog->SetOptions(current | options | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(title.c_str());
    if (!(options & FOS_PICKFOLDERS)) {
        const COMDLG_FILTERSPEC anyFile = {L"*.*", L"*.*"};
        dialog->SetFileTypes(1, &anyFile);
    }
    Held<IShellItem> start;
    if (!startFolder.empty() &&
        SUCCEEDED(SHCreateItemFromParsingName(WideFromUtf8(startFolder).c_str(), nullptr, IID_PPV_ARGS(start.Out()))))
        dialog->SetFolder(start.operator->());
    if (FAILED(dialog->Show(owner)))
        return {};
    Held<IShellItemArray> chosen;
    if (FAILED(dialog->GetResults(chosen.Out())))
        return {};
    DWORD count = 0;
    chosen->GetCount(&count);
    std::vector<std::string> paths;
    for (DWORD i = 0; i < count; ++i) {
        Held<IShellItem> item;
        if (SUCCEEDED(chosen->GetItemAt(i, item.Out())))
            paths.push_back(PathOf(*item.operator->()));
    }
    std::erase(paths, std::string());
    return paths;
}

}  // namespace

std::vector<std::string> Win32Dialogs::ChooseFiles(HWND owner, const std::wstring& title, bool several)
{
    const FILEOPENDIALOGOPTIONS count = several ? FILEOPENDIALOGOPTIONS{FOS_ALLOWMULTISELECT} : 0;
    return RunOpenDialog(owner, title, FOS_FILEMUSTEXIST | count, {});
}

std::optional<std::string> Win32Dialogs::ChooseFolder(HWND owner, const std::wstring& title,
                                                    const std::string& startFolder)
{
    const std::vector<std::string> folders = RunOpenDialog(owner, title, FOS_PICKFOLDERS, startFolder);
    if (folders.empty())
        return std::nullopt;
    return folders.front();
}

}  // namespace mw
