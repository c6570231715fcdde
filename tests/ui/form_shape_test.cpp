// Window shapes of forms on both backends: the region each shape gives the window, and the
// shape following the window's size.
#include <gtest/gtest.h>

#include "runtime/ui/form.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/ui/ui_pump.h"

namespace {

using rg_lch_MFCjm_jb::CRixWinForm;

struct Probe {
    int x, y;
    bool inside;
};

// Creates a hidden 500 x 400 form with the shape, at a given place.
bool CreateShaped(CRixWinForm& form, int64_t shape) {
    form.GetFormWnd()->m_nShape = shape;
    form.GetFormWnd()->m_nStartState = 0;
    form.GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
    CreateParams params;
    params.x = 60;
    params.y = 40;
    params.width = 500;
    params.height = 400;
    return form.CreateNativeWindow(params) == 1;
}

// Checks each probe against the window's region.
void ExpectRegion(HWND hwnd, const std::vector<Probe>& probes) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(hwnd, region), ERROR);
    for (const Probe& p : probes) {
        EXPECT_EQ(PtInRegion(region, p.x, p.y) != FALSE, p.inside) << "at " << p.x << ", " << p.y;
    }
    DeleteObject(region);
}

TEST(FormShape, EachShapeGivesTheWindowItsRegion) {
    {
        CRixWinForm form;
        ASSERT_TRUE(CreateShaped(form, 0));
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(form.GetSafeHwnd(), region), ERROR);
        DeleteObject(region);
        form.GetFormWnd()->DestroyWindow();
    }
    {
        SCOPED_TRACE("ellipse");
        CRixWinForm form;
        ASSERT_TRUE(CreateShaped(form, 1));
        ExpectRegion(
            form.GetSafeHwnd(),
            {{250, 200, true}, {250, 3, true}, {3, 200, true}, {20, 20, false}, {480, 380, false}});
        form.GetFormWnd()->DestroyWindow();
    }
    {
        // The corner is min(500 / 5, 400 / 5) = 80: (13, 13) lies inside a corner of 80 but
        // outside one of 100, (9, 9) outside a corner of 80.
        SCOPED_TRACE("rounded rectangle");
        CRixWinForm form;
        ASSERT_TRUE(CreateShaped(form, 2));
        ExpectRegion(form.GetSafeHwnd(), {{250, 200, true},
                                          {13, 13, true},
                                          {9, 9, false},
                                          {2, 2, false},
                                          {40, 1, true},
                                          {1, 40, true},
                                          {490, 390, false},
                                          {460, 397, true}});
        form.GetFormWnd()->DestroyWindow();
    }
}

TEST(FormShape, TheShapeFollowsTheSizeAndCanBeChangedLater) {
    CRixWinForm form;
    ASSERT_TRUE(CreateShaped(form, 2));
    HWND hwnd = form.GetSafeHwnd();
    // 300 x 200: the corner becomes 40, so (8, 8) is inside now.
    SetWindowPos(hwnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectRegion(hwnd, {{8, 8, true}, {3, 3, false}, {150, 100, true}, {297, 197, false}});
    // Out-of-range shapes are clamped: 7 is the rounded rectangle, -1 the plain rectangle.
    form.GetFormWnd()->SetShape(7);
    EXPECT_EQ(form.GetFormWnd()->m_nShape, 2);
    form.GetFormWnd()->SetShape(1);
    ExpectRegion(hwnd, {{150, 100, true}, {8, 8, false}, {150, 3, true}});
    form.GetFormWnd()->SetShape(-1);
    EXPECT_EQ(form.GetFormWnd()->m_nShape, 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hwnd, region), ERROR);
    DeleteObject(region);
    form.GetFormWnd()->DestroyWindow();
    keyseq_test::PumpTranslated();
}

TEST(FormShape, AShapeBeyondTwoIsClampedAtCreation) {
    CRixWinForm form;
    ASSERT_TRUE(CreateShaped(form, 3));
    EXPECT_EQ(form.GetFormWnd()->m_nShape, 2);
    ExpectRegion(form.GetSafeHwnd(), {{250, 200, true}, {9, 9, false}, {40, 1, true}});
    form.GetFormWnd()->DestroyWindow();
}

} // namespace
