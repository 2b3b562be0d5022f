// The run's configuration as the windowed program starts it, the same in
// both toolkits: the settings store the platform keeps, the GP4
// installation (the system's lookup, then the folder chosen with "Change
// GP4 Path"), the user's decimal separator for the elapsed times, and the
// undo records and mods ledgers in the user's data folder.
#pragma once

#include "ops/run_state.h"
#include "settings/startup_fill.h"

namespace mw {

struct ProgramConfiguration {
    // openSettings opens the platform's store, which the start-up fill
    // puts in the state in place of the empty one it starts with.
    explicit ProgramConfiguration(SettingsFactory openSettings);
    // The installation reads the state's settings in place: it stays put.
    ProgramConfiguration(const ProgramConfiguration&) = delete;
    ProgramConfiguration& operator=(const ProgramConfiguration&) = delete;

    RunState state;
    const SettingsFactory openSettings;
};

}  // namespace mw
