// "Extract wad": every entry of the archive written below the output folder
// that the user names, one entry's bytes in memory at a time.
#include "core/elapsed_time.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/entry_name_check.h"
#include "ops/entry_selection.h"
#include "ops/operation_support.h"
#include "ops/operations.h"

namespace mw {
namespace {

std::string ExtractingText(int percent)
{
    std::string text = MessageText(kExtractingFormat);
    text.replace(text.find("%d"), 2, std::to_string(percent));
    return text + "%";
}

// Checked before anything is written, so a hostile archive leaves nothing.
void CheckEntryNames(const std::vector<WadEntry>& entries)
{
    for (const WadEntry& entry : entries) {
        const std::string_view name = EntryName(entry);
        if (!IsSafeEntryName(name))
            throw AppError(kUnsafeEntryPrefix + std::string(name));
    }
}

void WriteEntries(RunState& state, Frontend& frontend, File& archive, std::int32_t count,
                  const std::string& outputFolder)
{
    const std::int64_t archiveLength = archive.Length();
    std::string createdFolder;  // the last folder made, so runs of one folder make it once
    // The entries' bytes, without the directory that an archive would add.
    OperationBytes written(frontend, WrittenBytes(state.Image, count) - DirectoryEnd(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const WadEntry& entry = state.Image.Entries[static_cast<std::size_t>(i)];
        const int percent = static_cast<int>(static_cast<std::int64_t>(i) * 100 / count);
        ShowProgress(frontend, ExtractingText(percent), percent);

        // The entry's bytes go from the archive to its file in the kernel;
        // they are checked first, as reading them would be.
        CheckWadPayload(entry, archiveLength);
        std::string target = outputFolder;
        target += kNativeSeparator;
        target += ToNativeSeparators(EntryName(entry));
        const std::string folder = FolderPart(target);
        if (folder != createdFolder) {
            CreateFolders(folder);
            createdFolder = folder;
        }
        File output(target, OpenMode::Writing);
        if (entry.Size > 0)
            output.CopyFrom(archive, entry.Offset, 0, entry.Size, &written);
        output.Close();
        frontend.FileDone(Frontend::FileAction::Extract, EntryName(entry), target);
    }
}

}  // namespace

void ExtractWad(RunState& state, Frontend& frontend)
{
    const std::string archiveText = frontend.ArchiveText();
    if (!FileExists(archiveText)) {
        frontend.ShowUserError(MessageText(kChooseWadFile));
        return;
    }
    const std::string archiveName = FileNamePart(archiveText);
    const std::string baseName(FirstChars(archiveName, static_cast<long long>(archiveName.size()) - 4));
    const std::string folderText = state.Settings->ReadSetting(kExtractPathValue, FolderPart(archiveText));
    frontend.SetSaveFileName(folderText + baseName);
    frontend.SetSaveFilter("");
    state.Settings->WriteSetting(kWadNameValue, archiveText);

    if (frontend.RunSaveDialog()) {
        state.StartTime = TimeOfDayNow();
        frontend.RepaintWindow();

        const std::string outputFolder = frontend.SaveFileName();
        File archive(archiveText, OpenMode::ReadOnly);
        ReadWadDirectory(archive, state.Image.Entries);
        CheckEntryNames(state.Image.Entries);
        if (!SelectEntries(state, frontend))
            return;
        const auto count = static_cast<std::int32_t>(state.Image.Entries.size());
        WriteEntries(state, frontend, archive, count, outputFolder);
        archive.Close();
        ShowElapsed(state, frontend, "Wad extracted in ");
    }
    state.Settings->WriteSetting(kExtractPathValue, FolderPart(frontend.SaveFileName()));
}

}  // namespace mw
