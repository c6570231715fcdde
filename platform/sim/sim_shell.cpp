// The notification area and the help viewer of the simulated backend (sim_shell.h): records.
#include "platform/sim/sim_shell.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_heap.h"

namespace {

// Guarded by g_mutex.
std::mutex g_mutex;
std::vector<sim::NotifyIconCall> g_icon_calls;
std::vector<sim::HelpCall> g_help_calls;
std::vector<std::pair<HWND, UINT>> g_icons; // in the notification area

std::u16string Bounded(const WCHAR* text, size_t capacity) {
    size_t length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    return std::u16string(text, length);
}

} // namespace

BOOL Shell_NotifyIconW(DWORD message, PNOTIFYICONDATAW data) {
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    const std::pair<HWND, UINT> key{data->hWnd, data->uID};
    auto found = std::find(g_icons.begin(), g_icons.end(), key);
    BOOL result = FALSE;
    switch (message) {
    case NIM_ADD:
        if (found == g_icons.end()) {
            g_icons.push_back(key);
            result = TRUE;
        }
        break;
    case NIM_MODIFY:
        result = found != g_icons.end() ? TRUE : FALSE;
        break;
    case NIM_DELETE:
        if (found != g_icons.end()) {
            g_icons.erase(found);
            result = TRUE;
        }
        break;
    default:
        break;
    }
    g_icon_calls.push_back({message, data->cbSize, data->hWnd, data->uID, data->uFlags,
                            Bounded(data->szTip, 128), result});
    return result;
}

BOOL WinHelpW(HWND hwnd, LPCWSTR help_file, UINT command, ULONG_PTR data) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_help_calls.push_back({hwnd, help_file != nullptr,
                            help_file != nullptr ? std::u16string(help_file) : std::u16string(),
                            command, data});
    return TRUE;
}

namespace sim {

std::vector<NotifyIconCall> NotifyIconCalls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_icon_calls;
}

std::vector<HelpCall> HelpCalls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_help_calls;
}

void ResetShellCalls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_icon_calls.clear();
    g_help_calls.clear();
    g_icons.clear();
}

} // namespace sim
