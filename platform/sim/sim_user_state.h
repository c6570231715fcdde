// Internal to the simulated backend: the records behind window classes, windows, message
// queues and timers, all guarded by the dispatcher lock (sim_dispatcher.h), and the helpers
// that the window, message and timer sources share.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sim/sim_dispatcher.h"
#include "platform/sim/sim_input_state.h"
#include "platform/sim/sim_testing.h"
#include "platform/sim/sim_window.h"

namespace sim::detail {

struct WindowClass {
    std::u16string name;
    ATOM atom = 0;
    WNDCLASSEXW wc{}; // lpszClassName and lpszMenuName point into this record
    std::u16string menu_name;
    bool menu_is_resource_id = false;
    int window_count = 0; // a class with windows cannot be unregistered
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> window_class;
    WNDPROC proc = nullptr;
    DWORD thread = 0;           // the owning thread; its queue receives the messages
    DWORD process = 0;          // 0: this process; else another program's (sim::SetWindowProcess)
    HWND parent = nullptr;      // child windows only
    HWND owner = nullptr;       // top-level windows only
    std::vector<HWND> children; // in z-order, top first (creation order)
    DWORD style = 0;
    DWORD ex_style = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0; // GWLP_ID: the control id of a child, the menu of others
    LONG_PTR user_data = 0;
    std::vector<unsigned char> extra; // cbWndExtra bytes
    std::u16string text;
    HICON icons[2] = {nullptr, nullptr}; // WM_SETICON: ICON_SMALL, ICON_BIG
    RECT rect{}; // in the parent's client coordinates (screen for top level)
    bool destroying = false;
};

struct SentMessage {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    LRESULT result = 0;
    bool done = false;
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC proc;
    Clock::time_point due;
};

// A key or mouse message waiting in a queue, with the key state before its event. A mouse
// message holds its point in screen coordinates (MSG::pt); the client coordinates, a double
// click and the WM_MOUSEACTIVATE/WM_SETCURSOR that precede it are worked out when the thread
// retrieves it, as on Windows.
struct InputMessage {
    MSG msg;
    KeyState before;
};

struct ThreadQueue {
    DWORD thread = 0;
    HWND focus = nullptr;  // the thread's focus window
    HWND active = nullptr; // the thread's active top-level window
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SentMessage>> sent; // from other threads, awaiting handling
    std::deque<InputMessage> input;                // retrieved after the posted messages
    MSG last_click{};                              // the button-down a double click pairs with
    bool quit_pending = false;
    int quit_code = 0;
    std::vector<Timer> timers;
    UINT_PTR next_thread_timer_id = 1;
};

struct UserState {
    std::unordered_map<std::u16string, std::shared_ptr<WindowClass>> classes; // by folded name
    ATOM next_atom = 0xC000;
    std::unordered_map<HWND, std::shared_ptr<Window>> windows;
    std::vector<HWND> top_level; // in z-order, top first
    uintptr_t next_hwnd = 0x10010;
    std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
    HWND foreground = nullptr; // the window that receives keyboard input, through its thread
    HWND capture = nullptr;    // the window that receives all mouse input
    HCURSOR cursor = nullptr;  // as set by SetCursor
};

// All of these are called with Lock() held.
UserState& User();
// The window classes that exist in every process from the start: the dialog class "#32770"
// and the system controls (sim_system_classes.cpp).
void AddSystemClasses(UserState& user);
std::shared_ptr<Window> FindWindowRecord(HWND hwnd);
std::shared_ptr<WindowClass> FindClassRecord(LPCWSTR name_or_atom);
// The window classes every process has (BUTTON, ...), registered as the state is made
// (sim_system_classes.cpp).
void AddSystemClasses(UserState& user);
std::u16string FoldCase(const WCHAR* text);
// The calling thread's queue, made on first use.
std::shared_ptr<ThreadQueue> CurrentQueue();
bool IsDescendant(HWND ancestor, HWND hwnd);
// The screen position of a window's client area (0, 0 for the null window, the screen);
// false for an unknown window.
bool ClientOrigin(HWND hwnd, POINT* origin);
// Takes a window out of every table; no messages. Its children must be gone already.
void UnlinkWindow(Window& window);

// Focus and activation (sim_focus.cpp); called with the lock released. SetActive activates a
// top-level window of the calling thread (null deactivates), sending the messages Windows
// sends; with focus set, the focus goes into the window if it is not there already.
// AfterHide moves activation and focus away from a window that was hidden or is being
// destroyed.
HWND SetActive(HWND hwnd, bool mouse, bool focus);
void AfterHide(HWND hwnd);

// The window that a mouse event at a screen point goes to: the topmost visible top-level
// window there, then its visible children, topmost first; a disabled child leaves the event
// to its parent, and a disabled top-level window takes none (null). Lock held.
HWND WindowAt(POINT screen);
// Takes the next input message that passes the filter into msg, doing what Windows does at
// retrieval (sim_mouse.cpp for mouse messages). Called with the lock held; may release it
// around the messages it sends. Answers false when none is waiting.
bool TakeInput(std::unique_lock<std::mutex>& lock, ThreadQueue& queue, MSG* msg, HWND filter,
               UINT filter_min, UINT filter_max, bool remove);

// Calls a window procedure and records it in the message log; the lock must not be held.
LRESULT CallProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                 MessageRoute route);
void LogMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, MessageRoute route);

// How a send with a time limit ended: answered (result set); no receiver (no such window,
// or its thread has no queue any more); taken back unhandled at the time limit; or given up
// at the time limit while the receiver was already handling it (its answer is dropped).
enum class TimedSendOutcome { Answered, NoReceiver, TakenBack, Abandoned };
// SendMessageW with a time limit in milliseconds, as the system calls low-level hooks. A
// window of the calling thread is called directly, without a limit. The lock must not be held.
TimedSendOutcome SendMessageWithin(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   DWORD limit_ms, LRESULT* result);

// Whether a message for hwnd passes the window and range filter of GetMessage/PeekMessage.
bool PassesFilter(HWND msg_hwnd, UINT message, HWND filter, UINT filter_min, UINT filter_max);

// Timers of a queue: a due timer that passes the filter, as a WM_TIMER message (restarted
// when remove is set); the earliest time any such timer is due.
bool TakeDueTimer(ThreadQueue& queue, HWND filter, UINT filter_min, UINT filter_max, bool remove,
                  MSG* msg);
std::optional<Clock::time_point> NextTimerDue(const ThreadQueue& queue, HWND filter,
                                              UINT filter_min, UINT filter_max);
void KillWindowTimers(HWND hwnd);

} // namespace sim::detail
