// The native window object: binding before the first message, subclassing of a window made
// elsewhere, the handle map, reflection of notifications to the child's object,
// pre-translation up the parent chain, and unbinding with the window. Both backends.
#include <vector>

#include <gmock/gmock.h>

#include "runtime/ui/native/rix_wnd.h"
#include "runtime/ui/native/window_proc.h"
#include "tests/ui/ui_pump.h"

namespace {

constexpr const WCHAR* kOwnClass = TEXT("KeyseqNativeTestOwn");
constexpr const WCHAR* kPlainClass = TEXT("KeyseqNativeTestPlain");

std::vector<UINT> g_plainReceived; // main thread only: the plain class's own procedure

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    g_plainReceived.push_back(message);
    if (message == WM_USER + 1)
        return 77;
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Records what reaches WindowProc; answers chosen messages itself.
class RecordingWnd : public CRixWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        received.push_back(message);
        if (message == WM_USER + 2)
            return 55;
        return CRixWnd::WindowProc(message, wparam, lparam);
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == consume)
            return TRUE;
        return FALSE;
    }
    BOOL OnChildNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override {
        notified.push_back(message);
        if (handleNotify) {
            *result = 99;
            return TRUE;
        }
        return CRixWnd::OnChildNotify(message, wparam, lparam, result);
    }
    void PostNcDestroy() override { ++postNcDestroyed; }

    bool Saw(UINT message) const {
        for (UINT m : received) {
            if (m == message)
                return true;
        }
        return false;
    }

    std::vector<UINT> received;
    std::vector<UINT> notified;
    UINT consume = 0xFFFFFFFF;
    bool handleNotify = false;
    int postNcDestroyed = 0;
};

class NativeWindow : public testing::Test {
protected:
    void SetUp() override {
        g_plainReceived.clear();
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &RixWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kOwnClass;
        ASSERT_NE(RegisterClassExW(&wc), 0);
        wc.lpfnWndProc = &PlainProc;
        wc.lpszClassName = kPlainClass;
        ASSERT_NE(RegisterClassExW(&wc), 0);
    }
    void TearDown() override {
        keyseq_test::PumpTranslated();
        UnregisterClassW(kOwnClass, GetModuleHandleW(nullptr));
        UnregisterClassW(kPlainClass, GetModuleHandleW(nullptr));
    }

    static BOOL CreateOwn(CRixWnd& wnd, HWND parent = nullptr, int id = 0) {
        DWORD style = parent != nullptr ? WS_CHILD : WS_POPUP;
        return wnd.CreateEx(0, kOwnClass, TEXT("own"), style, 0, 0, 100, 50, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    }
};

TEST_F(NativeWindow, OwnClassBindsBeforeTheFirstMessageSoNcCreateReachesTheObject) {
    RecordingWnd wnd;
    ASSERT_TRUE(CreateOwn(wnd));
    ASSERT_NE(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CRixWnd::FromHandlePermanent(wnd.GetSafeHwnd()), &wnd);
    EXPECT_TRUE(wnd.Saw(WM_NCCREATE));
    EXPECT_TRUE(wnd.Saw(WM_CREATE));
    // Default processing reached DefWindowProcW: the caption was set at WM_NCCREATE.
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(wnd.GetWindowText().GetText())),
              u"own");
    EXPECT_EQ(wnd.SendMessage(WM_USER + 2), 55);
}

TEST_F(NativeWindow, SubclassingRoutesThroughWindowProcAndDefaultReachesThePreviousProcedure) {
    HWND hwnd = CreateWindowExW(0, kPlainClass, TEXT("plain"), WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    {
        RecordingWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hwnd));
        g_plainReceived.clear();
        // Answered by the previous procedure through DefWindowProc.
        EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 0, 0), 77);
        EXPECT_TRUE(wnd.Saw(WM_USER + 1));
        EXPECT_THAT(g_plainReceived, testing::ElementsAre(WM_USER + 1));
        // Answered by the object alone.
        g_plainReceived.clear();
        EXPECT_EQ(SendMessageW(hwnd, WM_USER + 2, 0, 0), 55);
        EXPECT_TRUE(g_plainReceived.empty());
        EXPECT_EQ(wnd.UnsubclassWindow(), hwnd);
        EXPECT_EQ(CRixWnd::FromHandlePermanent(hwnd), nullptr);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), &PlainProc);
    }
    // Unsubclassed: the object's end leaves the window alone.
    EXPECT_TRUE(IsWindow(hwnd));
    DestroyWindow(hwnd);
}

