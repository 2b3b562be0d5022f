#include "ops/extraction_lanes.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <limits>
#include <map>
#include <mutex>
#include <numeric>
#include <string>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "core/byte_progress.h"
#include "core/entry_text.h"
#include "core/path_helpers.h"
#include "core/usable_cores.h"
#include "ops/messages.h"
#include "ops/operation_cancelled.h"

namespace mw {
namespace {

// Below this many entries one thread writes them all.
constexpr std::size_t kEntriesPerExtraLane = 256;
constexpr std::size_t kMostLanes = 4;
// What creating and closing one file costs, in bytes copied in that time.
constexpr std::int64_t kFileCostInBytes = 16 * 1024;

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// The folder that an entry's file lies in, spelt one way: either separator
// and runs of them are one level break, as the output tree reads them, and
// the platform's separator stands between levels.
std::string FolderOf(std::string_view name)
{
    std::size_t end = name.size();
    while (end > 0 && !IsSeparator(name[end - 1]))
        --end;
    std::string folder;
    folder.reserve(end);
    for (std::size_t i = 0; i < end; ++i) {
        const bool separator = IsSeparator(name[i]);
        if (!separator)
            folder += name[i];
        else if (!folder.empty() && folder.back() != kNativeSeparator)
            folder += kNativeSeparator;
    }
    return folder;
}

// A copy's bytes added to what every lane has moved; the lane on the
// calling thread also shows them.
class LaneBytes final : public ByteProgress {
public:
    LaneBytes(std::atomic<std::int64_t>& moved, std::function<void()> show = {})
        : moved_(moved), show_(std::move(show)) {}
    void Moved(std::int64_t bytes) override
    {
        moved_.fetch_add(bytes, std::memory_order_relaxed);
        if (show_)
            show_();
    }

private:
    std::atomic<std::int64_t>& moved_;
    std::function<void()> show_;
};

// The entries written by several lanes at once. Only the calling thread
// reaches the frontend: it reports the entries in archive order as the
// lanes finish them. After a failure no lane starts an entry past the one
// that failed, so every entry before it is still written, as when one
// thread writes them in turn, and the failure of the first entry that
// failed is raised once every lane has stopped.
class EntryLanes {
public:
    EntryLanes(const std::vector<WadEntry>& entries, File& archive, OutputTree& output, Frontend& frontend)
        : entries_(entries), frontend_(frontend), archive_(archive), archiveLength_(archive.Length()),
          output_(output), written_(entries.size()), total_(PayloadTotal(entries))
    {
    }

    void WriteAll(std::size_t laneCount)
    {
        const auto lanes = SplitIntoLanes(entries_, laneCount, [this](const std::string& folder) {
            return output_.FolderIdentity(folder);
        });
        if (lanes.empty())
            return;
        {
            std::vector<std::jthread> helpers;
            // Declared after the helpers, so that it stops them before they are joined.
            const StopOnLeave stop{*this};
            // Lanes that get no thread of their own (none can start) run here.
            std::vector<const std::vector<std::int32_t>*> ownLanes{&lanes[0]};
            for (std::size_t i = 1; i < lanes.size(); ++i) {
                try {
                    StartHelper(helpers, lanes[i]);
                } catch (const std::system_error&) {
                    ownLanes.push_back(&lanes[i]);
                }
            }
            LaneBytes bytes(moved_, [this] { ShowBytes(); });
            for (const auto* lane : ownLanes)
                RunLane(*lane, output_, bytes, true);
            std::unique_lock lock(mutex_);
            while (running_ > 0) {
                lock.unlock();
                Report();
                lock.lock();
                laneEnded_.wait_for(lock, std::chrono::milliseconds(50), [this] { return running_ == 0; });
            }
        }
        Report();
        if (failure_) {
            // Entries of other lanes past the failed one may be written too.
            std::size_t writtenPast = 0;
            for (std::size_t i = reported_; i < entries_.size(); ++i)
                if (written_[i].load(std::memory_order_acquire)) {
                    FileDone(i);
                    ++writtenPast;
                }
            try {
                std::rethrow_exception(failure_);
            } catch (const OperationCancelled&) {
                throw OperationCancelled(reported_ + writtenPast);
            }
        }
    }

private:
    struct StopOnLeave {
        EntryLanes& lanes;
        ~StopOnLeave() { lanes.stopPast_.store(-1); }
    };

    void StartHelper(std::vector<std::jthread>& helpers, const std::vector<std::int32_t>& lane)
    {
        OutputTree output = output_.Branch();
        {
            const std::lock_guard lock(mutex_);
            ++running_;
        }
        try {
            helpers.emplace_back([this, &lane, output = std::move(output)]() mutable {
                LaneBytes bytes(moved_);
                RunLane(lane, output, bytes);
                const std::lock_guard lock(mutex_);
                --running_;
                laneEnded_.notify_one();
            });
        } catch (...) {
            const std::lock_guard lock(mutex_);
            --running_;
            throw;
        }
    }

    void RunLane(const std::vector<std::int32_t>& lane, OutputTree& output, ByteProgress& bytes, bool reports = false)
    {
        for (const std::int32_t index : lane) {
            if (index > stopPast_.load(std::memory_order_relaxed))
                return;
            try {
                if (reports) {
                    Report();
                    // Between entries only: every file written is whole.
                    StopIfCancelled(frontend_);
                }
                WriteEntry(index, output, bytes);
            } catch (...) {
                Fail(index, std::current_exception());
                return;
            }
            written_[static_cast<std::size_t>(index)].store(true, std::memory_order_release);
        }
    }

