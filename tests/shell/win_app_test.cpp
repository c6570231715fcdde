// The message loop's idle phases: which handled messages start a phase over (count 0, idle
// calls resumed) and which do not, with messages posted from the idle calls themselves and a
// real timer ticking in the window.
#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"
#include "runtime/shell/win_app.h"

namespace {

const WCHAR kClass[] = TEXT("KeyseqIdleTestWindow");
constexpr UINT kPlain = WM_APP + 7;
constexpr UINT kSystemTimer = 0x0118;
constexpr UINT_PTR kClockTimer = 1;
constexpr int kTicksToRun = 4;

int g_ticks = 0;

LRESULT CALLBACK ClockWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == kClockTimer && ++g_ticks == kTicksToRun) {
        KillTimer(hwnd, kClockTimer);
        DestroyWindow(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Each idle call posts the messages of the next step and records the count it was given.
class ScriptedApp : public CRixWinApp {
public:
    std::vector<LONG> counts;

    BOOL InitInstance() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &ClockWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        RegisterClassExW(&wc);
        m_hMainWnd = CreateWindowExW(0, kClass, TEXT("idle"), WS_OVERLAPPED, 0, 0, 100, 100,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        return m_hMainWnd != nullptr;
    }

    BOOL OnIdle(LONG count) override {
        counts.push_back(count);
        HWND w = m_hMainWnd;
        switch (counts.size()) {
        case 1: // a first mouse move: the cursor has not been seen yet
            PostMessageW(w, WM_MOUSEMOVE, 0, 0);
            return TRUE;
        case 2: // neither of these starts the phase over
            PostMessageW(w, WM_MOUSEMOVE, 0, 0);
            PostMessageW(w, WM_TIMER, 99, 0);
            PostMessageW(w, WM_PAINT, 0, 0);
            PostMessageW(w, kSystemTimer, 0, 0);
            return TRUE;
        case 3: // an ordinary message does
            PostMessageW(w, kPlain, 0, 0);
            return TRUE;
        case 4: // idle work done: the clock's ticks must not wake it again
            SetTimer(w, kClockTimer, 20, nullptr);
            return FALSE;
        default:
            return FALSE;
        }
    }
};

TEST(WinAppIdle, OnlyMessagesThatChangeSomethingStartANewIdlePhase) {
    g_ticks = 0;
    ScriptedApp app;
    EXPECT_EQ(app.WinMain(GetModuleHandleW(nullptr)), 0);
    UnregisterClassW(kClass, GetModuleHandleW(nullptr));
    EXPECT_EQ(g_ticks, kTicksToRun);
    // 0: first phase; 0: after the first mouse move; 1: the repeated move, the timers and the
    // paint left the count alone; 0: after the plain message; nothing after the ticks.
    EXPECT_EQ(app.counts, (std::vector<LONG>{0, 0, 1, 0}));
}

} // namespace
