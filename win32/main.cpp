// mendwright.exe: the windowed program, and the auto-install mode of update
// packages, in Win32.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "settings/win32/registry_settings_store.h"
#include "startup/command_line.h"
#include "startup/hand_over.h"
#include "startup/help_and_version.h"
#include "startup/program_configuration.h"
#include "startup/startup.h"
#include "win32/hand_over.h"
#include "win32/main_window.h"
#include "win32/program_dialogs.h"

namespace {

int MessageLoop(mw::Win32MainWindow& window)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the controls of each window.
        if (window.TakeKey(message) || IsDialogMessageW(GetAncestor(message.hwnd, GA_ROOT), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// A windowed program has no console of its own: --help and --version write
// to where its output was sent, else to the console it was started from.
void WriteToStartingConsole(const std::string& text)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        if (!AttachConsole(ATTACH_PARENT_PROCESS))
            return;
        out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    DWORD written = 0;
    WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::vector<std::string> arguments = mw::WindowedProgramArguments(0, nullptr);
    if (const auto text = mw::HelpOrVersionText(arguments)) {
        WriteToStartingConsole(*text);
        return 0;
    }
    // A .wad opened while the program runs opens in the running program.
    if (const auto archive = mw::ArchiveToHandOver(arguments); archive && mw::HandToRunningProgram(*archive))
        return 0;
    // The file dialogs host shell objects, which want a COM apartment; a
    // drag of files out of the contents window wants OLE besides.
    static_cast<void>(OleInitialize(nullptr));
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX),
                                           ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    mw::ProgramConfiguration configuration([] { return std::make_unique<mw::RegistrySettingsStore>(); });
    mw::Win32Dialogs& boxes = mw::ProgramDialogsInUse();
    mw::Win32MainWindow window(configuration.state, configuration.openSettings, boxes);
    return mw::RunMode(arguments, configuration.state, window, boxes, [&window] { return MessageLoop(window); });
}
