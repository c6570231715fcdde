// COM and OLE apartment initialisation, the common-controls initialisation and the GDI+
// shutdown of the simulated backend. There is no COM here; the calls keep per-thread counts
// as Windows does (S_OK for the first initialisation of a thread, S_FALSE for the others), so
// that a balanced start-up and teardown can be checked.
#pragma once

#include "platform/sim/sim_types.h"

typedef LONG HRESULT;
#define S_OK ((HRESULT)0L)
#define S_FALSE ((HRESULT)1L)
#define E_FAIL ((HRESULT)0x80004005L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_MULTITHREADED 0x0

HRESULT CoInitializeEx(LPVOID reserved, DWORD flags);
void CoUninitialize();
HRESULT OleInitialize(LPVOID reserved);
void OleUninitialize();

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;
#define ICC_WIN95_CLASSES 0x000000FF
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

extern "C" void GdiplusShutdown(ULONG_PTR token);

namespace sim {
// Initialisations of the calling thread's apartment not yet balanced.
int ComInitCount();
// GdiplusShutdown calls so far, and the token of the last one.
int GdiplusShutdownCount();
} // namespace sim
