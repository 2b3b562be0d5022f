// The run's configuration, which the operations share: where settings,
// undo records and mods ledgers are kept, the installation, and how the
// operations wait and write their texts. What one operation builds (the
// archive it loads, its source files, its start time) belongs to that
// operation alone.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "core/gp4_installation.h"
#include "core/settings_store.h"
#include "core/user_data_folder.h"
#include "ops/mods/mod_store.h"
#include "ops/undo_store.h"

namespace mw {

struct RunState {
    std::unique_ptr<SettingsStore> Settings = std::make_unique<InMemorySettings>();
    std::unique_ptr<Gp4Installation> Installation;
    // The decimal separator of the elapsed-time texts.
    std::string DecimalSeparator = ".";
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
    // Where an archive's first extraction is proposed, so that it does not
    // land inside the game's folder; empty: beside the archive.
    std::string DocumentsFolder = UserDocumentsFolder();
};

}  // namespace mw
