#include "app/program_windows.h"

namespace mw {

ProgramWindows::ProgramWindows(RunState& state, const SettingsFactory& openSettings, Dialogs& dialogs)
    : OpenSettings(openSettings), Form1(state, openSettings, dialogs), Form2(Form1), Form5(Form1)
{
    Form1.SetSmallWindows(&Form2, &Form5);
}

}  // namespace mw
