// Window styles, SetWindowPos, subclassing, coordinate mapping and enabling, on both
// backends. The windows are frameless pop-ups and children, whose client areas are the same
// under Wine and in the simulation.
#include <gmock/gmock.h>

#include "tests/platform/test_window.h"

namespace {

using keyseq_test::TestWindows;
using WindowStyle = TestWindows;

std::vector<LONG> Corners(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TEST_F(WindowStyle, StyleChangeIsOfferedConfirmedAndFollowedByFrameChange) {
    HWND hwnd = Create(WS_POPUP, nullptr, 10, 20, 100, 80);
    ASSERT_NE(hwnd, nullptr);
    const LONG_PTR before = GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_EQ(before & WS_POPUP, WS_POPUP);
    EXPECT_EQ(before & WS_TABSTOP, 0);

    STYLESTRUCT offered{}, confirmed{};
    handler = [&](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        auto* change = reinterpret_cast<STYLESTRUCT*>(l);
        if (m == WM_STYLECHANGING && w == static_cast<WPARAM>(GWL_STYLE)) {
            offered = *change;
            change->styleNew |= WS_GROUP; // a handler may still change the new style
        }
        if (m == WM_STYLECHANGED && w == static_cast<WPARAM>(GWL_STYLE))
            confirmed = *change;
        return std::nullopt;
    };
    ClearReceived();
    // What a ModifyStyle helper does: the new style, then the frame recomputed.
    EXPECT_EQ(SetWindowLongPtrW(hwnd, GWL_STYLE, before | WS_TABSTOP), before);
    ASSERT_TRUE(
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED));
    EXPECT_EQ(Numbers({WM_STYLECHANGING, WM_STYLECHANGED, WM_WINDOWPOSCHANGING, WM_NCCALCSIZE,
                       WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE},
                      hwnd),
              (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED, WM_WINDOWPOSCHANGING,
                                 WM_NCCALCSIZE, WM_WINDOWPOSCHANGED}))
        << "neither moved nor resized: no WM_MOVE or WM_SIZE";
    // The long is the style sign-extended; the record holds the plain bits.
    const DWORD bits = static_cast<DWORD>(before);
    EXPECT_EQ(offered.styleOld, bits);
    EXPECT_EQ(offered.styleNew, bits | WS_TABSTOP);
    EXPECT_EQ(confirmed.styleNew, bits | WS_TABSTOP | WS_GROUP);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE), before | WS_TABSTOP | WS_GROUP);
    RECT r;
    ASSERT_TRUE(GetWindowRect(hwnd, &r));
    EXPECT_EQ(Corners(r), (std::vector<LONG>{10, 20, 110, 100}));

    ClearReceived();
    const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_EQ(SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex | WS_EX_TOOLWINDOW), ex);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    auto changed = Only({WM_STYLECHANGING, WM_STYLECHANGED}, hwnd);
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[0].wParam, static_cast<WPARAM>(GWL_EXSTYLE));
}

