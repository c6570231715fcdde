// The win32 backend resolves the DPI calls of Windows 10 at run time and falls back to older
// calls where they are missing. Under Wine (which has the real ones) the routed calls must
// answer what user32.dll answers, and the fallbacks what an older system would: the system
// DPI and the process's awareness. The simulation has the calls themselves.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/process_exit.h"

#include <cstdlib>

namespace {

#if defined(KEYSEQ_PLATFORM_WIN32)

// The real functions, looked up here too so that the test program does not import them.
template <typename Fn> Fn User32(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

HWND MakePopup() {
    return CreateWindowExW(0, TEXT("STATIC"), TEXT("dpi"), WS_POPUP, 10, 10, 100, 50, nullptr,
                           nullptr, nullptr, nullptr);
}

UINT ScreenLogPixelsX() {
    HDC screen = GetDC(nullptr);
    UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return dpi;
}

const DPI_AWARENESS_CONTEXT kContexts[] = {
    DPI_AWARENESS_CONTEXT_UNAWARE,
    DPI_AWARENESS_CONTEXT_SYSTEM_AWARE,
    DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE,
    DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2,
    DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED,
    reinterpret_cast<DPI_AWARENESS_CONTEXT>(-9),
    nullptr,
};

struct RealCalls {
    UINT(WINAPI* window_dpi)(HWND);
    UINT(WINAPI* system_dpi)();
    DPI_AWARENESS_CONTEXT(WINAPI* thread_context)();
    DPI_AWARENESS(WINAPI* awareness)(DPI_AWARENESS_CONTEXT);
    BOOL(WINAPI* set_context)(DPI_AWARENESS_CONTEXT);
};

RealCalls LookUpRealCalls() {
    return RealCalls{
        User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow"),
        User32<UINT(WINAPI*)()>("GetDpiForSystem"),
        User32<DPI_AWARENESS_CONTEXT(WINAPI*)()>("GetThreadDpiAwarenessContext"),
        User32<DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT)>(
            "GetAwarenessFromDpiAwarenessContext"),
        User32<BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT)>("SetProcessDpiAwarenessContext"),
    };
}

struct SetAnswer {
    BOOL result;
    DWORD error;
    bool operator==(const SetAnswer&) const = default;
};

template <typename Set> SetAnswer AnswerOf(Set set, DPI_AWARENESS_CONTEXT context) {
    SetLastError(0);
    BOOL result = set(context);
    return SetAnswer{result, result ? 0 : GetLastError()};
}

class DpiFallback : public ::testing::Test {
protected:
    void SetUp() override {
        real_ = LookUpRealCalls();
        // Wine 8 has every one of them; without them this test would compare nothing.
        ASSERT_NE(real_.window_dpi, nullptr);
        ASSERT_NE(real_.system_dpi, nullptr);
        ASSERT_NE(real_.thread_context, nullptr);
        ASSERT_NE(real_.awareness, nullptr);
        ASSERT_NE(real_.set_context, nullptr);
    }
    RealCalls real_{};
};

TEST_F(DpiFallback, RoutedCallsAnswerAsUser32Does) {
    HWND hwnd = MakePopup();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetDpiForWindow(hwnd), real_.window_dpi(hwnd));
    EXPECT_EQ(GetDpiForSystem(), real_.system_dpi());
    DestroyWindow(hwnd);
    EXPECT_EQ(GetDpiForWindow(hwnd), real_.window_dpi(hwnd));

    EXPECT_EQ(GetThreadDpiAwarenessContext(), real_.thread_context());
    for (DPI_AWARENESS_CONTEXT context : kContexts)
        EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(context), real_.awareness(context))
            << reinterpret_cast<intptr_t>(context);
}

TEST_F(DpiFallback, FallbackDpiIsTheSystemDpi) {
    HWND hwnd = MakePopup();
    ASSERT_NE(hwnd, nullptr);
    const UINT system = ScreenLogPixelsX();
    EXPECT_EQ(keyseq_FallbackGetDpiForSystem(), system);
    EXPECT_EQ(keyseq_FallbackGetDpiForSystem(), real_.system_dpi());
    // The unit tests' prefix is at 96 DPI, where a window's DPI is the system's too.
    EXPECT_EQ(keyseq_FallbackGetDpiForWindow(hwnd), system);
    EXPECT_EQ(keyseq_FallbackGetDpiForWindow(hwnd), real_.window_dpi(hwnd));
    DestroyWindow(hwnd);
    EXPECT_EQ(keyseq_FallbackGetDpiForWindow(hwnd), 0u) << "a destroyed window has no DPI";
    EXPECT_EQ(keyseq_FallbackGetDpiForWindow(nullptr), 0u);
}

