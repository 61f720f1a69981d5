#include "io/ScratchFiles.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// What the handler reads: plain arrays and flags, since a signal handler
// may only call what is async-signal-safe (unlink, sigaction, raise).
char g_paths[ScratchFiles::kSlots][PATH_MAX];
volatile sig_atomic_t g_used[ScratchFiles::kSlots];
struct sigaction g_previous[sizeof kSignals / sizeof kSignals[0]];
std::mutex g_slotsMutex;

void RemoveAndPassOn(int signal) {
    for (int k = 0; k < ScratchFiles::kSlots; ++k) {
        if (g_used[k] != 0) {
            std::atomic_signal_fence(std::memory_order_acquire);
            ::unlink(g_paths[k]);
        }
    }
    for (std::size_t s = 0; s < sizeof kSignals / sizeof kSignals[0]; ++s) {
        if (kSignals[s] == signal)
            ::sigaction(signal, &g_previous[s], nullptr);
    }
    // Delivered once this handler returns, as the process had it before.
    ::raise(signal);
}

void InstallOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (std::size_t s = 0; s < sizeof kSignals / sizeof kSignals[0]; ++s) {
            struct sigaction previous {};
            ::sigaction(kSignals[s], nullptr, &previous);
            g_previous[s] = previous;
            if (previous.sa_handler == SIG_IGN)
                continue;
            struct sigaction action {};
            action.sa_handler = RemoveAndPassOn;
            sigemptyset(&action.sa_mask);
            ::sigaction(kSignals[s], &action, nullptr);
        }
    });
}

} // namespace

ScratchFiles::Guard::Guard(const std::string& path) {
    if (path.size() >= PATH_MAX)
        return;
    InstallOnce();
    std::lock_guard<std::mutex> lock(g_slotsMutex);
    for (int k = 0; k < kSlots; ++k) {
        if (g_used[k] == 0) {
            std::memcpy(g_paths[k], path.c_str(), path.size() + 1);
            // The path whole before the handler may take it.
            std::atomic_signal_fence(std::memory_order_release);
            g_used[k] = 1;
            slot_ = k;
            return;
        }
    }
}

ScratchFiles::Guard::~Guard() {
    if (slot_ >= 0) {
        std::lock_guard<std::mutex> lock(g_slotsMutex);
        g_used[slot_] = 0;
    }
}
