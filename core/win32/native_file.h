// A File's handle, for core's Win32 implementation files only.
#pragma once

#include <windows.h>

#include <string>

#include "core/file.h"

namespace mw {

struct NativeFile {
    static HANDLE Handle(const File& file) noexcept { return reinterpret_cast<HANDLE>(file.handle_); }
    // Takes ownership of a handle opened elsewhere; name is the file that
    // its errors name.
    static File Adopt(HANDLE handle, std::string name = {}) noexcept
    {
        File file;
        file.handle_ = reinterpret_cast<std::intptr_t>(handle);
        file.name_ = std::move(name);
        return file;
    }
};

// Every open shares reading, writing and deleting with other openers:
// deleting too, so that an archive held open can still be replaced.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace mw
