#include "core/archive_lock.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "core/errors.h"
#include "core/path_helpers.h"
#include "core/text.h"
#include "core/path_text.h"
#include "core/user_data_folder.h"

namespace mw {
namespace {

using Clock = std::chrono::steady_clock;

// The pause between two tries doubles up to the longest: a short wait
// ends soon after the other lock does, a long one costs next to nothing.
constexpr auto kFirstPause = std::chrono::milliseconds(2);
constexpr auto kLongestPause = std::chrono::milliseconds(50);

// The lock file that stands in for an archive's lock where the file system
// keeps none: one per archive file, named by its identity, so that every
// name of the archive meets the same one, as they meet the same flock;
// "" when the environment names no data folder.
std::string StandInPath(const FileIdentity& identity)
{
    const std::string data = UserDataFolder();
    if (data.empty())
        return {};
    char name[48];
    std::snprintf(name, sizeof name, "%016" PRIx64 "-%016" PRIx64 ".lock", identity.volume, identity.index);
    return data + kNativeSeparator + "mendwright" + kNativeSeparator + "locks" + kNativeSeparator + name;
}

// Whether the archive's path names the file of that identity now.
bool NamesFile(const std::string& fileName, const FileIdentity& identity)
{
    return IdentityOf(File(fileName, OpenMode::ReadOnly)) == identity;
}

// The waiting between tries: the caller may end it, hears once when it
// lasts, and the next try comes a little later each time.
class Pauses {
public:
    Pauses(const std::string& fileName, const ArchiveLock::Waiting& waiting) : fileName_(fileName), waiting_(waiting) {}

    void Pause()
    {
        if (waiting_.wait == ArchiveLock::Wait::No)
            throw AppError(kArchiveBusyPrefix + PrintableText(fileName_));
        if (waiting_.betweenTries)
            waiting_.betweenTries();
        if (!noticed_ && Clock::now() - start_ >= waiting_.noticeAfter) {
            noticed_ = true;
            if (waiting_.notice)
                waiting_.notice();
        }
        std::this_thread::sleep_for(pause_);
        pause_ = std::min<Clock::duration>(pause_ * 2, kLongestPause);
    }

private:
    const std::string& fileName_;
    const ArchiveLock::Waiting& waiting_;
    const Clock::time_point start_ = Clock::now();
    Clock::duration pause_ = kFirstPause;
    bool noticed_ = false;
};

}  // namespace

ArchiveLock::ArchiveLock(const std::string& fileName, const Waiting& waiting) : fileName_(fileName)
{
    Pauses pauses(fileName, waiting);
    // The update before may put its archive in place while this one waits:
    // the lock then holds a file that no longer has the archive's name, and
    // is taken again on the file that has.
    for (;;) {
        auto file = std::make_shared<File>(fileName, OpenMode::Reading);
        const FileIdentity identity = IdentityOf(*file);
        File standIn;
        std::string standInPath;
        File* held = file.get();
        File::LockTry tried = file->TryLockForUpdate();
        if (tried == File::LockTry::NotKept && !(standInPath = StandInPath(identity)).empty()) {
            std::string unmade;  // the open below names what could not be made
            CreateFolders(FolderPart(standInPath), unmade);
            try {
                standIn.Open(standInPath, OpenMode::Writing);
            } catch (const IoError&) {
                // Windows refuses to open a file whose removal waits for
                // its last handle: the update before has just removed it,
                // having put its archive in place.
                if (NamesFile(fileName, identity))
                    throw;
                continue;
            }
            held = &standIn;
            tried = standIn.TryLockForUpdate();
        }
        while (tried == File::LockTry::HeldElsewhere) {
            pauses.Pause();
            tried = held->TryLockForUpdate();
        }
        // Not kept even by the stand-in: the writer's check of the target
        // alone stands guard, as it does against programs that take no lock.
        if (NamesFile(fileName, identity)) {
            archive_ = std::move(file);
            identity_ = identity;
            stamp_ = StampOf(*archive_);
            if (tried == File::LockTry::Taken && held == &standIn) {
                standIn_ = std::move(standIn);
                standInPath_ = std::move(standInPath);
            }
            return;
        }
    }
}

ArchiveLock::ArchiveLock(const std::string& fileName, Wait wait)
    : ArchiveLock(fileName, [wait] {
          Waiting waiting;
          waiting.wait = wait;
          return waiting;
      }())
{
}

ArchiveLock::~ArchiveLock()
{
    // The payloads may keep the file open a little longer; the lock ends now.
    archive_->UnlockForUpdate();
    if (!standIn_.IsOpen())
        return;
    // Once the archive's name is another file's, no update locks this one
    // again: its lock file goes, and the folder keeps one per archive. An
    // update that waits for it finds the name changed and locks anew.
    bool replaced = true;
    try {
        replaced = !NamesFile(fileName_, identity_);
    } catch (const AppError&) {
    }
    if (replaced) {
        std::error_code ignored;
        std::filesystem::remove(FileSystemPath(standInPath_), ignored);
    }
    standIn_.UnlockForUpdate();
}

bool ArchiveLock::StillDescribes(const File& named) const
{
    return IdentityOf(named) == identity_ && StampOf(named) == stamp_;
}

}  // namespace mw
