// The GP4 installation inside the Wine prefix the game runs in.
#pragma once

#include <string>

#include "core/gp4_installation.h"

namespace mw {

// Reads the game's installation key from the prefix's system.reg (under
// Software\Wow6432Node first, as a 32-bit program's key is in a 64-bit
// prefix, then without it) and maps its "Directory" onto the prefix. The
// path handed out is the Linux folder; GP4.exe may be in any case. A prefix
// whose system.reg cannot be read or lacks the key is a key that cannot be
// opened: nothing changes.
class WinePrefixInstallation : public Gp4Installation {
public:
    explicit WinePrefixInstallation(std::string prefix) : prefix_(std::move(prefix)) {}

    void FindInstallationFolder(std::string& path) override;
    const std::string& Prefix() const { return prefix_; }

private:
    std::string prefix_;
};

// The prefix Wine itself would use: $WINEPREFIX, else ~/.wine; empty when
// neither is set.
std::string DefaultWinePrefix();

}  // namespace mw
