// Waitable timers of the simulated backend: kernel objects that become signalled at a due
// time, for WaitForSingleObject and WaitForMultipleObjects. The simulation's clock is exact,
// so the high-resolution flag is accepted and changes nothing. Periods, completion routines
// and names are not simulated.
#pragma once

#include "platform/sim/sim_thread.h"

#define CREATE_WAITABLE_TIMER_MANUAL_RESET 0x00000001
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#define TIMER_ALL_ACCESS 0x001F0003

typedef VOID(CALLBACK* PTIMERAPCROUTINE)(LPVOID arg, DWORD low, DWORD high);

HANDLE CreateWaitableTimerExW(LPSECURITY_ATTRIBUTES attributes, LPCWSTR name, DWORD flags,
                              DWORD desired_access);
HANDLE CreateWaitableTimerW(LPSECURITY_ATTRIBUTES attributes, BOOL manual_reset, LPCWSTR name);
// due: in 100 ns units, negative for a time relative to now, positive for an absolute time
// (which the simulation has no calendar for and refuses). period must be 0.
BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* due, LONG period,
                      PTIMERAPCROUTINE completion, LPVOID arg, BOOL resume);
BOOL CancelWaitableTimer(HANDLE timer);
