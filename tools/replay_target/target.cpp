// A target for the end-to-end tests' replays: a top-level window titled "keyseq target" with
// one plain edit box at the top, which the probe reads (probe children "keyseq target"), and a
// client area below it that reports the mouse buttons pressed and released on it. Each report
// is one line in the file named by the first argument, if any:
//   down <button> <x> <y>   /   up <button> <x> <y>     button L, R or M; screen pixels
//   move L <x> <y>                                      the cursor moved with the left button
//                                                       held (a drag's path)
// Someone else's program (such as Wine's notepad) opens help windows on F1 and inserts dates on
// F5; this one reacts to nothing but typing and clicks. It sits in the top-left corner of the
// screen, clear of the main window, which a 1280 × 800 screen shows in its middle.
#include <cstdio>

#include "platform/platform.h"

namespace {

FILE* g_log = nullptr;

void Report(const char* what, char button, HWND hwnd, LPARAM lparam) {
    if (g_log == nullptr)
        return;
    POINT p{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    ClientToScreen(hwnd, &p);
    std::fprintf(g_log, "%s %c %ld %ld\n", what, button, static_cast<long>(p.x),
                 static_cast<long>(p.y));
    std::fflush(g_log);
}

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        Report("down", 'L', hwnd, lparam);
        return 0;
    case WM_LBUTTONUP:
        Report("up", 'L', hwnd, lparam);
        return 0;
    case WM_MOUSEMOVE:
        if (wparam & MK_LBUTTON)
            Report("move", 'L', hwnd, lparam);
        return 0;
    case WM_RBUTTONDOWN:
        Report("down", 'R', hwnd, lparam);
        return 0;
    case WM_RBUTTONUP:
        Report("up", 'R', hwnd, lparam);
        return 0;
    case WM_MBUTTONDOWN:
        Report("down", 'M', hwnd, lparam);
        return 0;
    case WM_MBUTTONUP:
        Report("up", 'M', hwnd, lparam);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR command_line, int) {
    if (command_line != nullptr && *command_line != 0)
        g_log = _wfopen(command_line, TEXT("wb"));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = TEXT("KeyseqTarget");
    if (RegisterClassExW(&wc) == 0)
        return 1;
    HWND window = CreateWindowExW(0, wc.lpszClassName, TEXT("keyseq target"),
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 380, 230, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, TEXT("EDIT"), TEXT(""),
                                WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 340, 26, window,
                                nullptr, instance, nullptr);
    if (edit == nullptr)
        return 1;
    SetFocus(edit);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (g_log != nullptr)
        std::fclose(g_log);
    return 0;
}
