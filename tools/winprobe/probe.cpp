// A console probe for the end-to-end tests: finds top-level windows by title in the real
// Win32 window tree (under Wine, the one keyseq.exe lives in), reads what a user would see of
// them and sends them messages.
//
//   keyseq_probe wait     <title> [timeout ms]  waits for a visible window; prints its handle
//   keyseq_probe text     <title>               prints the class name and the window text
//   keyseq_probe count    <title>               prints how many visible top-level windows
//                                               have exactly this title
//   keyseq_probe geometry <title>               prints "client W H", "window L T R B",
//                                               "monitor L T R B" (the window's monitor) and
//                                               "screen W H" (the primary screen), one a line
//   keyseq_probe close    <title>               posts WM_CLOSE to the window
//   keyseq_probe face     <face name>           prints the face that GDI selects when asked
//                                               for this one (another one when it is missing)
//
// A title may be given as UTF-16 code points, "u:952e,5e8f,53f0", so that the test script
// does not depend on how the command line is decoded. Exit status 0 on success, 1 when the
// window is not there (or cannot be read), 2 on bad use.
//
// NOTE: there is no icon command. Under Wine, WM_GETICON sent from another process fails
// (SendMessageTimeoutW answers 0), so an outside program cannot read a window's icon handle;
// the end-to-end tests read the icon that Wine hands to the X display instead.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring DecodeTitle(const wchar_t* arg) {
    if (std::wcsncmp(arg, L"u:", 2) != 0)
        return arg;
    std::wstring title;
    const wchar_t* p = arg + 2;
    while (*p != 0) {
        wchar_t* end = nullptr;
        unsigned long unit = std::wcstoul(p, &end, 16);
        if (end == p || unit > 0xFFFF)
            return std::wstring();
        title.push_back(static_cast<wchar_t>(unit));
        p = *end == L',' ? end + 1 : end;
    }
    return title;
}

// Prints a text as UTF-8, whatever the console's code page.
void PrintUtf8(const std::wstring& text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), bytes,
                        nullptr, nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

struct TitleSearch {
    const std::wstring* title;
    int count;
};

BOOL CALLBACK CountVisibleWithTitle(HWND hwnd, LPARAM lparam) {
    auto* search = reinterpret_cast<TitleSearch*>(lparam);
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    if (IsWindowVisible(hwnd) && *search->title == text)
        ++search->count;
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: keyseq_probe wait|text|count|geometry|close <title> [timeout ms]\n"
                   "       keyseq_probe face <face name>\n",
                   stderr);
        return 2;
    }
    const std::wstring command = argv[1];
    const std::wstring title = DecodeTitle(argv[2]);
    if (title.empty())
        return 2;

    if (command == L"wait") {
        DWORD timeout = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 20000;
        const ULONGLONG give_up = GetTickCount64() + timeout;
        for (;;) {
            HWND hwnd = FindWindowW(nullptr, title.c_str());
            if (hwnd != nullptr && IsWindowVisible(hwnd)) {
                std::printf("%p\n", static_cast<void*>(hwnd));
                return 0;
            }
            if (GetTickCount64() > give_up)
                return 1;
            Sleep(100);
        }
    }

    if (command == L"face") {
        LOGFONTW wanted{};
        wanted.lfHeight = -16;
        wanted.lfCharSet = DEFAULT_CHARSET;
        wcsncpy_s(wanted.lfFaceName, LF_FACESIZE, title.c_str(), _TRUNCATE);
        HFONT font = CreateFontIndirectW(&wanted);
        HDC dc = CreateCompatibleDC(nullptr);
        wchar_t face[LF_FACESIZE] = {};
        if (font != nullptr && dc != nullptr) {
            HGDIOBJ old = SelectObject(dc, font);
            GetTextFaceW(dc, LF_FACESIZE, face);
            SelectObject(dc, old);
        }
        if (dc != nullptr)
            DeleteDC(dc);
        if (font != nullptr)
            DeleteObject(font);
        PrintUtf8(std::wstring(face) + L"\n");
        return face[0] != 0 ? 0 : 1;
    }

    if (command == L"count") {
        TitleSearch search{&title, 0};
        EnumWindows(&CountVisibleWithTitle, reinterpret_cast<LPARAM>(&search));
        std::printf("%d\n", search.count);
        return 0;
    }

    HWND hwnd = FindWindowW(nullptr, title.c_str());
    if (hwnd == nullptr)
        return 1;
    if (command == L"text") {
        wchar_t class_name[256] = {};
        wchar_t text[512] = {};
        GetClassNameW(hwnd, class_name, 256);
        GetWindowTextW(hwnd, text, 512);
        PrintUtf8(std::wstring(class_name) + L"\n" + text + L"\n");
        return 0;
    }
    if (command == L"geometry") {
        RECT client{};
        RECT outer{};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (!GetClientRect(hwnd, &client) || !GetWindowRect(hwnd, &outer) ||
            !GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
            return 1;
        const RECT& m = monitor.rcMonitor;
        std::printf("client %ld %ld\nwindow %ld %ld %ld %ld\nmonitor %ld %ld %ld %ld\n"
                    "screen %d %d\n",
                    client.right - client.left, client.bottom - client.top, outer.left, outer.top,
                    outer.right, outer.bottom, m.left, m.top, m.right, m.bottom,
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    if (command == L"close")
        return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    return 2;
}
