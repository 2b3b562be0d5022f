// The mods invariant: after any sequence of installs, disables, enables,
// removals and undos, every archive is the archive as first found with the
// enabled mods installed into it, in install order, byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "ops/mods/mod_changes.h"
#include "ops/operations.h"
#include "ops/undo_recorder.h"
#include "ops/undo_store.h"
#include "ops/undo_wad.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

// Names that overlap in every way the update's matching knows: by file name
// at any depth, under "qualifying" and "race", by whole name under "cars",
// and new names that are appended.
const std::vector<std::string> kSourceNames = {
    "a.tex", "sub/a.tex", "qualifying/c.tex", "race/c.tex", "cars/f1/d.tex", "cars/f1/n.tex", "n1.bin", "n2.bin",
};
const std::vector<std::string> kArchives = {"cars.wad", "monza2001.wad"};

std::vector<std::pair<std::string, std::string>> FoundEntries(const std::string& archive)
{
    const std::string track = archive == "cars.wad" ? "cars\\" : "maps\\monza2001\\";
    return {{"a.tex", "found a"},
            {track + "qualifying\\c.tex", "found qualifying c"},
            {track + "race\\c.tex", "found race c"},
            {"cars\\f1\\d.tex", "found d, longer than the others"},
            {"empty.bin", ""},
            {"x.bin", "found x"}};
}

struct Mod {
    std::string name;
    std::string folder;
    std::vector<std::string> archives;
    bool enabled = true;
};

class ModsInvariant {
public:
    explicit ModsInvariant(unsigned seed) : dir_(test::MemoryBackedFolder()), random_(seed)
    {
        for (const std::string& archive : kArchives)
            dir_.Write("gp4/" + archive, test::ContiguousArchive(FoundEntries(archive)));
        dir_.Write("gp4/GP4.exe", "");
        state_.UndoFolder = dir_ / "undo";
        state_.ModsFolder = dir_ / "mods";
        for (const char* bytes : {"", "one", "two two", "three three three"})
            contents_.emplace_back(bytes);
    }

    void Install()
    {
        Mod mod{"mod" + std::to_string(installs_++), "", {}, true};
        mod.folder = dir_.MakeFolder("sources/" + mod.name);
        const int files = Pick(4) + 1;
        for (int f = 0; f < files; ++f) {
            const std::string& bytes = Pick(3) == 0 ? contents_[static_cast<std::size_t>(Pick(4))]
                                                    : mod.name + "-" + std::to_string(f);
            dir_.Write("sources/" + mod.name + "/" + kSourceNames[static_cast<std::size_t>(Pick(8))], bytes);
        }
        for (const std::string& archive : kArchives)
            if (mod.archives.empty() || Pick(2) == 0)
                mod.archives.push_back(archive);
        const std::uint64_t group = NewUndoGroup();
        for (const std::string& archive : mod.archives)
            Update(state_, mod.folder, dir_ / ("gp4/" + archive), mod.name, group);
        mods_.push_back(mod);
    }

    void Change(ModAction action)
    {
        std::vector<std::size_t> candidates;
        for (std::size_t m = 0; m < mods_.size(); ++m)
            if (action == ModAction::Remove || mods_[m].enabled == (action == ModAction::Disable))
                candidates.push_back(m);
        if (candidates.empty())
            return;
        const std::size_t m = candidates[static_cast<std::size_t>(Pick(static_cast<int>(candidates.size())))];
        test::RecordingFrontend ui;
        const ModChangeRequest request{CanonicalArchivePath(dir_ / "gp4"), {mods_[m].name}, action};
        ASSERT_TRUE(ChangeMods(state_, ui, request)) << ::testing::PrintToString(ui.userErrors);
        if (action == ModAction::Remove)
            mods_.erase(mods_.begin() + static_cast<std::ptrdiff_t>(m));
        else
            mods_[m].enabled = action == ModAction::Enable;
    }

    // Undo of one archive: its newest mod goes, from every archive it
    // changed; or the undo is refused and nothing changes.
    void Undo()
    {
        const std::string& archive = kArchives[static_cast<std::size_t>(Pick(2))];
        auto newest = std::find_if(mods_.rbegin(), mods_.rend(), [&](const Mod& mod) {
            return std::find(mod.archives.begin(), mod.archives.end(), archive) != mod.archives.end();
        });
        test::RecordingFrontend ui;
        if (UndoWad(state_, ui, {dir_ / ("gp4/" + archive)}) && newest != mods_.rend())
            mods_.erase(std::next(newest).base());
    }

    // Each archive against the found archive with the enabled mods installed
    // afresh, with no ledger and no undo.
    void Check(const std::string& history)
    {
        for (const std::string& archive : kArchives) {
            const std::string reference =
                dir_.Write("reference/" + archive, test::ContiguousArchive(FoundEntries(archive)));
            RunState fresh;
            fresh.UndoFolder.clear();
            fresh.ModsFolder.clear();
            for (const Mod& mod : mods_)
                if (mod.enabled && std::find(mod.archives.begin(), mod.archives.end(), archive) != mod.archives.end())
                    Update(fresh, mod.folder, reference, mod.name, 0);
            ASSERT_EQ(test::ReadBytes(dir_ / ("gp4/" + archive)), test::ReadBytes(reference))
                << archive << " after " << history;
        }
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

private:
    static void Update(const RunState& state, const std::string& source, const std::string& archive,
                       const std::string& name, std::uint64_t group)
    {
        test::RecordingFrontend ui;
        UpdateRequest request{source, archive};
        request.options.modName = name;
        request.options.undoGroup = group;
        ASSERT_TRUE(UpdateWad(state, ui, request)) << ::testing::PrintToString(ui.userErrors);
    }

    test::TempDir dir_;
    std::mt19937 random_;
    RunState state_;
    std::vector<std::string> contents_;
    std::vector<Mod> mods_;
    int installs_ = 0;
};

// Fewer sequences under Wine, where every file operation costs a hundred
// times more: the Windows build's writes are what it adds to the check.
#ifdef _WIN32
constexpr unsigned kSequences = 10;
#else
constexpr unsigned kSequences = 200;
#endif

TEST(ModsInvariantTest, ArchivesAreTheFoundArchivesWithTheEnabledModsInInstallOrder)
{
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        ModsInvariant run(seed);
        std::string history;
        for (int step = 0; step < 8; ++step) {
            const int action = step < 2 ? 0 : run.Pick(5);
            const char* names[] = {"install", "disable", "enable", "remove", "undo"};
            history += std::string(names[action]) + " ";
            if (action == 0)
                run.Install();
            else if (action == 4)
                run.Undo();
            else
                run.Change(static_cast<ModAction>(action - 1));
            run.Check("seed " + std::to_string(seed) + ": " + history);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}

}  // namespace
}  // namespace mw
