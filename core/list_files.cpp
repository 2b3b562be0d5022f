#include "core/list_files.h"

#include <set>
#include <utility>

#include "core/errors.h"
#include "core/folder_access.h"
#include "core/real_path.h"
#include "core/text.h"

namespace mw {
namespace {

// A listed name kept for after its folder is read, by its full path.
struct Found {
    std::string path;
    EntryKind kind;
    bool followed;
    int error;
};

class Lister {
public:
    Lister(const std::string& mask, bool recurse, bool includeFolders, char separator)
        : mask_(mask), recurse_(recurse), includeFolders_(includeFolders), separator_(separator)
    {
    }

    // Keeps the listing inside folder, whose unreadable parts go to
    // unreadable instead of ending it. False when there is nothing to list.
    bool Confine(const std::string& folder, const UnreadableFolder& unreadable)
    {
        unreadable_ = &unreadable;
        std::string real;
        if (const int err = RealPathOf(folder, real)) {
            if (!IsMissingError(err))
                Unreadable(IoError(IoCodeFromSystemError(err), folder, err, Access::Read));
            return false;
        }
        within_ = std::move(real);
        return true;
    }

    void List(std::string folder, FileList& out)
    {
        if (folder.empty() || folder.back() != separator_)
            folder.push_back(separator_);

        // Every real folder is listed once, through whichever link or name
        // reaches it first: links that lead back into their parents end.
        FileIdentity self;
        std::vector<Found> entries;
        bool read = false;
        try {
            read = ListFolder(folder, self, [&](const ListedName& listed) {
                if (MatchesMask(listed.name, mask_))
                    entries.push_back({folder + std::string(listed.name), listed.kind, listed.followed, listed.error});
            });
        } catch (const IoError& error) {
            Unreadable(error);
        }
        if (read && listed_.insert(self).second) {
            for (Found& entry : entries) {
                if (!Takes(entry))
                    continue;
                if (entry.kind == EntryKind::File)
                    out.push_back(std::move(entry.path));
                else if (recurse_)
                    List(std::move(entry.path), out);
                else if (includeFolders_)
                    out.push_back(std::move(entry.path));
            }
        }
        if (includeFolders_)
            out.push_back(folder);
    }

private:
    // Whether a listed name is a file or a folder to take: one whose link
    // cannot be followed is unreadable, and in a confined listing one that
    // leads outside is left out.
    bool Takes(const Found& entry)
    {
        if (entry.error != 0) {
            Unreadable(IoError(IoCodeFromSystemError(entry.error), entry.path, entry.error, Access::Read));
            return false;
        }
        if (entry.kind != EntryKind::File && entry.kind != EntryKind::Folder)
            return false;
        if (!unreadable_ || !entry.followed)
            return true;
        std::string real;
        if (const int err = RealPathOf(entry.path, real)) {
            if (!IsMissingError(err))
                Unreadable(IoError(IoCodeFromSystemError(err), entry.path, err, Access::Read));
            return false;
        }
        return IsWithin(real, within_);
    }

    bool IsWithin(const std::string& real, const std::string& folder) const
    {
        if (!real.starts_with(folder))
            return false;
        return real.size() == folder.size() || folder.ends_with(separator_) || real[folder.size()] == separator_;
    }

    // Without a handler of its own, what cannot be read ends the listing.
    void Unreadable(const IoError& error)
    {
        if (!unreadable_)
            throw error;
        (*unreadable_)(error);
    }

    const std::string& mask_;
    bool recurse_;
    bool includeFolders_;
    char separator_;
    // Every real folder listed in this run.
    std::set<FileIdentity> listed_;
    // Set for a confined listing.
    const UnreadableFolder* unreadable_ = nullptr;
    std::string within_;
};

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask)
{
    return mask == "*.*" || WildcardMatches(name, mask);
}

FileList ListFiles(std::string folder, const std::string& mask, bool recurse, bool includeFolders, int attributes,
                   char separator)
{
    (void)attributes;  // every search takes all entries; kept for the callers' contract
    FileList result;
    Lister(mask, recurse, includeFolders, separator).List(std::move(folder), result);
    return result;
}

FileList ListFilesWithin(const std::string& folder, const UnreadableFolder& unreadable)
{
    const std::string mask = "*.*";
    FileList result;
    Lister lister(mask, true, false, kNativeSeparator);
    if (lister.Confine(folder, unreadable))
        lister.List(folder, result);
    return result;
}

}  // namespace mw
