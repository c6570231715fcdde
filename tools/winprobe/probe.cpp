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
//   keyseq_probe client   <title>               prints the client area: screen x, y, width,
//                                               height
//   keyseq_probe children <title>               one line per direct child, in z order: class,
//                                               x, y, width, height (parent's client area),
//                                               screen x, screen y, text; tab-separated
//   keyseq_probe lines    <title> <n>           the n-th list box child (0-based): "sel <i>",
//                                               then its lines
//   keyseq_probe combo    <title> <n>           the n-th combo box child: "sel <i>", its items
//   keyseq_probe front    <title>               brings the window to the top and to the
//                                               foreground, as a click on its task-bar button
//                                               would (there is no task bar under Xvfb)
//   keyseq_probe keys     <vk> ...              each virtual key's state, "down" or "up"; exit
//                                               status 1 when any is down
//   keyseq_probe keyup    <vk>                  injects a release of the key alone (no press),
//                                               which changes no toggle state: Scroll Lock for
//                                               the recorder without the synthetic Scroll Lock
//                                               that Wine sends to follow an X display where
//                                               Scroll Lock is no lock modifier
//
// A title may be given as UTF-16 code points, "u:952e,5e8f,53f0", so that the test script
// does not depend on how the command line is decoded, or as "class:<name>" to find a window by
// its class (someone else's program, whose title depends on the locale). Texts of other
// programs' controls are read with messages that the system carries across processes. Exit status 0
// on success, 1 when the window is not there (or cannot be read), 2 on bad use.
//
// The probe is per-monitor DPI aware, so that on a scaled screen it reads places and sizes in
// the screen's pixels, as xdotool and the program under test see them.
//
// NOTE: there is no icon command. Under Wine, WM_GETICON sent from another process fails
// (SendMessageTimeoutW answers 0), so an outside program cannot read a window's icon handle;
// the end-to-end tests read the icon that Wine hands to the X display instead.
#include <windows.h>
// After <windows.h>: the DPI calls of Windows 10, looked up at run time.
#include "platform/win32/win32_dpi.h"

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

// The text of a window of any process (WM_GETTEXT is carried across processes). The text may
// change between the two messages (a label counting passes grows by a digit), so the buffer has
// room to spare and a text that fills it is read again with a larger one: a read never returns
// a text cut short.
std::wstring WindowText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::wstring();
    for (DWORD_PTR room = length + 64;; room *= 2) {
        std::wstring text(room, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, room, reinterpret_cast<LPARAM>(text.data()),
                                 SMTO_ABORTIFHUNG, 2000, &copied))
            return std::wstring();
        if (copied + 1 < room) {
            text.resize(copied);
            return text;
        }
    }
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t class_name[256] = {};
    GetClassNameW(hwnd, class_name, 256);
    return class_name;
}

// The n-th direct child of a class (compared without case), in z order.
HWND NthChild(HWND parent, const wchar_t* class_name, int n) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassOf(child).c_str(), class_name) == 0 && n-- == 0)
            return child;
    }
    return nullptr;
}

// Prints "sel <i>" and the items of a list or combo box, whose messages are given.
int PrintItems(HWND box, UINT get_count, UINT get_sel, UINT get_len, UINT get_text) {
    if (box == nullptr)
        return 1;
    LRESULT count = SendMessageW(box, get_count, 0, 0);
    std::wstring out = L"sel " + std::to_wstring(SendMessageW(box, get_sel, 0, 0)) + L"\n";
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(box, get_len, static_cast<WPARAM>(i), 0);
        // The line may be replaced between the two messages and the text message takes no
        // buffer size, so there is room to spare for a line grown meanwhile (the lines of
        // this program's boxes are a few dozen characters at most).
        std::wstring line(static_cast<size_t>(length > 0 ? length : 0) + 1 + 512, L'\0');
        SendMessageW(box, get_text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        line.resize(std::wcslen(line.c_str()));
        out += line + L"\n";
    }
    PrintUtf8(out);
    return 0;
}

HWND FindTopLevel(const std::wstring& title) {
    if (title.rfind(L"class:", 0) == 0)
        return FindWindowW(title.c_str() + 6, nullptr);
    return FindWindowW(nullptr, title.c_str());
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
        std::fputs(
            "usage: keyseq_probe wait|text|count|geometry|close|client|children|front <title>\n"
            "       keyseq_probe lines|combo <title> <n>\n"
            "       keyseq_probe face <face name>\n"
            "       keyseq_probe keys <vk> ...\n"
            "       keyseq_probe keyup <vk>\n",
            stderr);
        return 2;
    }
    if (!SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    const std::wstring command = argv[1];
    if (command == L"keys") {
        int any_down = 0;
        for (int i = 2; i < argc; ++i) {
            int vk = static_cast<int>(std::wcstol(argv[i], nullptr, 0));
            bool down = (GetAsyncKeyState(vk) & 0x8000) != 0;
            std::printf("%d %s\n", vk, down ? "down" : "up");
            any_down |= down ? 1 : 0;
        }
        return any_down;
    }
    if (command == L"keyup") {
        auto vk = static_cast<BYTE>(std::wcstol(argv[2], nullptr, 0));
        keybd_event(vk, static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
        return 0;
    }
    const std::wstring title = DecodeTitle(argv[2]);
    if (title.empty())
        return 2;

    if (command == L"wait") {
        DWORD timeout = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 20000;
        const ULONGLONG give_up = GetTickCount64() + timeout;
        for (;;) {
            HWND hwnd = FindTopLevel(title);
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

    HWND hwnd = FindTopLevel(title);
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
    if (command == L"front") {
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return SetForegroundWindow(hwnd) ? 0 : 1;
    }
    if (command == L"client") {
        RECT r{};
        GetClientRect(hwnd, &r);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == L"children") {
        std::wstring out;
        for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r{};
            GetWindowRect(child, &r);
            POINT at{r.left, r.top};
            ScreenToClient(hwnd, &at);
            wchar_t numbers[128];
            swprintf(numbers, 128, L"\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t", at.x, at.y,
                     r.right - r.left, r.bottom - r.top, r.left, r.top);
            out += ClassOf(child) + numbers + WindowText(child) + L"\n";
        }
        PrintUtf8(out);
        return 0;
    }
    if ((command == L"lines" || command == L"combo") && argc > 3) {
        int n = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
        if (command == L"lines")
            return PrintItems(NthChild(hwnd, L"ListBox", n), LB_GETCOUNT, LB_GETCURSEL,
                              LB_GETTEXTLEN, LB_GETTEXT);
        return PrintItems(NthChild(hwnd, L"ComboBox", n), CB_GETCOUNT, CB_GETCURSEL,
                          CB_GETLBTEXTLEN, CB_GETLBTEXT);
    }
    return 2;
}
