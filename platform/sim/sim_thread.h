// Threads, waits, events, critical sections and clocks of the simulated backend.
//
// Kernel objects (threads and events) live in a handle table, so a stale or closed handle is
// reported as ERROR_INVALID_HANDLE instead of being dereferenced. Handle values are never
// reused, which makes a use after CloseHandle fail loudly rather than reach another object.
#pragma once

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_types.h"

typedef DWORD* LPDWORD;
typedef HANDLE* PHANDLE;

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID parameter);

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED_0 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define MAXIMUM_WAIT_OBJECTS 64
#define STILL_ACTIVE 259u

// Threads. Only dwCreationFlags = 0 is supported (no suspended start); the stack size is
// left to the C++ library.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stack_size,
                    LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creation_flags,
                    LPDWORD thread_id);
DWORD GetCurrentThreadId();
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exit_code);

// Events. Named events are not simulated: a name makes the call fail.
HANDLE CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manual_reset, BOOL initial_state,
                    LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL CloseHandle(HANDLE object);

// Mutexes, for their names only: a program finds out with a named mutex whether another copy
// of it runs (there is one process in the simulation, so the other copy is another part of
// the same process). A name that another open handle carries gives a handle to that object and
// ERROR_ALREADY_EXISTS; once every handle to it is closed the name is free again. Names are
// compared unit by unit, as the object manager does. Ownership is not simulated: a mutex
// created owned (initial_owner TRUE) is refused with ERROR_NOT_SUPPORTED, and so is a wait on
// a mutex.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES attributes, BOOL initial_owner, LPCWSTR name);

// Waits on thread and event handles. A thread handle is signalled once the thread has ended;
// an auto-reset event is reset by the wait that it satisfies.
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL wait_all, DWORD milliseconds);

// Clocks.
void Sleep(DWORD milliseconds);
DWORD GetTickCount();
ULONGLONG GetTickCount64();
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);

// Critical sections: recursive locks owned by a thread, as on Windows. The structure holds
// only a pointer to the lock that InitializeCriticalSection creates.
typedef struct _RTL_CRITICAL_SECTION {
    void* impl;
} CRITICAL_SECTION, *LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
