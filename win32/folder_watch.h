// Watches folders for folders created, removed or renamed in them (their
// own contents, not deeper) from a thread of its own, and tells a window.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace mw {

class FolderWatch {
public:
    // A change in the i-th watched folder posts message to window with
    // wParam i and lParam the watch's generation.
    FolderWatch(HWND window, UINT message);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches these folders instead of the ones before; nothing when the
    // same. A folder that cannot be watched (gone, no rights) is left out.
    void Watch(const std::vector<std::wstring>& folders);
    // Whether a posted change is from the folders watched now.
    bool IsCurrent(LPARAM generation) const { return generation == generation_; }

private:
    void Stop();

    HWND window_;
    UINT message_;
    HANDLE stop_;
    std::thread waiter_;
    std::vector<std::wstring> folders_;
    LPARAM generation_ = 0;
};

}  // namespace mw
