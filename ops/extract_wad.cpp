// "Extract wad": every entry of the archive written below the output folder
// that the user names.
#include "core/elapsed_time.h"
#include "core/entry_text.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/output_tree.h"
#include "core/path_helpers.h"
#include "core/text.h"
#include "core/wad.h"
#include "ops/entry_extraction.h"
#include "ops/entry_name_check.h"
#include "ops/entry_selection.h"
#include "ops/extraction_lanes.h"
#include "ops/messages.h"
#include "ops/operation_runtime.h"
#include "ops/operations.h"

namespace mw {
namespace {

// The entry whose output path already is the archive (by any name or hard
// link), which writing it would truncate before its bytes are read; null
// when there is none. Also meets, and refuses, a link already planted.
const WadEntry* FindArchiveAmongOutputs(const std::vector<WadEntry>& entries, const File& archive,
                                        OutputTree& output)
{
    const FileIdentity archiveIdentity = IdentityOf(archive);
    for (const WadEntry& entry : entries)
        if (output.Existing(OutputPath(entry)) == archiveIdentity)
            return &entry;
    return nullptr;
}

}  // namespace

void CheckEntryNames(const std::vector<WadEntry>& entries, const std::string& archivePath)
{
    for (const WadEntry& entry : entries) {
        // Checked as the file name it becomes, which on Windows went
        // through the code page.
        const std::string_view name = EntryName(entry);
        const std::optional<std::string> path = PathTextOfEntryName(name);
        if (!path || !IsSafeEntryName(*path))
            throw AppError(kUnsafeEntryPrefix + PrintableText(ShownEntryName(name)), archivePath);
    }
}

bool WriteEntriesBelow(const std::vector<WadEntry>& entries, File& archive, const std::string& outputFolder,
                       Frontend& frontend)
{
    OutputTree output(outputFolder);
    if (const WadEntry* clash = FindArchiveAmongOutputs(entries, archive, output)) {
        frontend.ShowRefusal({RefusalKind::ArchiveIsOutput, ShownEntryName(EntryName(*clash))});
        return false;
    }
    WriteEntries(entries, archive, output, frontend, ExtractionLaneCount(entries.size()));
    return true;
}

void ExtractWad(const RunState& state, Frontend& frontend, const ExtractRequest& request)
{
    const std::string archiveText = NativePath(request.archiveText);
    if (!FileExists(archiveText)) {
        frontend.ShowRefusal({RefusalKind::ChooseWadFile});
        return;
    }
    const std::string archiveName = FileNamePart(archiveText);
    const std::string baseName(FirstChars(archiveName, static_cast<long long>(archiveName.size()) - 4));
    const std::string folderText = ProposedExtractionFolder(state, archiveText);
    state.Settings->WriteSetting(kWadNameValue, archiveText);

    // Cancelled, the proposed folder is kept as the next one proposed.
    const Frontend::SaveRequest question{folderText + baseName, "", false};
    const std::optional<std::string> chosen = frontend.AskSaveLocation(question);
    const std::string outputFolder = chosen.value_or(question.proposedName);
    if (chosen) {
        // An empty name would put every entry below the root of the file system.
        if (outputFolder.empty()) {
            frontend.ShowRefusal({RefusalKind::ChooseOutputFolder});
            return;
        }
        const double startTime = TimeOfDayNow();
        frontend.RepaintWindow();

        File archive(archiveText, OpenMode::ReadOnly);
        std::vector<WadEntry> entries;
        ReadWadDirectory(archive, entries);
        CheckEntryNames(entries, archiveText);
        if (!SelectEntries(entries, request.patterns, frontend))
            return;
        if (!WriteEntriesBelow(entries, archive, outputFolder, frontend))
            return;
        archive.Close();
        ShowElapsed(state, frontend, ProgressPhase::Extracted, startTime);
    }
    RememberExtractionFolder(state, FolderPart(outputFolder));
}

std::string ProposedExtractionFolder(const RunState& state, const std::string& archive)
{
    const std::string firstFolder =
        state.DocumentsFolder.empty() ? FolderPart(archive) : state.DocumentsFolder + kNativeSeparator;
    return state.Settings->ReadSetting(kExtractPathValue, firstFolder);
}

void RememberExtractionFolder(const RunState& state, const std::string& folder)
{
    state.Settings->WriteSetting(kExtractPathValue,
                                 folder.ends_with(kNativeSeparator) ? folder : folder + kNativeSeparator);
}

}  // namespace mw
