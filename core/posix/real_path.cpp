// Real paths on POSIX: realpath, which resolves every link on the way.
#include "core/real_path.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace mw {

int RealPathOf(const std::string& path, std::string& real)
{
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer) == nullptr)
        return errno;
    real = buffer;
    return 0;
}

}  // namespace mw
