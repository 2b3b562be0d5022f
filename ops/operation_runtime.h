// What every operation does as it runs: its lock taken with the user told
// of a wait, its bytes shown, its refusals shown, the archive it loaded let
// go, its end shown with the time it took.
#pragma once

#include <cstdint>
#include <string>

#include "core/archive_lock.h"
#include "core/byte_progress.h"
#include "core/wad.h"
#include "ops/frontend.h"
#include "ops/operation_cancelled.h"
#include "ops/run_state.h"
#include "ops/user_refusal.h"

namespace mw {

// How an update, an undo or an edit takes its archive's lock: waiting for
// another program that holds it, told in the status after a while and
// stopped by the user's cancel, or failing at once.
ArchiveLock::Waiting LockWaitingOf(const RunState& state, Frontend& frontend, const std::string& archive);

// The installation folder, looked up afresh; empty when there is none.
std::string InstallationFolder(const RunState& state);

// The final status: the ended phase with the seconds since startTime, a
// time of day (TimeOfDayNow); for an undo, how many wads it gave back.
void ShowElapsed(const RunState& state, Frontend& frontend, ProgressPhase ended, double startTime,
                 std::size_t wadsGivenBack = 0);

// The bytes that the copies of one operation report, added up and shown
// through the frontend against the operation's total.
class OperationBytes final : public ByteProgress {
public:
    OperationBytes(Frontend& frontend, std::int64_t total) : frontend_(frontend), total_(total) {}
    void Moved(std::int64_t bytes) override
    {
        done_ += bytes;
        frontend_.ShowBytes(done_, total_);
        StopIfCancelled(frontend_);
    }

private:
    Frontend& frontend_;
    std::int64_t total_;
    std::int64_t done_ = 0;
};

// Runs an operation body; a UserRefusal it raises goes to the user-error box.
template <typename Body>
void RunRefusable(Frontend& frontend, Body&& body)
{
    try {
        body();
    } catch (const UserRefusal& refusal) {
        frontend.ShowRefusal(refusal.refusal());
    }
}

// The loaded archive stays open through its payloads until they are let go,
// however the change ends, so that the space of a replaced archive is freed.
class ArchiveRelease {
public:
    explicit ArchiveRelease(WadImage& image) : image_(image) {}
    ~ArchiveRelease() { image_.Payloads.clear(); }
    ArchiveRelease(const ArchiveRelease&) = delete;
    ArchiveRelease& operator=(const ArchiveRelease&) = delete;

private:
    WadImage& image_;
};

}  // namespace mw