TEST_F(WindowStyle, SetWindowPosMovesAndSizesAsItsFlagsSay) {
    HWND top = Create(WS_POPUP, nullptr, 10, 20, 300, 200);
    HWND child = Create(WS_CHILD, top, 5, 6, 50, 40);
    ASSERT_TRUE(top && child);
    struct Case {
        const char* name;
        int x, y, cx, cy;
        UINT flags;
        std::vector<LONG> rect;     // GetWindowRect afterwards, on the screen
        std::vector<UINT> messages; // of the position messages
    };
    constexpr UINT kChanging = WM_WINDOWPOSCHANGING, kChanged = WM_WINDOWPOSCHANGED;
    const Case cases[] = {
        {"move only",
         7,
         8,
         99,
         99,
         SWP_NOSIZE | SWP_NOZORDER,
         {17, 28, 67, 68},
         {kChanging, kChanged, WM_MOVE}},
        {"size only",
         99,
         99,
         60,
         30,
         SWP_NOMOVE | SWP_NOZORDER,
         {17, 28, 77, 58},
         {kChanging, WM_NCCALCSIZE, kChanged, WM_SIZE}},
        {"both",
         1,
         2,
         20,
         10,
         SWP_NOZORDER,
         {11, 22, 31, 32},
         {kChanging, WM_NCCALCSIZE, kChanged, WM_MOVE, WM_SIZE}},
        // Nothing changes: the change is offered, but there is nothing to confirm.
        {"same place", 1, 2, 20, 10, SWP_NOZORDER, {11, 22, 31, 32}, {kChanging}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearReceived();
        ASSERT_TRUE(SetWindowPos(child, nullptr, c.x, c.y, c.cx, c.cy, c.flags));
        RECT r;
        ASSERT_TRUE(GetWindowRect(child, &r));
        EXPECT_EQ(Corners(r), c.rect);
        EXPECT_EQ(Numbers({kChanging, WM_NCCALCSIZE, kChanged, WM_MOVE, WM_SIZE}, child),
                  c.messages);
    }
}

TEST_F(WindowStyle, ChildCoordinatesAreRelativeToTheParentsClientArea) {
    HWND top = Create(WS_POPUP, nullptr, 100, 50, 300, 200);
    HWND child = Create(WS_CHILD, top, 20, 30, 100, 100);
    HWND grandchild = Create(WS_CHILD, child, 5, 6, 10, 10);
    ASSERT_TRUE(top && child && grandchild);
    RECT r;
    ASSERT_TRUE(GetWindowRect(grandchild, &r));
    EXPECT_EQ(Corners(r), (std::vector<LONG>{125, 86, 135, 96}));

    POINT p{0, 0};
    ASSERT_TRUE(ClientToScreen(grandchild, &p));
    EXPECT_EQ(p.x, 125);
    EXPECT_EQ(p.y, 86);
    p = {100, 50};
    ASSERT_TRUE(ScreenToClient(child, &p));
    EXPECT_EQ(p.x, -20) << "left of the child: negative client coordinates";
    EXPECT_EQ(p.y, -30);

    POINT points[2] = {{0, 0}, {10, 10}};
    const int offset = MapWindowPoints(grandchild, top, points, 2);
    EXPECT_EQ(points[0].x, 25);
    EXPECT_EQ(points[0].y, 36);
    EXPECT_EQ(points[1].x, 35);
    EXPECT_EQ(points[1].y, 46);
    EXPECT_EQ(static_cast<SHORT>(LOWORD(offset)), 25);
    EXPECT_EQ(static_cast<SHORT>(HIWORD(offset)), 36);
    // A null window is the screen; mapping a rectangle's two corners is how callers move a
    // child's window rectangle into its parent's client coordinates.
    ASSERT_TRUE(GetWindowRect(child, &r));
    MapWindowPoints(nullptr, top, reinterpret_cast<LPPOINT>(&r), 2);
    EXPECT_EQ(Corners(r), (std::vector<LONG>{20, 30, 120, 130}));
    POINT back{1, 1};
    MapWindowPoints(top, grandchild, &back, 1);
    EXPECT_EQ(back.x, -24);
    EXPECT_EQ(back.y, -35);
}

LRESULT CALLBACK CountingSubclass(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

struct SubclassState {
    WNDPROC previous = nullptr;
    std::vector<UINT> seen;
};
SubclassState g_subclass;

LRESULT CALLBACK CountingSubclass(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    g_subclass.seen.push_back(message);
    if (message == WM_USER + 2)
        return 7; // answered here: the old procedure never sees it
    return CallWindowProcW(g_subclass.previous, hwnd, message, wparam, lparam);
}

TEST_F(WindowStyle, ReplacedProcedureSeesSentAndPostedMessagesAndReachesTheOldOne) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    g_subclass = {};
    g_subclass.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingSubclass)));
    ASSERT_NE(g_subclass.previous, nullptr);
    ClearReceived();
    handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER + 1)
            return 3;
        return std::nullopt;
    };
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 0, 0), 3) << "the old procedure's answer";
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 2, 0, 0), 7);
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER + 3, 0, 0));
    ASSERT_TRUE(PumpUntil([&] { return !Only({WM_USER + 3}).empty(); }));
    EXPECT_EQ(Numbers({WM_USER + 1, WM_USER + 2, WM_USER + 3}),
              (std::vector<UINT>{WM_USER + 1, WM_USER + 3}));
    std::vector<UINT> ours;
    for (UINT m : g_subclass.seen) {
        if (m >= WM_USER)
            ours.push_back(m);
    }
    EXPECT_EQ(ours, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));

    // Putting the old procedure back ends the subclassing.
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_subclass.previous));
    g_subclass.seen.clear();
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 2, 0, 0), 0);
    EXPECT_TRUE(g_subclass.seen.empty());
}

TEST_F(WindowStyle, DefaultProcessingOfDialogCodesAndFonts) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0), 0);
    // The default procedure keeps no font: only controls remember one.
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    EXPECT_EQ(SendMessageW(hwnd, WM_GETFONT, 0, 0), 0);
    EXPECT_TRUE(InvalidateRect(hwnd, nullptr, TRUE));
    EXPECT_TRUE(InvalidateRect(hwnd, nullptr, FALSE));
}

TEST_F(WindowStyle, DisablingSendsCancelModeAndEnableAndAnswersThePreviousState) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(hwnd));
    ClearReceived();
    EXPECT_FALSE(EnableWindow(hwnd, FALSE)) << "was enabled";
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_DISABLED, WS_DISABLED);
    EXPECT_TRUE(EnableWindow(hwnd, FALSE)) << "was disabled: only WM_CANCELMODE again";
    EXPECT_TRUE(EnableWindow(hwnd, TRUE));
    EXPECT_TRUE(IsWindowEnabled(hwnd));
    auto sent = Only({WM_CANCELMODE, WM_ENABLE}, hwnd);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].message, static_cast<UINT>(WM_CANCELMODE));
    EXPECT_EQ(sent[1].message, static_cast<UINT>(WM_ENABLE));
    EXPECT_EQ(sent[1].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_EQ(sent[2].message, static_cast<UINT>(WM_CANCELMODE));
    EXPECT_EQ(sent[3].message, static_cast<UINT>(WM_ENABLE));
    EXPECT_EQ(sent[3].wParam, static_cast<WPARAM>(TRUE));
}

} // namespace
