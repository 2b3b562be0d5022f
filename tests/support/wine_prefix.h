// A Wine prefix made in a test folder, with the game's installation key
// pointing at a GP4 folder inside its drive C.
#pragma once

#include <string>

#include "tests/support/temp_dir.h"

namespace mw::test {

struct WinePrefix {
    std::string prefix;     // the folder to put in WINEPREFIX
    std::string gp4Folder;  // the game's folder as a Linux path
};

// prefixFolder below dir; the game in drive_c/GP4 with a GP4.exe.
WinePrefix MakeWinePrefixWithGp4(const TempDir& dir, const std::string& prefixFolder);

}  // namespace mw::test
