#include "ops/undo_recorder.h"

#include <charconv>
#include <chrono>
#include <filesystem>
#include <random>

#include "core/elapsed_time.h"
#include "core/file_stamp.h"
#include "core/path_text.h"
#include "ops/operation_support.h"
#include "ops/undo_checksum.h"
#include "ops/undo_pieces.h"
#include "ops/undo_store.h"

namespace mw {
namespace {

constexpr const char* kUndoGroupValue = "UndoGroup";

}  // namespace

UndoRecorder::UndoRecorder(RunState& state, Frontend& frontend, const ArchiveLock& lock, bool on)
    : state_(state), lock_(lock), on_(on && !state.UndoFolder.empty())
{
    if (!on_)
        return;
    summary_.time = NanosecondsSince1970();
    summary_.group = state.UndoGroup;
    summary_.archive = CanonicalArchivePath(lock.fileName());
    summary_.source = AbsolutePath(SourceFieldPath(frontend));
    before_ = StampOf(*lock.archive());
    loaded_ = state.Image.Entries;
}

UndoRecorder::~UndoRecorder()
{
    if (written_ && !kept_)
        UndoStore(state_.UndoFolder, state_.UndoCap).Remove(record_);
}

void UndoRecorder::Replaced(std::string_view entry)
{
    if (on_)
        summary_.replaced.emplace_back(entry);
}

void UndoRecorder::Appended(std::string_view entry)
{
    if (on_)
        summary_.appended.emplace_back(entry);
}

void UndoRecorder::Complete(File& written)
{
    const WadImage& image = state_.Image;
    const std::int32_t count = image.EntryCount;
    UndoPlan plan;
    plan.before = before_;
    plan.after = StampOf(written);
    plan.afterCount = count;
    plan.pieces = PlanUndoPieces(image, count, *lock_.archive(),
                                 DirectoryEnd(static_cast<std::int64_t>(loaded_.size())), before_.size);
    plan.afterChecksum = UndoChecksum(written, count, plan.pieces);
    plan.directory = std::move(loaded_);

    const UndoStore store(state_.UndoFolder, state_.UndoCap);
    record_ = store.NewRecord(summary_.archive, summary_.time, summary_.group);
    store.Write(record_, [&](File& out) {
        WriteUndoRecord(out, summary_, plan, std::span(image.Entries).first(static_cast<std::size_t>(count)),
                        *lock_.archive());
    });
    written_ = true;
}

void UndoRecorder::Keep() noexcept
{
    kept_ = true;
    if (!written_)
        return;
    try {
        UndoStore(state_.UndoFolder, state_.UndoCap).Trim(record_.path, summary_.group);
    } catch (...) {
        // The store is only tidied: records over the cap wait for the next update.
    }
}

UndoGroupScope::UndoGroupScope(RunState& state, bool needed) : state_(state)
{
    if (needed && state.UndoGroup == 0) {
        state.UndoGroup = NewUndoGroup();
        made_ = true;
    }
}

UndoGroupScope::~UndoGroupScope()
{
    if (made_)
        state_.UndoGroup = 0;
}

std::uint64_t NewUndoGroup()
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uint64_t group = 0;
    while (group == 0)
        group = generator();
    return group;
}

void JoinPackageUndoGroup(RunState& state, PackageStep step)
{
    if (step == PackageStep::Single) {
        state.UndoGroup = 0;
        return;
    }
    if (step == PackageStep::Start) {
        state.UndoGroup = NewUndoGroup();
        state.Settings->WriteSetting(kUndoGroupValue, std::to_string(state.UndoGroup));
        return;
    }
    const std::string stored = state.Settings->ReadSetting(kUndoGroupValue, "");
    std::uint64_t group = 0;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), group);
    state.UndoGroup = error == std::errc() && end == stored.data() + stored.size() ? group : 0;
    if (step == PackageStep::End)
        state.Settings->WriteSetting(kUndoGroupValue, "");
}

}  // namespace mw
