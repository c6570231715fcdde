// One copy per session: the first copy's mutex, and the hand-over of a second start.
#include "app/single_instance.h"

#include "app/schemes/scheme_argument.h"
#include "app/window/main_form.h"

namespace {

using rg_lch_jxt::rg_wdzhchk;

// Between two looks for a window that is not there yet (the first copy is still starting).
constexpr DWORD kLookAgainMs = 50;

// Sends the name to hwnd; true when it answered as the program's main window.
bool HandOver(HWND hwnd, const CWString& scheme, DWORD timeout_ms) {
    COPYDATASTRUCT data{};
    data.dwData = rg_wdzhchk::kHandOverTag;
    data.cbData = static_cast<DWORD>(scheme.GetLength()) * sizeof(WCHAR);
    data.lpData = data.cbData != 0 ? const_cast<WCHAR*>(scheme.GetText()) : nullptr;
    DWORD_PTR answer = 0;
    // A window that hangs must not hang this start too: the send gives up at the time limit,
    // or at once when the system already knows the window's thread to be hung.
    if (SendMessageTimeoutW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                            timeout_ms, &answer) == 0)
        return false;
    return static_cast<LRESULT>(answer) == rg_wdzhchk::kHandOverAnswer;
}

} // namespace

HWND HandOverToMainWindow(const CWString& scheme, ULONGLONG deadline_tick) {
    // The main window has a class of its own; a window of another class is someone else's and
    // gets no message.
    for (HWND hwnd = FindWindowExW(nullptr, nullptr, rg_wdzhchk::kClassName, rg_wdzhchk::kCaption);
         hwnd != nullptr;
         hwnd = FindWindowExW(nullptr, hwnd, rg_wdzhchk::kClassName, rg_wdzhchk::kCaption)) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = deadline_tick > now ? static_cast<DWORD>(deadline_tick - now) : 1;
        if (HandOver(hwnd, scheme, left))
            return hwnd;
    }
    return nullptr;
}

StartRole ClaimFirstCopyOrHandOver(const WCHAR* mutex_name, const WCHAR* command_line,
                                   DWORD wait_ms, HANDLE* claim) {
    *claim = nullptr;
    const ULONGLONG deadline = GetTickCount64() + wait_ms;
    bool read = false;
    CWString scheme;
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        HANDLE mutex = CreateMutexW(nullptr, FALSE, mutex_name);
        if (mutex == nullptr)
            return StartRole::kFirstCopy; // nothing to tell by: better one copy too many than none
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            *claim = mutex;
            return StartRole::kFirstCopy;
        }
        // Another copy holds the name. This handle is not kept: should that copy end, the name
        // must be free for the next look.
        CloseHandle(mutex);
        if (!read) {
            scheme = SchemeArgument(command_line);
            read = true;
        }
        if (HWND window = HandOverToMainWindow(scheme, deadline)) {
            if (IsIconic(window))
                ShowWindow(window, SW_RESTORE);
            // This process was started by the user, so it may give the foreground away.
            SetForegroundWindow(window);
            return StartRole::kHandedOver;
        }
        if (GetTickCount64() >= deadline)
            return StartRole::kNoAnswer;
        Sleep(kLookAgainMs);
    }
}
