// Window data of the simulated backend: the window longs, the window text and the search
// for top-level windows by class and title.
#include "platform/sim/sim_window.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

// Reads or writes one window long of the given size; answers false for an unknown index.
template <typename T> bool AccessLong(Window& window, int index, T* old_value, const T* new_value) {
    LONG_PTR value = 0;
    LONG_PTR* field = nullptr;
    switch (index) {
    case GWLP_WNDPROC:
        value = reinterpret_cast<LONG_PTR>(window.proc);
        if (new_value != nullptr)
            window.proc = reinterpret_cast<WNDPROC>(static_cast<LONG_PTR>(*new_value));
        break;
    case GWLP_HINSTANCE:
        value = reinterpret_cast<LONG_PTR>(window.instance);
        if (new_value != nullptr)
            window.instance = reinterpret_cast<HINSTANCE>(static_cast<LONG_PTR>(*new_value));
        break;
    case GWLP_HWNDPARENT:
        value = reinterpret_cast<LONG_PTR>(window.parent != nullptr ? window.parent : window.owner);
        if (new_value != nullptr && window.parent == nullptr)
            window.owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(*new_value));
        break;
    case GWLP_ID:
        field = &window.id;
        break;
    case GWLP_USERDATA:
        field = &window.user_data;
        break;
    case GWL_STYLE:
        value = static_cast<LONG>(window.style);
        if (new_value != nullptr)
            window.style = static_cast<DWORD>(*new_value);
        break;
    case GWL_EXSTYLE:
        value = static_cast<LONG>(window.ex_style);
        if (new_value != nullptr)
            window.ex_style = static_cast<DWORD>(*new_value);
        break;
    default:
        if (index < 0 || static_cast<size_t>(index) + sizeof(T) > window.extra.size())
            return false;
        T stored;
        std::memcpy(&stored, window.extra.data() + index, sizeof(T));
        if (new_value != nullptr)
            std::memcpy(window.extra.data() + index, new_value, sizeof(T));
        *old_value = stored;
        return true;
    }
    if (field != nullptr) {
        value = *field;
        if (new_value != nullptr)
            *field = static_cast<LONG_PTR>(*new_value);
    }
    *old_value = static_cast<T>(value);
    return true;
}

// A new style is offered to the window first and confirmed after, with the lock released
// around both messages.
template <typename T> T SetStyle(HWND hwnd, int index, T value) {
    STYLESTRUCT change{};
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        change.styleOld = index == GWL_STYLE ? window->style : window->ex_style;
        change.styleNew = static_cast<DWORD>(value);
    }
    SendMessageW(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&change));
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr)
            return 0;
        (index == GWL_STYLE ? window->style : window->ex_style) = change.styleNew;
    }
    SendMessageW(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&change));
    return static_cast<T>(static_cast<LONG>(change.styleOld));
}

template <typename T> T WindowLong(HWND hwnd, int index, const T* new_value) {
    if (new_value != nullptr && (index == GWL_STYLE || index == GWL_EXSTYLE))
        return SetStyle<T>(hwnd, index, *new_value);
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    T old_value = 0;
    if (!AccessLong<T>(*window, index, &old_value, new_value)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return old_value;
}

} // namespace

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    return WindowLong<LONG_PTR>(hwnd, index, nullptr);
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    return WindowLong<LONG_PTR>(hwnd, index, &value);
}

LONG GetWindowLongW(HWND hwnd, int index) {
    return WindowLong<LONG>(hwnd, index, nullptr);
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
    return WindowLong<LONG>(hwnd, index, &value);
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int max_count) {
    if (buffer == nullptr || max_count <= 0)
        return 0;
    buffer[0] = 0;
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(max_count),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

HWND FindWindowW(LPCWSTR class_name, LPCWSTR window_name) {
    return FindWindowExW(nullptr, nullptr, class_name, window_name);
}

HWND FindWindowExW(HWND parent, HWND after, LPCWSTR class_name, LPCWSTR window_name) {
    if (parent != nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(Lock());
    std::shared_ptr<WindowClass> wanted_class;
    if (class_name != nullptr) {
        wanted_class = FindClassRecord(class_name);
        if (wanted_class == nullptr) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
    }
    // NOTE: the title is read from the window record, not asked for with WM_GETTEXT, and
    // compared without case, as the search does on Windows.
    const std::u16string wanted_title = FoldCase(window_name);
    const std::vector<HWND>& tops = User().top_level;
    auto from = tops.begin();
    if (after != nullptr) {
        from = std::find(tops.begin(), tops.end(), after);
        if (from == tops.end()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        ++from;
    }
    for (auto it = from; it != tops.end(); ++it) {
        auto window = FindWindowRecord(*it);
        if (window == nullptr || window->destroying)
            continue;
        if (wanted_class != nullptr && window->window_class != wanted_class)
            continue;
        if (window_name != nullptr && FoldCase(window->text.c_str()) != wanted_title)
            continue;
        return *it;
    }
    return nullptr;
}
