#include "startup/program_configuration.h"

#include "core/elapsed_time.h"
#include "settings/remembered_gp4_installation.h"

namespace mw {

ProgramConfiguration::ProgramConfiguration(SettingsFactory openSettings) : openSettings(std::move(openSettings))
{
    state.Installation = MakeProgramGp4Installation(state.Settings);
    state.DecimalSeparator = UserDecimalSeparator();
    state.UndoFolder = DefaultUndoFolder();
    state.ModsFolder = DefaultModsFolder();
}

}  // namespace mw
