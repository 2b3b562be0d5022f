#include <gtest/gtest.h>

#include <string>

#include "core/user_data_folder.h"
#include "tests/support/posix/scoped_variable.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

struct DocumentsCase {
    const char* name;
    const char* userDirsLine;  // nullptr: no user-dirs.dirs
    const char* existing;      // a folder made below the home, or ""
    const char* expected;      // below the home
};

// What a first extraction proposes: the folder xdg-user-dirs names, else
// ~/Documents, else the home itself; never a folder that is not there.
TEST(UserDocumentsFolder, IsTheUserDirsOneThenDocumentsThenHome)
{
    const DocumentsCase cases[] = {
        {"named below home", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"", "Dokumente", "/Dokumente"},
        {"named absolute", "XDG_DOCUMENTS_DIR=\"@/Papers\"", "Papers", "/Papers"},
        {"named but missing", "XDG_DOCUMENTS_DIR=\"$HOME/Gone\"", "Documents", "/Documents"},
        {"no user dirs", nullptr, "Documents", "/Documents"},
        {"nothing at all", nullptr, "", ""},
    };
    for (const DocumentsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempDir home;
        const test::ScopedVariable homeVariable("HOME", home.path());
        const test::ScopedVariable config("XDG_CONFIG_HOME", home / ".config");
        if (c.userDirsLine) {
            std::string line = c.userDirsLine;
            if (const auto at = line.find('@'); at != std::string::npos)
                line.replace(at, 1, home.path());
            home.Write(".config/user-dirs.dirs", "# written by xdg-user-dirs-update\n" + line + "\n");
        }
        if (c.existing[0] != '\0')
            home.Write(std::string(c.existing) + "/.keep", "");
        EXPECT_EQ(UserDocumentsFolder(), home.path() + c.expected);
    }
}

}  // namespace
}  // namespace mw
