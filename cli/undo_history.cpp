#include "cli/undo_history.h"

#include "cli/cli_output.h"
#include "cli/exit_codes.h"
#include "core/console.h"
#include "core/entry_text.h"
#include "core/error_causes.h"
#include "core/path_helpers.h"
#include "ops/messages.h"
#include "ops/run_state.h"
#include "ops/undo_text.h"
#include "ops/undo_wad.h"

namespace mw::cli {

int PrintHistory(const std::string& archive, bool quiet)
{
    const RunState state;
    bool damaged = false;
    const std::vector<UndoHistoryItem> items = UndoHistory(state, archive);
    if (items.empty() && !quiet)
        PrintError("no update of " + PrintableText(archive) + " can be undone");
    for (const UndoHistoryItem& item : items) {
        if (item.damage) {
            // The steps before it come first, in their order.
            FlushStandardOutput();
            PrintError(WithFullStop(item.damage->what()), item.damage->path(), PlainCause(*item.damage));
            damaged = true;
            continue;
        }
        std::string lines = UndoTimeText(item.summary.time) + '\t' + UndoOriginText(item) + '\t' +
                            PrintableText(item.summary.source) + '\n';
        for (const std::string& entry : item.summary.replaced)
            lines += "\treplace\t" + PrintableText(ShownEntryName(entry)) + '\n';
        for (const std::string& entry : item.summary.appended)
            lines += "\tappend\t" + PrintableText(ShownEntryName(entry)) + '\n';
        WriteStandardOutput(lines);
    }
    return damaged ? kExitFileError : kExitDone;
}

}  // namespace mw::cli
