// Undo against a damaged record: real archives of several layouts, each
// updated for real once; then, for each input, the archive as the update
// left it and its record changed by the input's edits. The undo either
// refuses, leaving the archive byte for byte and to the nanosecond as it
// was, or gives back exactly the archive as it was before the update.
// Records written before checksums were kept (taken by the store on their
// structure alone) are damaged the same way; an undo from one of those may
// give back other bytes, but only an archive every reader takes.
// The input: the layout, the record's form, then edits until it ends.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/file.h"
#include "core/file_stamp.h"
#include "core/wad.h"
#include "fuzz/fuzz_folder.h"
#include "fuzz/fuzz_failure.h"
#include "fuzz/input_bytes.h"
#include "fuzz/record_forms.h"
#include "ops/operations.h"
#include "ops/undo_wad.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace {

using mw::fuzz::Fail;

namespace fs = std::filesystem;
using mw::test::RawEntry;

// An archive of entries (name, offset, size) over the bytes behind its
// directory, payloads anywhere in them.
std::string Archive(const std::vector<RawEntry>& entries, const std::string& behind)
{
    return mw::test::DirectoryBytes(entries) + behind;
}

constexpr std::int32_t At(int entries, int offset)
{
    return 4 + 136 * entries + offset;
}

struct Layout {
    std::string archive;
    std::vector<std::pair<std::string, std::string>> sources;
};

const std::vector<Layout> kLayouts = {
    // A replaced entry that shrinks, one that stays.
    {mw::test::ContiguousArchive({{"a.bin", "old bytes of a"}, {"b.bin", "bytes"}}), {{"a.bin", "new"}}},
    // One that grows, and an appended one.
    {mw::test::ContiguousArchive({{"cars\\a.tex", "a"}, {"b.bin", "bytes"}, {"e.bin", ""}}),
     {{"b.bin", "longer bytes of b"}, {"n.bin", "appended"}}},
    // Gaps between payloads, in another order, bytes behind the last.
    {Archive({{"x\\a.bin", At(2, 20), 6}, {"y\\b.bin", At(2, 3), 7}}, "gap" + std::string("bbbbbbb") + "-gap-gap-g" +
                                                                          "aaaaaa" + "trailing"),
     {{"b.bin", "B"}}},
    // Two entries over the same bytes, one of them replaced.
    {Archive({{"a.bin", At(2, 0), 5}, {"c.bin", At(2, 0), 5}}, "sharedtail"), {{"c.bin", "own bytes of c"}}},
    // An empty archive, two entries appended.
    {mw::test::ContiguousArchive({}), {{"one.bin", "1"}, {"two.bin", "22"}}},
};

// A layout updated for real: the archive as it was and as the update left
// it, with the record the update kept.
struct Updated {
    std::string archive;
    std::string before;
    std::string after;
    mw::FileStamp afterStamp;
    fs::path record;
    std::string recordBytes;
};

struct World {
    mw::fuzz::FuzzFolder folder{"undo-damaged"};
    mw::RunState state;
    std::vector<Updated> updated;

    World()
    {
        state.UndoFolder = (folder / "undo").string();
        state.ModsFolder.clear();
        for (std::size_t l = 0; l < kLayouts.size(); ++l) {
            const fs::path place = folder / ("layout" + std::to_string(l));
            fs::create_directories(place / "src");
            Updated one;
            one.archive = (place / "x.wad").string();
            one.before = kLayouts[l].archive;
            mw::fuzz::PutFile(one.archive, one.before);
            for (const auto& [name, bytes] : kLayouts[l].sources)
                mw::fuzz::PutFile(place / "src" / name, bytes);
            mw::test::RecordingFrontend ui;
            if (!mw::UpdateWad(state, ui, {(place / "src").string(), one.archive}))
                std::abort();
            one.after = mw::fuzz::FileBytes(one.archive);
            one.afterStamp = mw::StampOf(mw::File(one.archive, mw::OpenMode::ReadOnly));
            const mw::UndoStore store(state.UndoFolder, state.UndoCap);
            one.record = store.RecordsOf(mw::CanonicalArchivePath(one.archive)).at(0).path;
            one.recordBytes = mw::fuzz::FileBytes(one.record);
            updated.push_back(std::move(one));
        }
    }
};

void Damage(mw::fuzz::InputBytes& in, std::string& record)
{
    while (!in.AtEnd()) {
        const int edit = in.Below(4);
        const std::size_t at = (std::size_t{in.Byte()} | std::size_t{in.Byte()} << 8) % (record.size() + 1);
        switch (edit) {
        case 0:
            if (at < record.size())
                record[at] = static_cast<char>(in.Byte());
            break;
        case 1: record.resize(at); break;
        case 2: record.insert(at, in.Text()); break;
        default: {
            const std::uint64_t word = in.Word();
            record.replace(at, 8, reinterpret_cast<const char*>(&word), 8);
            break;
        }
        }
    }
}

std::vector<std::string> NamesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const World world;
    mw::fuzz::InputBytes in(data, size);
    const Updated& one = world.updated[static_cast<std::size_t>(in.Below(static_cast<int>(world.updated.size())))];
    const bool checked = in.Below(2) == 0;
    const std::string sound = checked ? one.recordBytes : mw::fuzz::WithoutChecksums(one.recordBytes);
    std::string record = sound;
    Damage(in, record);

    mw::fuzz::PutFile(one.record, record);
    mw::fuzz::PutFile(one.archive, one.after);
    {
        mw::File archive(one.archive, mw::OpenMode::Reading);
        mw::SetModifiedTime(archive, one.afterStamp);
    }
    const std::vector<std::string> names = NamesIn(fs::path(one.archive).parent_path());

    mw::test::RecordingFrontend ui;
    bool undone = false;
    try {
        undone = mw::UndoWad(world.state, ui, {one.archive});
    } catch (const mw::AppError&) {
    }
    const std::string now = mw::fuzz::FileBytes(one.archive);
    if (!undone) {
        if (now != one.after)
            Fail("a refused undo changed the archive");
        if (!(mw::StampOf(mw::File(one.archive, mw::OpenMode::ReadOnly)) == one.afterStamp))
            Fail("a refused undo changed the archive's time");
        if (NamesIn(fs::path(one.archive).parent_path()) != names)
            Fail("a refused undo left a file beside the archive");
        return 0;
    }
    if (checked || record == sound) {
        if (now != one.before)
            Fail("an undo gave back other bytes than the archive before the update");
        return 0;
    }
    mw::WadImage image;
    try {
        mw::LoadWad(one.archive, image);
    } catch (const mw::AppError& error) {
        std::fprintf(stderr, "an undo gave back an archive that does not load: %s\n", error.what());
        std::abort();
    }
    return 0;
}
