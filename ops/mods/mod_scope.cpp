#include "ops/mods/mod_scope.h"

#include "core/path_helpers.h"

namespace mw {

std::string ModScopeOf(const std::string& installationFolder, const std::string& canonicalArchive)
{
    if (installationFolder.empty())
        return canonicalArchive;
    std::string prefix = installationFolder;
    if (prefix.back() != kNativeSeparator)
        prefix += kNativeSeparator;
    // Windows names a folder in any case.
    const bool inside = kWindowsFileNames ? LowerAscii(canonicalArchive).starts_with(LowerAscii(prefix))
                                          : canonicalArchive.starts_with(prefix);
    return inside ? installationFolder : canonicalArchive;
}

}  // namespace mw
