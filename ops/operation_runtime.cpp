#include "ops/operation_runtime.h"

#include "core/elapsed_time.h"
#include "core/path_helpers.h"

namespace mw {

ArchiveLock::Waiting LockWaitingOf(const RunState& state, Frontend& frontend, const std::string& archive)
{
    ArchiveLock::Waiting waiting;
    waiting.wait = state.WaitForOtherUpdates ? ArchiveLock::Wait::ForOtherUpdates : ArchiveLock::Wait::No;
    waiting.noticeAfter = state.LockNoticeAfter;
    waiting.notice = [&frontend, name = FileNamePart(archive)] {
        frontend.ShowProgress({ProgressPhase::WaitingForArchive, name});
    };
    waiting.betweenTries = [&frontend] { StopIfCancelled(frontend); };
    return waiting;
}

std::string InstallationFolder(const RunState& state)
{
    std::string folder;
    if (state.Installation)
        state.Installation->FindInstallationFolder(folder);
    return folder;
}

void ShowElapsed(const RunState& state, Frontend& frontend, ProgressPhase ended, double startTime,
                 std::size_t wadsGivenBack)
{
    Progress progress(ended, ElapsedText(startTime, TimeOfDayNow(), state.DecimalSeparator));
    progress.wadsGivenBack = wadsGivenBack;
    frontend.ShowProgress(progress);
}

}  // namespace mw
