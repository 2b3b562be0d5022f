#include "core/list_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <set>
#include <utility>

namespace mw {
namespace {

enum class Kind { File, Folder, Other };

Kind KindOf(const std::string& path, unsigned char type)
{
    if (type == DT_REG)
        return Kind::File;
    if (type == DT_DIR)
        return Kind::Folder;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return Kind::Other;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Kind::Other;  // a dangling link names nothing to read
    if (S_ISREG(st.st_mode))
        return Kind::File;
    if (S_ISDIR(st.st_mode))
        return Kind::Folder;
    return Kind::Other;
}

char LowerChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

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

        DIR* dir = ::opendir(folder.c_str());
        if (dir != nullptr) {
            struct stat self {};
            if (::fstat(::dirfd(dir), &self) == 0 && !listed_.insert({self.st_dev, self.st_ino}).second) {
                ::closedir(dir);
                return;  // listed already, through another link or this one
            }
            ListEntries(dir, folder, out);
            ::closedir(dir);
        }
        if (includeFolders_)
            out.push_back(folder);
    }

private:
    void ListEntries(DIR* dir, const std::string& folder, FileList& out)
    {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == ".." || !MatchesMask(name, mask_))
                continue;
            std::string path = folder;
            path.append(name);
            switch (KindOf(path, entry->d_type)) {
            case Kind::Folder:
                if (recurse_)
                    List(std::move(path), out);
                else if (includeFolders_)
                    out.push_back(std::move(path));
                break;
            case Kind::File:
                out.push_back(std::move(path));
                break;
            case Kind::Other:
                break;
            }
        }
    }

    const std::string& mask_;
    bool recurse_;
    bool includeFolders_;
    char separator_;
    // Every real folder listed in this run, by device and inode: links that
    // lead to one folder (or back into its parents) list it once.
    std::set<std::pair<dev_t, ino_t>> listed_;
};

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask)
{
    if (mask == "*.*" || mask == "*")
        return true;
    // Iterative wildcard match with backtracking to the last star.
    std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || LowerChar(mask[m]) == LowerChar(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
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
