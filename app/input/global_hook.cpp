// The global hook: installation, removal and the hook procedure.
#include "app/input/global_hook.h"

#include <algorithm>
#include <iterator>

#include "app/replay/replay_engine.h"

namespace rg_lch_qmlt_ymk_lumeOak {

namespace {

// The module-wide hook state; only the thread that installed the hooks touches it (see the
// header), so no lock.
rg_qj_gzl__n* g_current = nullptr;
HHOOK g_keyboard = nullptr;
HHOOK g_mouse = nullptr;
// Written by the hook procedure and by (re)installation, read by the watchdog on the clock's
// tick: all on the user-interface thread, the one that installed the hooks, so a plain store.
DWORD g_last_event_tick = 0;
// The last keyboard event, when it was a lock key's press that no program injected: a release
// of the same key with the same time stamp right after it is half of a pair the system sent
// (see LockSyncMark). Same thread rule as above.
struct LockPress {
    DWORD key = 0;
    DWORD time = 0;
    bool pending = false;
};
LockPress g_lock_press;
// The Alt keys that are down by the user's input (anything the replay did not inject): bit 0
// the left, bit 1 the right. Same thread rule as above.
unsigned g_user_alt = 0;
// The same for the Alt keys that a run holds (its own marked input).
unsigned g_replay_alt = 0;

// Removes the keyboard hook, then the mouse hook. The system may have removed either already;
// its handle is then refused, which changes nothing.
void RemoveHooks() {
    if (g_keyboard != nullptr)
        UnhookWindowsHookEx(g_keyboard);
    if (g_mouse != nullptr)
        UnhookWindowsHookEx(g_mouse);
    g_keyboard = nullptr;
    g_mouse = nullptr;
}

// The mark an event gets for the bindings (see the header): a release a stop made the replay
// send, any other input of a run, or the user's.
int64_t ReplayMark(bool injected, ULONG_PTR extra) {
    if (!injected)
        return kUserInput;
    return extra == kReplayStopMark    ? kStopRelease
           : extra == kReplayInputMark ? kReplayInput
                                       : kUserInput;
}

// Keeps the record of the Alt keys down, the user's apart from the replay's.
void TrackAlt(WPARAM message, const KBDLLHOOKSTRUCT& record, bool replay) {
    unsigned side;
    if (record.vkCode == VK_LMENU)
        side = 1;
    else if (record.vkCode == VK_RMENU)
        side = 2;
    else if (record.vkCode == VK_MENU)
        side = (record.flags & LLKHF_EXTENDED) != 0 ? 2 : 1;
    else
        return;
    unsigned& alt = replay ? g_replay_alt : g_user_alt;
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        alt |= side;
    else
        alt &= ~side;
}

// Whether the user holds Alt. Alt must be down now (the event's flag, or its own state: Wine
// leaves the flag clear on injected releases), and not only by a run: when no run holds Alt,
// any Alt down is the user's, even one pressed before the hook saw it; while one does, only an
// Alt the hook saw the user press counts. Alt's own state also clears a record of the user's
// Alt whose release the hook missed (while it was being installed again).
bool UserHoldsAlt(const KBDLLHOOKSTRUCT& record) {
    const bool down = (record.flags & LLKHF_ALTDOWN) != 0 || GetAsyncKeyState(VK_MENU) < 0;
    if (!down)
        g_user_alt = 0;
    return down && (g_user_alt != 0 || g_replay_alt == 0);
}

bool IsLockKey(DWORD key) {
    return key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_SCROLL;
}

// Whether a key event is the release of a lock key that the system pressed and released in one
// go to bring its lock state in line with the keyboard's (Wine does this before the next key
// when a lock was toggled where the X server keeps no lock state, as Scroll Lock on a virtual
// display): not injected, and its press the keyboard event just before it, with the same time
// stamp. A hand's press lasts tens of milliseconds; the time stamps step every 16 ms or less.
// Keeps the module-wide record of the last press up to date.
bool LockSyncRelease(WPARAM message, const KBDLLHOOKSTRUCT& record) {
    const bool injected = (record.flags & LLKHF_INJECTED) != 0;
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool sync = !down && !injected && g_lock_press.pending &&
                      g_lock_press.key == record.vkCode && g_lock_press.time == record.time;
    g_lock_press.pending = down && !injected && IsLockKey(record.vkCode);
    g_lock_press.key = record.vkCode;
    g_lock_press.time = record.time;
    return sync;
}

void FireKey(rg_qj_gzl__n& hook, WPARAM message, const KBDLLHOOKSTRUCT& record) {
    int64_t marked = ReplayMark((record.flags & LLKHF_INJECTED) != 0, record.dwExtraInfo);
    TrackAlt(message, record, marked != kUserInput);
    if (LockSyncRelease(message, record))
        marked = kLockSync;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        hook.KeyPressed().Fire(&hook, record.vkCode, marked);
        break;
    case WM_KEYUP:
        hook.KeyReleased().Fire(&hook, record.vkCode, marked);
        break;
    case WM_SYSKEYUP:
        // A key released with the user's Alt held is part of an Alt shortcut, no trigger. Any
        // other system key-up is an ordinary release: F10 by itself, and every key while only
        // a run holds Alt, so that the trigger key still stops such a run.
        if (!UserHoldsAlt(record))
            hook.KeyReleased().Fire(&hook, record.vkCode, marked);
        break;
    default:
        break;
    }
}

void FireButton(rg_qj_gzl__n& hook, WPARAM message, const MSLLHOOKSTRUCT& record) {
    const int64_t marked = ReplayMark((record.flags & LLMHF_INJECTED) != 0, record.dwExtraInfo);
    switch (message) {
    case WM_LBUTTONDOWN:
        hook.ButtonPressed().Fire(&hook, 1, marked);
        break;
    case WM_LBUTTONUP:
        hook.ButtonReleased().Fire(&hook, 1, marked);
        break;
    case WM_RBUTTONDOWN:
        hook.ButtonPressed().Fire(&hook, 2, marked);
        break;
    case WM_RBUTTONUP:
        hook.ButtonReleased().Fire(&hook, 2, marked);
        break;
    case WM_MBUTTONDOWN:
        hook.ButtonPressed().Fire(&hook, 3, marked);
        break;
    case WM_MBUTTONUP:
        hook.ButtonReleased().Fire(&hook, 3, marked);
        break;
    default: // moves, the wheel, other buttons
        break;
    }
}

// The sink's event for a hook call; false for messages it does not take (the wheel, other
// buttons).
bool SinkEvent(bool key, WPARAM message, LPARAM lparam, InputEvent& event) {
    if (key) {
        const auto& record = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        event.kind = message == WM_KEYDOWN || message == WM_SYSKEYDOWN ? InputKind::KeyDown
                                                                       : InputKind::KeyUp;
        event.code = static_cast<int32_t>(record.vkCode);
        event.injected = (record.flags & LLKHF_INJECTED) != 0;
    } else {
        static constexpr struct {
            UINT message;
            InputKind kind;
            int32_t button;
        } kMouse[] = {
            {WM_MOUSEMOVE, InputKind::Move, 0},     {WM_LBUTTONDOWN, InputKind::ButtonDown, 1},
            {WM_LBUTTONUP, InputKind::ButtonUp, 1}, {WM_RBUTTONDOWN, InputKind::ButtonDown, 2},
            {WM_RBUTTONUP, InputKind::ButtonUp, 2}, {WM_MBUTTONDOWN, InputKind::ButtonDown, 3},
            {WM_MBUTTONUP, InputKind::ButtonUp, 3}};
        const auto* found = std::find_if(std::begin(kMouse), std::end(kMouse),
                                         [message](const auto& m) { return m.message == message; });
        if (found == std::end(kMouse))
            return false;
        const auto& record = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lparam);
        event.kind = found->kind;
        event.code = found->button;
        event.x = record.pt.x;
        event.y = record.pt.y;
        event.injected = (record.flags & LLMHF_INJECTED) != 0;
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    event.time = now.QuadPart;
    return true;
}

void PassToSink(IHookInputSink& sink, bool key, WPARAM message, LPARAM lparam) {
    InputEvent event;
    if (SinkEvent(key, message, lparam, event))
        sink.OnHookInput(event);
}

bool IsKeyMessage(WPARAM message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP;
}

} // namespace

