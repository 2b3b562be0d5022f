// The results of a search across the installation from the Win32 contents
// window: the wad, entry and size of each entry found, and a line that says
// how many; a double click on one opens its wad at that entry.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ops/find_entries.h"
#include "win32/window_look.h"

namespace mw {

class Win32FindWindow : public ProgramWindow {
public:
    // Opens a row of found in the contents window.
    using OpenRow = std::function<void(int row)>;
    Win32FindWindow(HWND owner, const FoundEntryList& found, OpenRow open);
    ~Win32FindWindow() override;
    Win32FindWindow(const Win32FindWindow&) = delete;
    Win32FindWindow& operator=(const Win32FindWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Results() const { return results_; }
    HWND Summary() const { return summary_; }
    // Shown in front with the rows found now, under the pattern's caption.
    void ShowResults(const std::string& pattern);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PlaceControls() override;
    void LayOut();

    const FoundEntryList& found_;
    OpenRow open_;
    HWND results_ = nullptr;
    HWND summary_ = nullptr;
    std::wstring cellText_;  // the text of the cell last asked for
};

}  // namespace mw
