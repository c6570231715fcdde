// Windows timing loop for the list box: adding 10,000 lines through rg_lbk::AddItem against
// LB_ADDSTRING on a bare list box, and SetItemText on line 5,000 of 10,000 (a selected line
// of a scrolled list, which keeps its selection, top index, caret and data) against a bare
// delete-and-insert of that line. Both sides use list boxes of the same styles and font and
// take turns in the same run.
//
// Then how the list box's own work grows with the number of lines, from 125,000 to 1,000,000:
// a fill with LB_INITSTORAGE and LB_ADDSTRING (redrawing off) into an empty list, and the
// LB_RESETCONTENT that empties it again, each per line, and the same fill without
// LB_INITSTORAGE; beside them, as many HeapAlloc calls
// of a line's size on the process heap and their HeapFree, the list box's own allocations
// without the list box. A cost per line that rises with the count is a part that is not linear.
//
// The windows are not shown: a shown list box under Wine updates its scroll bar through the
// X server at every added line (this program ran for more than ten minutes with them shown,
// against five seconds hidden), which would measure the display, not the list box.
#include "bench/win/timing.h"
#include "platform/platform.h"
#include "runtime/ui/list_box.h"
#include "runtime/ui/native/rix_wnd.h"
#include "runtime/ui/window_classes.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kLines = 10'000;
constexpr int kLine = 5'000;
constexpr int kReplaces = 500; // SetItemText calls per timed run
constexpr int kRounds = 5;

HWND MakeBareList(HWND parent) {
    HWND hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, TEXT("LISTBOX"), TEXT(""),
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS |
                                    LBS_NOINTEGRALHEIGHT,
                                220, 0, 200, 300, parent, nullptr, nullptr, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return hwnd;
}

void Fill(HWND hwnd, const std::vector<CWString>& lines) {
    for (const CWString& line : lines)
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.GetText()));
}

// The state SetItemText works under: line 5,000 selected, the list scrolled near it.
void SelectNearTheMiddle(HWND hwnd) {
    SendMessageW(hwnd, LB_SETCURSEL, kLine, 0);
    SendMessageW(hwnd, LB_SETTOPINDEX, kLine - 10, 0);
}

} // namespace

int wmain() {
    RegisterFrameworkClass(kContainerClass);
    CRixWnd parent;
    parent.CreateEx(0, kContainerClass, TEXT("bench"), WS_POPUP, 0, 0, 440, 320, nullptr, nullptr);
    std::vector<CWString> lines;
    for (int i = 0; i < kLines; ++i) {
        CWString line;
        line.Format(TEXT("第%d步\t按键 A"), i + 1);
        lines.push_back(line);
    }
    const CWString replacements[2] = {CWString(TEXT("改过的第五千步\t延时 100")),
                                      CWString(TEXT("第五千步\t单击左键"))};

    rg_lch_MFCjm_jb::rg_lbk ours;
    CreateParams params;
    params.parent = &parent;
    params.width = 200;
    params.height = 300;
    if (ours.CreateNativeWindow(params) != 1) {
        std::printf("the list box could not be created\n");
        return 1;
    }
    HWND our_list = ours.GetSafeHwnd();
    HWND bare = MakeBareList(parent.GetSafeHwnd());

    winbench::Series add_ours{"AddItem x 10,000", {}}, add_bare{"LB_ADDSTRING x 10,000", {}};
    winbench::Series set_ours{"SetItemText line 5,000 (x500)", {}};
    winbench::Series set_bare{"delete+insert line 5,000 (x500)", {}};
    for (int round = 0; round < kRounds; ++round) {
        SendMessageW(our_list, LB_RESETCONTENT, 0, 0);
        SendMessageW(bare, LB_RESETCONTENT, 0, 0);
        add_ours.seconds.push_back(winbench::Time([&] {
            for (const CWString& line : lines)
                ours.AddItem(line);
        }));
        add_bare.seconds.push_back(winbench::Time([&] { Fill(bare, lines); }));

        SelectNearTheMiddle(our_list);
        SelectNearTheMiddle(bare);
        set_ours.seconds.push_back(winbench::Time([&] {
            for (int i = 0; i < kReplaces; ++i)
                ours.SetItemText(kLine, replacements[i % 2]);
        }));
        set_bare.seconds.push_back(winbench::Time([&] {
            for (int i = 0; i < kReplaces; ++i) {
                SendMessageW(bare, LB_DELETESTRING, kLine, 0);
                SendMessageW(bare, LB_INSERTSTRING, kLine,
                             reinterpret_cast<LPARAM>(replacements[i % 2].GetText()));
            }
        }));
    }
    if (ours.GetCount() != kLines || SendMessageW(bare, LB_GETCOUNT, 0, 0) != kLines ||
        ours.GetCurSel() != kLine) {
        std::printf("the lists do not hold what was measured\n");
        return 1;
    }
    std::printf("list box, %d lines (%d rounds)\n", kLines, kRounds);
    for (const winbench::Series* s : {&add_ours, &add_bare, &set_ours, &set_bare})
        winbench::PrintSeries(*s, 1e3, "ms");
    winbench::PrintRatio(add_ours, add_bare, "about 1 (one more message per line)");
    winbench::PrintRatio(set_ours, set_bare, "report (reads and restores the state)");

    std::printf("growth of the list box's own work, microseconds per line:\n");
    for (int lines_count : {125'000, 250'000, 500'000, 1'000'000}) {
        std::vector<CWString> many;
        many.reserve(lines_count);
        for (int i = 0; i < lines_count; ++i)
            many.push_back(lines[i % kLines]);
        HWND list = MakeBareList(parent.GetSafeHwnd());
        ShowWindow(list, SW_HIDE);
        double fill = winbench::Time([&] {
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            SendMessageW(list, LB_INITSTORAGE, lines_count, lines_count * 24);
            Fill(list, many);
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        });
        double reset = winbench::Time([&] { SendMessageW(list, LB_RESETCONTENT, 0, 0); });
        double bare_fill = winbench::Time([&] {
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            Fill(list, many);
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        });
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        DestroyWindow(list);
        std::vector<void*> blocks(lines_count);
        HANDLE heap = GetProcessHeap();
        double alloc = winbench::Time([&] {
            for (int i = 0; i < lines_count; ++i)
                blocks[i] = HeapAlloc(heap, 0, (lines[i % kLines].GetLength() + 1) * 2);
        });
        double release = winbench::Time([&] {
            for (int i = lines_count - 1; i >= 0; --i)
                HeapFree(heap, 0, blocks[i]);
        });
        std::printf("  %8d lines: fill %7.3f (without LB_INITSTORAGE %7.3f), reset %7.3f; "
                    "HeapAlloc %7.3f, HeapFree %7.3f\n",
                    lines_count, fill * 1e6 / lines_count, bare_fill * 1e6 / lines_count,
                    reset * 1e6 / lines_count, alloc * 1e6 / lines_count,
                    release * 1e6 / lines_count);
    }
    DestroyWindow(bare);
    parent.DestroyWindow();
    return 0;
}
