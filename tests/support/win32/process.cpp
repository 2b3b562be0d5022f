// Programs run with CreateProcessW, their output caught in files.
#include "tests/support/process.h"

#include <windows.h>

#include <map>
#include <mutex>
#include <stdexcept>

#include "core/win32/wide_text.h"
#include "tests/support/temp_dir.h"

namespace mw::test {
namespace {

// An argument quoted as CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

// This process's variables with the given ones set on top, as a block.
std::wstring EnvironmentWith(const Environment& overrides)
{
    std::wstring block;
    wchar_t* variables = GetEnvironmentStringsW();
    for (const wchar_t* variable = variables; *variable != L'\0'; variable += wcslen(variable) + 1) {
        const std::wstring text = variable;
        bool overridden = false;
        for (const auto& [name, value] : overrides)
            overridden = overridden || _wcsnicmp(text.c_str(), (WideFromUtf8(name) + L"=").c_str(), name.size() + 1) == 0;
        if (!overridden)
            block += text + L'\0';
    }
    FreeEnvironmentStringsW(variables);
    for (const auto& [name, value] : overrides)
        block += WideFromUtf8(name + "=" + value) + L'\0';
    return block + L'\0';
}

HANDLE Inheritable(const std::wstring& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::mutex startedLock;
std::map<pid_t, HANDLE> started;

pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, HANDLE out, HANDLE err,
            const std::string& folder, const Environment& environment)
{
    std::wstring commandLine = Quoted(WideFromUtf8(program));
    for (const std::string& argument : arguments)
        commandLine += L" " + Quoted(WideFromUtf8(argument));
    std::wstring variables = EnvironmentWith(environment);
    const HANDLE in = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE nul = Inheritable(L"NUL", GENERIC_WRITE, OPEN_EXISTING);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out != nullptr ? out : nul;
    startup.hStdError = err != nullptr ? err : nul;
    PROCESS_INFORMATION process{};
    const std::wstring wideFolder = WideFromUtf8(folder);
    const BOOL created = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT, variables.data(),
                                        folder.empty() ? nullptr : wideFolder.c_str(), &startup, &process);
    CloseHandle(in);
    CloseHandle(nul);
    if (!created)
        throw std::runtime_error("cannot start " + program);
    CloseHandle(process.hThread);
    const std::lock_guard lock(startedLock);
    started[static_cast<pid_t>(process.dwProcessId)] = process.hProcess;
    return static_cast<pid_t>(process.dwProcessId);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const Environment& environment, unsigned timeLimitSeconds)
{
    const TempDir captured;
    const std::wstring outName = WideFromUtf8(captured / "out"), errName = WideFromUtf8(captured / "err");
    const HANDLE out = Inheritable(outName, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = Inheritable(errName, GENERIC_WRITE, CREATE_ALWAYS);
    pid_t child;
    try {
        child = Spawn(program, arguments, out, err, folder, environment);
    } catch (...) {
        CloseHandle(out);
        CloseHandle(err);
        throw;
    }
    CloseHandle(out);
    CloseHandle(err);
    ProcessResult result;
    result.exitCode = WaitProcess(child, timeLimitSeconds);
    result.out = ReadBytes(captured / "out");
    result.err = ReadBytes(captured / "err");
    return result;
}

pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    return Spawn(program, arguments, nullptr, nullptr, "", {});
}

pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& errorFile, const Environment& environment)
{
    const HANDLE err = Inheritable(WideFromUtf8(errorFile), GENERIC_WRITE, CREATE_ALWAYS);
    try {
        const pid_t child = Spawn(program, arguments, nullptr, err, "", environment);
        CloseHandle(err);
        return child;
    } catch (...) {
        CloseHandle(err);
        throw;
    }
}

int WaitProcess(pid_t process, unsigned timeLimitSeconds)
{
    HANDLE handle;
    {
        const std::lock_guard lock(startedLock);
        handle = started.at(process);
        started.erase(process);
    }
    const DWORD limit = timeLimitSeconds > 0 ? timeLimitSeconds * 1000 : INFINITE;
    if (WaitForSingleObject(handle, limit) == WAIT_TIMEOUT) {
        TerminateProcess(handle, 137);
        WaitForSingleObject(handle, INFINITE);
    }
    DWORD code = 0;
    GetExitCodeProcess(handle, &code);
    CloseHandle(handle);
    return static_cast<int>(code);
}

}  // namespace mw::test