TEST_F(NativeWindow, ASecondObjectCannotBindABoundWindow) {
    RecordingWnd first;
    ASSERT_TRUE(CreateOwn(first));
    RecordingWnd second;
    EXPECT_FALSE(second.Attach(first.GetSafeHwnd()));
    EXPECT_FALSE(second.SubclassWindow(first.GetSafeHwnd()));
    EXPECT_FALSE(CreateOwn(first)) << "an object stands for one window";
    EXPECT_EQ(CRixWnd::FromHandlePermanent(first.GetSafeHwnd()), &first);
}

TEST_F(NativeWindow, DestroyingTheWindowUnbindsTheObjectAndCallsPostNcDestroyOnce) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateOwn(parent));
    RecordingWnd child;
    ASSERT_TRUE(CreateOwn(child, parent.GetSafeHwnd(), 5));
    HWND child_hwnd = child.GetSafeHwnd();
    // Destroying the parent takes the child with it.
    EXPECT_TRUE(parent.DestroyWindow());
    EXPECT_EQ(parent.GetSafeHwnd(), nullptr);
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CRixWnd::FromHandlePermanent(child_hwnd), nullptr);
    EXPECT_EQ(parent.postNcDestroyed, 1);
    EXPECT_EQ(child.postNcDestroyed, 1);
    EXPECT_TRUE(child.Saw(WM_NCDESTROY));
}

TEST_F(NativeWindow, DestroyingTheObjectDestroysItsWindow) {
    HWND hwnd;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(CreateOwn(wnd));
        hwnd = wnd.GetSafeHwnd();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CRixWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(NativeWindow, ModifyStyleChangesOnlyTheNamedBits) {
    RecordingWnd wnd;
    ASSERT_TRUE(CreateOwn(wnd));
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_TABSTOP));
    EXPECT_EQ(wnd.GetStyle() & (WS_TABSTOP | WS_POPUP), static_cast<DWORD>(WS_TABSTOP | WS_POPUP));
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_TABSTOP)) << "nothing changed";
    EXPECT_TRUE(wnd.ModifyStyle(WS_TABSTOP, 0));
    EXPECT_EQ(wnd.GetStyle() & WS_TABSTOP, 0u);
}

// Which object sees a parent's notification, for each reflected message.
TEST_F(NativeWindow, NotificationsAreOfferedToTheChildFirst) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateOwn(parent));
    RecordingWnd child;
    ASSERT_TRUE(CreateOwn(child, parent.GetSafeHwnd(), 7));
    HWND from = child.GetSafeHwnd();
    NMHDR header{from, 7, 0};
    struct Case {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(7, 0), reinterpret_cast<LPARAM>(from)},
        {WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)},
        {WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(from)},
        {WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(from)},
        {WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(from)},
    };
    for (bool handled : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "message " << c.message << " handled " << handled);
            child.handleNotify = handled;
            child.notified.clear();
            parent.received.clear();
            LRESULT result = SendMessageW(parent.GetSafeHwnd(), c.message, c.wparam, c.lparam);
            EXPECT_THAT(child.notified, testing::ElementsAre(c.message));
            EXPECT_EQ(parent.Saw(c.message), !handled);
            if (handled) {
                EXPECT_EQ(result, 99);
            }
        }
    }
    // A command from a menu (no control window) is the parent's own.
    child.notified.clear();
    parent.received.clear();
    SendMessageW(parent.GetSafeHwnd(), WM_COMMAND, 100, 0);
    EXPECT_TRUE(child.notified.empty());
    EXPECT_TRUE(parent.Saw(WM_COMMAND));
}

TEST_F(NativeWindow, PreTranslationWalksUpTheParentChain) {
    RecordingWnd parent;
    ASSERT_TRUE(CreateOwn(parent));
    RecordingWnd child;
    ASSERT_TRUE(CreateOwn(child, parent.GetSafeHwnd(), 3));
    parent.consume = WM_USER + 5;
    child.consume = WM_USER + 6;
    PostMessageW(child.GetSafeHwnd(), WM_USER + 5, 0, 0);
    PostMessageW(child.GetSafeHwnd(), WM_USER + 6, 0, 0);
    PostMessageW(child.GetSafeHwnd(), WM_USER + 7, 0, 0);
    keyseq_test::PumpTranslated();
    EXPECT_FALSE(child.Saw(WM_USER + 5)) << "the parent consumed it";
    EXPECT_FALSE(child.Saw(WM_USER + 6)) << "the child consumed it";
    EXPECT_TRUE(child.Saw(WM_USER + 7));
    // Once the child is gone, its translator is too.
    HWND child_hwnd = child.GetSafeHwnd();
    child.DestroyWindow();
    MSG msg{child_hwnd, WM_USER + 6, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(WalkPreTranslateTree(nullptr, &msg));
}

} // namespace
