// The state that lives for the whole run and that the operations share.
#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/gp4_installation.h"
#include "core/list_files.h"
#include "core/settings_store.h"
#include "core/wad.h"
#include "ops/mods/mod_store.h"
#include "ops/undo_store.h"

namespace mw {

inline constexpr int kTrackCount = 17;

// The seventeen GP4 track names, in the order the batch patches them.
extern const std::array<const char*, kTrackCount> TrackNames;

struct RunState {
    WadImage Image;
    FileList SourceList;
    std::array<std::string, kTrackCount> WadPaths;
    double StartTime = 0.0;  // local time of day, as a fraction of a day

    std::unique_ptr<SettingsStore> Settings = std::make_unique<InMemorySettings>();
    std::unique_ptr<Gp4Installation> Installation;
    // The decimal separator of the elapsed-time texts.
    std::string DecimalSeparator = ".";
    // The names an extraction writes, as patterns; empty: every entry.
    std::vector<std::string> ExtractPatterns;
    // Whether an update waits for another update of its archive to end;
    // off, it fails at once with an error naming the archive.
    bool WaitForOtherUpdates = true;
    // How long an update waits for another program's lock on its archive
    // before it says so.
    std::chrono::milliseconds LockNoticeAfter{1000};
    // Where updates keep their undo records; empty: they keep none.
    std::string UndoFolder = DefaultUndoFolder();
    // Where installs keep their mods ledgers; empty: they keep none.
    std::string ModsFolder = DefaultModsFolder();
    // The most the undo records may take together; the oldest go first.
    std::int64_t UndoCap = kDefaultUndoCap;
    // The group this run's undo records join, to be undone as one; 0: none
    // (a track batch then makes one of its own).
    std::uint64_t UndoGroup = 0;
};

}  // namespace mw
