#include "startup/given_path.h"

#include "core/file.h"
#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/error_report.h"

namespace mw {
bool IsWadFile(const std::string& path)
{
    return LowerAscii(FileNamePart(NativePath(path))).ends_with(".wad") && RegularFileExists(path);
}

GivenPath OpenGivenPath(const std::string& path, MainWindowFields& mainWindow)
{
    if (IsWadFile(path)) {
        mainWindow.SetArchiveText(FullNativePath(path));
        return GivenPath::Archive;
    }
    if (FolderExists(path)) {
        mainWindow.SetSourceText(FullNativePath(path));
        return GivenPath::Folder;
    }
    return GivenPath::Ignored;
}

}  // namespace mw
