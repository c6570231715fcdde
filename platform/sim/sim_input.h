// Keyboard and mouse input of the simulated backend: one input stream for the whole process.
//
// Everything that enters the stream, whether a test presses a key (sim::PressKey) or the
// program injects one (keybd_event, SendInput), goes the same way: it is written to the input
// log with a timestamp, offered to the low-level hooks (sim_hook.h) on the threads that
// installed them, and, unless a hook swallows it, updates the key state and the cursor and
// becomes a message for a window (sim_mouse.h; keys go to the focus window, sim_focus.h).
// SetCursorPos moves the cursor and is logged, but like on Windows it reaches no hook;
// it makes a WM_MOUSEMOVE for the window under the cursor, even when the cursor stays put.
// Every key and mouse event also becomes the last input (GetLastInputInfo), injected or not,
// swallowed by a hook or not: it happened when it entered the stream.
#pragma once

#include <vector>

#include "platform/sim/sim_types.h"

typedef short SHORT;

// Virtual-key codes the system names.
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_PACKET 0xE7
#define VK_NUMPAD0 0x60
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F10 0x79
#define VK_F12 0x7B
#define VK_F16 0x7F
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE

#define MAPVK_VK_TO_VSC 0
#define MAPVK_VSC_TO_VK 1

#define KEYEVENTF_EXTENDEDKEY 0x0001
#define KEYEVENTF_KEYUP 0x0002
#define KEYEVENTF_UNICODE 0x0004
#define KEYEVENTF_SCANCODE 0x0008

#define MOUSEEVENTF_MOVE 0x0001
#define MOUSEEVENTF_LEFTDOWN 0x0002
#define MOUSEEVENTF_LEFTUP 0x0004
#define MOUSEEVENTF_RIGHTDOWN 0x0008
#define MOUSEEVENTF_RIGHTUP 0x0010
#define MOUSEEVENTF_MIDDLEDOWN 0x0020
#define MOUSEEVENTF_MIDDLEUP 0x0040
#define MOUSEEVENTF_WHEEL 0x0800
#define MOUSEEVENTF_ABSOLUTE 0x8000

#define INPUT_MOUSE 0
#define INPUT_KEYBOARD 1
#define INPUT_HARDWARE 2

// Mouse messages that low-level mouse hooks receive.
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSEWHEEL 0x020A
#define WM_MOUSELAST 0x020A

// The state of keys and buttons in the wParam of mouse messages.
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010
#define WHEEL_DELTA 120

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37

typedef struct tagMOUSEINPUT {
    LONG dx;
    LONG dy;
    DWORD mouseData;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
} MOUSEINPUT;

typedef struct tagKEYBDINPUT {
    WORD wVk;
    WORD wScan;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
} KEYBDINPUT;

typedef struct tagHARDWAREINPUT {
    DWORD uMsg;
    WORD wParamL;
    WORD wParamH;
} HARDWAREINPUT;

typedef struct tagINPUT {
    DWORD type;
    union {
        MOUSEINPUT mi;
        KEYBDINPUT ki;
        HARDWAREINPUT hi;
    };
} INPUT, *LPINPUT;

// Callers rely on the record size of 64-bit Windows.
static_assert(sizeof(INPUT) == 40, "INPUT must have its 64-bit Windows size");

// Injection. The simulated keyboard has the US layout of scan code set 1.
void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra_info);
UINT MapVirtualKeyW(UINT code, UINT map_type);
// Takes keyboard and mouse records; answers the number entered into the stream, or 0 with
// ERROR_INVALID_PARAMETER when size is not sizeof(INPUT).
UINT SendInput(UINT count, LPINPUT inputs, int size);

typedef struct tagLASTINPUTINFO {
    UINT cbSize;
    DWORD dwTime;
} LASTINPUTINFO, *PLASTINPUTINFO;

// The GetTickCount time of the last key or mouse event that entered the stream (SetCursorPos
// is no input); before any, the time the stream was first used. FALSE with
// ERROR_INVALID_PARAMETER when the record or its size is wrong.
BOOL GetLastInputInfo(PLASTINPUTINFO info);

// Cursor and key state. The screen is one primary monitor (sim::SetScreenSize); SetCursorPos
// clips to it as Windows clips to the desktop.
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
int GetSystemMetrics(int index);
// Bit 15 is "held", bit 0 "toggled" (flips on every press). GetAsyncKeyState is the state of
// the stream. GetKeyState is the calling thread's view: while key or mouse messages wait in
// its queue, the state as of the last one it retrieved; otherwise the stream's state (as
// Wine, which lets a thread without pending input see the current state).
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);

// The test side of the stream: input as if from the real devices, and the log.
namespace sim {

enum class InputKind { KeyDown, KeyUp, ButtonDown, ButtonUp, Move, Wheel, CursorSet };

struct InputRecord {
    InputKind kind;
    bool injected;    // entered by keybd_event / SendInput / SetCursorPos, not by a device
    UINT vk;          // keys: the virtual-key code
    UINT scan;        // keys: the scan code as given
    int button;       // buttons: 1 left, 2 right, 3 middle
    POINT pt;         // the cursor after the record took effect
    LONGLONG time_us; // microseconds on the QueryPerformanceCounter time line
    ULONG_PTR extra;  // the extra information word as given
};

// A copy of the log, oldest first; ResetInput empties it, releases every key and button and
// puts the cursor at 0, 0.
std::vector<InputRecord> InputLog();
void ResetInput();

// Device input, not marked injected.
void PressKey(UINT vk);
void ReleaseKey(UINT vk);
void PressButton(int button);
void ReleaseButton(int button);
void MoveMouseTo(int x, int y);

void SetScreenSize(int width, int height);

} // namespace sim
