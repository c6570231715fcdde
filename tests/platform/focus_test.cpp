// Focus and activation per thread, on both backends: the order of WM_KILLFOCUS and
// WM_SETFOCUS, what WM_ACTIVATE carries, and where the focus goes when its window is
// destroyed or disabled.
#include <gmock/gmock.h>

#include "tests/platform/test_window.h"

namespace {

using keyseq_test::Received;
using keyseq_test::TestWindows;

class Focus : public TestWindows {
protected:
    // A visible top-level window, made the active, focused foreground window; under Wine
    // activation may arrive through the queue, so the test pumps until it has.
    HWND ActiveTop(int x = 50, int y = 50) {
        HWND hwnd = Create(WS_POPUP | WS_VISIBLE, nullptr, x, y, 200, 150);
        if (hwnd == nullptr)
            return nullptr;
        SetForegroundWindow(hwnd);
        SetActiveWindow(hwnd);
        SetFocus(hwnd);
        if (!PumpUntil([&] { return GetActiveWindow() == hwnd && GetFocus() == hwnd; }))
            return nullptr;
        return hwnd;
    }
};

struct Step {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
};

std::vector<Step> Steps(const std::vector<Received>& received) {
    std::vector<Step> steps;
    for (const Received& r : received)
        steps.push_back({r.hwnd, r.message, r.wParam});
    return steps;
}

void ExpectSteps(const std::vector<Step>& actual, const std::vector<Step>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].hwnd, expected[i].hwnd);
        EXPECT_EQ(actual[i].message, expected[i].message);
        EXPECT_EQ(actual[i].wParam, expected[i].wParam);
    }
}

WPARAM W(HWND hwnd) {
    return reinterpret_cast<WPARAM>(hwnd);
}

TEST_F(Focus, FocusMovesKillingTheOldWindowFirstAndTheNewFocusIsSetBeforeEither) {
    HWND top = ActiveTop();
    ASSERT_NE(top, nullptr);
    HWND a = Create(WS_CHILD | WS_VISIBLE, top, 0, 0, 50, 20, TEXT("a"), 1);
    HWND b = Create(WS_CHILD | WS_VISIBLE, top, 0, 30, 50, 20, TEXT("b"), 2);
    ASSERT_TRUE(a && b);
    HWND focus_in_kill = nullptr;
    handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_KILLFOCUS && h == a)
            focus_in_kill = GetFocus();
        return std::nullopt;
    };
    ClearReceived();
    EXPECT_EQ(SetFocus(a), top) << "answers the previous focus";
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(SetFocus(b), b) << "no change: no messages";
    EXPECT_EQ(GetFocus(), b);
    ExpectSteps(Steps(Only({WM_KILLFOCUS, WM_SETFOCUS})), {
                                                              {top, WM_KILLFOCUS, W(a)},
                                                              {a, WM_SETFOCUS, W(top)},
                                                              {a, WM_KILLFOCUS, W(b)},
                                                              {b, WM_SETFOCUS, W(a)},
                                                          });
    EXPECT_EQ(focus_in_kill, b);

    ClearReceived();
    EXPECT_EQ(SetFocus(nullptr), b);
    EXPECT_EQ(GetFocus(), nullptr);
    ExpectSteps(Steps(Only({WM_KILLFOCUS, WM_SETFOCUS})), {{b, WM_KILLFOCUS, 0}});
}

