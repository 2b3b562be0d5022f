// The contents window as its handlers see it: the find window, how work
// runs, and the program's dialogs owned by this window.
#include "win32/contents_window.h"

#include "core/win32/wide_text.h"

namespace mw {

FoundEntries& Win32ContentsWindow::EmptyFinds()
{
    found_.Clear();
    return found_;
}

void Win32ContentsWindow::ShowFinds(const std::string& pattern)
{
    if (!findWindow_)
        findWindow_ = std::make_unique<Win32FindWindow>(
            window_, found_, [this](int row) { handlers_.OpenFound(found_.Rows()[static_cast<std::size_t>(row)]); });
    findWindow_->ShowResults(pattern);
}

bool Win32ContentsWindow::RunWithErrorsShown(const std::function<void(Frontend&)>& work)
{
    return RunShowingErrors([&] { work(*this); });
}

bool Win32ContentsWindow::RunWithInputHeld(const std::function<void(Frontend&)>& work)
{
    return RunHeldBack([&] { work(*this); });
}

std::vector<std::string> Win32ContentsWindow::ChooseFiles(const std::string& title, bool several)
{
    return boxes_.ChooseFiles(window_, WideFromUtf8(title), several);
}

std::optional<std::string> Win32ContentsWindow::ChooseFolder(const std::string& title, const std::string& startFolder)
{
    return boxes_.ChooseFolder(window_, WideFromUtf8(title), startFolder);
}

std::optional<std::string> Win32ContentsWindow::AskText(const std::string& title, const std::string& label,
                                                        const std::string& text)
{
    return boxes_.AskText(window_, WideFromUtf8(title), WideFromUtf8(label), text);
}

}  // namespace mw
