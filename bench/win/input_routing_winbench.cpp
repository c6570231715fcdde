// Windows timing loop: one WM_LBUTTONDOWN posted to a control's window and taken from the
// queue through pre-translation (the parent-chain walk, the native window's listener,
// DispatchInput) to a bound LeftDown handler that consumes it, against the same message
// posted to a window of a bare class and dispatched to its window procedure. Both loops post,
// get and handle one message per round in the same run.
#include "platform/platform.h"
#include "runtime/core/rix_object_pointer.h"
#include "runtime/shell/win_app.h"
#include "runtime/ui/clock.h"
#include "runtime/ui/native/rix_wnd.h"
#include "runtime/ui/window_classes.h"

#include <cstdio>

namespace {

// A post and a get cost a round trip to the window server under Wine, so rounds are few and
// the two loops alternate in chunks, so that drift of the machine falls on both alike.
constexpr long long kRounds = 2'000;
constexpr int kChunks = 15;
long long g_handled = 0;

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

int64_t OnLeftDown(CRixObject*, CRixObject*, int32_t, int64_t, int64_t, int64_t) {
    ++g_handled;
    return 1;
}

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_LBUTTONDOWN) {
        ++g_handled;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

template <typename Round> double NanosPerRound(Round round) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (long long i = 0; i < kRounds; ++i)
        round();
    QueryPerformanceCounter(&end);
    return Seconds(start, end) * 1e9 / static_cast<double>(kRounds);
}

} // namespace

int wmain() {
    using rg_lch_MFCjm_jb::CRixWinControl;
    RegisterFrameworkClass(kContainerClass);
    CRixWnd parent;
    parent.CreateEx(0, kContainerClass, TEXT("bench"), WS_POPUP, 0, 0, 200, 100, nullptr, nullptr);
    // The clock is the simplest control with the base routing; its window is a plain child.
    CRixObject owner;
    auto* pointer = new CRixObjectPointer(&owner);
    auto* control = new rg_lch_MFCjm_jb::rg_shzh;
    CreateParams params;
    params.parent = &parent;
    params.width = 10;
    params.height = 10;
    control->CreateNativeWindow(params);
    control->BindEvent(control->Event(CRixWinControl::kLeftDown), &OnLeftDown, pointer);
    HWND routed = control->GetSafeHwnd();

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &BareProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = TEXT("KeyseqBareBench");
    RegisterClassExW(&wc);
    HWND bare = CreateWindowExW(0, wc.lpszClassName, TEXT("bare"), WS_CHILD, 0, 0, 10, 10,
                                parent.GetSafeHwnd(), nullptr, wc.hInstance, nullptr);

    auto oneRound = [](HWND hwnd) {
        PostMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
        MSG msg;
        GetMessageW(&msg, nullptr, 0, 0);
        if (!WalkPreTranslateTree(nullptr, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    };
    double routedNs = 0;
    double bareNs = 0;
    g_handled = 0;
    for (int chunk = 0; chunk < kChunks; ++chunk) {
        routedNs += NanosPerRound([&] { oneRound(routed); }) / kChunks;
        bareNs += NanosPerRound([&] { oneRound(bare); }) / kChunks;
    }
    std::printf("WM_LBUTTONDOWN to a bound LeftDown handler %.0f ns, to a bare window "
                "procedure %.0f ns, ratio %.2f (handled %lld of %lld)\n",
                routedNs, bareNs, routedNs / bareNs, g_handled, 2 * kRounds * kChunks);
    delete control;
    pointer->DetachOwner();
    parent.DestroyWindow();
    return 0;
}
