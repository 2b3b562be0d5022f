#include "cli/undo_history.h"

#include "core/console.h"
#include "core/entry_text.h"
#include "core/path_helpers.h"
#include "ops/run_state.h"
#include "ops/undo_text.h"
#include "ops/undo_wad.h"

namespace mw::cli {

void PrintHistory(const std::string& archive)
{
    const RunState state;
    for (const UndoHistoryItem& item : UndoHistory(state, archive)) {
        std::string lines = UndoTimeText(item.summary.time) + '\t' + UndoOriginText(item) + '\t' +
                            PrintableText(item.summary.source) + '\n';
        for (const std::string& entry : item.summary.replaced)
            lines += "\treplace\t" + PrintableText(ShownEntryName(entry)) + '\n';
        for (const std::string& entry : item.summary.appended)
            lines += "\tappend\t" + PrintableText(ShownEntryName(entry)) + '\n';
        WriteStandardOutput(lines);
    }
}

}  // namespace mw::cli