    // The entry's bytes go from the archive to its file in the kernel;
    // they are checked first, as reading them would be.
    void WriteEntry(std::int32_t index, OutputTree& output, ByteProgress& bytes)
    {
        const WadEntry& entry = entries_[static_cast<std::size_t>(index)];
        CheckWadPayload(entry, index, archiveLength_, archive_.Name());
        File file = output.Create(OutputPath(entry));
        if (entry.Size > 0)
            file.CopyFrom(archive_, entry.Offset, 0, entry.Size, &bytes);
        file.Close();
    }

    void Fail(std::int32_t index, std::exception_ptr failure)
    {
        const std::lock_guard lock(mutex_);
        if (failure_ && failedIndex_ < index)
            return;
        failure_ = std::move(failure);
        failedIndex_ = index;
        stopPast_.store(std::min(stopPast_.load(), index));
    }

    // Lists the entries written since the last report, in archive order up
    // to the first not yet written, and shows the progress of the one after.
    void Report()
    {
        const std::size_t count = entries_.size();
        const std::size_t before = reported_;
        while (reported_ < count && written_[reported_].load(std::memory_order_acquire))
            FileDone(reported_++);
        if ((reported_ != before || !started_) && reported_ < count) {
            started_ = true;
            const int percent = static_cast<int>(static_cast<std::int64_t>(reported_) * 100 / static_cast<std::int64_t>(count));
            frontend_.ShowProgress({ProgressPhase::Extracting, {}, percent});
        }
        ShowBytes();
    }

    void FileDone(std::size_t index)
    {
        const WadEntry& entry = entries_[index];
        frontend_.FileDone(Frontend::FileAction::Extract, EntryName(entry), output_.PathOf(OutputPath(entry)), {});
    }

    // Shown when more are moved: a terminal ends its byte line at the total.
    void ShowBytes()
    {
        const std::int64_t moved = moved_.load(std::memory_order_relaxed);
        if (moved == shownBytes_)
            return;
        shownBytes_ = moved;
        frontend_.ShowBytes(moved, total_);
    }

    const std::vector<WadEntry>& entries_;
    Frontend& frontend_;
    File& archive_;
    const std::int64_t archiveLength_;
    OutputTree& output_;  // the calling thread's
    std::vector<std::atomic<bool>> written_;
    const std::int64_t total_;
    std::atomic<std::int64_t> moved_{0};
    std::atomic<std::int32_t> stopPast_{std::numeric_limits<std::int32_t>::max()};
    std::mutex mutex_;
    std::condition_variable laneEnded_;
    std::size_t running_ = 0;
    std::exception_ptr failure_;
    std::int32_t failedIndex_ = 0;
    std::int64_t shownBytes_ = 0;
    std::size_t reported_ = 0;  // entries listed so far, all before the first not written
    bool started_ = false;
};

}  // namespace

std::string OutputPath(const WadEntry& entry)
{
    // "/" separates levels too, as the name check reads it.
    return NativePath(ToNativeSeparators(ShownEntryName(EntryName(entry))));
}

std::size_t ExtractionLaneCount(std::size_t entryCount)
{
    return std::clamp(entryCount / kEntriesPerExtraLane, std::size_t{1}, std::min(UsableCores(), kMostLanes));
}

std::vector<std::vector<std::int32_t>> SplitIntoLanes(const std::vector<WadEntry>& entries, std::size_t laneCount,
                                                      const FolderIdentityOf& identityOf)
{
    // Each spelling is looked up once; one lane needs no identities.
    const bool byIdentity = identityOf && laneCount > 1;
    std::unordered_map<std::string, std::size_t> folderIndex;
    std::map<FileIdentity, std::size_t> identityIndex;
    std::vector<std::int64_t> folderWork;
    std::vector<std::size_t> folderOfEntry(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto [at, added] = folderIndex.try_emplace(FolderOf(ShownEntryName(EntryName(entries[i]))),
                                                         folderWork.size());
        if (added) {
            const std::optional<FileIdentity> identity = byIdentity ? identityOf(at->first) : std::nullopt;
            if (identity)
                at->second = identityIndex.try_emplace(*identity, folderWork.size()).first->second;
            if (at->second == folderWork.size())
                folderWork.push_back(0);
        }
        folderOfEntry[i] = at->second;
        folderWork[at->second] += std::max(entries[i].Size, 0) + kFileCostInBytes;
    }

    std::vector<std::size_t> byWork(folderWork.size());
    std::iota(byWork.begin(), byWork.end(), std::size_t{0});
    std::stable_sort(byWork.begin(), byWork.end(),
                     [&](std::size_t a, std::size_t b) { return folderWork[a] > folderWork[b]; });
    std::vector<std::int64_t> laneWork(std::max(laneCount, std::size_t{1}), 0);
    std::vector<std::size_t> laneOfFolder(folderWork.size());
    for (const std::size_t folder : byWork) {
        const auto lightest = static_cast<std::size_t>(
            std::min_element(laneWork.begin(), laneWork.end()) - laneWork.begin());
        laneOfFolder[folder] = lightest;
        laneWork[lightest] += folderWork[folder];
    }

    std::vector<std::vector<std::int32_t>> lanes(laneWork.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        lanes[laneOfFolder[folderOfEntry[i]]].push_back(static_cast<std::int32_t>(i));
    std::erase_if(lanes, [](const std::vector<std::int32_t>& lane) { return lane.empty(); });
    return lanes;
}

void WriteEntries(const std::vector<WadEntry>& entries, File& archive, OutputTree& output, Frontend& frontend,
                  std::size_t laneCount)
{
    EntryLanes(entries, archive, output, frontend).WriteAll(laneCount);
}

}  // namespace mw
