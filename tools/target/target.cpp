// A target window for the end-to-end tests: an edit box at the top, for keys, and a pad below
// it, for the mouse. Whatever a user or a replay does to it is written, one line per event, to
// the file named by its first argument (UTF-8, flushed at once):
//   ready <left> <top> <right> <bottom>   the pad's screen rectangle, once the window is shown
//   text <text>                          the edit box's text after each change
//   down <x> <y> / up <x> <y>            the left button went down / up on the pad, at this
//                                        screen point
//   move <x> <y>                         the cursor moved over the pad with the left button held
// The window is titled "keyseq target", sits at the top left of the screen, clear of the
// centred main window of keyseq.exe on a screen of 1280 × 800, and has the keyboard focus in
// its edit box.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

FILE* g_log = nullptr;
HWND g_edit = nullptr;

void Log(const std::string& line) {
    std::fputs((line + "\n").c_str(), g_log);
    std::fflush(g_log);
}

void LogPoint(const char* what, HWND hwnd, LPARAM lparam) {
    POINT p{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    ClientToScreen(hwnd, &p);
    Log(std::string(what) + " " + std::to_string(p.x) + " " + std::to_string(p.y));
}

std::string Utf8(const std::wstring& text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), bytes,
                        nullptr, nullptr);
    return out;
}

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lparam) == g_edit && HIWORD(wparam) == EN_CHANGE) {
            wchar_t text[512] = {};
            GetWindowTextW(g_edit, text, 512);
            Log("text " + Utf8(text));
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        LogPoint("down", hwnd, lparam);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        LogPoint("up", hwnd, lparam);
        return 0;
    case WM_MOUSEMOVE:
        if (wparam & MK_LBUTTON)
            LogPoint("move", hwnd, lparam);
        return 0;
    case WM_SETFOCUS:
        SetFocus(g_edit);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    g_log = _wfopen(argv[1], L"wb"); // "\n" only, for the scripts
    if (g_log == nullptr)
        return 1;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KeyseqTarget";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"keyseq target", WS_OVERLAPPEDWINDOW, 0, 40,
                                380, 300, nullptr, nullptr, instance, nullptr);
    g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                             10, 10, 340, 24, hwnd, nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    SetFocus(g_edit);
    RECT pad{};
    GetClientRect(hwnd, &pad);
    pad.top = 44;
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&pad), 2);
    Log("ready " + std::to_string(pad.left) + " " + std::to_string(pad.top) + " " +
        std::to_string(pad.right) + " " + std::to_string(pad.bottom));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::fclose(g_log);
    return 0;
}
