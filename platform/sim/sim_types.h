// Basic Win32 types and constants for the simulated backend, with the sizes they have on
// 64-bit Windows (LLP64): LONG and DWORD are 32 bits, pointers and *_PTR types 64 bits.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef DWORD_PTR* PDWORD_PTR;
typedef size_t SIZE_T;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef void VOID;
typedef void* PVOID;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef char CHAR;

// UTF-16 code unit. On Windows WCHAR is the 16-bit wchar_t; here it is char16_t, the 16-bit
// character type of the language, so that lengths in code units agree on both backends.
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef WCHAR* PWSTR;
typedef const WCHAR* PCWSTR;
typedef char* LPSTR;
typedef const char* LPCSTR;

#ifndef TEXT
#define TEXT_IMPL_(s) u##s
#define TEXT(s) TEXT_IMPL_(s)
#endif

#define TRUE 1
#define FALSE 0

typedef void* HANDLE;
#define KEYSEQ_SIM_HANDLE(name)                                                                    \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    typedef struct name##__* name
KEYSEQ_SIM_HANDLE(HWND);
KEYSEQ_SIM_HANDLE(HINSTANCE);
KEYSEQ_SIM_HANDLE(HMENU);
KEYSEQ_SIM_HANDLE(HICON);
KEYSEQ_SIM_HANDLE(HBRUSH);
KEYSEQ_SIM_HANDLE(HFONT);
KEYSEQ_SIM_HANDLE(HDC);
KEYSEQ_SIM_HANDLE(HHOOK);
KEYSEQ_SIM_HANDLE(HACCEL);
KEYSEQ_SIM_HANDLE(HBITMAP);
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;
typedef int HFILE;
#undef KEYSEQ_SIM_HANDLE

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE;

typedef union _LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
} LARGE_INTEGER;

typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME;

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME;

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define MAKELONG(a, b)                                                                             \
    ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff)))     \
                                                      << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))

// The processor pause hint inside spin loops.
#if defined(__x86_64__) || defined(__i386__)
#define YieldProcessor() __builtin_ia32_pause()
#else
#define YieldProcessor() ((void)0)
#endif
