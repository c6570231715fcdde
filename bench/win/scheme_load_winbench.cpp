// Windows timing and memory of loading a huge scheme into the main window (the scheme box's
// pick: the file read and cut into codes, StepList filled, a line built for every code and
// added to the step list box) against a plain fill of the same lines into a bare list box
// (LB_INITSTORAGE, then LB_ADDSTRING per line), with the same font and styles, the lines made
// beforehand.
//
// Time: 100,000 and 1,000,000 steps, subject and reference taking turns in the same process,
// each size loaded once untimed first so that every timed run replaces a list of its own size,
// as a user's second load does. Linear means the 900,000 steps between the sizes add no more
// to the load than 1.5 times what they add to the plain fill.
//
// Memory: each side in a fresh process of this program (`--memory load|fill STEPS FILE`),
// which writes the peak working set and private bytes (GetProcessMemoryInfo) of the load or
// fill, and what the process held just before it, to FILE. What counts is the growth from
// that point to the peak: the main window, the runtime and, for the reference, its prepared
// lines are there before it on both sides.
//
// Both fill with redrawing off (WM_SETREDRAW), as the window does: a visible list box that
// repaints after every line takes about 3 ms a line under Wine, which would measure only the
// painting.
#include "app/schemes/scheme_files.h"
#include "app/steps/step_list.h"
#include "app/steps/step_text.h"
#include "app/window/main_form.h"
#include "bench/win/timing.h"
#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/shell/external_functions.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kSmall = 100'000;
constexpr int kLarge = 1'000'000;
constexpr int kRuns = 5;
constexpr int kMemoryRuns = 3;

// The scheme: the five kinds in turn, as a user's scheme mixes them.
constexpr const WCHAR* kCodes[] = {TEXT("A65"), TEXT("B1"), TEXT("C-8@0"), TEXT("D50"),
                                   TEXT("E100@200")};

std::wstring SchemeName(int steps) {
    return L"bench-" + std::to_wstring(steps);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The reference's lines, made beforehand in one block: the units of every line with its
// terminator, and where each line starts.
struct Lines {
    std::vector<WCHAR> units;
    std::vector<size_t> starts;
    size_t Bytes() const { return units.size() * sizeof(WCHAR); }
};

Lines MakeLines(int steps) {
    CWString texts[5];
    size_t total = 0;
    for (int k = 0; k < 5; ++k) {
        texts[k] = StepDisplayText(CWString(kCodes[k]));
        total += static_cast<size_t>(texts[k].GetLength() + 1) * (steps / 5 + 1);
    }
    Lines lines;
    lines.units.reserve(total);
    lines.starts.reserve(static_cast<size_t>(steps));
    for (int i = 0; i < steps; ++i) {
        const CWString& text = texts[i % 5];
        lines.starts.push_back(lines.units.size());
        lines.units.insert(lines.units.end(), text.GetText(), text.GetText() + text.GetLength());
        lines.units.push_back(0);
    }
    return lines;
}

void PlainFill(HWND list, const Lines& lines) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, lines.starts.size(), static_cast<LPARAM>(lines.Bytes()));
    for (size_t start : lines.starts)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(&lines.units[start]));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// The main window with a bare list box beside its own, and the scheme box entries' indexes.
struct Bench {
    rg_lch_jxt::rg_wdzhchk* window = nullptr;
    HWND form = nullptr;
    HWND schemeBox = nullptr;
    HWND ours = nullptr;
    HWND bare = nullptr;

