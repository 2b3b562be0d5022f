// A machine as an update package finds it, and the package's calls of the
// real mendwright: GP4 in a Wine prefix built by the test, the program's
// settings in a config folder of the test, and a working folder holding
// UpdateFolder. The boxes are answered by the tests' build of the program
// with scripted dialogs.
#pragma once

#include <string>
#include <vector>

#include "tests/support/box_records.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine_prefix.h"

namespace mw::test {

struct PackageCall {
    int exitCode = -1;
    std::vector<Box> boxes;
};

// An archive of one entry "a.txt"; the tests tell an old archive from a
// patched one by these bytes alone.
std::string OneEntryArchive(const std::string& bytes);

class PackageMachine {
public:
    // Without GP4 the Wine prefix holds no installation key.
    explicit PackageMachine(bool withGp4 = true);

    // An archive OneEntryArchive(bytes) in the GP4 folder; its path.
    std::string PutArchive(const std::string& name, const std::string& bytes) const;
    // A file below the working folder's UpdateFolder.
    void PutUpdate(const std::string& relative, const std::string& bytes) const;

    // The program run with arguments in the working folder; the question is
    // answered "&Oui" when answerYes, else "Annuler".
    PackageCall Call(const std::vector<std::string>& arguments, bool answerYes = true) const;

    // HOME, XDG_CONFIG_HOME and WINEPREFIX of this machine.
    Environment MachineEnvironment() const;
    // The settings file's text ("" before the first write).
    std::string SettingsText() const;
    void WriteSettingsText(const std::string& text) const;

    TempDir dir;
    std::string gp4Folder;  // "" without GP4
    std::string work;       // the working folder

private:
    std::string SettingsFile() const;
};

}  // namespace mw::test
