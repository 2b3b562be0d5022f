#include "ops/undo_recorder.h"

#include <charconv>
#include <chrono>
#include <filesystem>
#include <random>

#include "core/elapsed_time.h"
#include "core/file_stamp.h"
#include "core/path_text.h"
#include "ops/undo_checksum.h"
#include "ops/undo_pieces.h"
#include "ops/undo_store.h"

namespace mw {
namespace {

constexpr const char* kUndoGroupValue = "UndoGroup";

}  // namespace

UndoRecorder::UndoRecorder(const RunState& state, const ArchiveLock& lock, const WadImage& image,
                           std::uint64_t group, const std::string& source, bool on)
    : UndoRecorder(state, lock, &image, group, source, on)
{
}

UndoRecorder::UndoRecorder(const RunState& state, const ArchiveLock& lock, std::int32_t writtenCount,
                           const std::string& source)
    : UndoRecorder(state, lock, nullptr, 0, source, true)
{
    writtenCount_ = writtenCount;
    summary_.origin = UndoOrigin::Create;
}

UndoRecorder::UndoRecorder(const RunState& state, const ArchiveLock& lock, const WadImage* image,
                           std::uint64_t group, const std::string& source, bool on)
    : state_(state), lock_(lock), image_(image), on_(on && !state.UndoFolder.empty())
{
    if (!on_)
        return;
    summary_.time = NanosecondsSince1970();
    summary_.group = group;
    summary_.archive = CanonicalArchivePath(lock.fileName());
    summary_.source = AbsolutePath(source);
    before_ = StampOf(*lock.archive());
    if (image)
        loaded_ = image->Entries;
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

std::optional<UndoPlan> UndoRecorder::Plan(File& written)
{
    const UndoStore store(state_.UndoFolder, state_.UndoCap);
    if (!image_) {
        const std::optional<std::uint64_t> kept = store.KeepWhole(record_, *lock_.archive());
        if (!kept)
            return std::nullopt;
        return KeptArchivePlan(before_, *kept, written, writtenCount_);
    }
    const std::int32_t count = image_->EntryCount;
    UndoPlan plan;
    plan.before = before_;
    plan.after = StampOf(written);
    plan.afterCount = count;
    plan.pieces = PlanUndoPieces(*image_, count, *lock_.archive(),
                                 DirectoryEnd(static_cast<std::int64_t>(loaded_.size())), before_.size);
    plan.afterChecksum = UndoChecksum(written, count, plan.pieces);
    plan.directory = std::move(loaded_);
    return plan;
}

void UndoRecorder::Complete(File& written)
{
    const UndoStore store(state_.UndoFolder, state_.UndoCap);
    record_ = store.NewRecord(summary_.archive, summary_.time, summary_.group);
    // From here on a failure removes what was kept.
    written_ = true;
    const std::optional<UndoPlan> plan = Plan(written);
    if (!plan) {
        written_ = false;
        return;
    }
    const std::span<const WadEntry> after =
        image_ ? std::span(image_->Entries).first(static_cast<std::size_t>(plan->afterCount)) : std::span<const WadEntry>();
    store.Write(record_, [&](File& out) { WriteUndoRecord(out, summary_, *plan, after, *lock_.archive()); });
}

void UndoRecorder::Keep(std::int64_t otherBytes) noexcept
{
    kept_ = true;
    if (!written_)
        return;
    try {
        UndoStore(state_.UndoFolder, state_.UndoCap).Trim(record_.path, summary_.group, otherBytes);
    } catch (...) {
        // The store is only tidied: records over the cap wait for the next update.
    }
}

std::uint64_t NewUndoGroup()
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uint64_t group = 0;
    while (group == 0)
        group = generator();
    return group;
}

std::uint64_t PackageUndoGroup(SettingsStore& settings, PackageStep step)
{
    if (step == PackageStep::Single)
        return 0;
    if (step == PackageStep::Start) {
        const std::uint64_t group = NewUndoGroup();
        settings.WriteSetting(kUndoGroupValue, std::to_string(group));
        return group;
    }
    const std::string stored = settings.ReadSetting(kUndoGroupValue, "");
    std::uint64_t group = 0;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), group);
    if (error != std::errc() || end != stored.data() + stored.size())
        group = 0;
    if (step == PackageStep::End)
        settings.WriteSetting(kUndoGroupValue, "");
    return group;
}

}  // namespace mw
