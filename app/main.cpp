// Entry point of keyseq.exe: registers the main window class, opens the window titled
// "键序台" and runs the message loop until the window is closed; the exit status is the
// quit code, 0.
//
// The same code builds for the simulated platform. The simulation has no screen and no user
// to close the window, so the host program runs only with --smoke: it goes through the very
// same start-up, closes the window with WM_CLOSE as a user would, and ends with the loop's
// status.
#include "platform/platform.h"

namespace {

constexpr const WCHAR* kMainWindowClass = TEXT("KeyseqMainWindow");
constexpr const WCHAR* kMainWindowTitle = TEXT("键序台");
constexpr int kMainIconId = 500;

#if defined(KEYSEQ_PLATFORM_SIM)
bool g_close_at_once = false;
#endif

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kMainIconId));
    if (wc.hIcon == nullptr)
        wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kMainWindowClass;
    if (RegisterClassExW(&wc) == 0)
        return -1;

    HWND hwnd =
        CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr)
        return -1;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
#if defined(KEYSEQ_PLATFORM_SIM)
    if (g_close_at_once)
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
#endif

    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (got < 0)
        return -1;
    return static_cast<int>(msg.wParam);
}

#if defined(KEYSEQ_PLATFORM_SIM)
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--smoke") != 0) {
        std::fputs("keyseq: the simulated platform has no screen; run with --smoke to open "
                   "and close the main window once\n",
                   stderr);
        return 2;
    }
    g_close_at_once = true;
    return wWinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
}
#endif
