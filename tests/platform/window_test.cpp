// Window creation and destruction, window data, text and rectangles, on both backends.
#include <gmock/gmock.h>

#include "tests/platform/test_window.h"

namespace {

using keyseq_test::TestWindows;
using keyseq_test::Text;
using Window = TestWindows;

TEST_F(Window, CreationSendsNcCreateThenCreateWithTheCreateStruct) {
    int marker = 0;
    const CREATESTRUCTW* seen = nullptr;
    LPVOID seen_param = nullptr;
    handler = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_CREATE) {
            seen = reinterpret_cast<const CREATESTRUCTW*>(l);
            seen_param = seen->lpCreateParams;
            EXPECT_EQ(seen->x, 10);
            EXPECT_EQ(seen->cx, 120);
            EXPECT_EQ(seen->style & WS_POPUP, WS_POPUP);
        }
        return std::nullopt;
    };
    HWND hwnd = CreateWindowExW(0, kClassName, TEXT("caption"), WS_POPUP, 10, 20, 120, 90, nullptr,
                                nullptr, nullptr, &marker);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(seen_param, &marker);
    EXPECT_EQ(Numbers({WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    DestroyWindow(hwnd);
}

TEST_F(Window, CreationFailsWhenNcCreateOrCreateRefuses) {
    struct Case {
        const char* name;
        UINT message;
        LRESULT answer;
    };
    for (Case c : {Case{"WM_NCCREATE answers FALSE", WM_NCCREATE, FALSE},
                   Case{"WM_CREATE answers -1", WM_CREATE, -1}}) {
        SCOPED_TRACE(c.name);
        ClearReceived();
        HWND created = nullptr;
        handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            created = h;
            if (m == c.message)
                return c.answer;
            return std::nullopt;
        };
        EXPECT_EQ(Create(WS_POPUP), nullptr);
        ASSERT_NE(created, nullptr);
        EXPECT_FALSE(IsWindow(created));
        // The window goes away through WM_NCDESTROY either way.
        EXPECT_EQ(Numbers({WM_NCDESTROY}), (std::vector<UINT>{WM_NCDESTROY}));
        EXPECT_TRUE(Numbers({WM_SIZE, WM_MOVE}).empty());
    }
}

TEST_F(Window, DestroyingSendsDestroyToTheWindowAndItsChildren) {
    HWND parent = Create(WS_POPUP);
    ASSERT_NE(parent, nullptr);
    HWND first = Create(WS_CHILD, parent, 0, 0, 10, 10, TEXT("first"), 1);
    HWND second = Create(WS_CHILD, parent, 0, 0, 10, 10, TEXT("second"), 2);
    HWND grandchild = Create(WS_CHILD, first, 0, 0, 5, 5, TEXT("grandchild"), 3);
    ASSERT_TRUE(first && second && grandchild);
    bool children_alive_in_parent_destroy = false;
    handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_DESTROY && h == parent)
            children_alive_in_parent_destroy = IsWindow(first) && IsWindow(grandchild);
        return std::nullopt;
    };
    ClearReceived();
    ASSERT_TRUE(DestroyWindow(parent));

    auto destroyed = Only({WM_DESTROY, WM_NCDESTROY});
    auto position = [&](HWND h, UINT m) {
        for (size_t i = 0; i < destroyed.size(); ++i) {
            if (destroyed[i].hwnd == h && destroyed[i].message == m)
                return static_cast<int>(i);
        }
        return -1;
    };
    ASSERT_EQ(destroyed.size(), 8u);
    EXPECT_EQ(position(parent, WM_DESTROY), 0) << "the window itself first";
    EXPECT_EQ(position(parent, WM_NCDESTROY), 7) << "and last";
    for (HWND child : {first, second, grandchild}) {
        EXPECT_GT(position(child, WM_DESTROY), 0);
        EXPECT_GT(position(child, WM_NCDESTROY), position(child, WM_DESTROY));
        EXPECT_FALSE(IsWindow(child));
    }
    EXPECT_LT(position(first, WM_DESTROY), position(grandchild, WM_DESTROY));
    EXPECT_LT(position(grandchild, WM_NCDESTROY), position(first, WM_NCDESTROY));
    EXPECT_TRUE(children_alive_in_parent_destroy);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(DestroyWindow(parent));
}

