#include "core/posix/removal_on_signal.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <iterator>

namespace mw {
namespace {

// The handler touches only what is set up beforehand: the folder's
// descriptor and the name, in a fixed buffer. SIGPIPE (a reader of the
// progress lines gone) and SIGXFSZ (the file size limit reached by the
// archive itself) end a process as surely as the others.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ};
struct sigaction previous[std::size(kSignals)];
volatile std::sig_atomic_t armed = 0;
int armedFolder = -1;
char armedName[64];

void OnSignal(int signal, siginfo_t* info, void* context)
{
    if (armed)
        (void)::unlinkat(armedFolder, armedName, 0);
    armed = 0;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (kSignals[i] != signal)
            continue;
        const struct sigaction& before = previous[i];
        if (before.sa_flags & SA_SIGINFO) {
            before.sa_sigaction(signal, info, context);
        } else if (before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN) {
            before.sa_handler(signal);
        } else {
            // The default: the signal again, once this handler returns, ends the process.
            (void)::sigaction(signal, &before, nullptr);
            (void)::raise(signal);
        }
    }
}

// Puts the handler in front of whatever the process has now, unless it is
// there already or the process ignores the signal.
void Install()
{
    sigset_t blocked, old;
    sigemptyset(&blocked);
    for (int signal : kSignals)
        sigaddset(&blocked, signal);
    (void)::pthread_sigmask(SIG_BLOCK, &blocked, &old);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        struct sigaction current {};
        if (::sigaction(kSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        if ((current.sa_flags & SA_SIGINFO) && current.sa_sigaction == OnSignal)
            continue;
        previous[i] = current;
        struct sigaction action {};
        action.sa_sigaction = OnSignal;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        (void)::sigaction(kSignals[i], &action, nullptr);
    }
    (void)::pthread_sigmask(SIG_SETMASK, &old, nullptr);
}

}  // namespace

void ArmRemovalOnSignal(int folderFd, const std::string& name)
{
    armed = 0;
    Install();
    armedFolder = folderFd;
    const std::size_t length = std::min(name.size(), sizeof armedName - 1);
    std::memcpy(armedName, name.data(), length);
    armedName[length] = '\0';
    armed = 1;
}

void DisarmRemovalOnSignal()
{
    armed = 0;
}

}  // namespace mw
