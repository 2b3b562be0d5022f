#include "win32/folder_watch.h"

namespace mw {

FolderWatch::FolderWatch(HWND window, UINT message)
    : window_(window), message_(message), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

FolderWatch::~FolderWatch()
{
    Stop();
    CloseHandle(stop_);
}

void FolderWatch::Stop()
{
    if (!waiter_.joinable())
        return;
    SetEvent(stop_);
    waiter_.join();
    ResetEvent(stop_);
}

void FolderWatch::Watch(const std::vector<std::wstring>& folders)
{
    if (folders == folders_)
        return;
    Stop();
    folders_ = folders;
    ++generation_;
    // The stop event first; one wait takes at most MAXIMUM_WAIT_OBJECTS.
    std::vector<HANDLE> waits = {stop_};
    std::vector<WPARAM> indexes = {0};
    for (std::size_t i = 0; i < folders.size() && waits.size() < MAXIMUM_WAIT_OBJECTS; ++i) {
        const HANDLE change = FindFirstChangeNotificationW(folders[i].c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
        if (change == INVALID_HANDLE_VALUE)
            continue;
        waits.push_back(change);
        indexes.push_back(i);
    }
    if (waits.size() == 1)
        return;
    waiter_ = std::thread([this, waits, indexes, generation = generation_]() mutable {
        for (;;) {
            const DWORD signalled = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
            const std::size_t i = signalled - WAIT_OBJECT_0;
            if (i == 0 || i >= waits.size())
                break;
            PostMessageW(window_, message_, indexes[i], generation);
            // A folder that went away is watched no more.
            if (!FindNextChangeNotification(waits[i])) {
                FindCloseChangeNotification(waits[i]);
                waits.erase(waits.begin() + static_cast<std::ptrdiff_t>(i));
                indexes.erase(indexes.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        for (std::size_t i = 1; i < waits.size(); ++i)
            FindCloseChangeNotification(waits[i]);
    });
}

}  // namespace mw
