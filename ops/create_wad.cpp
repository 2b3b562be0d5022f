// "Create wad": every file below the source folder packed into a new archive
// whose payloads follow the directory back to back, in the lister's order.
#include "core/elapsed_time.h"
#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/entry_name_check.h"
#include "ops/operation_support.h"
#include "ops/operations.h"

namespace mw {
namespace {

void PackSources(RunState& state, Frontend& frontend, const std::string& sourceText)
{
    const auto count = static_cast<std::int32_t>(state.SourceList.size());
    WadImage& image = state.Image;
    image.Entries.assign(static_cast<std::size_t>(count), WadEntry{});
    image.Payloads.assign(static_cast<std::size_t>(count), Payload());
    image.EntryCount = count;
    std::int64_t offset = DirectoryEnd(count);
    CheckArchiveEnd(offset, state.SourceList.front());

    for (std::int32_t i = 0; i < count; ++i) {
        const std::string& path = state.SourceList[static_cast<std::size_t>(i)];
        const int percent = static_cast<int>((static_cast<std::int64_t>(i) + 1) * 100 / count);
        ShowProgress(frontend, "Creating files : " + std::to_string(percent) + "%", percent);

        const std::string relative = RelativeToSource(path, sourceText);
        CheckSourceName(path, relative);
        const std::string name = ToEntrySeparators(relative);
        CheckEntryNameFits(name);
        WadEntry& entry = image.Entries[static_cast<std::size_t>(i)];
        SetEntryName(entry, name);
        entry.Offset = static_cast<std::int32_t>(offset);

        Payload& payload = image.Payloads[static_cast<std::size_t>(i)];
        payload = ReadSourceFile(path);
        CheckArchiveEnd(offset + payload.size(), path);
        entry.Size = static_cast<std::int32_t>(payload.size());
        offset += entry.Size;
        frontend.FileDone(Frontend::FileAction::Store, name, path);
    }
}

}  // namespace

void CreateWad(RunState& state, Frontend& frontend)
{
    const std::string sourceText = frontend.SourceText();
    // An empty text would list the root of the file system.
    if (sourceText.empty()) {
        frontend.ShowUserError(MessageText(kChooseSourceFolder));
        return;
    }
    if (!BuildSourceList(state, frontend, sourceText))
        return;
    if (state.SourceList.size() < 2) {
        frontend.ShowUserError(MessageText(kChooseSourceFolder));
        return;
    }
    state.Settings->WriteSetting(kFileNameValue, sourceText);

    frontend.SetSaveFileName(FileNamePart(sourceText) + ".wad");
    frontend.SetSaveFilter("Wad file(*.wad)|*.wad");
    if (!frontend.RunSaveDialog())
        return;
    state.StartTime = TimeOfDayNow();
    frontend.RepaintWindow();

    RunRefusable(frontend, [&] {
        PackSources(state, frontend, sourceText);
        OperationBytes written(frontend, WrittenBytes(state.Image, state.Image.EntryCount));
        RebuildWad(frontend.SaveFileName(), state.Image, state.Image.EntryCount, &written);
        ShowElapsed(state, frontend, "Wad created in ");
    });
}

}  // namespace mw
