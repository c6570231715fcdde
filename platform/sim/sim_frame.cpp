// Frame metrics and window order of the simulated backend (sim_frame.h).
#include "platform/sim/sim_frame.h"

#include <algorithm>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"
#include "platform/sim/sim_window.h"

using namespace sim::detail;

BOOL AdjustWindowRectEx(LPRECT rect, DWORD, BOOL, DWORD) {
    return rect != nullptr ? TRUE : FALSE;
}

HWND GetWindow(HWND hwnd, UINT command) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (command == GW_CHILD)
        return window->children.empty() ? nullptr : window->children.front();
    const std::vector<HWND>* siblings = &User().top_level;
    if ((window->style & WS_CHILD) != 0 && window->parent != nullptr) {
        auto parent = FindWindowRecord(window->parent);
        if (parent == nullptr)
            return nullptr;
        siblings = &parent->children;
    }
    if (command == GW_HWNDFIRST)
        return siblings->empty() ? nullptr : siblings->front();
    if (command == GW_HWNDPREV) {
        auto at = std::find(siblings->begin(), siblings->end(), hwnd);
        if (at == siblings->end() || at == siblings->begin())
            return nullptr;
        return *(at - 1);
    }
    if (command == GW_HWNDNEXT) {
        auto at = std::find(siblings->begin(), siblings->end(), hwnd);
        if (at == siblings->end() || ++at == siblings->end())
            return nullptr;
        return *at;
    }
    return nullptr;
}

HWND SetParent(HWND child, HWND new_parent) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(child);
    auto parent = FindWindowRecord(new_parent);
    if (window == nullptr || parent == nullptr || (window->style & WS_CHILD) == 0 ||
        window->parent == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (HWND up = new_parent; up != nullptr;) {
        if (up == child)
            return nullptr;
        auto record = FindWindowRecord(up);
        up = record != nullptr ? record->parent : nullptr;
    }
    HWND old = window->parent;
    if (old == new_parent)
        return old;
    if (auto previous = FindWindowRecord(old)) {
        auto& siblings = previous->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), child), siblings.end());
    }
    parent->children.insert(parent->children.begin(), child);
    window->parent = new_parent;
    return old;
}

namespace {
bool HasStyle(HWND hwnd, DWORD bit) {
    return (static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & bit) != 0;
}
} // namespace

BOOL IsIconic(HWND hwnd) {
    return HasStyle(hwnd, WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    return HasStyle(hwnd, WS_MAXIMIZE) ? TRUE : FALSE;
}
