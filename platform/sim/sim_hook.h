// Low-level keyboard and mouse hooks of the simulated backend.
//
// A hook belongs to the thread that installed it and is called on that thread, as on
// Windows: input from the same thread calls it directly; input from another thread waits
// until the installing thread retrieves messages (GetMessageW, PeekMessageW), which run the
// call for it. A thread that installs a low-level hook must therefore pump messages.
//
// Hooks are called newest first, each with the same record; the first that answers non-zero
// swallows the event: the later hooks do not see it and the key state and cursor stay as
// they were. CallNextHookEx answers 0, since the simulation calls the next hook itself.
//
// Each call has a time limit (sim::SetLowLevelHookTimeout; Windows reads it from the
// registry). A hook whose thread does not answer within it is passed over, the event goes on
// to the next hook and the window, and the hook is removed for good, without telling its
// owner: UnhookWindowsHookEx then answers FALSE, as on Windows since version 7. Input from
// the hook's own thread cannot be interrupted: that call is timed afterwards and a late answer
// counts for nothing. A hook whose thread has ended is removed the same way.
#pragma once

#include "platform/sim/sim_types.h"

#define WH_KEYBOARD_LL 13
#define WH_MOUSE_LL 14
#define HC_ACTION 0

#define LLKHF_EXTENDED 0x00000001
#define LLKHF_INJECTED 0x00000010
#define LLKHF_ALTDOWN 0x00000020
#define LLKHF_UP 0x00000080
#define LLMHF_INJECTED 0x00000001

typedef LRESULT(CALLBACK* HOOKPROC)(int code, WPARAM wparam, LPARAM lparam);

typedef struct tagKBDLLHOOKSTRUCT {
    DWORD vkCode;
    DWORD scanCode;
    DWORD flags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
} KBDLLHOOKSTRUCT, *LPKBDLLHOOKSTRUCT, *PKBDLLHOOKSTRUCT;

typedef struct tagMSLLHOOKSTRUCT {
    POINT pt;
    DWORD mouseData;
    DWORD flags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
} MSLLHOOKSTRUCT, *LPMSLLHOOKSTRUCT, *PMSLLHOOKSTRUCT;

// Only WH_KEYBOARD_LL and WH_MOUSE_LL, system-wide (thread_id 0), are simulated; anything
// else fails with ERROR_INVALID_PARAMETER.
HHOOK SetWindowsHookExW(int id, HOOKPROC proc, HINSTANCE module, DWORD thread_id);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wparam, LPARAM lparam);
BOOL UnhookWindowsHookEx(HHOOK hook);

// The test side: the time limit of every low-level hook call, in milliseconds; 0 restores the
// default of 1000.
namespace sim {
void SetLowLevelHookTimeout(DWORD milliseconds);
DWORD LowLevelHookTimeout();
} // namespace sim

namespace sim::detail {
// Offers one event to the hooks of the given type; answers true when a hook swallowed it.
bool CallLowLevelHooks(int id, WPARAM message, LPARAM record);
} // namespace sim::detail
