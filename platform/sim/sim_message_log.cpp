// The message log of the simulated backend (see sim_testing.h).
#include "platform/sim/sim_testing.h"

#include <atomic>
#include <mutex>

#include "platform/sim/sim_user_state.h"

namespace sim {
namespace {
std::atomic<bool> g_logging{false};
std::mutex g_log_lock;
std::vector<LoggedMessage> g_log; // under g_log_lock
} // namespace

void StartMessageLog() {
    std::lock_guard<std::mutex> lock(g_log_lock);
    g_log.clear();
    g_logging.store(true);
}

std::vector<LoggedMessage> StopMessageLog() {
    std::lock_guard<std::mutex> lock(g_log_lock);
    g_logging.store(false);
    return std::move(g_log);
}

namespace detail {
void LogMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, MessageRoute route) {
    if (!g_logging.load(std::memory_order_relaxed))
        return;
    std::lock_guard<std::mutex> lock(g_log_lock);
    if (g_logging.load())
        g_log.push_back({hwnd, message, wparam, lparam, route});
}
} // namespace detail

} // namespace sim
