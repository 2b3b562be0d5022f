#include "ops/mods/mod_texts.h"

#include "core/entry_text.h"

namespace mw {

const char* ModStateText(const ModSummary& mod)
{
    switch (mod.state) {
    case ModSummary::State::Enabled: return mod.permanent ? "enabled, permanent" : "enabled";
    case ModSummary::State::Disabled: return mod.permanent ? "disabled, permanent" : "disabled";
    case ModSummary::State::Partly: return "partly enabled";
    }
    return "";
}

std::string ModCountsText(const ModSummary& mod)
{
    return std::to_string(mod.replaced) + " replaced, " + std::to_string(mod.appended) + " appended";
}

std::string EntryWinnerText(const ModEntry& entry)
{
    switch (entry.winner) {
    case ModEntry::Winner::ThisMod: return "this mod";
    case ModEntry::Winner::LaterMod: return "mod " + entry.laterMod;
    case ModEntry::Winner::Found: return "the wad as found";
    case ModEntry::Winner::Outside: return "another program";
    case ModEntry::Winner::Absent: return "not in the wad";
    }
    return {};
}

std::string ArchiveStatusText(const ArchiveStatus& status)
{
    if (status.missing)
        return "missing";
    std::string what;
    if (!status.changedOutside.empty()) {
        what = "entries changed outside:";
        for (const std::string& entry : status.changedOutside)
            what += ' ' + ShownEntryName(entry);
    } else if (status.mods.empty()) {
        what = "as found";
    } else {
        what = "changed by mods:";
        for (std::size_t i = 0; i < status.mods.size(); ++i)
            what += (i == 0 ? " " : ", ") + status.mods[i];
    }
    return what;
}

}  // namespace mw
