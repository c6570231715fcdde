// Keyboard messages of the simulated backend: key events of the input stream become key
// messages in the queue of the focus window's thread, TranslateMessage makes characters of
// them with the US layout, and GetKeyState answers the thread's view of the keys.
#include <cstdlib>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

bool Held(const KeyState& state, int vk) {
    return (state[static_cast<size_t>(vk)] & 0x80) != 0;
}

// The character a key makes on the US layout, or 0 for none. Ctrl turns letters and a few
// punctuation keys into control characters and silences the rest; Ctrl with Alt (AltGr)
// makes nothing on this layout.
WCHAR Character(UINT vk, bool shift, bool caps, bool ctrl, bool alt) {
    if (ctrl && alt)
        return 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl)
            return static_cast<WCHAR>(vk - 'A' + 1);
        return static_cast<WCHAR>(shift != caps ? vk : vk - 'A' + 'a');
    }
    switch (vk) {
    case VK_RETURN:
        return ctrl ? u'\n' : u'\r';
    case VK_BACK:
        return ctrl ? 0x7F : 0x08;
    case VK_ESCAPE:
        return 0x1B;
    case VK_SPACE:
        return u' ';
    case VK_OEM_4:
        return ctrl ? 0x1B : (shift ? u'{' : u'[');
    case VK_OEM_5:
        return ctrl ? 0x1C : (shift ? u'|' : u'\\');
    case VK_OEM_6:
        return ctrl ? 0x1D : (shift ? u'}' : u']');
    default:
        break;
    }
    if (ctrl)
        return 0;
    if (vk == VK_TAB)
        return u'\t';
    if (vk >= '0' && vk <= '9')
        return shift ? static_cast<WCHAR>(u")!@#$%^&*("[vk - '0']) : static_cast<WCHAR>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return static_cast<WCHAR>(u'0' + (vk - VK_NUMPAD0));
    struct Pair {
        UINT vk;
        WCHAR plain;
        WCHAR shifted;
    };
    static constexpr Pair kPunctuation[] = {
        {VK_OEM_1, u';', u':'},     {VK_OEM_PLUS, u'=', u'+'},   {VK_OEM_COMMA, u',', u'<'},
        {VK_OEM_MINUS, u'-', u'_'}, {VK_OEM_PERIOD, u'.', u'>'}, {VK_OEM_2, u'/', u'?'},
        {VK_OEM_3, u'`', u'~'},     {VK_OEM_7, u'\'', u'"'},     {VK_MULTIPLY, u'*', u'*'},
        {VK_ADD, u'+', u'+'},       {VK_SUBTRACT, u'-', u'-'},   {VK_DECIMAL, u'.', u'.'},
        {VK_DIVIDE, u'/', u'/'},
    };
    for (const Pair& p : kPunctuation) {
        if (p.vk == vk)
            return shift ? p.shifted : p.plain;
    }
    return 0;
}

} // namespace

namespace sim::detail {

void DeliverKey(UINT message, WPARAM vk, LPARAM lparam, const KeyState& before, DWORD time,
                POINT cursor) {
    std::lock_guard<std::mutex> lock(Lock());
    UserState& user = User();
    auto foreground = FindWindowRecord(user.foreground);
    if (foreground == nullptr)
        return; // no window of ours has the foreground: the keys go elsewhere
    auto queue = user.queues.find(foreground->thread);
    if (queue == user.queues.end())
        return;
    HWND target = queue->second->focus;
    if (target == nullptr) {
        // Without a focus window the active window gets the keys, as system keys.
        target = queue->second->active;
        if (message == WM_KEYDOWN)
            message = WM_SYSKEYDOWN;
        else if (message == WM_KEYUP)
            message = WM_SYSKEYUP;
    }
    if (target == nullptr)
        return;
    queue->second->input.push_back(
        InputMessage{MSG{target, message, vk, lparam, time, cursor}, before});
    Changed().notify_all();
}

} // namespace sim::detail

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr)
        return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return TRUE;
    default:
        return FALSE;
    }
    WCHAR ch;
    if (msg->wParam == VK_PACKET) {
        ch = static_cast<WCHAR>(HIWORD(msg->lParam));
    } else {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        const bool alt = GetKeyState(VK_MENU) < 0;
        ch = Character(static_cast<UINT>(msg->wParam & 0xFF), shift, caps, ctrl, alt);
    }
    if (ch != 0) {
        PostMessageW(msg->hwnd, msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, ch,
                     msg->lParam);
    }
    return TRUE;
}

SHORT GetKeyState(int vk) {
    if (vk < 0 || vk > 255)
        return 0;
    KeyState state;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto queue = User().queues.find(GetCurrentThreadId());
        if (queue != User().queues.end() && !queue->second->input.empty()) {
            state = queue->second->input.front().before;
            return static_cast<SHORT>((Held(state, vk) ? 0x8000 : 0) | (state[vk] & 1));
        }
    }
    state = AsyncKeyState();
    return static_cast<SHORT>((Held(state, vk) ? 0x8000 : 0) | (state[vk] & 1));
}
