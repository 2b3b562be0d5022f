#include "core/wad_packer.h"

#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/path_helpers.h"

namespace mw {

WadPacker::WadPacker(const std::string& fileName, std::int32_t count, ByteProgress* progress,
                     const ArchiveLock* lock)
    : temporary_(fileName, lock), count_(count), progress_(progress)
{
    temporary_.file().Seek(DirectoryEnd(count));
}

const File& WadPacker::FolderOf(const std::string& path, std::size_t slash)
{
    const std::string_view folder(path.data(), slash + 1);
    if (folder != folderName_) {
        folderName_.assign(folder);
        folder_ = FolderForLookups(folderName_);
    }
    return folder_;
}

std::int64_t WadPacker::Append(const std::string& path, std::int64_t limit)
{
    const std::size_t slash = path.rfind(kNativeSeparator);
    static const File kNoFolder;
    const File& folder = slash == std::string::npos ? kNoFolder : FolderOf(path, slash);
    File source = OpenSourceIn(folder, std::string_view(path).substr(slash + 1), path);
    const std::int64_t size = temporary_.file().AppendFrom(source, limit, progress_);
    source.Close();
    return size;
}

void WadPacker::Finish(const std::vector<WadEntry>& entries, BeforeCommit* beforeCommit)
{
    if (entries.size() != static_cast<std::size_t>(count_))
        throw RangeError(temporary_.file().Name());
    File& out = temporary_.file();
    out.Seek(0);
    WriteDirectory(out, entries, count_);
    if (progress_)
        progress_->Moved(DirectoryEnd(count_));
    if (beforeCommit)
        beforeCommit->Complete(out);
    temporary_.Commit();
}

}  // namespace mw
