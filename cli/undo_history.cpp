#include "cli/undo_history.h"

#include <cstdio>
#include <ctime>

#include "core/console.h"
#include "core/entry_text.h"
#include "core/path_helpers.h"
#include "ops/run_state.h"
#include "ops/undo_wad.h"

namespace mw::cli {
namespace {

// Local time to the second, as "2024-05-01 18:03:12".
std::string TimeText(std::int64_t nanoseconds)
{
    const std::time_t seconds = static_cast<std::time_t>(nanoseconds / 1000000000);
    char text[32];
    const std::tm* local = std::localtime(&seconds);
    if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) == 0)
        return std::to_string(seconds);
    return text;
}

std::string WhatText(const UndoHistoryItem& item)
{
    std::string what;
    switch (item.summary.origin) {
    case UndoOrigin::Update: what = "update"; break;
    case UndoOrigin::TrackBatch: what = "track batch"; break;
    case UndoOrigin::AutoInstall: what = "auto-install"; break;
    case UndoOrigin::ContentsEdit: what = "contents edit"; break;
    }
    if (item.archives.size() > 1)
        what += " (" + std::to_string(item.archives.size()) + " wads)";
    return what;
}

}  // namespace

void PrintHistory(const std::string& archive)
{
    const RunState state;
    for (const UndoHistoryItem& item : UndoHistory(state, archive)) {
        std::string lines = TimeText(item.summary.time) + '\t' + WhatText(item) + '\t' +
                            PrintableText(item.summary.source) + '\n';
        for (const std::string& entry : item.summary.replaced)
            lines += "\treplace\t" + PrintableText(ShownEntryName(entry)) + '\n';
        for (const std::string& entry : item.summary.appended)
            lines += "\tappend\t" + PrintableText(ShownEntryName(entry)) + '\n';
        WriteStandardOutput(lines);
    }
}

}  // namespace mw::cli
