// Window classes of the simulated backend.
#include "platform/sim/sim_window.h"

#include <algorithm>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
    if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXW) || wc->lpszClassName == nullptr ||
        wc->cbWndExtra < 0 || wc->cbClsExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard<std::mutex> lock(Lock());
    UserState& user = User();
    auto record = std::make_shared<WindowClass>();
    record->name =
        IS_INTRESOURCE(wc->lpszClassName) ? std::u16string() : std::u16string(wc->lpszClassName);
    if (record->name.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string key = FoldCase(record->name.c_str());
    if (user.classes.count(key) != 0) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    record->wc = *wc;
    record->wc.lpszClassName = nullptr; // filled in from the record on GetClassInfoExW
    record->menu_is_resource_id = wc->lpszMenuName != nullptr && IS_INTRESOURCE(wc->lpszMenuName);
    if (wc->lpszMenuName != nullptr && !record->menu_is_resource_id)
        record->menu_name = wc->lpszMenuName;
    record->atom = user.next_atom++;
    user.classes.emplace(std::move(key), record);
    return record->atom;
}

BOOL UnregisterClassW(LPCWSTR class_name, HINSTANCE) {
    std::lock_guard<std::mutex> lock(Lock());
    auto record = FindClassRecord(class_name);
    if (record == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (record->window_count > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    User().classes.erase(FoldCase(record->name.c_str()));
    return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR class_name, LPWNDCLASSEXW wc) {
    std::lock_guard<std::mutex> lock(Lock());
    auto record = FindClassRecord(class_name);
    if (record == nullptr || wc == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    // The names point into the class record, which lives while the class is registered.
    *wc = record->wc;
    wc->cbSize = sizeof(WNDCLASSEXW);
    wc->lpszClassName = record->name.c_str();
    wc->lpszMenuName = record->menu_is_resource_id ? record->wc.lpszMenuName
                       : record->menu_name.empty() ? nullptr
                                                   : record->menu_name.c_str();
    return record->atom;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int max_count) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr || window->window_class == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (buffer == nullptr || max_count <= 0)
        return 0;
    const std::u16string& name = window->window_class->name;
    const int count = std::min(static_cast<int>(name.size()), max_count - 1);
    std::copy_n(name.data(), count, buffer);
    buffer[count] = 0;
    return count;
}
