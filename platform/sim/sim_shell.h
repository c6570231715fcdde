// The notification area and the help viewer in the simulated backend. There is neither: the
// calls are recorded for tests, and the notification area keeps which icons (window and
// identifier) are in it, so that deleting one that is not there fails as on Windows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/sim/sim_types.h"

#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002

#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004

typedef struct _NOTIFYICONDATAW {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    WCHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    WCHAR szInfo[256];
    union {
        UINT uTimeout;
        UINT uVersion;
    };
    WCHAR szInfoTitle[64];
    DWORD dwInfoFlags;
    struct {
        DWORD Data1;
        WORD Data2;
        WORD Data3;
        BYTE Data4[8];
    } guidItem;
    HICON hBalloonIcon;
} NOTIFYICONDATAW, *PNOTIFYICONDATAW;

// The record size up to the balloon icon, which every system since XP accepts.
#define NOTIFYICONDATAW_V3_SIZE offsetof(NOTIFYICONDATAW, hBalloonIcon)
static_assert(NOTIFYICONDATAW_V3_SIZE == 968, "NOTIFYICONDATAW must have its Windows layout");

BOOL Shell_NotifyIconW(DWORD message, PNOTIFYICONDATAW data);

#define HELP_CONTEXT 0x0001
#define HELP_QUIT 0x0002
#define HELP_FINDER 0x000B

BOOL WinHelpW(HWND hwnd, LPCWSTR help_file, UINT command, ULONG_PTR data);

namespace sim {

struct NotifyIconCall {
    DWORD message;
    DWORD size; // cbSize
    HWND hwnd;
    UINT id;
    UINT flags;
    std::u16string tip;
    BOOL result;
};

struct HelpCall {
    HWND hwnd;
    bool hasFile;
    std::u16string file;
    UINT command;
    ULONG_PTR data;
};

// The calls since the last reset, oldest first.
std::vector<NotifyIconCall> NotifyIconCalls();
std::vector<HelpCall> HelpCalls();
// Forgets the recorded calls and empties the notification area.
void ResetShellCalls();

} // namespace sim
