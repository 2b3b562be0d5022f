#include "core/wad_packer.h"

#include <fcntl.h>
#include <unistd.h>

#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/path_helpers.h"

namespace mw {

WadPacker::WadPacker(const std::string& fileName, std::int32_t count, ByteProgress* progress)
    : temporary_(fileName), count_(count), progress_(progress)
{
    temporary_.file().Seek(DirectoryEnd(count));
}

WadPacker::~WadPacker()
{
    if (folderFd_ >= 0)
        ::close(folderFd_);
}

int WadPacker::FolderOf(const std::string& path, std::size_t slash)
{
    const std::string_view folder(path.data(), slash + 1);
    if (folderFd_ >= 0 && folder == folder_)
        return folderFd_;
    if (folderFd_ >= 0)
        ::close(folderFd_);
    folder_.assign(folder);
    // A folder that cannot be opened leaves the file to be opened by its
    // full path, which names the error exactly.
    folderFd_ = ::open(folder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return folderFd_;
}

std::int64_t WadPacker::Append(const std::string& path, std::int64_t limit)
{
    const std::size_t slash = path.rfind(kNativeSeparator);
    const int folderFd = slash == std::string::npos ? -1 : FolderOf(path, slash);
    File source = folderFd >= 0 ? OpenSourceIn(folderFd, path.c_str() + slash + 1, path)
                                : OpenSourceIn(AT_FDCWD, path.c_str(), path);
    const std::int64_t size = temporary_.file().AppendFrom(source, limit, progress_);
    source.Close();
    return size;
}

void WadPacker::Finish(const std::vector<WadEntry>& entries)
{
    if (entries.size() != static_cast<std::size_t>(count_))
        throw RangeError(temporary_.file().Name());
    File& out = temporary_.file();
    out.Seek(0);
    WriteDirectory(out, entries, count_);
    if (progress_)
        progress_->Moved(DirectoryEnd(count_));
    temporary_.Commit();
}

}  // namespace mw
