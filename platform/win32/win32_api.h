// The real backend: the Win32 API itself, plus the few declarations that the headers of some
// toolchains leave out.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>
// The notification area (Shell_NotifyIconW); the lean <windows.h> leaves it out.
#include <shellapi.h>
// OLE automation dates; the lean <windows.h> leaves them out.
#include <oleauto.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <io.h> // _commit, _fileno
#include <objbase.h>
#include <ole2.h>

// The DPI calls of Windows 10, looked up at run time so that older systems start the programs.
#include "platform/win32/win32_dpi.h"

// GDI+: the flat functions the runtime uses are declared in platform/gdiplus_flat.h.

// Newer than the mingw-w64 headers: a waitable timer that is not rounded to the system tick
// (Windows 10 1803 and later; older systems refuse the flag).
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

#define KEYSEQ_BACKEND_NAME "win32"
