// Windows timing loop: loading a scheme of 10,000 steps into the main window (the scheme box's
// pick: the file read and split, StepList filled, a line built for every code and added to
// the step list box) against filling a bare list box, with the same font, with the same
// 10,000 lines made beforehand. Subject and reference take turns in the same run. Both fill
// with redrawing off (WM_SETREDRAW), as the window does: a visible list box that repaints
// after every line takes about 3 ms a line under Wine, which would measure only the painting.
#include "app/window/main_form.h"
#include "app/schemes/scheme_files.h"
#include "app/steps/step_list.h"
#include "app/steps/step_text.h"
#include "bench/win/timing.h"
#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/shell/external_functions.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kSteps = 10'000;
constexpr int kRuns = 9;
constexpr const WCHAR* kSchemeName = TEXT("bench-10000");

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

int wmain() {
    CRixMem libraries;
    if (!BindExternalFunctions(libraries)) {
        std::fputs("the external function table could not be bound\n", stderr);
        return 1;
    }
    // The scheme: the five kinds in turn, as a user's scheme mixes them.
    static constexpr const WCHAR* kCodes[] = {TEXT("A65"), TEXT("B1"), TEXT("C-8@0"), TEXT("D50"),
                                              TEXT("E100@200")};
    StepList.Clear();
    for (int i = 0; i < kSteps; ++i)
        StepList.Append(kCodes[i % 5]);
    CWString folder = SchemeFolder();
    EnsureSchemeFolder(folder);
    CWString path = SchemePath(folder, kSchemeName);
    if (!WriteSchemeFile(StepList, path.GetText())) {
        std::fputs("the scheme file could not be written\n", stderr);
        return 1;
    }
    std::vector<CWString> lines;
    for (int i = 0; i < kSteps; ++i)
        lines.push_back(StepDisplayText(CWString(kCodes[i % 5])));
    StepList.Clear();

    auto* window = new rg_lch_jxt::rg_wdzhchk();
    CreateParams params;
    params.x = params.y = params.width = params.height = kUnsetCoordinate;
    window->CreateNativeWindow(params);
    HWND form = window->GetSafeHwnd();
    HWND scheme_box = window->ComboBox(kSchemeBox).GetSafeHwnd();
    int index = -1;
    for (int i = 0; i < static_cast<int>(SendMessageW(scheme_box, CB_GETCOUNT, 0, 0)); ++i) {
        if (window->ComboBox(kSchemeBox).GetItemText(i).IsEqual(CWString(kSchemeName)))
            index = i;
    }
    if (form == nullptr || index < 0) {
        std::fputs("the main window or its scheme entry is missing\n", stderr);
        return 1;
    }
    HWND ours = window->StepListBox().GetSafeHwnd();
    HWND bare = CreateWindowExW(WS_EX_CLIENTEDGE, TEXT("LISTBOX"), TEXT(""),
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 10, 70, 250, 245,
                                form, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(bare, WM_SETFONT, SendMessageW(ours, WM_GETFONT, 0, 0), FALSE);
    ShowWindow(bare, SW_HIDE);
    Pump();

    winbench::Series load{"load 10,000-step scheme", {}};
    winbench::Series fill{"fill bare list box", {}};
    for (int run = 0; run < kRuns; ++run) {
        SendMessageW(scheme_box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        load.seconds.push_back(winbench::Time([&] { window->LoadScheme(); }));
        Pump();
        ShowWindow(bare, SW_SHOW);
        fill.seconds.push_back(winbench::Time([&] {
            SendMessageW(bare, WM_SETREDRAW, FALSE, 0);
            SendMessageW(bare, LB_RESETCONTENT, 0, 0);
            for (const CWString& line : lines)
                SendMessageW(bare, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.GetText()));
            SendMessageW(bare, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(bare, nullptr, TRUE);
        }));
        Pump();
        ShowWindow(bare, SW_HIDE);
    }
    long long loaded = SendMessageW(ours, LB_GETCOUNT, 0, 0);
    long long filled = SendMessageW(bare, LB_GETCOUNT, 0, 0);
    std::printf("scheme load into the main window, %d steps (lines: %lld ours, %lld bare)\n",
                kSteps, loaded, filled);
    winbench::PrintSeries(load, 1e3, "ms");
    winbench::PrintSeries(fill, 1e3, "ms");
    winbench::PrintRatio(load, fill, "within 1.5");

    DestroyWindow(bare);
    DestroyWindow(form);
    delete window;
    DeleteFileW(path.GetText());
    return loaded == kSteps && filled == kSteps ? 0 : 1;
}
