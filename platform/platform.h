// The one header through which code above platform/ reaches the operating system.
//
// Code above this layer is written as ordinary Win32 code: the same names, types and constants.
// With the win32 backend this is <windows.h>; with the sim backend it is an in-process stand-in
// for the same subset, so every subsystem builds and runs on Linux unchanged.
//
// Texts are UTF-16 on both backends: WCHAR is wchar_t on Windows and char16_t in the
// simulation, and literals are written TEXT("...") so that they are UTF-16 on both.
#pragma once

#if defined(KEYSEQ_PLATFORM_WIN32)
#include "platform/win32/win32_api.h"
#else
#include "platform/sim/sim_api.h"
#endif

#include "platform/gdiplus_flat.h"
#include "platform/platform_format.h"
