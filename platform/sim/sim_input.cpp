// The one input stream of the simulated backend: key and button state, the cursor, the log,
// and the way every event takes through the low-level hooks.
#include "platform/sim/sim_input.h"

#include "platform/sim/sim_nonclient.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <mutex>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_hook.h"
#include "platform/sim/sim_input_state.h"
#include "platform/sim/sim_window.h"

namespace {

// Message numbers that low-level hooks receive as wParam, by button number.
constexpr WPARAM kButtonDown[4] = {0, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr WPARAM kButtonUp[4] = {0, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
constexpr UINT kButtonVk[4] = {0, VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

// Everything below is guarded by g_mutex. Hooks are called with it released, so that a hook
// may read the key state or the cursor.
std::mutex g_mutex;
std::array<bool, 256> g_held{};
std::array<bool, 256> g_toggled{};
POINT g_cursor{0, 0};
int g_screen_width = 1280;
int g_screen_height = 1024;
std::vector<sim::InputRecord> g_log;

LONGLONG NowMicroseconds() {
    // The same clock as QueryPerformanceCounter, so tests can compare the two.
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

DWORD NowMilliseconds() {
    return static_cast<DWORD>(NowMicroseconds() / 1000);
}

// The time of the last key or mouse event (GetLastInputInfo), under g_mutex.
DWORD g_last_input = NowMilliseconds();

POINT Clip(LONG x, LONG y) {
    return POINT{std::clamp<LONG>(x, 0, g_screen_width - 1),
                 std::clamp<LONG>(y, 0, g_screen_height - 1)};
}

// Scan codes of set 1 for the US layout, indexed by virtual-key code; 0 where the simulated
// keyboard has no key.
constexpr std::array<BYTE, 256> MakeScanTable() {
    std::array<BYTE, 256> t{};
    const char* row1 = "QWERTYUIOP";
    const char* row2 = "ASDFGHJKL";
    const char* row3 = "ZXCVBNM";
    for (int i = 0; row1[i]; ++i)
        t[static_cast<unsigned char>(row1[i])] = static_cast<BYTE>(0x10 + i);
    for (int i = 0; row2[i]; ++i)
        t[static_cast<unsigned char>(row2[i])] = static_cast<BYTE>(0x1E + i);
    for (int i = 0; row3[i]; ++i)
        t[static_cast<unsigned char>(row3[i])] = static_cast<BYTE>(0x2C + i);
    for (int d = 1; d <= 9; ++d)
        t['0' + d] = static_cast<BYTE>(0x01 + d);
    t['0'] = 0x0B;
    for (int f = 0; f < 10; ++f)
        t[VK_F1 + f] = static_cast<BYTE>(0x3B + f);
    t[VK_F1 + 10] = 0x57;
    t[VK_F1 + 11] = 0x58;
    t[VK_ESCAPE] = 0x01;
    t[VK_OEM_MINUS] = 0x0C;
    t[VK_OEM_PLUS] = 0x0D;
    t[VK_BACK] = 0x0E;
    t[VK_TAB] = 0x0F;
    t[VK_OEM_4] = 0x1A;
    t[VK_OEM_6] = 0x1B;
    t[VK_RETURN] = 0x1C;
    t[VK_CONTROL] = t[VK_LCONTROL] = t[VK_RCONTROL] = 0x1D;
    t[VK_OEM_1] = 0x27;
    t[VK_OEM_7] = 0x28;
    t[VK_OEM_3] = 0x29;
    t[VK_SHIFT] = t[VK_LSHIFT] = 0x2A;
    t[VK_OEM_5] = 0x2B;
    t[VK_OEM_COMMA] = 0x33;
    t[VK_OEM_PERIOD] = 0x34;
    t[VK_OEM_2] = 0x35;
    t[VK_RSHIFT] = 0x36;
    t[VK_MULTIPLY] = 0x37;
    t[VK_MENU] = t[VK_LMENU] = t[VK_RMENU] = 0x38;
    t[VK_SPACE] = 0x39;
    t[VK_CAPITAL] = 0x3A;
    t[VK_NUMLOCK] = 0x45;
    t[VK_SCROLL] = 0x46;
    const BYTE pad[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    for (int d = 0; d < 10; ++d)
        t[VK_NUMPAD0 + d] = pad[d];
    t[VK_SUBTRACT] = 0x4A;
    t[VK_ADD] = 0x4E;
    t[VK_DECIMAL] = 0x53;
    t[VK_DIVIDE] = 0x35;
    // The navigation keys answer the scan code of their keypad twin (without the extended
    // prefix), as MapVirtualKey does.
    t[VK_HOME] = 0x47;
    t[VK_UP] = 0x48;
    t[VK_PRIOR] = 0x49;
    t[VK_LEFT] = 0x4B;
    t[VK_RIGHT] = 0x4D;
    t[VK_END] = 0x4F;
    t[VK_DOWN] = 0x50;
    t[VK_NEXT] = 0x51;
    t[VK_INSERT] = 0x52;
    t[VK_DELETE] = 0x53;
    return t;
}
constexpr std::array<BYTE, 256> kScan = MakeScanTable();

// The keys that the US keyboard has only with a prefix, as MAPVK_VK_TO_VSC_EX answers them;
// 0 for the others.
UINT PrefixedScan(UINT vk) {
    switch (vk) {
    case VK_CANCEL:
        return 0xE046;
    case VK_PAUSE:
        return 0xE11D;
    case VK_RCONTROL:
        return 0xE01D;
    case VK_RMENU:
        return 0xE038;
    case VK_DIVIDE:
        return 0xE035;
    case VK_LWIN:
        return 0xE05B;
    case VK_RWIN:
        return 0xE05C;
    case VK_APPS:
        return 0xE05D;
    default:
        break;
    }
    // The browser, volume, media and launch keys, VK_BROWSER_BACK to VK_LAUNCH_APP2.
    static constexpr BYTE kBrowserToLaunch[] = {0x6A, 0x69, 0x67, 0x68, 0x65, 0x66,
                                                0x32, 0x20, 0x2E, 0x30, 0x19, 0x10,
                                                0x24, 0x22, 0x6C, 0x6D, 0x6B, 0x21};
    if (vk >= VK_BROWSER_BACK && vk <= VK_LAUNCH_APP2)
        return 0xE000 | kBrowserToLaunch[vk - VK_BROWSER_BACK];
    return 0;
}

// The generic modifier is held while its left or right key is.
void SetHeld(UINT vk, bool down) {
    vk &= 0xFF;
    if (down && !g_held[vk])
        g_toggled[vk] = !g_toggled[vk];
    g_held[vk] = down;
    static constexpr UINT kPairs[][3] = {{VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
                                         {VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
                                         {VK_MENU, VK_LMENU, VK_RMENU}};
    for (const auto& pair : kPairs) {
        if (vk == pair[1] || vk == pair[2])
            g_held[pair[0]] = g_held[pair[1]] || g_held[pair[2]];
    }
}

constexpr UINT kPacket = 0xE7; // VK_PACKET: a character entered as a key

bool IsAltKey(UINT vk) {
    return vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
}

bool IsCtrlKey(UINT vk) {
    return vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL;
}

sim::detail::KeyState StateLocked() {
    sim::detail::KeyState state{};
    for (size_t vk = 0; vk < state.size(); ++vk)
        state[vk] = static_cast<BYTE>((g_held[vk] ? 0x80 : 0) | (g_toggled[vk] ? 0x01 : 0));
    return state;
}

// Whether Alt has been pressed with nothing else since: its release is then a system key-up.
// Under g_mutex.
bool g_alt_alone = false;

// The key message of an event, from the state before it: Alt makes system keys unless Ctrl
// is held, and so does F10; Alt released alone, and Ctrl released while Alt stays down, are
// system key-ups. Under g_mutex; updates the Alt-alone mark when commit is set.
UINT KeyMessage(UINT vk, bool up, bool commit) {
    const bool alt = g_held[VK_MENU];
    const bool ctrl = g_held[VK_CONTROL];
    bool sys = false;
    bool alone = g_alt_alone;
    if (IsAltKey(vk)) {
        if (up) {
            sys = alt && alone;
            alone = false;
        } else if (!ctrl) {
            sys = true;
            alone = true;
        }
    } else if (IsCtrlKey(vk)) {
        if (up && alt) {
            sys = true;
            alone = false;
        }
    } else if ((alt && !ctrl) || vk == VK_F10) {
        sys = true;
        alone = false;
    }
    if (commit)
        g_alt_alone = alone;
    return up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
}

// The message's wParam names the generic modifier, not its left or right key.
WPARAM GenericKey(UINT vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

// extended: the key is one of the keys that a keyboard sends with the extended-key prefix
// (KEYEVENTF_EXTENDEDKEY); the hook sees LLKHF_EXTENDED, the window bit 24 of lParam.
void KeyEvent(UINT vk, UINT scan, bool up, bool injected, ULONG_PTR extra, bool extended = false) {
    vk &= 0xFF;
    KBDLLHOOKSTRUCT record{};
    WPARAM message;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        // The hook's Alt flag is the state after the event (pressing Alt sets it).
        bool alt = up ? (g_held[VK_MENU] && !IsAltKey(vk)) : (g_held[VK_MENU] || IsAltKey(vk));
        message = KeyMessage(vk, up, false);
        record.vkCode = vk;
        record.scanCode = scan;
        record.flags = (injected ? LLKHF_INJECTED : 0) | (up ? LLKHF_UP : 0) |
                       (alt ? LLKHF_ALTDOWN : 0) | (extended ? LLKHF_EXTENDED : 0);
        record.time = NowMilliseconds();
        record.dwExtraInfo = extra;
        g_last_input = record.time;
        g_log.push_back(sim::InputRecord{up ? sim::InputKind::KeyUp : sim::InputKind::KeyDown,
                                         injected, vk, scan, 0, g_cursor, NowMicroseconds(),
                                         extra});
    }
    if (sim::detail::CallLowLevelHooks(WH_KEYBOARD_LL, message, reinterpret_cast<LPARAM>(&record)))
        return;
    sim::detail::KeyState before;
    LPARAM lparam;
    POINT cursor;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        before = StateLocked();
        message = KeyMessage(vk, up, true);
        // Repeat count 1, the scan code, Alt held before the event (bit 29), the previous
        // state (bit 30) and the transition (bit 31). A character sent as a key (VK_PACKET)
        // travels in the whole high word.
        if (vk == kPacket) {
            lparam = static_cast<LPARAM>(1 | ((scan & 0xFFFF) << 16));
        } else {
            DWORD bits = 1 | ((scan & 0xFF) << 16);
            if (extended)
                bits |= 1u << 24;
            if (g_held[VK_MENU])
                bits |= 1u << 29;
            if (up || g_held[vk])
                bits |= 1u << 30;
            if (up)
                bits |= 1u << 31;
            lparam = static_cast<LPARAM>(bits);
        }
        SetHeld(vk, !up);
        cursor = g_cursor;
    }
    sim::detail::DeliverKey(static_cast<UINT>(message), GenericKey(vk), lparam, before, record.time,
                            cursor);
}

// One mouse event: an optional move (already resolved to a target point), then a button or
// wheel change.
void MouseEvent(sim::InputKind kind, int button, POINT target, DWORD data, bool injected,
                ULONG_PTR extra) {
    MSLLHOOKSTRUCT record{};
    WPARAM message = WM_MOUSEMOVE;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        target = Clip(target.x, target.y);
        switch (kind) {
        case sim::InputKind::ButtonDown:
            message = kButtonDown[button];
            break;
        case sim::InputKind::ButtonUp:
            message = kButtonUp[button];
            break;
        case sim::InputKind::Wheel:
            message = WM_MOUSEWHEEL;
            break;
        default:
            break;
        }
        record.pt = target;
        record.mouseData = kind == sim::InputKind::Wheel ? (data << 16) : 0;
        record.flags = injected ? LLMHF_INJECTED : 0;
        record.time = NowMilliseconds();
        record.dwExtraInfo = extra;
        g_last_input = record.time;
        g_log.push_back(
            sim::InputRecord{kind, injected, 0, 0, button, target, NowMicroseconds(), extra});
    }
    if (sim::detail::CallLowLevelHooks(WH_MOUSE_LL, message, reinterpret_cast<LPARAM>(&record)))
        return;
    sim::detail::KeyState before, after;
    bool moved;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        before = StateLocked();
        moved = g_cursor.x != target.x || g_cursor.y != target.y;
        g_cursor = target;
        if (kind == sim::InputKind::ButtonDown || kind == sim::InputKind::ButtonUp)
            SetHeld(kButtonVk[button], kind == sim::InputKind::ButtonDown);
        after = StateLocked();
    }
    // A move to where the cursor already is makes no message.
    if (kind != sim::InputKind::Move || moved)
        sim::detail::DeliverMouse(static_cast<UINT>(message), target, data, before, after,
                                  record.time);
}

POINT CursorNow() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_cursor;
}

SIZE ScreenNow() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return SIZE{g_screen_width, g_screen_height};
}

void SendMouseInput(const MOUSEINPUT& mi) {
    POINT target = CursorNow();
    if (mi.dwFlags & MOUSEEVENTF_MOVE) {
        if (mi.dwFlags & MOUSEEVENTF_ABSOLUTE) {
            // Absolute coordinates are normalised to 0..65535 across the primary screen.
            SIZE screen = ScreenNow();
            target.x = static_cast<LONG>((static_cast<LONGLONG>(mi.dx) * screen.cx) / 65536);
            target.y = static_cast<LONG>((static_cast<LONGLONG>(mi.dy) * screen.cy) / 65536);
        } else {
            target.x += mi.dx;
            target.y += mi.dy;
        }
        MouseEvent(sim::InputKind::Move, 0, target, 0, true, mi.dwExtraInfo);
    }
    // Several button flags in one record are several events, in the order Windows takes them.
    static constexpr struct {
        DWORD flag;
        sim::InputKind kind;
        int button;
    } kButtons[] = {
        {MOUSEEVENTF_LEFTDOWN, sim::InputKind::ButtonDown, 1},
        {MOUSEEVENTF_LEFTUP, sim::InputKind::ButtonUp, 1},
        {MOUSEEVENTF_RIGHTDOWN, sim::InputKind::ButtonDown, 2},
        {MOUSEEVENTF_RIGHTUP, sim::InputKind::ButtonUp, 2},
        {MOUSEEVENTF_MIDDLEDOWN, sim::InputKind::ButtonDown, 3},
        {MOUSEEVENTF_MIDDLEUP, sim::InputKind::ButtonUp, 3},
    };
    for (const auto& b : kButtons) {
        if (mi.dwFlags & b.flag)
            MouseEvent(b.kind, b.button, CursorNow(), 0, true, mi.dwExtraInfo);
    }
    if (mi.dwFlags & MOUSEEVENTF_WHEEL)
        MouseEvent(sim::InputKind::Wheel, 0, CursorNow(), mi.mouseData, true, mi.dwExtraInfo);
}

} // namespace

void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra_info) {
    KeyEvent(vk, scan, (flags & KEYEVENTF_KEYUP) != 0, true, extra_info,
             (flags & KEYEVENTF_EXTENDEDKEY) != 0);
}

UINT MapVirtualKeyW(UINT code, UINT map_type) {
    switch (map_type) {
    case MAPVK_VK_TO_VSC: {
        if (code >= 256)
            return 0;
        UINT prefixed = PrefixedScan(code);
        // An E1 sequence has no one scan code.
        if ((prefixed >> 8) == 0xE1)
            return 0;
        return kScan[code] != 0 ? kScan[code] : prefixed & 0xFF;
    }
    case MAPVK_VK_TO_VSC_EX: {
        if (code >= 256)
            return 0;
        UINT prefixed = PrefixedScan(code);
        return prefixed != 0 ? prefixed : kScan[code];
    }
    case MAPVK_VSC_TO_VK:
        // The first key with that scan code, which is the main key rather than its twins
        // (for 0x2A the generic Shift, not the left one).
        for (UINT vk = 1; vk < 256; ++vk) {
            if (code != 0 && kScan[vk] == code && vk < VK_NUMPAD0)
                return vk;
        }
        return 0;
    default:
        return 0;
    }
}

UINT SendInput(UINT count, LPINPUT inputs, int size) {
    if (size != static_cast<int>(sizeof(INPUT)) || (count > 0 && inputs == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (UINT i = 0; i < count; ++i) {
        const INPUT& in = inputs[i];
        if (in.type == INPUT_MOUSE) {
            SendMouseInput(in.mi);
        } else if (in.type == INPUT_KEYBOARD) {
            UINT vk = in.ki.wVk;
            UINT scan = in.ki.wScan;
            if (in.ki.dwFlags & KEYEVENTF_UNICODE)
                vk = kPacket; // the character travels in the scan code
            else if (in.ki.dwFlags & KEYEVENTF_SCANCODE)
                vk = MapVirtualKeyW(scan, MAPVK_VSC_TO_VK);
            KeyEvent(vk, scan, (in.ki.dwFlags & KEYEVENTF_KEYUP) != 0, true, in.ki.dwExtraInfo,
                     (in.ki.dwFlags & KEYEVENTF_EXTENDEDKEY) != 0);
        }
        // Hardware records are not simulated; they count as entered, as on Windows.
    }
    return count;
}

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr)
        return FALSE;
    *point = CursorNow();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    sim::detail::KeyState state;
    POINT at;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_cursor = Clip(x, y);
        g_log.push_back(sim::InputRecord{sim::InputKind::CursorSet, true, 0, 0, 0, g_cursor,
                                         NowMicroseconds(), 0});
        state = StateLocked();
        at = g_cursor;
    }
    // Unlike device input, the call makes a move message even when the cursor stays put.
    sim::detail::DeliverMouse(WM_MOUSEMOVE, at, 0, state, state, NowMilliseconds());
    return TRUE;
}

