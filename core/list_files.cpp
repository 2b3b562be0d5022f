#include "core/list_files.h"

#include <set>
#include <utility>

#include "core/folder_access.h"

namespace mw {
namespace {

class Lister {
public:
    Lister(const std::string& mask, bool recurse, bool includeFolders, char separator)
        : mask_(mask), recurse_(recurse), includeFolders_(includeFolders), separator_(separator)
    {
    }

    void List(std::string folder, FileList& out)
    {
        if (folder.empty() || folder.back() != separator_)
            folder.push_back(separator_);

        // Every real folder is listed once, through whichever link or name
        // reaches it first: links that lead back into their parents end.
        FileIdentity self;
        std::vector<std::pair<std::string, EntryKind>> entries;
        const bool read = ListFolder(folder, self, [&](std::string_view name, EntryKind kind) {
            if (MatchesMask(name, mask_) && (kind == EntryKind::File || kind == EntryKind::Folder))
                entries.emplace_back(folder + std::string(name), kind);
        });
        if (read && listed_.insert(self).second) {
            for (auto& [path, kind] : entries) {
                if (kind == EntryKind::File)
                    out.push_back(std::move(path));
                else if (recurse_)
                    List(std::move(path), out);
                else if (includeFolders_)
                    out.push_back(std::move(path));
            }
        }
        if (includeFolders_)
            out.push_back(folder);
    }

private:
    const std::string& mask_;
    bool recurse_;
    bool includeFolders_;
    char separator_;
    // Every real folder listed in this run.
    std::set<FileIdentity> listed_;
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

}  // namespace mw