rg_qj_gzl__n::rg_qj_gzl__n() {
    Install();
}

rg_qj_gzl__n::rg_qj_gzl__n(const rg_qj_gzl__n& other) : CRixObject(other) {
    Install();
}

rg_qj_gzl__n& rg_qj_gzl__n::operator=(const rg_qj_gzl__n& other) {
    CRixObject::operator=(other);
    return *this;
}

void rg_qj_gzl__n::Install() {
    g_current = this;
    // Installing a second pair would call the procedure twice for every event.
    if (g_mouse == nullptr || g_keyboard == nullptr)
        g_last_event_tick = GetTickCount();
    if (g_mouse == nullptr)
        g_mouse = SetWindowsHookExW(WH_MOUSE_LL, HookProcedure, GetModuleHandleW(nullptr), 0);
    if (g_keyboard == nullptr)
        g_keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, HookProcedure, GetModuleHandleW(nullptr), 0);
}

bool rg_qj_gzl__n::Rehook() {
    if (g_current != this)
        return false;
    RemoveHooks();
    Install();
    return IsInstalled();
}

rg_qj_gzl__n::~rg_qj_gzl__n() {
    if (g_current == this) {
        RemoveHooks();
        g_current = nullptr;
    }
    // The bindings release their targets as members are destroyed: button pressed first, key
    // released last.
}

rg_qj_gzl__n* rg_qj_gzl__n::Current() {
    return g_current;
}

bool rg_qj_gzl__n::IsInstalled() {
    return g_keyboard != nullptr && g_mouse != nullptr;
}

HHOOK rg_qj_gzl__n::KeyboardHook() {
    return g_keyboard;
}

HHOOK rg_qj_gzl__n::MouseHook() {
    return g_mouse;
}

DWORD rg_qj_gzl__n::LastEventTick() {
    return g_last_event_tick;
}

LRESULT CALLBACK rg_qj_gzl__n::HookProcedure(int code, WPARAM wparam, LPARAM lparam) {
    g_last_event_tick = GetTickCount();
    // A negative code must be passed on untouched; low-level hooks get HC_ACTION only.
    bool key = IsKeyMessage(wparam);
    if (g_current != nullptr && code >= 0 && lparam != 0) {
        if (g_current->GetInputSink() != nullptr)
            PassToSink(*g_current->GetInputSink(), key, wparam, lparam);
        if (key)
            FireKey(*g_current, wparam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam));
        else
            FireButton(*g_current, wparam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lparam));
    }
    // Never swallowed: the trigger and Pause keys also reach the application with the focus.
    return CallNextHookEx(key ? g_keyboard : g_mouse, code, wparam, lparam);
}

} // namespace rg_lch_qmlt_ymk_lumeOak
