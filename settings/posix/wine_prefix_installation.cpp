#include "settings/posix/wine_prefix_installation.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

#include "core/folder_lookup.h"
#include "settings/gp4_key.h"
#include "settings/posix/wine_path.h"
#include "settings/posix/wine_registry.h"

namespace mw {
namespace {

std::optional<std::string> ReadWholeFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

}  // namespace

void WinePrefixInstallation::FindInstallationFolder(std::string& path)
{
    if (prefix_.empty())
        return;
    const std::optional<std::string> registry = ReadWholeFile(JoinPath(prefix_, "system.reg"));
    if (!registry)
        return;
    std::optional<WineRegistryKey> key = FindWineRegistryKey(*registry, kGp4InstallKey32On64);
    if (!key)
        key = FindWineRegistryKey(*registry, kGp4InstallKey);
    if (!key)
        return;

    const std::optional<std::string> folder = FolderInPrefix(prefix_, key->Text(kGp4DirectoryValue).value_or(""));
    const bool found = folder && FindFileIgnoringCase(*folder, kGp4Program);
    SetFoundInstallation(found);
    if (found)
        path = *folder;
}

std::string DefaultWinePrefix()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    if (const char* home = std::getenv("HOME"); home && *home)
        return JoinPath(home, ".wine");
    return {};
}

}  // namespace mw
