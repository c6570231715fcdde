// Windows timing of start-up: from starting keyseq.exe to its main window "键序台" being
// visible, against a minimal Win32 program that registers a class and shows one window (this
// program itself, started again with --reference-window). Each run starts a fresh process,
// waits for its window by polling the window tree every millisecond, then posts WM_CLOSE and
// waits for the process to end (not timed); a run whose program shows no window, or does not
// end with status 0, stops the benchmark. Subject and reference take turns.
//
//   startup_winbench.exe [path of keyseq.exe]   (default: app/keyseq.exe of the same build)
#include "bench/win/timing.h"
#include "platform/platform.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kRuns = 12;
constexpr const WCHAR* kMainTitle = L"键序台";
constexpr const WCHAR* kReferenceTitle = L"startup reference window";
constexpr const WCHAR* kReferenceClass = L"StartupReferenceWindow";
constexpr ULONGLONG kWindowTimeoutMs = 30'000;

LRESULT CALLBACK ReferenceProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// The reference program: one window of a fresh class, shown, and a plain message loop.
int RunReferenceWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &ReferenceProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = kReferenceClass;
    if (RegisterClassExW(&wc) == 0)
        return 1;
    HWND hwnd =
        CreateWindowExW(0, kReferenceClass, kReferenceTitle,
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                        CW_USEDEFAULT, 506, 345, nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd == nullptr)
        return 1;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

std::wstring OwnPath() {
    WCHAR path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, n);
}

std::wstring Directory(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// Starts the program, times until a visible window with the title exists, closes it and
// waits for the end. Negative on failure (printed).
double TimeToWindow(const std::wstring& command_line, const WCHAR* title) {
    std::wstring line = command_line;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    double start = winbench::NowSeconds();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::printf("cannot start %ls (error %lu)\n", command_line.c_str(), GetLastError());
        return -1;
    }
    double shown = -1;
    HWND hwnd = nullptr;
    const ULONGLONG give_up = GetTickCount64() + kWindowTimeoutMs;
    while (GetTickCount64() < give_up) {
        hwnd = FindWindowW(nullptr, title);
        if (hwnd != nullptr && IsWindowVisible(hwnd)) {
            shown = winbench::NowSeconds() - start;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (shown < 0)
        std::printf("%ls showed no window\n", command_line.c_str());
    else
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    DWORD status = 1;
    if (WaitForSingleObject(pi.hProcess, 10'000) != WAIT_OBJECT_0) {
        std::printf("%ls did not end after WM_CLOSE\n", command_line.c_str());
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, INFINITE);
        shown = -1;
    } else if (GetExitCodeProcess(pi.hProcess, &status) && status != 0 && shown >= 0) {
        std::printf("%ls ended with status %lu\n", command_line.c_str(), status);
        shown = -1;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return shown;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--reference-window")
        return RunReferenceWindow();
    const std::wstring self = OwnPath();
    const std::wstring program =
        argc > 1 ? argv[1] : Directory(Directory(self)) + L"\\app\\keyseq.exe";
    if (GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("no %ls (build the keyseq target, or give its path)\n", program.c_str());
        return 1;
    }
    const std::wstring subject_line = L"\"" + program + L"\"";
    const std::wstring reference_line = L"\"" + self + L"\" --reference-window";

    winbench::Series subject{"keyseq.exe to its main form", {}};
    winbench::Series reference{"one-window program", {}};
    // One untimed start of each first: the first start of a program loads what later starts
    // find in the file cache.
    if (TimeToWindow(subject_line, kMainTitle) < 0 ||
        TimeToWindow(reference_line, kReferenceTitle) < 0)
        return 1;
    for (int run = 0; run < kRuns; ++run) {
        double a = TimeToWindow(subject_line, kMainTitle);
        double b = TimeToWindow(reference_line, kReferenceTitle);
        if (a < 0 || b < 0)
            return 1;
        subject.seconds.push_back(a);
        reference.seconds.push_back(b);
    }
    std::printf("start to first visible window, %d runs each, taking turns:\n", kRuns);
    winbench::PrintSeries(subject, 1e3, "ms");
    winbench::PrintSeries(reference, 1e3, "ms");
    winbench::PrintRatio(subject, reference, "below 1.5");
    return 0;
}