TEST_F(Window, CloseDestroysThroughTheDefaultProcedureAndDropsQueuedMessages) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    PostMessageW(hwnd, WM_USER + 1, 0, 0);
    EXPECT_EQ(SendMessageW(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Numbers({WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE));
}

TEST_F(Window, ChildCreationAndDestructionNotifyTheParent) {
    HWND parent = Create(WS_POPUP);
    HWND child = Create(WS_CHILD, parent, 0, 0, 10, 10, TEXT("child"), 9);
    ASSERT_TRUE(parent && child);
    DestroyWindow(child);
    auto notes = Only({WM_PARENTNOTIFY}, parent);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].wParam, MAKEWPARAM(WM_CREATE, 9));
    EXPECT_EQ(notes[1].wParam, MAKEWPARAM(WM_DESTROY, 9));
    EXPECT_EQ(notes[0].lParam, reinterpret_cast<LPARAM>(child));
}

TEST_F(Window, TextIsSetByTheDefaultNcCreateAndReadThroughMessages) {
    HWND hwnd = Create(WS_POPUP, nullptr, 0, 0, 10, 10, TEXT("键序台 window"));
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetWindowTextLengthW(hwnd), 10);
    WCHAR buffer[32];
    EXPECT_EQ(GetWindowTextW(hwnd, buffer, 32), 10);
    EXPECT_EQ(Text(buffer), Text(TEXT("键序台 window")));
    // A short buffer gets what fits, terminated.
    EXPECT_EQ(GetWindowTextW(hwnd, buffer, 4), 3);
    EXPECT_EQ(Text(buffer), Text(TEXT("键序台")));

    EXPECT_TRUE(SetWindowTextW(hwnd, TEXT("other")));
    EXPECT_EQ(GetWindowTextLengthW(hwnd), 5);
    EXPECT_EQ(Numbers({WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH}, hwnd),
              (std::vector<UINT>{WM_GETTEXTLENGTH, WM_GETTEXT, WM_GETTEXT, WM_SETTEXT,
                                 WM_GETTEXTLENGTH}));
}

TEST_F(Window, AProcedureThatAnswersNcCreateItselfStartsWithoutText) {
    handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_NCCREATE)
            return TRUE;
        return std::nullopt;
    };
    HWND hwnd = Create(WS_POPUP, nullptr, 0, 0, 10, 10, TEXT("never set"));
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetWindowTextLengthW(hwnd), 0);
}

TEST_F(Window, FindWindowMatchesClassAndTitleOfTopLevelWindows) {
    HWND hwnd = Create(WS_POPUP, nullptr, 0, 0, 10, 10, TEXT("Keyseq find me"));
    HWND child = Create(WS_CHILD, hwnd, 0, 0, 5, 5, TEXT("Keyseq child title"));
    ASSERT_TRUE(hwnd && child);
    EXPECT_EQ(FindWindowW(kClassName, TEXT("Keyseq find me")), hwnd);
    EXPECT_EQ(FindWindowW(nullptr, TEXT("Keyseq find me")), hwnd);
    EXPECT_EQ(FindWindowW(TEXT("keyseqtestwindow"), TEXT("Keyseq find me")), hwnd)
        << "class names have no case";
    EXPECT_EQ(FindWindowW(kClassName, TEXT("Keyseq find me not")), nullptr);
    EXPECT_EQ(FindWindowW(nullptr, TEXT("Keyseq child title")), nullptr) << "top level only";
    DestroyWindow(hwnd);
    EXPECT_EQ(FindWindowW(nullptr, TEXT("Keyseq find me")), nullptr);
}

LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_USER + 1)
        return 5 + CallWindowProcW(previous, hwnd, message, wparam, lparam);
    return CallWindowProcW(previous, hwnd, message, wparam, lparam);
}

TEST_F(Window, WindowLongsHoldDataIdsExtraBytesAndTheProcedure) {
    HWND parent = Create(WS_POPUP);
    HWND child = Create(WS_CHILD, parent, 0, 0, 5, 5, TEXT("c"), 1234);
    ASSERT_TRUE(parent && child);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_ID), 1234);
    EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 0);
    EXPECT_EQ(SetWindowLongPtrW(parent, GWLP_USERDATA, 0x123456789), 0);
    EXPECT_EQ(SetWindowLongPtrW(parent, GWLP_USERDATA, 1), 0x123456789);
    EXPECT_EQ(GetWindowLongPtrW(parent, GWLP_USERDATA), 1);

    // The class asks for 16 extra bytes.
    EXPECT_EQ(SetWindowLongPtrW(parent, 8, 77), 0);
    EXPECT_EQ(GetWindowLongPtrW(parent, 8), 77);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(parent, 16), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

    handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER + 1)
            return 10;
        return std::nullopt;
    };
    EXPECT_EQ(SendMessageW(child, WM_USER + 1, 0, 0), 10);
    LONG_PTR previous =
        SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass));
    ASSERT_NE(previous, 0);
    SetWindowLongPtrW(child, GWLP_USERDATA, previous);
    EXPECT_EQ(SendMessageW(child, WM_USER + 1, 0, 0), 15);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Subclass));
}

