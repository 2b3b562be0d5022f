// A File's descriptor, for core's POSIX implementation files only.
#pragma once

#include <string>

#include "core/file.h"

namespace mw {

struct NativeFile {
    static int Descriptor(const File& file) noexcept { return static_cast<int>(file.handle_); }
    // Takes ownership of a descriptor opened elsewhere; name is the file
    // that its errors name.
    static File Adopt(int fd, std::string name = {}) noexcept
    {
        File file;
        file.handle_ = fd;
        file.name_ = std::move(name);
        return file;
    }
};

// Opens a file descriptor as the file layer does, with the same error texts;
// used where a caller needs flags of its own (an exclusive temporary file).
int OpenDescriptor(const std::string& name, int flags, unsigned mode = 0666);
// The same for the name in an open folder; path is what errors name.
int OpenDescriptorIn(const File& folder, const std::string& name, const std::string& path, int flags,
                     unsigned mode = 0666);

}  // namespace mw
