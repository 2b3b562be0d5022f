// The hand-over of an archive to the program already running, on Windows:
// the start finds the running program's main window (visible, of the main
// window's class, on the user's desktop) and sends it the archive's path
// in a WM_COPYDATA message, which the main window answers TRUE when it
// takes it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace mw {

inline constexpr wchar_t kMainWindowClass[] = L"MendwrightMainWindow";

// Hands archive to the running program; true when it took it. A program
// that does not answer within a few seconds is passed over.
bool HandToRunningProgram(const std::string& archive);
// The same to one main window.
bool SendArchiveTo(HWND mainWindow, const std::string& archive);
// The archive a WM_COPYDATA message carries; nothing when it is no
// hand-over of ours.
std::optional<std::string> HandedOverArchive(const COPYDATASTRUCT& data);
// Whether a window of this thread is held by a question or an operation
// (disabled while a box it owns is open or input is held back).
bool WindowHeldOnThisThread();

}  // namespace mw