TEST_F(Window, ParentOfAChildIsItsParentOfAPopupItsOwner) {
    HWND owner = Create(WS_POPUP);
    HWND child = Create(WS_CHILD, owner);
    HWND popup = Create(WS_POPUP, owner);
    HWND overlapped = Create(WS_OVERLAPPED, owner);
    ASSERT_TRUE(owner && child && popup && overlapped);
    EXPECT_EQ(GetParent(child), owner);
    EXPECT_EQ(GetParent(popup), owner);
    EXPECT_EQ(GetParent(overlapped), nullptr);
    EXPECT_EQ(GetParent(owner), nullptr);
    EXPECT_TRUE(IsChild(owner, child));
    EXPECT_FALSE(IsChild(owner, popup));
    // Owned windows go with their owner.
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_FALSE(IsWindow(overlapped));
}

TEST_F(Window, RectanglesAndMovesOfFramelessWindows) {
    HWND top = Create(WS_POPUP, nullptr, 10, 20, 300, 200);
    HWND child = Create(WS_CHILD, top, 5, 6, 50, 40);
    ASSERT_TRUE(top && child);
    RECT r;
    ASSERT_TRUE(GetWindowRect(top, &r));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{10, 20, 310, 220}));
    ASSERT_TRUE(GetClientRect(top, &r));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{0, 0, 300, 200}));
    ASSERT_TRUE(GetWindowRect(child, &r));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{15, 26, 65, 66}));

    ClearReceived();
    ASSERT_TRUE(MoveWindow(child, 7, 8, 60, 30, TRUE));
    auto moved = Only({WM_MOVE, WM_SIZE}, child);
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0].message, static_cast<UINT>(WM_MOVE));
    EXPECT_EQ(moved[0].lParam, MAKELPARAM(7, 8));
    EXPECT_EQ(moved[1].message, static_cast<UINT>(WM_SIZE));
    EXPECT_EQ(moved[1].lParam, MAKELPARAM(60, 30));
    ASSERT_TRUE(GetClientRect(child, &r));
    EXPECT_EQ((std::vector<LONG>{r.right, r.bottom}), (std::vector<LONG>{60, 30}));

    // Only the size changes: no WM_MOVE.
    ClearReceived();
    ASSERT_TRUE(MoveWindow(child, 7, 8, 61, 30, TRUE));
    EXPECT_EQ(Numbers({WM_MOVE, WM_SIZE}, child), (std::vector<UINT>{WM_SIZE}));
}

TEST_F(Window, ShowWindowAnswersThePreviousStateAndVisibilityFollowsTheParent) {
    HWND top = Create(WS_POPUP);
    HWND child = Create(WS_CHILD | WS_VISIBLE, top);
    ASSERT_TRUE(top && child);
    EXPECT_FALSE(IsWindowVisible(child)) << "the parent is hidden";
    ClearReceived();
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(top));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child));
    auto shown = Only({WM_SHOWWINDOW}, top);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(shown[1].wParam, static_cast<WPARAM>(FALSE));
}

TEST_F(Window, ClassesAreUniqueAndStayWhileTheyHaveWindows) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &DefWindowProcW;
    wc.lpszClassName = TEXT("keyseqtestWINDOW");
    SetLastError(0);
    EXPECT_EQ(RegisterClassExW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(UnregisterClassW(kClassName, nullptr));
    DestroyWindow(hwnd);
    // The fixture unregisters the class once its windows are gone.

    SetLastError(0);
    EXPECT_EQ(CreateWindowExW(0, TEXT("KeyseqNoSuchClass"), TEXT(""), WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, nullptr, nullptr),
              nullptr);
    // Windows reports ERROR_CANNOT_FIND_WND_CLASS, as the simulation does; Wine 8 reports
    // ERROR_CLASS_DOES_NOT_EXIST. Either says the class is unknown.
    EXPECT_THAT(GetLastError(), testing::AnyOf(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS),
                                               static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST)));
}

} // namespace
