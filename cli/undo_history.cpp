#include "cli/undo_history.h"

#include <cstdio>
#include <ctime>

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
        std::printf("%s\t%s\t%s\n", TimeText(item.summary.time).c_str(), WhatText(item).c_str(),
                    PrintableText(item.summary.source).c_str());
        for (const std::string& entry : item.summary.replaced)
            std::printf("\treplace\t%s\n", PrintableText(entry).c_str());
        for (const std::string& entry : item.summary.appended)
            std::printf("\tappend\t%s\n", PrintableText(entry).c_str());
    }
}

}  // namespace mw::cli
