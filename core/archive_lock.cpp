#include "core/archive_lock.h"

#include "core/errors.h"
#include "core/file.h"
#include "core/path_helpers.h"

namespace mw {
namespace {

constexpr const char* kBusyPrefix = "Sorry but another update is writing this wad: ";

}  // namespace

ArchiveLock::ArchiveLock(const std::string& fileName, Wait wait) : fileName_(fileName)
{
    // The update before may put its archive in place while this one waits:
    // the lock then holds a file that no longer has the archive's name, and
    // is taken again on the file that has.
    for (;;) {
        auto file = std::make_shared<File>(fileName, OpenMode::Reading);
        if (!file->LockForUpdate(wait == Wait::ForOtherUpdates))
            throw AppError(kBusyPrefix + PrintableText(fileName));
        const FileIdentity locked = IdentityOf(*file);
        if (IdentityOf(File(fileName, OpenMode::ReadOnly)) == locked) {
            archive_ = std::move(file);
            identity_ = locked;
            stamp_ = StampOf(*archive_);
            return;
        }
    }
}

ArchiveLock::~ArchiveLock()
{
    // The payloads may keep the file open a little longer; the lock ends now.
    archive_->UnlockForUpdate();
}

bool ArchiveLock::StillDescribes(const File& named) const
{
    return IdentityOf(named) == identity_ && StampOf(named) == stamp_;
}

}  // namespace mw
