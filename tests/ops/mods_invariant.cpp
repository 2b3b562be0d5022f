#include "tests/ops/mods_invariant.h"

#include <algorithm>
#include <exception>

#include "ops/messages.h"
#include "ops/operations.h"
#include "ops/undo_recorder.h"
#include "ops/undo_store.h"
#include "ops/undo_wad.h"
#include "tests/ops/recording_frontend.h"

namespace mw::test {
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

std::string Joined(const std::vector<std::string>& texts)
{
    std::string joined;
    for (const std::string& text : texts)
        joined += (joined.empty() ? "" : "; ") + text;
    return joined;
}

// What went wrong with an install, empty when it ran to its end.
std::string Update(const RunState& state, const std::string& source, const std::string& archive,
                   const std::string& name, std::uint64_t group)
{
    RecordingFrontend ui;
    UpdateRequest request{source, archive};
    request.options.modName = name;
    request.options.undoGroup = group;
    try {
        if (!UpdateWad(state, ui, request))
            return "install of " + name + " refused: " + Joined(ui.userErrors);
    } catch (const std::exception& error) {
        return "install of " + name + " failed: " + error.what();
    }
    return {};
}

}  // namespace

ModsSequence::ModsSequence(std::function<int(int)> pick, const std::string& folder, std::int64_t cap)
    : dir_(folder), pick_(std::move(pick))
{
    state_.UndoCap = cap;
    for (const std::string& archive : kArchives)
        dir_.Write("gp4/" + archive, ContiguousArchive(FoundEntries(archive)));
    dir_.Write("gp4/GP4.exe", "");
    state_.UndoFolder = dir_ / "undo";
    state_.ModsFolder = dir_ / "mods";
    for (const char* bytes : {"", "one", "two two", "three three three"})
        contents_.emplace_back(bytes);
}

std::string ModsSequence::Install()
{
    Mod mod{"mod" + std::to_string(installs_++), "", {}, true, false};
    mod.folder = dir_.MakeFolder("sources/" + mod.name);
    const int files = pick_(4) + 1;
    for (int f = 0; f < files; ++f) {
        const std::string& bytes = pick_(3) == 0 ? contents_[static_cast<std::size_t>(pick_(4))]
                                                 : mod.name + "-" + std::to_string(f);
        dir_.Write("sources/" + mod.name + "/" + kSourceNames[static_cast<std::size_t>(pick_(8))], bytes);
    }
    for (const std::string& archive : kArchives)
        if (mod.archives.empty() || pick_(2) == 0)
            mod.archives.push_back(archive);
    const std::uint64_t group = NewUndoGroup();
    for (const std::string& archive : mod.archives)
        if (std::string error = Update(state_, mod.folder, dir_ / ("gp4/" + archive), mod.name, group); !error.empty())
            return error;
    mods_.push_back(mod);
    return {};
}

std::string ModsSequence::Change(ModAction action)
{
    std::vector<std::size_t> candidates;
    for (std::size_t m = 0; m < mods_.size(); ++m)
        if (action == ModAction::Remove || mods_[m].enabled == (action == ModAction::Disable))
            candidates.push_back(m);
    if (candidates.empty())
        return {};
    const std::size_t m = candidates[static_cast<std::size_t>(pick_(static_cast<int>(candidates.size())))];
    RecordingFrontend ui;
    const ModChangeRequest request{CanonicalArchivePath(dir_ / "gp4"), {mods_[m].name}, action};
    try {
        if (!ChangeMods(state_, ui, request)) {
            // Only a cap below the default makes mods permanent, oldest first.
            const std::string permanent = kPermanentModPrefix + mods_[m].name;
            if (state_.UndoCap >= kDefaultUndoCap || ui.userErrors != std::vector<std::string>{permanent})
                return "change of " + mods_[m].name + " refused: " + Joined(ui.userErrors);
            for (std::size_t older = 0; older <= m; ++older)
                mods_[older].permanent = true;
            return {};
        }
    } catch (const std::exception& error) {
        return "change of " + mods_[m].name + " failed: " + error.what();
    }
    if (mods_[m].permanent)
        return "change of " + mods_[m].name + " taken though it or a newer mod was permanent";
    if (action == ModAction::Remove)
        mods_.erase(mods_.begin() + static_cast<std::ptrdiff_t>(m));
    else
        mods_[m].enabled = action == ModAction::Enable;
    return {};
}

std::string ModsSequence::Undo()
{
    const std::string& archive = kArchives[static_cast<std::size_t>(pick_(2))];
    const auto newest = std::find_if(mods_.rbegin(), mods_.rend(), [&](const Mod& mod) {
        return std::find(mod.archives.begin(), mod.archives.end(), archive) != mod.archives.end();
    });
    RecordingFrontend ui;
    try {
        if (UndoWad(state_, ui, {dir_ / ("gp4/" + archive)}) && newest != mods_.rend())
            mods_.erase(std::next(newest).base());
    } catch (const std::exception& error) {
        return "undo of " + archive + " failed: " + error.what();
    }
    return {};
}

std::string ModsSequence::Check()
{
    for (const std::string& archive : kArchives) {
        const std::string reference = dir_.Write("reference/" + archive, ContiguousArchive(FoundEntries(archive)));
        RunState fresh;
        fresh.UndoFolder.clear();
        fresh.ModsFolder.clear();
        for (const Mod& mod : mods_)
            if (mod.enabled && std::find(mod.archives.begin(), mod.archives.end(), archive) != mod.archives.end())
                if (std::string error = Update(fresh, mod.folder, reference, mod.name, 0); !error.empty())
                    return "the reference: " + error;
        if (ReadBytes(dir_ / ("gp4/" + archive)) != ReadBytes(reference))
            return archive + " is not the found archive with the enabled mods installed in install order";
    }
    return {};
}

}  // namespace mw::test
