#include "tests/support/wine_prefix.h"

#include <filesystem>

namespace mw::test {

WinePrefix MakeWinePrefixWithGp4(const TempDir& dir, const std::string& prefixFolder)
{
    namespace fs = std::filesystem;
    WinePrefix made;
    made.prefix = dir.MakeFolder(prefixFolder);
    dir.Write(prefixFolder + "/drive_c/GP4/GP4.exe", "MZ");
    dir.MakeFolder(prefixFolder + "/dosdevices");
    fs::create_directory_symlink("../drive_c", dir / (prefixFolder + "/dosdevices/c:"));
    dir.Write(prefixFolder + "/system.reg",
              "WINE REGISTRY Version 2\n"
              ";; All keys relative to \\\\Machine\n\n"
              "#arch=win32\n\n"
              "[Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir] 1700000000\n"
              "\"Directory\"=\"C:\\\\GP4\"\n");
    made.gp4Folder = fs::canonical(dir / (prefixFolder + "/drive_c/GP4")).string();
    return made;
}

}  // namespace mw::test
