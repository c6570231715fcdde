// Menus, pop-up menus answered by the test, and accelerator tables of the simulated backend.
//
// The records live in two handle tables under one lock of their own (menus never call into
// window procedures while it is held). TrackPopupMenu posts its WM_COMMAND and
// TranslateAcceleratorW sends its WM_COMMAND after the lock is released.
#include "platform/sim/sim_menu.h"

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_testing.h"
#include "platform/sim/sim_window.h"

namespace {

struct MenuItem {
    UINT flags = 0; // MF_* as given, MF_POPUP for an item that opens submenu
    UINT_PTR id = 0;
    HMENU submenu = nullptr;
    std::u16string text;
};

struct Menu {
    std::vector<MenuItem> items;
};

// Every field below is guarded by g_mutex.
std::mutex g_mutex;
std::unordered_map<HMENU, Menu> g_menus;
uintptr_t g_next_menu = 0x30010;
std::unordered_map<HACCEL, std::vector<ACCEL>> g_tables;
uintptr_t g_next_table = 0x50010;
std::deque<UINT> g_choices;
std::vector<sim::PopupMenuCall> g_calls;
std::unordered_map<HWND, HMENU> g_system_menus;

constexpr UINT kNoItem = static_cast<UINT>(-1);

HMENU NewMenu() {
    std::lock_guard<std::mutex> lock(g_mutex);
    HMENU menu = reinterpret_cast<HMENU>(g_next_menu);
    g_next_menu += 2;
    g_menus.emplace(menu, Menu{});
    return menu;
}

Menu* FindMenu(HMENU menu) {
    auto it = g_menus.find(menu);
    return it != g_menus.end() ? &it->second : nullptr;
}

// The item at a position or, by command, the first non-popup item with that id in the menu
// or its sub-menus, depth first. g_mutex held.
const MenuItem* FindItem(HMENU menu, UINT item, UINT flags) {
    const Menu* record = FindMenu(menu);
    if (record == nullptr)
        return nullptr;
    if (flags & MF_BYPOSITION)
        return item < record->items.size() ? &record->items[item] : nullptr;
    for (const MenuItem& entry : record->items) {
        if (entry.flags & MF_POPUP) {
            if (const MenuItem* found = FindItem(entry.submenu, item, flags))
                return found;
        } else if ((entry.flags & MF_SEPARATOR) == 0 && entry.id == item) {
            return &entry;
        }
    }
    return nullptr;
}

// Whether id names a command item that a click could choose: an enabled command item of the
// menu, or of a sub-menu that opens from an enabled item. g_mutex held.
bool IsChoosable(HMENU menu, UINT id) {
    const Menu* record = FindMenu(menu);
    if (record == nullptr)
        return false;
    for (const MenuItem& entry : record->items) {
        if (entry.flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR))
            continue;
        if (entry.flags & MF_POPUP) {
            if (IsChoosable(entry.submenu, id))
                return true;
        } else if (entry.id == id) {
            return true;
        }
    }
    return false;
}

void DestroyTree(HMENU menu) {
    auto it = g_menus.find(menu);
    if (it == g_menus.end())
        return;
    std::vector<HMENU> submenus;
    for (const MenuItem& item : it->second.items) {
        if (item.flags & MF_POPUP)
            submenus.push_back(item.submenu);
    }
    g_menus.erase(it);
    for (HMENU submenu : submenus)
        DestroyTree(submenu);
}

BYTE HeldModifiers() {
    BYTE mask = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        mask |= FSHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        mask |= FCONTROL;
    if (GetKeyState(VK_MENU) < 0)
        mask |= FALT;
    return mask;
}

} // namespace

HMENU CreateMenu() {
    return NewMenu();
}

