// The handle-to-object map, one per process, used on the main thread only.
#include "runtime/ui/native/window_map.h"

#include <unordered_map>

namespace {
// Main thread only (see the header).
std::unordered_map<HWND, CRixWnd*>& Map() {
    static std::unordered_map<HWND, CRixWnd*> map;
    return map;
}
} // namespace

CRixWnd* CRixWindowMap::Find(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    auto found = Map().find(hwnd);
    return found != Map().end() ? found->second : nullptr;
}

void CRixWindowMap::Add(HWND hwnd, CRixWnd* wnd) {
    Map()[hwnd] = wnd;
}

void CRixWindowMap::Remove(HWND hwnd, CRixWnd* wnd) {
    auto found = Map().find(hwnd);
    if (found != Map().end() && found->second == wnd)
        Map().erase(found);
}
