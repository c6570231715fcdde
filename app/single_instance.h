// One copy of the program per user session. Two copies would both take the trigger key and
// replay their schemes interleaved, so a second start hands over to the running copy and ends,
// as Windows tools do: it brings the running copy's main window to the front and passes it the
// scheme named on its own command line, which the running copy then opens as `keyseq.exe NAME`
// opens it at start (app/window/main_form_handover.cpp).
//
// The first copy is the one that creates a named mutex of the session ("Local\..."); it keeps
// the handle until it ends, when the system closes it and frees the name. The running copy's
// window is found by title and class, and known by its answer to the hand-over's WM_COPYDATA:
// another program's window of the same title never gets the name and is never brought forward.
//
// Main thread, before the program's window exists.
#pragma once

#include "platform/platform.h"
#include "runtime/core/wstring.h"

// The mutex whose creator is the first copy of the session.
inline constexpr const WCHAR* kFirstCopyMutexName = TEXT("Local\\keyseq.KeySequenceDesk.FirstCopy");

// How long a second start waits for the running copy's window (it may still be starting, or
// busy loading a long scheme) before it gives up.
inline constexpr DWORD kHandOverWaitMs = 15'000;

enum class StartRole {
    kFirstCopy,  // this process runs the program (it holds the mutex, if one could be made)
    kHandedOver, // the running copy took the scheme and came to the front: end
    kNoAnswer,   // another copy runs but its window did not answer in time: end
};

// Claims the first copy's mutex under mutex_name, or hands the scheme named on command_line
// (app/schemes/scheme_argument.h; none is handed as an empty name) to the running copy's main
// window, waiting up to wait_ms for it. The command line is read only in a second start: the
// reading loads shell32, which the first copy's start-up need not wait for. The first copy's handle
// goes to *claim (left null otherwise, and when no mutex could be made at all, in which case the
// program runs as if it were the first). A running copy that ends meanwhile lets this one be
// the first.
StartRole ClaimFirstCopyOrHandOver(const WCHAR* mutex_name, const WCHAR* command_line,
                                   DWORD wait_ms, HANDLE* claim);

// The running copy's main window, if a top-level window of that title and class takes the
// hand-over of scheme; null when none does (within the time left until deadline_tick, a
// GetTickCount64 value, for a window that does not answer at once).
HWND HandOverToMainWindow(const CWString& scheme, ULONGLONG deadline_tick);
