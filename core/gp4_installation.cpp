#include "core/gp4_installation.h"

#include "core/folder_lookup.h"
#include "core/path_helpers.h"

namespace mw {

std::string InstallationHolding(const std::string& path)
{
    std::string folder = path;
    for (;;) {
        const std::size_t cut = folder.find_last_of(kNativeSeparator);
        if (cut == std::string::npos)
            return {};
        folder.resize(cut);
        // The root: "" on POSIX, "C:" on Windows.
        const std::string shown = folder.empty() || folder.back() == ':' ? folder + kNativeSeparator : folder;
        if (FindFileIgnoringCase(shown, kGp4Program))
            return shown;
        if (folder.empty() || folder.back() == ':')
            return {};
    }
}

void FixedGp4Installation::FindInstallationFolder(std::string& path)
{
    SetFoundInstallation(true);
    path = folder_;
}

}  // namespace mw
