// The test helpers that reach the system on Windows: temporary folders in
// the user's temporary folder, folder order as FindFirstFileW gives it.
// Nothing runs with other rights: permission cases are POSIX's.
#include "tests/support/temp_dir.h"
#include "tests/support/process.h"

#include <windows.h>

#include <stdexcept>

#include "core/win32/wide_text.h"

namespace mw::test {

TempDir::TempDir() : TempDir("") {}

TempDir::TempDir(const std::string& base)
{
    std::string folder = base;
    if (folder.empty()) {
        wchar_t temporary[MAX_PATH + 1];
        const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
        folder = Utf8FromWide(std::wstring_view(temporary, length));
    }
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    for (unsigned attempt = GetTickCount() ^ GetCurrentProcessId();; ++attempt) {
        const std::string candidate = folder + "mendwright-test-" + std::to_string(attempt);
        if (CreateDirectoryW(WideFromUtf8(candidate).c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary folder");
    }
}

std::string MemoryBackedFolder()
{
    return "";
}

std::vector<std::string> DirectoryOrder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(WidePath(folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(Utf8FromWide(name));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

bool RunningAsRoot()
{
    return false;
}

ProcessResult RunUnprivileged(const std::string&, const std::string& program,
                              const std::vector<std::string>& arguments, const Environment& environment,
                              unsigned timeLimitSeconds)
{
    return RunProcess(program, arguments, "", environment, timeLimitSeconds);
}

std::string ErrorOfUnprivileged(const TempDir&, const std::function<void()>& action)
{
    return ErrorOf(action);
}

void UseDataFolder(const std::string& folder)
{
    // The C runtime's copy of the environment, which the program reads, and
    // the process's, which the programs it starts inherit.
    (void)_wputenv_s(L"LOCALAPPDATA", WideFromUtf8(folder).c_str());
    SetEnvironmentVariableW(L"LOCALAPPDATA", WideFromUtf8(folder).c_str());
}

}  // namespace mw::test