TEST_F(DpiFallback, FallbackAwarenessIsTheProcessAwareness) {
    // shcore.dll is there under Wine, so this is the Windows 8.1 path.
    EXPECT_EQ(keyseq_FallbackGetAwarenessFromDpiAwarenessContext(
                  keyseq_FallbackGetThreadDpiAwarenessContext()),
              real_.awareness(real_.thread_context()));

    struct Case {
        DPI_AWARENESS_CONTEXT context;
        DPI_AWARENESS awareness;
    } const cases[] = {
        {DPI_AWARENESS_CONTEXT_UNAWARE, DPI_AWARENESS_UNAWARE},
        {DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, DPI_AWARENESS_SYSTEM_AWARE},
        {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, DPI_AWARENESS_PER_MONITOR_AWARE},
        {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, DPI_AWARENESS_PER_MONITOR_AWARE},
        {DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED, DPI_AWARENESS_UNAWARE},
        {reinterpret_cast<DPI_AWARENESS_CONTEXT>(-9), DPI_AWARENESS_INVALID},
        {nullptr, DPI_AWARENESS_INVALID},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyseq_FallbackGetAwarenessFromDpiAwarenessContext(c.context), c.awareness)
            << reinterpret_cast<intptr_t>(c.context);
}

// Every request is refused here, so the order of the calls cannot matter: the process is
// already per-monitor aware (Wine makes every process so), and the unknown contexts are
// invalid anywhere.
TEST_F(DpiFallback, SettersRefuseAsUser32Does) {
    ASSERT_EQ(real_.awareness(real_.thread_context()), DPI_AWARENESS_PER_MONITOR_AWARE);
    for (DPI_AWARENESS_CONTEXT context : kContexts) {
        const SetAnswer real = AnswerOf(real_.set_context, context);
        EXPECT_FALSE(real.result);
        EXPECT_EQ(AnswerOf(keyseq_SetProcessDpiAwarenessContext, context), real)
            << reinterpret_cast<intptr_t>(context);
        EXPECT_EQ(AnswerOf(keyseq_FallbackSetProcessDpiAwarenessContext, context), real)
            << reinterpret_cast<intptr_t>(context);
    }
    SetLastError(0);
    EXPECT_FALSE(
        keyseq_FallbackSetProcessDpiAwarenessContext(reinterpret_cast<DPI_AWARENESS_CONTEXT>(-9)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    EXPECT_FALSE(
        keyseq_FallbackSetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED))
        << "shcore.dll refuses a second setting";
}

// Where user32.dll has the calls, using them loads no shcore.dll: a library loaded before the
// first window delays every start, and only the fallbacks need it. Checked in a fresh process
// (this one may have loaded it in a fallback test already).
TEST(DpiFallbackLibraries, RoutedCallsLoadNoShcore) {
    EXPECT_PROCESS_EXIT(
        {
            HWND hwnd = MakePopup();
            GetDpiForWindow(hwnd);
            GetDpiForSystem();
            GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext());
            SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
            DestroyWindow(hwnd);
            std::exit(GetModuleHandleW(L"shcore.dll") == nullptr ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    // The fallbacks still find it.
    SetLastError(0);
    EXPECT_FALSE(
        keyseq_FallbackSetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_NE(GetModuleHandleW(L"shcore.dll"), nullptr);
}

#else
// Listed on the host too, as skipped, so that both test programs name the same tests.
#define KEYSEQ_WIN32_ONLY(name)                                                                    \
    TEST(DpiFallback, name) {                                                                      \
        GTEST_SKIP() << "the fallbacks belong to the win32 backend; the simulation has the calls"; \
    }
KEYSEQ_WIN32_ONLY(RoutedCallsAnswerAsUser32Does)
KEYSEQ_WIN32_ONLY(FallbackDpiIsTheSystemDpi)
KEYSEQ_WIN32_ONLY(FallbackAwarenessIsTheProcessAwareness)
KEYSEQ_WIN32_ONLY(SettersRefuseAsUser32Does)
TEST(DpiFallbackLibraries, RoutedCallsLoadNoShcore) {
    GTEST_SKIP() << "the fallbacks belong to the win32 backend; the simulation has the calls";
}
#endif

} // namespace
