// The contents window as its handlers (ContentsHandlers) see it, whichever
// toolkit draws it: what it shows, how it runs an edit, and the dialogs it
// asks through. Each toolkit's window implements both with its own calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ops/archive_contents.h"
#include "ops/find_entries.h"
#include "ops/frontend.h"

namespace mw {

// The dialogs, in the toolkit's own look, owned by the contents window.
class ContentsDialogs {
public:
    // The open dialog for any file ("*.*"): the chosen files' full paths,
    // none when it was cancelled; one at most unless several.
    virtual std::vector<std::string> ChooseFiles(const std::string& title, bool several) = 0;
    // A folder chosen in a folder dialog that opens in startFolder.
    virtual std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) = 0;
    // A line typed in a box that starts with text.
    virtual std::optional<std::string> AskText(const std::string& title, const std::string& label,
                                               const std::string& text) = 0;
    // The question box; true only for "&Oui".
    virtual bool AskQuestion(const std::string& question) = 0;

protected:
    ~ContentsDialogs() = default;
};

class ContentsView {
public:
    // The archive's directory as the window read it.
    virtual const ArchiveContents& Contents() const = 0;
    // The selected entries, as indices of the directory in table order.
    virtual std::vector<std::int32_t> SelectedEntries() const = 0;
    // The folder chosen in the tree; "" for the archive's own node.
    virtual std::string CurrentFolder() const = 0;
    // The filter field's text.
    virtual std::string FilterText() const = 0;
    virtual std::string StatusText() const = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Whether a refusal or an error put the status back to the count of
    // entries since the last step.
    virtual bool StatusAtRest() const = 0;

    // Shows an archive's contents, all of its entries, in front.
    virtual void ShowContents(ArchiveContents contents) = 0;
    // The same archive read again in place of the last: folder chosen
    // again, the filter kept.
    virtual void ShowContentsAgain(ArchiveContents contents, const std::string& folder) = 0;
    // The entry of that index selected alone, where the folder and the
    // filter show it.
    virtual void SelectEntryAlone(std::size_t index) = 0;

    // The find window's list, emptied for a new search.
    virtual FoundEntries& EmptyFinds() = 0;
    // The find window in front with what the search for pattern found.
    virtual void ShowFinds(const std::string& pattern) = 0;
    // A folder of the window's own that lives as long as it does, made by
    // the first call; none when it cannot be made.
    virtual std::optional<std::string> DragFolder() = 0;

    // Runs work with the window as its frontend; an error that ends it is
    // shown in the default error display. True when it ran to its end.
    virtual bool RunWithErrorsShown(const std::function<void(Frontend&)>& work) = 0;
    // The same with the window's input held back until work ends.
    virtual bool RunWithInputHeld(const std::function<void(Frontend&)>& work) = 0;
    // An edit off the window's thread: the window repaints meanwhile and
    // takes no input but its Cancel button and Escape, which stop the edit;
    // an error that ends it is shown in the default error display.
    virtual void RunEditOffThread(const std::function<void(Frontend&)>& edit) = 0;

protected:
    ~ContentsView() = default;
};

}  // namespace mw
