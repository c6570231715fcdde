// The main window on monitors of other DPIs: WM_DPICHANGED lays the window out again from the
// layout table (client size, every control's place and size, the fonts) on both backends, and
// back at 96 the numbers are the table's again; positions captured with Pause and replayed
// are screen pixels whatever the DPI. On the host the window also opens on a monitor whose DPI
// differs from the system's.
#include <cmath>

#include "runtime/ui/dpi_scale.h"
#include "tests/app/main_form_fixture.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_testing.h"
#endif

namespace main_form_test {
namespace {

LONG FontHeight(HWND hwnd) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    LOGFONTW record{};
    if (font == nullptr || GetObjectW(font, sizeof record, &record) != sizeof record)
        return 0;
    return record.lfHeight;
}

LONG StockFontHeight() {
    LOGFONTW record{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof record, &record);
    return record.lfHeight;
}

class MainFormDpiTest : public MainFormTest {
protected:
    // Every control at the table's place and size scaled to dpi, the client area too, and the
    // fonts made for dpi.
    void ExpectLaidOutAt(UINT dpi) {
        EXPECT_EQ(window_->GetLayoutDpi(), dpi);
        RECT client{};
        GetClientRect(hwnd_, &client);
        EXPECT_EQ(client.right - client.left, ScaleForDpi(kMainDesignWidth, dpi)) << dpi;
        EXPECT_EQ(client.bottom - client.top, ScaleForDpi(kMainDesignHeight, dpi)) << dpi;
        for (int n = 1; n <= kMainControlCount; ++n) {
            const ControlLayout& c = LayoutOf(n);
            RECT r{};
            GetWindowRect(Hwnd(n), &r);
            MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, ScaleForDpi(c.designedX, dpi)) << "control " << n << " at " << dpi;
            EXPECT_EQ(r.top, ScaleForDpi(c.designedY, dpi)) << "control " << n << " at " << dpi;
            EXPECT_EQ(r.right - r.left, ScaleForDpi(c.width, dpi))
                << "control " << n << " at " << dpi;
            // A drop-down combo box is as high as its closed field.
            if (c.kind != ControlKind::kComboBox) {
                EXPECT_EQ(r.bottom - r.top, ScaleForDpi(c.height, dpi))
                    << "control " << n << " at " << dpi;
            }
        }
        // "宋体,12" at the window's DPI, whatever the screen's LOGPIXELSY says.
        EXPECT_EQ(FontHeight(Hwnd(kStepListBox)),
                  static_cast<LONG>(std::trunc(12.0 * dpi / 72.0 + 0.5)))
            << dpi;
        // The other controls: the stock GUI font, made for the system's DPI, at the window's.
        LONG control_height = ScaleBetweenDpis(StockFontHeight(), GetDpiForSystem(), dpi);
        for (int n : {kTriggerLabel, kPositionLabel, kDelayBox, kAddKeyButton, kSaveButton})
            EXPECT_EQ(FontHeight(Hwnd(n)), control_height) << "control " << n << " at " << dpi;
    }

    void ChangeDpi(UINT dpi, RECT suggested) {
        SendMessageW(hwnd_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }
};

TEST_F(MainFormDpiTest, AMonitorOfAnotherDpiLaysTheWindowOutAgain) {
    Open();
    ExpectLaidOutAt(96);
    HWND button = Hwnd(kAddKeyButton);
    for (UINT dpi : {120u, 144u, 192u, 96u}) {
        // The suggested place is taken; the size comes from the design, so a suggestion that
        // is too small does not shrink the client area.
        ChangeDpi(dpi, RECT{40, 30, 140, 90});
        RECT window{};
        GetWindowRect(hwnd_, &window);
        EXPECT_EQ(window.left, 40) << dpi;
        EXPECT_EQ(window.top, 30) << dpi;
        ExpectLaidOutAt(dpi);
        EXPECT_EQ(Hwnd(kAddKeyButton), button) << "the controls are moved, not made anew";
    }
    // Back at 96 the controls use the stock font itself again, as when the window opened.
    EXPECT_EQ(SendMessageW(Hwnd(kSaveButton), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(Text(Hwnd(kSaveButton)), WString(TEXT("保存本方案")));
}

// A position is screen pixels from the capture to the replay: nothing divides or multiplies it
// by the window's scale.
TEST_F(MainFormDpiTest, CapturedAndReplayedPositionsStayScreenPixels) {
    Open();
    ChangeDpi(144, RECT{20, 20, 20, 20});
    SetCursorPos(300, 200);
    ASSERT_TRUE(PumpUntil([&] { return Caption(kPositionLabel) == TEXT("300，200"); }))
        << "the position label reads " << Narrow(Caption(kPositionLabel));
    Press(VK_PAUSE);
    ASSERT_TRUE(PumpUntil([&] { return Caption(kCoordYBox) == TEXT("200"); }));
    EXPECT_EQ(Caption(kCoordXBox), WString(TEXT("300")));
    ASSERT_TRUE(AddBy(kAddCoordButton, 1));
    EXPECT_EQ(Codes(), (Lines{TEXT("E300@200")}));

    SetCursorPos(5, 5);
    StartReplay(1);
    ASSERT_TRUE(PumpUntil([] { return WaitForReplayWorker(0); }));
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 300);
    EXPECT_EQ(p.y, 200);
}

#if defined(KEYSEQ_PLATFORM_SIM)
// The window opens on a 144-DPI monitor while the system (and the screen's LOGPIXELSY) is at
// 96, as on a mixed-DPI desk: the monitor's DPI counts, and the window is centred at its
// scaled size.
TEST_F(MainFormDpiTest, OpensAtTheDpiOfItsMonitor) {
    struct Restore {
        ~Restore() { sim::SetMonitorDpi(0); }
    } restore;
    sim::SetMonitorDpi(144);
    Open();
    ExpectLaidOutAt(144);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 750) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 480) / 2);
    EXPECT_EQ(FontHeight(Hwnd(kStepListBox)), 24);
    EXPECT_EQ(FontHeight(Hwnd(kAddKeyButton)), -17);

    ChangeDpi(96, window);
    ExpectLaidOutAt(96);
}
#else
// Skipped as KEYSEQ_SIM_ONLY_TEST does, in the suite's own fixture.
TEST_F(MainFormDpiTest, OpensAtTheDpiOfItsMonitor) {
    GTEST_SKIP() << "the unit tests' Wine prefix is at 96 DPI; tests/e2e/dpi.sh opens the "
                    "program at 144";
}
#endif

} // namespace
} // namespace main_form_test