HMENU CreatePopupMenu() {
    return NewMenu();
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Menu* record = FindMenu(menu);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    MenuItem item;
    item.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR);
    // A separator cannot be chosen, and reports itself greyed as on Windows.
    if (flags & MF_SEPARATOR)
        item.flags |= MF_GRAYED;
    if (flags & MF_POPUP) {
        HMENU submenu = reinterpret_cast<HMENU>(id);
        if (submenu == menu || FindMenu(submenu) == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        item.submenu = submenu;
    } else {
        item.id = id;
    }
    if ((flags & MF_SEPARATOR) == 0 && text != nullptr)
        item.text = text;
    record->items.push_back(std::move(item));
    return TRUE;
}

BOOL DestroyMenu(HMENU menu) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (FindMenu(menu) == nullptr) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    DestroyTree(menu);
    return TRUE;
}

namespace {
// The menu holding the item and its index; by command, depth first as FindItem. g_mutex held.
bool LocateItem(HMENU menu, UINT item, UINT flags, HMENU* holder, size_t* index) {
    Menu* record = FindMenu(menu);
    if (record == nullptr)
        return false;
    if (flags & MF_BYPOSITION) {
        *holder = menu;
        *index = item;
        return item < record->items.size();
    }
    for (size_t i = 0; i < record->items.size(); ++i) {
        const MenuItem& entry = record->items[i];
        if (entry.flags & MF_POPUP) {
            if (LocateItem(entry.submenu, item, flags, holder, index))
                return true;
        } else if ((entry.flags & MF_SEPARATOR) == 0 && entry.id == item) {
            *holder = menu;
            *index = i;
            return true;
        }
    }
    return false;
}
} // namespace

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) {
    std::lock_guard<std::mutex> lock(g_mutex);
    HMENU holder = nullptr;
    size_t index = 0;
    if (FindMenu(menu) == nullptr) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!LocateItem(menu, item, flags, &holder, &index))
        return FALSE;
    Menu* record = FindMenu(holder);
    MenuItem removed = record->items[index];
    record->items.erase(record->items.begin() + static_cast<std::ptrdiff_t>(index));
    if (removed.flags & MF_POPUP)
        DestroyTree(removed.submenu);
    return TRUE;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    if (!IsWindow(hwnd) || (GetWindowLongW(hwnd, GWL_STYLE) & WS_SYSMENU) == 0)
        return nullptr;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_system_menus.find(hwnd);
        if (revert) {
            if (it != g_system_menus.end()) {
                DestroyTree(it->second);
                g_system_menus.erase(it);
            }
            return nullptr;
        }
        if (it != g_system_menus.end())
            return it->second;
    }
    HMENU menu = NewMenu();
    AppendMenuW(menu, MF_STRING, SC_RESTORE, u"&Restore");
    AppendMenuW(menu, MF_STRING, SC_MOVE, u"&Move");
    AppendMenuW(menu, MF_STRING, SC_SIZE, u"&Size");
    AppendMenuW(menu, MF_STRING, SC_MINIMIZE, u"Mi&nimize");
    AppendMenuW(menu, MF_STRING, SC_MAXIMIZE, u"Ma&ximize");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, SC_CLOSE, u"&Close");
    std::lock_guard<std::mutex> lock(g_mutex);
    g_system_menus.emplace(hwnd, menu);
    return menu;
}

BOOL IsMenu(HMENU menu) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return FindMenu(menu) != nullptr ? TRUE : FALSE;
}

namespace {
bool MayHaveMenuBar(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_STYLE) & (WS_CHILD | WS_POPUP)) != WS_CHILD;
}
} // namespace

