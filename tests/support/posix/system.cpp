// The test helpers that reach the system on POSIX: temporary folders made
// with mkdtemp, folder order as readdir gives it, and a run as "nobody".
#include "tests/support/temp_dir.h"
#include "tests/support/process.h"

#include <dirent.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace mw::test {

namespace {

std::string DefaultBase()
{
    const char* base = std::getenv("TMPDIR");
    return base && *base ? base : "/tmp";
}

}  // namespace

TempDir::TempDir() : TempDir(DefaultBase()) {}

TempDir::TempDir(const std::string& base)
{
    std::string pattern = (base.empty() ? DefaultBase() : base) + "/mendwright-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

std::string MemoryBackedFolder()
{
    return ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "";
}

std::vector<std::string> DirectoryOrder(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool RunningAsRoot()
{
    return ::geteuid() == 0;
}

}  // namespace mw::test

namespace mw::test {
namespace {

constexpr uid_t kNobody = 65534;

void HandToNobody(const std::string& folder)
{
    std::error_code ignored;
    if (::chown(folder.c_str(), kNobody, kNobody) != 0)
        throw std::runtime_error("cannot give " + folder + " away");
    for (auto it = fs::recursive_directory_iterator(folder, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        if (::lchown(it->path().c_str(), kNobody, kNobody) != 0)
            throw std::runtime_error("cannot give " + it->path().string() + " away");
    }
}

}  // namespace

ProcessResult RunUnprivileged(const std::string& folder, const std::string& program,
                              const std::vector<std::string>& arguments, const Environment& environment,
                              unsigned timeLimitSeconds)
{
    if (!RunningAsRoot())
        return RunProcess(program, arguments, "", environment, timeLimitSeconds);
    HandToNobody(folder);
    std::vector<std::string> command = {"--reuid=65534", "--regid=65534", "--clear-groups", program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunProcess("/usr/bin/setpriv", command, "", environment, timeLimitSeconds);
}

std::string ErrorOfUnprivileged(const TempDir& dir, const std::function<void()>& action)
{
    if (!RunningAsRoot())
        return ErrorOf(action);
    HandToNobody(dir.path());

    int channel[2];
    if (::pipe(channel) != 0)
        throw std::runtime_error("cannot make a pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string text = "cannot drop privileges";
        if (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0)
            text = ErrorOf(action);
        (void)!::write(channel[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string text;
    char buffer[256];
    ssize_t got;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return text;
}

void UseDataFolder(const std::string& folder)
{
    // Open to all, as /tmp is. The store made below it is its maker's
    // alone: a test run as root that drops to an unprivileged user gives
    // that user's updates a store of their own.
    ::chmod(folder.c_str(), 01777);
    ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    // A window program started by a test hands its archive to no program
    // of the user's, nor takes one from them.
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

}  // namespace mw::test
