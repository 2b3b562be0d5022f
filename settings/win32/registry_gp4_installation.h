// The GP4 installation as Windows knows it: the game's machine-wide
// installation key. Built only on Windows.
#pragma once

#include "core/gp4_installation.h"

namespace mw {

// Opens HKEY_LOCAL_MACHINE\<kGp4InstallKey> read-only, in the 32-bit view
// first and then in the 64-bit one, so that users who are not administrators
// can read it and nothing is ever created there. A view's key counts only
// when its folder holds GP4.exe.
class RegistryGp4Installation : public Gp4Installation {
public:
    void FindInstallationFolder(std::string& path) override;
};

}  // namespace mw