HMENU GetMenu(HWND hwnd) {
    if (!IsWindow(hwnd) || !MayHaveMenuBar(hwnd))
        return nullptr;
    return reinterpret_cast<HMENU>(GetWindowLongPtrW(hwnd, GWLP_ID));
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    if (!IsWindow(hwnd) || !MayHaveMenuBar(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (menu != nullptr && !IsMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    SetWindowLongPtrW(hwnd, GWLP_ID, reinterpret_cast<LONG_PTR>(menu));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

HMENU GetSubMenu(HMENU menu, int position) {
    std::lock_guard<std::mutex> lock(g_mutex);
    const MenuItem* item = FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return item != nullptr && (item->flags & MF_POPUP) ? item->submenu : nullptr;
}

int GetMenuItemCount(HMENU menu) {
    std::lock_guard<std::mutex> lock(g_mutex);
    const Menu* record = FindMenu(menu);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return -1;
    }
    return static_cast<int>(record->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
    std::lock_guard<std::mutex> lock(g_mutex);
    const MenuItem* item = FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (item == nullptr || (item->flags & MF_POPUP))
        return kNoItem;
    return static_cast<UINT>(item->id);
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int max_count, UINT flags) {
    std::lock_guard<std::mutex> lock(g_mutex);
    const MenuItem* entry = FindItem(menu, item, flags);
    if (entry == nullptr || (entry->flags & MF_SEPARATOR))
        return 0;
    const int length = static_cast<int>(entry->text.size());
    if (buffer == nullptr || max_count <= 0)
        return length;
    const int copied = length < max_count - 1 ? length : max_count - 1;
    entry->text.copy(buffer, static_cast<size_t>(copied));
    buffer[copied] = 0;
    return copied;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    std::lock_guard<std::mutex> lock(g_mutex);
    const MenuItem* entry = FindItem(menu, item, flags);
    if (entry == nullptr)
        return kNoItem;
    if (entry->flags & MF_POPUP) {
        const Menu* submenu = FindMenu(entry->submenu);
        const UINT count = submenu != nullptr ? static_cast<UINT>(submenu->items.size()) : 0;
        return (count << 8) | (entry->flags & 0xFF);
    }
    return entry->flags;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int /*reserved*/, HWND owner,
                    const RECT* /*rect*/) {
    if (!IsMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    UINT chosen = 0;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_choices.empty()) {
            const UINT choice = g_choices.front();
            g_choices.pop_front();
            if (choice != 0 && IsChoosable(menu, choice))
                chosen = choice;
        }
        g_calls.push_back({menu, flags, x, y, owner, chosen});
    }
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen != 0)
        PostMessageW(owner, WM_COMMAND, chosen, 0);
    return TRUE;
}

HACCEL CreateAcceleratorTableW(LPACCEL entries, int count) {
    if (entries == nullptr || count < 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    HACCEL table = reinterpret_cast<HACCEL>(g_next_table);
    g_next_table += 2;
    g_tables.emplace(table, std::vector<ACCEL>(entries, entries + count));
    return table;
}

int CopyAcceleratorTableW(HACCEL table, LPACCEL entries, int count) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_tables.find(table);
    if (it == g_tables.end()) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    const int size = static_cast<int>(it->second.size());
    if (entries == nullptr)
        return size;
    const int copied = count < size ? count : size;
    for (int i = 0; i < copied; ++i)
        entries[i] = it->second[static_cast<size_t>(i)];
    return copied > 0 ? copied : 0;
}

BOOL DestroyAcceleratorTable(HACCEL table) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_tables.erase(table) == 0) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return FALSE;
    }
    return TRUE;
}

int TranslateAcceleratorW(HWND hwnd, HACCEL table, LPMSG msg) {
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return 0;
    const BYTE held = HeldModifiers();
    WORD command = 0;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_tables.find(table);
        if (it == g_tables.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        bool found = false;
        for (const ACCEL& entry : it->second) {
            if ((entry.fVirt & FVIRTKEY) && entry.key == LOWORD(msg->wParam) &&
                (entry.fVirt & (FSHIFT | FCONTROL | FALT)) == held) {
                command = entry.cmd;
                found = true;
                break;
            }
        }
        if (!found)
            return 0;
    }
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return 1;
}

namespace sim {

void QueuePopupMenuChoice(UINT id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_choices.push_back(id);
}

std::vector<PopupMenuCall> PopupMenuCalls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_calls;
}

void ResetPopupMenus() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_choices.clear();
    g_calls.clear();
}

size_t LiveMenuCount() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_menus.size();
}

size_t LiveAcceleratorTableCount() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_tables.size();
}

} // namespace sim
