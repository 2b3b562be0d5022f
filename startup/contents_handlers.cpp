#include "startup/contents_handlers.h"

#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/archive_edits.h"
#include "ops/messages.h"
#include "ops/operations.h"

namespace mw {

void ContentsHandlers::ExtractSelection()
{
    const std::vector<std::int32_t> selected = view_.SelectedEntries();
    if (!ActionsFor(selected.size()).extract)
        return;
    const ArchiveContents& contents = view_.Contents();
    const std::optional<std::string> folder =
        dialogs_.ChooseFolder("Extract to a folder", ProposedExtractionFolder(state_, contents.path));
    if (!folder)
        return;
    RememberExtractionFolder(state_, *folder);
    view_.RunWithInputHeld([&](Frontend& frontend) { ExtractEntries(state_, frontend, contents, selected, *folder); });
}

void ContentsHandlers::AddFiles()
{
    const std::vector<std::string> files = dialogs_.ChooseFiles("Add files", true);
    if (files.empty())
        return;
    if (files.size() > 1)
        return AddDropped(files);
    // One file goes under the name the user gives it, in the folder shown unless it says otherwise.
    const std::string& path = files.front();
    const std::optional<std::string> name =
        dialogs_.AskText("Add a file", "Entry name:", NameBelow(view_.CurrentFolder(), FileNamePart(path)));
    if (!name)
        return;
    const ArchiveContents& contents = view_.Contents();
    RunEdit([&](Frontend& frontend) { AddEntries(state_, frontend, contents, {{*name, path}}); });
}

void ContentsHandlers::AddDropped(const std::vector<std::string>& paths)
{
    const std::string folder = view_.CurrentFolder();
    const ArchiveContents& contents = view_.Contents();
    RunEdit([&](Frontend& frontend) { AddFilesBelow(state_, frontend, contents, folder, paths); });
}

void ContentsHandlers::ReplaceSelected()
{
    const std::vector<std::int32_t> selected = view_.SelectedEntries();
    if (!ActionsFor(selected.size()).replace)
        return;
    const ArchiveContents& contents = view_.Contents();
    const WadEntry& entry = contents.entries[static_cast<std::size_t>(selected.front())];
    const std::vector<std::string> file =
        dialogs_.ChooseFiles("Replace " + PrintableText(EntryName(entry)) + " with", false);
    if (file.empty())
        return;
    RunEdit([&](Frontend& frontend) { ReplaceEntry(state_, frontend, contents, selected.front(), file.front()); });
}

void ContentsHandlers::RenameSelected()
{
    const std::vector<std::int32_t> selected = view_.SelectedEntries();
    if (!ActionsFor(selected.size()).rename)
        return;
    const ArchiveContents& contents = view_.Contents();
    const std::string current(EntryName(contents.entries[static_cast<std::size_t>(selected.front())]));
    const std::optional<std::string> name = dialogs_.AskText("Rename entry", "New name:", current);
    if (!name || *name == current)
        return;
    RunEdit([&](Frontend& frontend) { RenameEntry(state_, frontend, contents, selected.front(), *name); });
}

void ContentsHandlers::RemoveSelection()
{
    const std::vector<std::int32_t> selected = view_.SelectedEntries();
    const ArchiveContents& contents = view_.Contents();
    if (!ActionsFor(selected.size()).remove ||
        !dialogs_.AskQuestion(RemoveEntriesQuestion(selected.size(), FileNamePart(contents.path))))
        return;
    RunEdit([&](Frontend& frontend) { RemoveEntries(state_, frontend, contents, selected); });
}

void ContentsHandlers::RunEdit(const std::function<void(Frontend&)>& edit)
{
    // The edit waits for the archive's lock, which another program may
    // hold: off the window's thread, the window repaints and can stop it.
    view_.RunEditOffThread(edit);
    Reload();
}

void ContentsHandlers::Reload()
{
    const std::string folder = view_.CurrentFolder();
    const std::string status = view_.StatusText();
    view_.RunWithErrorsShown(
        [&](Frontend&) { view_.ShowContentsAgain(ReadArchiveContents(view_.Contents().path), folder); });
    // The edit's own status stays; after a failure, the count of the archive as it is.
    if (!view_.StatusAtRest())
        view_.SetStatusText(status);
}

void ContentsHandlers::FindInGp4()
{
    const std::optional<std::string> pattern =
        dialogs_.AskText("Find in GP4", "Entry name or pattern (such as *.tex):", view_.FilterText());
    if (!pattern || pattern->empty())
        return;
    FoundEntries& found = view_.EmptyFinds();
    bool searched = false;
    view_.RunWithInputHeld([&](Frontend& frontend) { searched = FindInInstallation(state_, frontend, *pattern, found); });
    if (searched)
        view_.ShowFinds(*pattern);
}

void ContentsHandlers::OpenFound(const FoundEntry& found)
{
    if (!view_.RunWithErrorsShown([&](Frontend&) { view_.ShowContents(ReadArchiveContents(found.archive)); }))
        return;
    if (const std::optional<std::size_t> index = IndexOfEntry(view_.Contents().entries, found.entry))
        view_.SelectEntryAlone(*index);
}

std::vector<std::string> ContentsHandlers::ExtractForDrag(const std::vector<std::int32_t>& entries)
{
    if (entries.empty())
        return {};
    const std::optional<std::string> dragFolder = view_.DragFolder();
    if (!dragFolder)
        return {};
    const std::string folder = *dragFolder + kNativeSeparator + std::to_string(++drags_);
    std::vector<std::string> files;
    view_.RunWithErrorsShown(
        [&](Frontend& frontend) { files = ExtractDragged(state_, frontend, view_.Contents(), entries, folder); });
    return files;
}

}  // namespace mw
