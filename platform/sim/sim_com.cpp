// Apartment counts, common controls and GDI+ shutdown of the simulated backend.
#include "platform/sim/sim_com.h"

#include <atomic>

namespace {
thread_local int t_com_count = 0;
std::atomic<int> g_gdiplus_shutdowns{0};
} // namespace

HRESULT CoInitializeEx(LPVOID, DWORD) {
    return t_com_count++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (t_com_count > 0)
        --t_com_count;
}

HRESULT OleInitialize(LPVOID) {
    return CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

void OleUninitialize() {
    CoUninitialize();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    return init != nullptr && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}

extern "C" void GdiplusShutdown(ULONG_PTR) {
    ++g_gdiplus_shutdowns;
}

int sim::ComInitCount() {
    return t_com_count;
}

int sim::GdiplusShutdownCount() {
    return g_gdiplus_shutdowns;
}
