// Windows timing of start-up: from starting keyseq.exe to its main window "键序台" being
// visible, against startup_reference.exe (startup_reference.cpp), a plain Win32 program that
// shows the same thirty controls in the same places, with the same manifest and fonts. Each run
// starts a fresh process, waits for its window by polling the window tree every millisecond,
// then posts WM_CLOSE and waits for the process to end (not timed); a run whose program shows
// no window, or does not end with status 0, stops the benchmark. Subject and reference take
// turns, 12 starts each; the goal is keyseq.exe at most 1.05 times the reference.
//
// keyseq.exe allows one copy per session (app/single_instance.h): each start here comes after
// the previous copy has ended, so every start is a first copy and pays its check as a user's
// start does.
//
//   startup_winbench.exe [path of keyseq.exe]   (default: app/keyseq.exe of the same build)
#include "bench/win/timing.h"
#include "platform/platform.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kRuns = 12;
constexpr const WCHAR* kMainTitle = L"键序台";
constexpr const WCHAR* kReferenceTitle = L"startup reference";
constexpr ULONGLONG kWindowTimeoutMs = 30'000;

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
    const std::wstring self = OwnPath();
    const std::wstring program =
        argc > 1 ? argv[1] : Directory(Directory(self)) + L"\\app\\keyseq.exe";
    const std::wstring reference_program = Directory(self) + L"\\startup_reference.exe";
    for (const std::wstring& path : {program, reference_program}) {
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::printf("no %ls (build the keyseq and startup_reference targets, or give the "
                        "path of keyseq.exe)\n",
                        path.c_str());
            return 1;
        }
    }
    const std::wstring subject_line = L"\"" + program + L"\"";
    const std::wstring reference_line = L"\"" + reference_program + L"\"";

    winbench::Series subject{"keyseq.exe to its main form", {}};
    winbench::Series reference{"plain Win32, same controls", {}};
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
    winbench::PrintRatio(subject, reference, "at most 1.05");
    return 0;
}