    bool Open() {
        window = new rg_lch_jxt::rg_wdzhchk();
        CreateParams params;
        params.x = params.y = params.width = params.height = kUnsetCoordinate;
        window->CreateNativeWindow(params);
        form = window->GetSafeHwnd();
        if (form == nullptr)
            return false;
        schemeBox = window->ComboBox(kSchemeBox).GetSafeHwnd();
        ours = window->StepListBox().GetSafeHwnd();
        bare = CreateWindowExW(WS_EX_CLIENTEDGE, TEXT("LISTBOX"), TEXT(""),
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS |
                                   LBS_NOINTEGRALHEIGHT,
                               10, 70, 250, 245, form, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(bare, WM_SETFONT, SendMessageW(ours, WM_GETFONT, 0, 0), FALSE);
        ShowWindow(bare, SW_HIDE);
        Pump();
        return true;
    }

    int SchemeIndex(int steps) {
        CWString name(SchemeName(steps).c_str());
        int count = static_cast<int>(SendMessageW(schemeBox, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            if (window->ComboBox(kSchemeBox).GetItemText(i).IsEqual(name))
                return i;
        return -1;
    }

    void Load(int index) {
        SendMessageW(schemeBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        window->LoadScheme();
    }

    void Fill(const Lines& lines) {
        ShowWindow(bare, SW_SHOW);
        PlainFill(bare, lines);
        Pump();
        ShowWindow(bare, SW_HIDE);
    }

    void Close() {
        DestroyWindow(bare);
        DestroyWindow(form);
        delete window;
    }
};

struct Memory {
    double before_ws = 0, peak_ws = 0, before_private = 0, peak_private = 0;
};

PROCESS_MEMORY_COUNTERS_EX Counters() {
    PROCESS_MEMORY_COUNTERS_EX c = {};
    c.cb = sizeof(c);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&c),
                         sizeof(c));
    return c;
}

// The child: one load or one fill, its memory written to `out`.
int MeasureMemory(const wchar_t* mode, int steps, const wchar_t* out) {
    Bench bench;
    if (!bench.Open())
        return 1;
    bool load = std::wcscmp(mode, L"load") == 0;
    Lines lines;
    int index = -1;
    if (load) {
        index = bench.SchemeIndex(steps);
        if (index < 0)
            return 1;
    } else {
        lines = MakeLines(steps);
    }
    Pump();
    PROCESS_MEMORY_COUNTERS_EX before = Counters();
    if (load) {
        bench.Load(index);
        Pump();
    } else {
        bench.Fill(lines);
    }
    PROCESS_MEMORY_COUNTERS_EX after = Counters();
    long long items = SendMessageW(load ? bench.ours : bench.bare, LB_GETCOUNT, 0, 0);
    bench.Close();
    FILE* f = _wfopen(out, L"w");
    if (f == nullptr)
        return 1;
    // Private bytes are the page-file usage (Wine leaves PrivateUsage at 0).
    std::fprintf(f, "%zu %zu %zu %zu %lld\n", before.WorkingSetSize, after.PeakWorkingSetSize,
                 before.PagefileUsage, after.PeakPagefileUsage, items);
    std::fclose(f);
    return items == steps ? 0 : 1;
}

bool RunChild(const wchar_t* mode, int steps, Memory& memory) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::wstring out = std::wstring(folder) + L"keyseq-scheme-load-memory.txt";
    std::wstring command = L"\"" + std::wstring(self) + L"\" --memory " + mode + L" " +
                           std::to_wstring(steps) + L" \"" + out + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    FILE* f = _wfopen(out.c_str(), L"r");
    if (f == nullptr)
        return false;
    size_t ws0 = 0, ws1 = 0, p0 = 0, p1 = 0;
    long long items = 0;
    int read = std::fscanf(f, "%zu %zu %zu %zu %lld", &ws0, &ws1, &p0, &p1, &items);
    std::fclose(f);
    DeleteFileW(out.c_str());
    if (read != 5 || status != 0)
        return false;
    memory = {static_cast<double>(ws0), static_cast<double>(ws1), static_cast<double>(p0),
              static_cast<double>(p1)};
    return true;
}

double Mib(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

void PrintMemory(const char* name, const std::vector<Memory>& runs) {
    std::vector<double> ws, priv, ws_total;
    for (const Memory& m : runs) {
        ws.push_back(m.peak_ws - m.before_ws);
        priv.push_back(m.peak_private - m.before_private);
        ws_total.push_back(m.peak_ws);
    }
    std::printf("  %-22s peak working set %7.1f MiB above %6.1f MiB (total %7.1f MiB), "
                "peak private %7.1f MiB above the start (n=%zu)\n",
                name, Mib(winbench::Median(ws)), Mib(runs[0].before_ws),
                Mib(winbench::Median(ws_total)), Mib(winbench::Median(priv)), runs.size());
}

double Growth(const std::vector<Memory>& runs, bool working_set) {
    std::vector<double> v;
    for (const Memory& m : runs)
        v.push_back(working_set ? m.peak_ws - m.before_ws : m.peak_private - m.before_private);
    return winbench::Median(v);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    CRixMem libraries;
    if (!BindExternalFunctions(libraries)) {
        std::fputs("the external function table could not be bound\n", stderr);
        return 1;
    }
    if (argc == 5 && std::wcscmp(argv[1], L"--memory") == 0)
        return MeasureMemory(argv[2], std::wcstol(argv[3], nullptr, 10), argv[4]);

    CWString folder = SchemeFolder();
    EnsureSchemeFolder(folder);
    std::vector<CWString> paths;
    for (int steps : {kSmall, kLarge}) {
        StepList.Clear();
        for (int i = 0; i < steps; ++i)
            StepList.Append(kCodes[i % 5]);
        paths.push_back(SchemePath(folder, SchemeName(steps).c_str()));
        if (!WriteSchemeFile(StepList, paths.back().GetText())) {
            std::fputs("the scheme file could not be written\n", stderr);
            return 1;
        }
    }
    StepList.Clear();

    bool complete = true;
    {
        Bench bench;
        if (!bench.Open()) {
            std::fputs("the main window could not be made\n", stderr);
            return 1;
        }
        winbench::Series load[2] = {{"load 100,000 steps", {}}, {"load 1,000,000 steps", {}}};
        winbench::Series fill[2] = {{"plain fill 100,000 lines", {}},
                                    {"plain fill 1,000,000 lines", {}}};
        const int sizes[2] = {kSmall, kLarge};
        for (int s = 0; s < 2; ++s) {
            int index = bench.SchemeIndex(sizes[s]);
            if (index < 0) {
                std::fputs("a scheme entry is missing\n", stderr);
                return 1;
            }
            Lines lines = MakeLines(sizes[s]);
            bench.Load(index);
            bench.Fill(lines);
            Pump();
            for (int run = 0; run < kRuns; ++run) {
                load[s].seconds.push_back(winbench::Time([&] { bench.Load(index); }));
                Pump();
                fill[s].seconds.push_back(winbench::Time([&] { bench.Fill(lines); }));
                Pump();
            }
            long long loaded = SendMessageW(bench.ours, LB_GETCOUNT, 0, 0);
            long long filled = SendMessageW(bench.bare, LB_GETCOUNT, 0, 0);
            complete = complete && loaded == sizes[s] && filled == sizes[s] &&
                       StepList.GetCount() == sizes[s];
        }
        bench.Close();

        std::printf("scheme load into the main window against a plain fill, seconds:\n");
        for (int s = 0; s < 2; ++s) {
            winbench::PrintSeries(load[s], 1, "s");
            winbench::PrintSeries(fill[s], 1, "s");
        }
        winbench::PrintRatio(load[0], fill[0], "report");
        winbench::PrintRatio(load[1], fill[1], "<= 1.5");
        double added_load = winbench::Median(load[1].seconds) - winbench::Median(load[0].seconds);
        double added_fill = winbench::Median(fill[1].seconds) - winbench::Median(fill[0].seconds);
        std::printf("  the 900,000 steps from 100,000 to 1,000,000 add %.3f s to the load, "
                    "%.3f s to the plain fill: %.2f (goal: <= 1.5, linear)\n",
                    added_load, added_fill, added_load / added_fill);
    }

    std::vector<Memory> loads, fills;
    for (int run = 0; run < kMemoryRuns; ++run) {
        Memory m;
        if (!RunChild(L"load", kLarge, m)) {
            std::fputs("the load's memory could not be measured\n", stderr);
            complete = false;
            break;
        }
        loads.push_back(m);
        if (!RunChild(L"fill", kLarge, m)) {
            std::fputs("the fill's memory could not be measured\n", stderr);
            complete = false;
            break;
        }
        fills.push_back(m);
    }
    if (!loads.empty() && !fills.empty()) {
        std::printf("memory of 1,000,000 steps, each side in a fresh process:\n");
        PrintMemory("load", loads);
        PrintMemory("plain fill", fills);
        std::printf("  load / plain fill: peak working set growth %.2f, peak private growth "
                    "%.2f (goal: <= 1.5)\n",
                    Growth(loads, true) / Growth(fills, true),
                    Growth(loads, false) / Growth(fills, false));
    }

    for (const CWString& path : paths)
        DeleteFileW(path.GetText());
    return complete ? 0 : 1;
}
