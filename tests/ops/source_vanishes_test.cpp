// An update whose source files change between the listing and their read:
// a file removed, cut short or made unreadable ends the update with its
// error and leaves the archive as it was, with no temporary file beside it.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "core/wad.h"
#include "ops/operations.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

enum class Change { Remove, Shrink, Lock };

// Changes one listed source file when the first one has been read: the
// update shows its progress after each file.
class ChangingFrontend : public test::RecordingFrontend {
public:
    // The first source file listed: read already, copied when the archive is
    // written; or the second: not read yet.
    std::string victim;
    Change change = Change::Remove;

    // At the first status text.
    void ShowProgress(const Progress& progress) override
    {
        const std::size_t before = statusTexts.size();
        RecordingFrontend::ShowProgress(progress);
        if (before != 0 || statusTexts.size() != 1)
            return;
        const std::string& path = victim;
        switch (change) {
        case Change::Remove: std::remove(path.c_str()); break;
        case Change::Shrink:
            if (::truncate(path.c_str(), 1) != 0)
                ADD_FAILURE() << "cannot shrink " << path;
            break;
        case Change::Lock: ::chmod(path.c_str(), 0); break;
        }
    }
};

TEST(SourceVanishesTest, TheUpdateStopsWithItsErrorAndTheArchiveIsUntouched)
{
    struct Case {
        std::size_t victim;
        Change change;
        std::string error;
    };
    const std::vector<Case> cases = {
        {1, Change::Remove, "Fichier introuvable"},
        {0, Change::Remove, "Fichier introuvable"},
        {0, Change::Shrink, "Lecture au-delà de la fin de fichier"},
        {1, Change::Lock, "Accès au fichier refusé"},
        {0, Change::Lock, "Accès au fichier refusé"},
    };
    const std::string old = test::ContiguousArchive({{"a.txt", "old a"}, {"b.txt", "old b"}});
    for (const Case& c : cases) {
        TempDir dir;
        const std::string archive = dir.Write("x.wad", old);
        dir.Write("src/a.txt", "new bytes of a");
        dir.Write("src/b.txt", "new bytes of b");
        RunState state;
        ChangingFrontend ui;
        ui.victim = dir / ("src/" + test::DirectoryOrder(dir / "src").at(c.victim));
        ui.change = c.change;
        // Unprivileged, so that a locked file is refused even to a test run as root.
        EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { UpdateWad(state, ui, {dir / "src", archive}); }), c.error)
            << "source " << c.victim << ", change " << static_cast<int>(c.change);
        EXPECT_EQ(test::ReadBytes(archive), old);
        EXPECT_EQ(test::TemporaryFiles(dir.path()), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace mw
