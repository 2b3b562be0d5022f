// The undo store's folder as another program or a sync tool may leave it:
// names that are or are not the store's (record names with any time and
// group, partial records, anything), of any kind (files of any bytes, real
// records, folders, links, pipes), in an archive's folder or elsewhere in
// the store, and any cap. The history is read, then the archive updated:
// the update runs to its end, or fails naming a file of the store with the
// archive as it was; after it the undo gives back the archive as it was
// before. Nothing that is not the store's is removed, nothing outside the
// store changes.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "core/errors.h"
#include "fuzz/fuzz_folder.h"
#include "fuzz/fuzz_failure.h"
#include "fuzz/input_bytes.h"
#include "ops/operations.h"
#include "ops/undo_store.h"
#include "ops/undo_wad.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace {

using mw::fuzz::Fail;

namespace fs = std::filesystem;
using mw::fuzz::Planted;

const std::string kArchiveBytes = mw::test::ContiguousArchive({{"a.bin", "old bytes of a"}, {"b.bin", "bytes"}});

struct World {
    mw::fuzz::FuzzFolder folder{"undo-store"};
    std::string archive;
    std::string source;
    fs::path undo;
    fs::path archiveFolder;  // the archive's folder in the store
    std::string record;      // a record of an update of the archive
    fs::path outside;

    World()
    {
        archive = (folder / "x.wad").string();
        fs::create_directories(folder / "src");
        mw::fuzz::PutFile(folder / "src/a.bin", "new");
        source = (folder / "src").string();
        undo = folder / "undo";
        outside = folder / "outside";
        mw::fuzz::PutFile(archive, kArchiveBytes);
        mw::test::RecordingFrontend ui;
        if (!mw::UpdateWad(State(mw::kDefaultUndoCap), ui, {source, archive}))
            std::abort();
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(undo))
            if (entry.is_regular_file()) {
                archiveFolder = entry.path().parent_path();
                record = mw::fuzz::FileBytes(entry.path());
            }
    }

    mw::RunState State(std::int64_t cap) const
    {
        mw::RunState state;
        state.UndoFolder = undo.string();
        state.ModsFolder.clear();
        state.UndoCap = cap;
        return state;
    }

    void Reset() const
    {
        fs::remove_all(undo);
        fs::remove_all(outside);
        fs::create_directories(archiveFolder);
        fs::create_directories(outside / "folder");
        mw::fuzz::PutFile(outside / "victim", "victim");
        mw::fuzz::PutFile(archive, kArchiveBytes);
    }

    fs::path Target(Planted kind) const { return kind == Planted::LinkToFolder ? outside / "folder" : outside / "victim"; }
};

std::string RecordName(std::uint64_t time, std::uint64_t group)
{
    char name[80];
    std::snprintf(name, sizeof name, "%020" PRIu64 "-%016" PRIx64 ".undo", time, group);
    return name;
}

// A time: about now, the largest a name may carry, past it, or any.
std::uint64_t TimeOf(mw::fuzz::InputBytes& in)
{
    switch (in.Below(4)) {
    case 0: return 1'700'000'000'000'000'000ull + in.Word() % 1'000'000'000'000'000'000ull;
    case 1: return static_cast<std::uint64_t>(INT64_MAX) - in.Byte();
    case 2: return static_cast<std::uint64_t>(INT64_MAX) + in.Byte();
    default: return in.Word();
    }
}

std::string NameOf(mw::fuzz::InputBytes& in)
{
    const int how = in.Below(4);
    if (how < 2) {
        const std::uint64_t time = TimeOf(in);
        return RecordName(time, in.Below(2) == 0 ? 0 : in.Word()) + (how == 1 ? ".partial" : "");
    }
    std::string text = in.Text();
    for (char& c : text)
        if (c == '/' || c == '\0')
            c = '_';
    return text;
}

struct Plan {
    std::int64_t cap = mw::kDefaultUndoCap;
    std::vector<fs::path> odd;  // what is not the store's, which it must leave
};

// A name the store may remove: a record's or a partial record's, in an
// archive's folder.
bool IsStoreName(const fs::path& at, const World& world)
{
    const std::string name = at.filename().string();
    return at.parent_path().parent_path() == world.undo &&
           ((name.size() == 42 && name.ends_with(".undo")) || (name.size() == 50 && name.ends_with(".undo.partial")));
}

Plan PlantStore(mw::fuzz::InputBytes& in, const World& world)
{
    Plan plan;
    const int cap = in.Byte();
    plan.cap = cap < 128 ? mw::kDefaultUndoCap : (cap - 128) * 64;
    while (!in.AtEnd()) {
        fs::path folder;
        switch (in.Below(4)) {
        case 0: folder = world.undo; break;
        case 1: folder = world.undo / "0123456789abcdef"; break;
        default: folder = world.archiveFolder; break;
        }
        fs::create_directories(folder);
        const auto kind = static_cast<Planted>(in.Below(static_cast<int>(Planted::Count)));
        const std::string name = NameOf(in);
        const std::string bytes = in.Below(2) == 0 ? world.record.substr(0, world.record.size() - in.Byte()) : in.Text();
        if (name.empty() || name == "." || name == ".." || !mw::fuzz::Plant(folder / name, kind, bytes, world.Target(kind)))
            continue;
        if (!IsStoreName(folder / name, world))
            plan.odd.push_back(folder / name);
    }
    return plan;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const World world;
    world.Reset();
    mw::fuzz::InputBytes in(data, size);
    const Plan plan = PlantStore(in, world);
    const auto outsideBefore = mw::fuzz::TreeOf(world.outside);
    const mw::RunState state = world.State(plan.cap);

    try {
        mw::UndoHistory(state, world.archive);
        mw::HasUndoableUpdate(state, world.archive);
    } catch (const mw::AppError&) {
    }

    mw::test::RecordingFrontend ui;
    bool updated = false;
    try {
        updated = mw::UpdateWad(state, ui, {world.source, world.archive});
        if (!updated)
            Fail("the update was refused");
    } catch (const mw::AppError& error) {
        const std::string store = world.undo.string() + "/";
        if (std::string(error.what()).find(store) == std::string::npos && !error.path().starts_with(store)) {
            std::fprintf(stderr, "failed as: %s (%s)\n", error.what(), error.path().c_str());
            std::abort();
        }
        if (mw::fuzz::FileBytes(world.archive) != kArchiveBytes)
            Fail("a failed update changed the archive");
    }
    if (updated) {
        mw::test::RecordingFrontend undoUi;
        if (!mw::UndoWad(state, undoUi, {world.archive}))
            Fail("the update just made was not undone");
        if (mw::fuzz::FileBytes(world.archive) != kArchiveBytes)
            Fail("the undo did not give the archive back as it was");
    }
    for (const fs::path& odd : plan.odd) {
        std::error_code error;
        if (!fs::exists(fs::symlink_status(odd, error))) {
            std::fprintf(stderr, "removed what is not the store's: %s\n", odd.c_str());
            std::abort();
        }
    }
    if (mw::fuzz::TreeOf(world.outside) != outsideBefore)
        Fail("something outside the store changed");
    return 0;
}
