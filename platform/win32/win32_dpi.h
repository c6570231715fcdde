// The DPI calls of Windows 10 (1607 and 1703), resolved at run time so that the programs start
// on older systems: an import the loader cannot find stops a program before its first line.
// Each keyseq_ function looks the real one up in user32.dll once and calls it; where it is
// missing it answers with what the older calls can tell. The macros below route the ordinary
// names to them, so the code above platform/ keeps writing plain Win32. Include after
// <windows.h>.
#pragma once

// Routed: the real function where user32.dll has it, else the fallback below. The lookup
// happens once per process, on first use, and is thread-safe (a function-local static).
UINT WINAPI keyseq_GetDpiForWindow(HWND hwnd);
UINT WINAPI keyseq_GetDpiForSystem();
DPI_AWARENESS_CONTEXT WINAPI keyseq_GetThreadDpiAwarenessContext();
DPI_AWARENESS WINAPI keyseq_GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context);
BOOL WINAPI keyseq_SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT context);

// The fallbacks, declared so that tests can call them on a system that has the real ones.
//
// Before Windows 10 1607 the system scales every window by the system DPI, so a window's DPI
// is the screen DC's LOGPIXELSX (0 for something that is not a window, as the real call
// answers).
UINT keyseq_FallbackGetDpiForWindow(HWND hwnd);
UINT keyseq_FallbackGetDpiForSystem();
// The process's awareness as one of the pseudo contexts DPI_AWARENESS_CONTEXT_UNAWARE,
// _SYSTEM_AWARE or _PER_MONITOR_AWARE: from GetProcessDpiAwareness (shcore.dll, Windows 8.1)
// where it exists, else from IsProcessDPIAware (Vista and 7 know only system aware or not).
// Awareness is per process there, so the thread's is the process's.
DPI_AWARENESS_CONTEXT keyseq_FallbackGetThreadDpiAwarenessContext();
// Maps the pseudo contexts to their awareness (the version-2 one to per-monitor, the
// GDI-scaled one to unaware); anything else is DPI_AWARENESS_INVALID.
DPI_AWARENESS keyseq_FallbackGetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context);
// Unaware, system aware and per-monitor (version 1) go to SetProcessDpiAwareness (shcore.dll,
// 8.1); without it the aware ones go to SetProcessDPIAware, which on Vista and 7 makes the
// process system aware, the most those systems offer (the awareness query tells which level
// was reached). The version-2 context and unknown ones are refused with
// ERROR_INVALID_PARAMETER, as the systems before version 2 refuse it, and so are unaware
// without shcore.dll (nothing could set it). TRUE only when a call applied; a refusal by
// shcore.dll because the awareness was already set is FALSE with ERROR_ACCESS_DENIED.
BOOL keyseq_FallbackSetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT context);

#define GetDpiForWindow keyseq_GetDpiForWindow
#define GetDpiForSystem keyseq_GetDpiForSystem
#define GetThreadDpiAwarenessContext keyseq_GetThreadDpiAwarenessContext
#define GetAwarenessFromDpiAwarenessContext keyseq_GetAwarenessFromDpiAwarenessContext
#define SetProcessDpiAwarenessContext keyseq_SetProcessDpiAwarenessContext
