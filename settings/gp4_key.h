// The game's installation key, as its installer writes it below the
// machine-wide root, and what the lookup takes from it.
#pragma once

#include "core/gp4_installation.h"  // kGp4Program

namespace mw {

inline constexpr const char* kGp4InstallKey = "Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir";
// Where a 64-bit system keeps the key of a 32-bit program such as GP4.
inline constexpr const char* kGp4InstallKey32On64 =
    "Software\\Wow6432Node\\Infogrames\\Grand Prix 4\\1.00\\Install Dir";
// The installation folder, without a trailing "\".
inline constexpr const char* kGp4DirectoryValue = "Directory";

}  // namespace mw
