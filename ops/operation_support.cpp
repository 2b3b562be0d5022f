#include "ops/operation_support.h"

#include <limits>

#include "core/elapsed_time.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/wad.h"

namespace mw {

std::string SourceFieldPath(Frontend& frontend)
{
    return NativePath(frontend.SourceText());
}

std::string ArchiveFieldPath(Frontend& frontend)
{
    return NativePath(frontend.ArchiveText());
}

bool IsSourceFolder(const std::string& sourceText)
{
    if (FolderExists(sourceText))
        return true;
    if (FileExists(sourceText))
        return false;
    return IsFolderPath(sourceText);
}

bool BuildSourceList(RunState& state, Frontend& frontend, const std::string& sourceText)
{
    if (IsSourceFolder(sourceText)) {
        state.SourceList = ListFiles(sourceText, "*.*", true, false, kAllAttributes);
        return true;
    }
    if (!FileExists(sourceText)) {
        frontend.ShowRefusal({RefusalKind::WrongFilePath});
        return false;
    }
    // A pipe or a device would give an empty or endless entry; a folder's
    // listing leaves them out too.
    if (!RegularFileExists(sourceText)) {
        frontend.ShowRefusal({RefusalKind::NotRegularSource, sourceText});
        return false;
    }
    state.SourceList = {sourceText};
    return true;
}

std::string RelativeToSource(const std::string& path, const std::string& sourceText)
{
    std::size_t prefix = sourceText.size();
    if (sourceText.empty() || sourceText.back() != kNativeSeparator)
        ++prefix;
    return prefix >= path.size() ? std::string() : path.substr(prefix);
}

Payload ReadSourceFile(const std::string& path)
{
    // Measured only: the one open is the writer's, when it copies the bytes.
    const std::int64_t length = FileSize(path);
    if (length > std::numeric_limits<std::int32_t>::max())
        throw UserRefusal(RefusalKind::WadTooLarge, path);
    return Payload::Stretch(std::make_shared<const std::string>(path), 0, length);
}

void CheckEntryNameFits(const std::string& name)
{
    if (name.size() > kNameFieldSize)
        throw UserRefusal(RefusalKind::NameTooLong, name);
}

void CheckArchiveEnd(std::int64_t end, const std::string& path)
{
    if (end > std::numeric_limits<std::int32_t>::max())
        throw UserRefusal(RefusalKind::WadTooLarge, path);
}

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

std::string InstallationFolder(RunState& state)
{
    std::string folder;
    if (state.Installation)
        state.Installation->FindInstallationFolder(folder);
    return folder;
}

void ShowElapsed(RunState& state, Frontend& frontend, ProgressPhase ended)
{
    frontend.ShowProgress({ended, ElapsedText(state.StartTime, TimeOfDayNow(), state.DecimalSeparator)});
}

}  // namespace mw