TEST_F(Focus, ActivationDeactivatesTheOldWindowThenActivatesAndFocusesTheNew) {
    HWND first = ActiveTop(40, 40);
    HWND second = Create(WS_POPUP, nullptr, 300, 40, 100, 100);
    ASSERT_TRUE(first && second);
    ShowWindow(second, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow(), first) << "SW_SHOWNA does not activate";
    ClearReceived();
    EXPECT_EQ(SetActiveWindow(second), first);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == second; }));
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetForegroundWindow(), second);
    auto received = Only({WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS});
    ExpectSteps(Steps(received), {
                                     {first, WM_NCACTIVATE, FALSE},
                                     {first, WM_ACTIVATE, WA_INACTIVE},
                                     {second, WM_NCACTIVATE, TRUE},
                                     {second, WM_ACTIVATE, WA_ACTIVE},
                                     {first, WM_KILLFOCUS, W(second)},
                                     {second, WM_SETFOCUS, W(first)},
                                 });
    if (received.size() == 6) {
        EXPECT_EQ(received[1].lParam, reinterpret_cast<LPARAM>(second)) << "the other window";
        EXPECT_EQ(received[3].lParam, reinterpret_cast<LPARAM>(first));
    }
    // A child cannot be active: the answer is the active window, and nothing changes.
    HWND child = Create(WS_CHILD | WS_VISIBLE, second, 0, 0, 10, 10);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(SetActiveWindow(child), second);
    EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(Focus, FocusOnAChildOfAnInactiveWindowActivatesItsTopLevelWindowFirst) {
    HWND first = ActiveTop(40, 40);
    HWND second = Create(WS_POPUP, nullptr, 300, 40, 100, 100);
    ASSERT_TRUE(first && second);
    HWND child = Create(WS_CHILD | WS_VISIBLE, second, 0, 0, 10, 10);
    ASSERT_NE(child, nullptr);
    ShowWindow(second, SW_SHOWNA);
    ClearReceived();
    // The answer is the focus just before the child took it, which is already the activated
    // window.
    EXPECT_EQ(SetFocus(child), second);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == child; }));
    EXPECT_EQ(GetActiveWindow(), second);
    // The activated window takes the focus in its default processing of WM_ACTIVATE, and
    // hands it on to the child right after.
    ExpectSteps(Steps(Only({WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS})),
                {
                    {first, WM_ACTIVATE, WA_INACTIVE},
                    {second, WM_ACTIVATE, WA_ACTIVE},
                    {first, WM_KILLFOCUS, W(second)},
                    {second, WM_SETFOCUS, W(first)},
                    {second, WM_KILLFOCUS, W(child)},
                    {child, WM_SETFOCUS, W(second)},
                });
}

TEST_F(Focus, FocusLeavesADestroyedChildForItsParentAndADisabledWindowForNone) {
    HWND top = ActiveTop();
    ASSERT_NE(top, nullptr);
    HWND a = Create(WS_CHILD | WS_VISIBLE, top, 0, 0, 50, 20, TEXT("a"), 1);
    HWND b = Create(WS_CHILD | WS_VISIBLE, top, 0, 30, 50, 20, TEXT("b"), 2);
    ASSERT_TRUE(a && b);
    SetFocus(a);
    ClearReceived();
    ASSERT_TRUE(DestroyWindow(a));
    EXPECT_EQ(GetFocus(), top);
    ExpectSteps(Steps(Only({WM_KILLFOCUS, WM_SETFOCUS, WM_DESTROY})), {
                                                                          {a, WM_KILLFOCUS, W(top)},
                                                                          {top, WM_SETFOCUS, W(a)},
                                                                          {a, WM_DESTROY, 0},
                                                                      });

    SetFocus(b);
    ClearReceived();
    EXPECT_FALSE(EnableWindow(b, FALSE));
    EXPECT_EQ(GetFocus(), nullptr);
    ExpectSteps(Steps(Only({WM_KILLFOCUS, WM_SETFOCUS, WM_ENABLE})), {
                                                                         {b, WM_KILLFOCUS, 0},
                                                                         {b, WM_ENABLE, FALSE},
                                                                     });
    EXPECT_EQ(SetFocus(b), nullptr) << "a disabled window cannot take the focus";
    EXPECT_EQ(GetFocus(), nullptr);

    // Nor can a window under a disabled parent.
    HWND inner = Create(WS_CHILD | WS_VISIBLE, b, 0, 0, 5, 5);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(SetFocus(inner), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Focus, DestroyingTheActivePopupActivatesItsOwner) {
    HWND owner = ActiveTop(40, 40);
    ASSERT_NE(owner, nullptr);
    HWND popup = Create(WS_POPUP | WS_VISIBLE, owner, 300, 40, 100, 100);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == popup && GetFocus() == popup; }))
        << "showing a top-level window activates it";
    ClearReceived();
    ASSERT_TRUE(DestroyWindow(popup));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == owner; }));
    EXPECT_EQ(GetActiveWindow(), owner);
    auto activated = Only({WM_ACTIVATE}, owner);
    ASSERT_EQ(activated.size(), 1u);
    EXPECT_EQ(LOWORD(activated[0].wParam), WA_ACTIVE);
    // WM_DESTROY comes after the popup has handed on activation.
    EXPECT_EQ(Numbers({WM_ACTIVATE, WM_DESTROY}, popup),
              (std::vector<UINT>{WM_ACTIVATE, WM_DESTROY}));
}

} // namespace
