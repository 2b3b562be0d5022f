// The contents window's handlers, the same whichever toolkit draws it: the
// entries each action needs (ActionsFor), the dialogs each asks through,
// and what is read again after an edit. The window wires its buttons, keys
// and drops to them; the edits themselves are ops/archive_edits'.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ops/find_entries.h"
#include "ops/run_state.h"
#include "startup/contents_view.h"

namespace mw {

class ContentsHandlers {
public:
    ContentsHandlers(RunState& state, ContentsView& view, ContentsDialogs& dialogs)
        : state_(state), view_(view), dialogs_(dialogs) {}

    // The selected entries below a folder chosen in the folder dialog.
    void ExtractSelection();
    // Files chosen in the open dialog: one goes under the entry name the
    // user gives it (the folder shown and its own name first), several
    // below the folder shown by their own names.
    void AddFiles();
    // Files and folders dropped on the list, below the folder shown.
    void AddDropped(const std::vector<std::string>& paths);
    // The one selected entry's bytes from a file chosen in the open dialog.
    void ReplaceSelected();
    // The one selected entry under a name typed in a box; the same name
    // again changes nothing.
    void RenameSelected();
    // The selected entries, once the question naming how many is answered yes.
    void RemoveSelection();
    // Reads the archive again, keeping the folder, the filter and the
    // status shown.
    void Reload();
    // Entries of every wad of the GP4 installation whose names match a
    // pattern asked for (the filter's text first), in the find window.
    void FindInGp4();
    // A row the search found: its wad shown, that entry selected.
    void OpenFound(const FoundEntry& found);
    // The entries extracted for a drag out of the window, each drag in a
    // folder of its own below the window's drag folder, so that a later
    // drag does not overwrite files an earlier one handed over. The files
    // made; none after a refusal.
    std::vector<std::string> ExtractForDrag(const std::vector<std::int32_t>& entries);

private:
    // An edit off the window's thread, then the archive read again.
    void RunEdit(const std::function<void(Frontend&)>& edit);

    RunState& state_;
    ContentsView& view_;
    ContentsDialogs& dialogs_;
    int drags_ = 0;
};

}  // namespace mw