BOOL GetLastInputInfo(PLASTINPUTINFO info) {
    if (info == nullptr || info->cbSize != sizeof(LASTINPUTINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    info->dwTime = g_last_input;
    return TRUE;
}

int GetSystemMetrics(int index) {
    std::lock_guard<std::mutex> lock(g_mutex);
    switch (index) {
    case SM_CXSCREEN:
        return g_screen_width;
    case SM_CYSCREEN:
        return g_screen_height;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    default:
        return 0;
    }
}

SHORT GetAsyncKeyState(int vk) {
    if (vk < 0 || vk > 255)
        return 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    return static_cast<SHORT>((g_held[vk] ? 0x8000 : 0) | (g_toggled[vk] ? 1 : 0));
}

namespace sim::detail {

KeyState AsyncKeyState() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return StateLocked();
}

} // namespace sim::detail

namespace sim {

std::vector<InputRecord> InputLog() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_log;
}

void ResetInput() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_log.clear();
    g_held.fill(false);
    g_toggled.fill(false);
    g_cursor = POINT{0, 0};
    g_alt_alone = false;
}

void PressKey(UINT vk) {
    KeyEvent(vk, MapVirtualKeyW(vk & 0xFF, MAPVK_VK_TO_VSC), false, false, 0);
}
void ReleaseKey(UINT vk) {
    KeyEvent(vk, MapVirtualKeyW(vk & 0xFF, MAPVK_VK_TO_VSC), true, false, 0);
}
void PressButton(int button) {
    if (button >= 1 && button <= 3)
        MouseEvent(InputKind::ButtonDown, button, CursorNow(), 0, false, 0);
}
void ReleaseButton(int button) {
    if (button >= 1 && button <= 3)
        MouseEvent(InputKind::ButtonUp, button, CursorNow(), 0, false, 0);
}
void MoveMouseTo(int x, int y) {
    MouseEvent(InputKind::Move, 0, POINT{x, y}, 0, false, 0);
}

void SetScreenSize(int width, int height) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_screen_width = std::max(1, width);
    g_screen_height = std::max(1, height);
    g_cursor = Clip(g_cursor.x, g_cursor.y);
}

} // namespace sim
