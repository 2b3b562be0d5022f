#include "core/file_stamp.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#include "core/errors.h"
#include "core/file.h"

namespace mw {

FileStamp StampOf(const File& file)
{
    struct stat st {};
    if (::fstat(file.Descriptor(), &st) != 0)
        ThrowErrno(errno, file.Name());
    return {st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

void SetModifiedTime(File& file, const FileStamp& stamp)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {stamp.modifiedSeconds, stamp.modifiedNanoseconds}};
    if (::futimens(file.Descriptor(), times) != 0)
        ThrowErrno(errno, file.Name());
}

}  // namespace mw
