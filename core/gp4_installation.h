// The GP4 installation folder as the operations see it. The lookup reads the
// game's own installation key (a registry on Windows, the Wine prefix's
// registry on Linux) and never writes it; settings/ provides the real ones.
#pragma once

#include <string>

namespace mw {

// The file whose presence makes a folder a GP4 installation.
inline constexpr const char* kGp4Program = "GP4.exe";

// The installation a file lies in: the nearest folder above it that holds
// GP4.exe, in any case; "" when none does.
std::string InstallationHolding(const std::string& path);

class Gp4Installation {
public:
    virtual ~Gp4Installation() = default;

    // Writes the installation folder into path only when the lookup succeeds
    // (the folder holds GP4.exe); sets FoundInstallation from every lookup that
    // could open the key and leaves it alone when the key cannot be opened.
    virtual void FindInstallationFolder(std::string& path) = 0;

    bool FoundInstallation() const { return gp4PathValid_; }

protected:
    void SetFoundInstallation(bool valid) { gp4PathValid_ = valid; }

private:
    bool gp4PathValid_ = false;
};

// A folder given outright (the command-line tool's --gp4, and the tests):
// the lookup always succeeds with that folder.
class FixedGp4Installation : public Gp4Installation {
public:
    explicit FixedGp4Installation(std::string folder) : folder_(std::move(folder)) {}
    void FindInstallationFolder(std::string& path) override;

private:
    std::string folder_;
};

}  // namespace mw
