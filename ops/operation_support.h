// Pieces that several operations share: the source list, source files read
// whole, names relative to the source, status texts and the size limits of
// the archive format.
#pragma once

#include <cstdint>
#include <string>

#include "core/archive_lock.h"
#include "core/byte_progress.h"
#include "core/payload.h"
#include "ops/frontend.h"
#include "ops/messages.h"
#include "ops/operation_cancelled.h"
#include "ops/run_state.h"
#include "ops/user_refusal.h"

namespace mw {

// The source and archive fields' texts as paths: on Windows "/" is read as
// "\", as in every typed path, so that file names split where they should.
std::string SourceFieldPath(Frontend& frontend);
std::string ArchiveFieldPath(Frontend& frontend);

// Whether a source text names a folder: what is on disk where the path
// exists, else the extension rule (IsFolderPath).
bool IsSourceFolder(const std::string& sourceText);

// Builds SourceList from the source text: every file below a folder, or the
// one file a file path names. Returns false (after showing message 65289)
// when the text is a file path and no file is there, or after naming it
// when what is there is not a regular file.
bool BuildSourceList(RunState& state, Frontend& frontend, const std::string& sourceText);

// The path of a listed file below the source text, as the lister built it:
// without the source text and the separator put after it.
std::string RelativeToSource(const std::string& path, const std::string& sourceText);

// A source file as a payload: measured now, its bytes copied when the
// archive is written (a file that cannot be read fails then). A file of 2 GiB or more is refused as
// too large for an archive.
Payload ReadSourceFile(const std::string& path);

// Refuses an entry name that does not fit its 128-byte field.
void CheckEntryNameFits(const std::string& name);

// Refuses a payload end that a signed 32-bit Offset cannot describe.
void CheckArchiveEnd(std::int64_t end, const std::string& path);

// How an update, an undo or an edit takes its archive's lock: waiting for
// another program that holds it, told in the status after a while and
// stopped by the user's cancel, or failing at once.
ArchiveLock::Waiting LockWaitingOf(const RunState& state, Frontend& frontend, const std::string& archive);

// The installation folder, looked up afresh; empty when there is none.
std::string InstallationFolder(RunState& state);

// The final status: the ended phase with the seconds since StartTime.
void ShowElapsed(RunState& state, Frontend& frontend, ProgressPhase ended);

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
