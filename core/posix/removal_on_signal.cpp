#include "core/posix/removal_on_signal.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <iterator>
#include <mutex>

namespace mw {
namespace {

// The handler touches only what is set up beforehand: the folder's
// descriptor and the name, in a fixed buffer. SIGPIPE (a reader of the
// progress lines gone) and SIGXFSZ (the file size limit reached by the
// archive itself) end a process as surely as the others.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ};
struct sigaction previous[std::size(kSignals)];

// A slot is filled while it is not armed, and armed only once it is full.
struct Armed {
    volatile std::sig_atomic_t armed = 0;
    int folder = -1;
    char name[64] = {};
};
Armed slots[32];
// Arming and disarming from several threads take turns; the handler reads
// the slots without it.
std::mutex slotsInUse;

void OnSignal(int signal, siginfo_t* info, void* context)
{
    for (Armed& slot : slots) {
        if (slot.armed)
            (void)::unlinkat(slot.folder, slot.name, 0);
        slot.armed = 0;
    }
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
    Install();
    const std::lock_guard<std::mutex> turn(slotsInUse);
    for (Armed& slot : slots) {
        if (slot.armed)
            continue;
        slot.folder = folderFd;
        const std::size_t length = std::min(name.size(), sizeof slot.name - 1);
        std::memcpy(slot.name, name.data(), length);
        slot.name[length] = '\0';
        std::atomic_signal_fence(std::memory_order_seq_cst);
        slot.armed = 1;
        return;
    }
}

void DisarmRemovalOnSignal(int folderFd, const std::string& name)
{
    const std::lock_guard<std::mutex> turn(slotsInUse);
    for (Armed& slot : slots)
        if (slot.armed && slot.folder == folderFd && name == slot.name)
            slot.armed = 0;
}

}  // namespace mw
