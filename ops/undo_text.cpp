#include "ops/undo_text.h"

#include <ctime>

#include "core/entry_text.h"
#include "core/path_helpers.h"

namespace mw {
namespace {

// The entries of one kind, one a line under their heading; nothing when none.
std::string EntryLines(const char* heading, const std::vector<std::string>& entries)
{
    if (entries.empty())
        return {};
    std::string text = std::string(heading) + '\n';
    for (const std::string& entry : entries)
        text += "    " + PrintableText(ShownEntryName(entry)) + '\n';
    return text;
}

}  // namespace

std::string UndoTimeText(std::int64_t nanoseconds)
{
    const std::time_t seconds = static_cast<std::time_t>(nanoseconds / 1000000000);
    char text[32];
    const std::tm* local = std::localtime(&seconds);
    if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) == 0)
        return std::to_string(seconds);
    return text;
}

std::string UndoOriginText(const UndoHistoryItem& item)
{
    std::string what;
    switch (item.summary.origin) {
    case UndoOrigin::Update: what = "update"; break;
    case UndoOrigin::TrackBatch: what = "track batch"; break;
    case UndoOrigin::AutoInstall: what = "auto-install"; break;
    case UndoOrigin::ContentsEdit: what = "contents edit"; break;
    case UndoOrigin::Create: what = "create"; break;
    }
    if (item.archives.size() > 1)
        what += " (" + std::to_string(item.archives.size()) + " wads)";
    return what;
}

std::string UndoQuestion(const UndoHistoryItem& item, const std::string& archive)
{
    std::string text = "Undo the last update of " + PrintableText(archive) + "?\n\n";
    text += "Made " + UndoTimeText(item.summary.time) + " by " + UndoOriginText(item) + " from " +
            PrintableText(item.summary.source) + ".\n\n";
    text += EntryLines("These entries get their old contents back:", item.summary.replaced);
    text += EntryLines("These entries it added are taken out:", item.summary.appended);
    if (item.summary.origin == UndoOrigin::Create)
        text += "The wad that create replaced comes back whole.\n";
    if (item.archives.size() > 1) {
        text += "\nThese wads were updated together and all go back:\n";
        for (const std::string& member : item.archives)
            text += "    " + PrintableText(member) + '\n';
    }
    return text;
}

}  // namespace mw
