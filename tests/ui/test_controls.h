// Fixtures for framework tests: a handler target with its counted back-pointer, a log of
// fired events with the answer each handler gives, and a minimal control over a real BUTTON
// window subclassed with the framework's routing. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "runtime/core/rix_object_pointer.h"
#include "runtime/ui/control.h"
#include "runtime/ui/listener_wnd.h"
#include "runtime/ui/window_classes.h"

namespace keyseq_test {

using rg_lch_MFCjm_jb::CRixWinControl;

// An application object as handlers see it: it hands out one counted pointer to itself.
class HandlerTarget : public CRixObject {
public:
    HandlerTarget() : pointer(new CRixObjectPointer(this)) {}
    ~HandlerTarget() override { pointer->DetachOwner(); }
    HandlerTarget(const HandlerTarget&) = delete;
    CRixObjectPointer* pointer;
};

struct FiredEvent {
    int slot;
    int64_t a1, a2, a3;
    bool operator==(const FiredEvent&) const = default;
};

inline void PrintTo(const FiredEvent& e, std::ostream* os) {
    *os << "{slot " << e.slot << ": " << e.a1 << ", " << e.a2 << ", " << e.a3 << "}";
}

// What the handlers of the current test saw and what they answer, per slot.
struct EventLog {
    std::vector<FiredEvent> fired;
    std::array<int64_t, 32> answers{};
    std::array<void (*)(CRixObject* sender), 32> actions{};
    CRixObject* lastTarget = nullptr;
};

inline EventLog& Log() {
    static EventLog log;
    return log;
}

template <int Slot>
int64_t Record(CRixObject* target, CRixObject* sender, int32_t, int64_t a1, int64_t a2,
               int64_t a3) {
    Log().fired.push_back({Slot, a1, a2, a3});
    Log().lastTarget = target;
    int64_t answer = Log().answers[Slot];
    if (auto action = Log().actions[Slot])
        action(sender);
    return answer;
}

// A native window that also remembers what reached it after the routing.
class RecordingListenerWnd : public CRixListenerWnd {
public:
    // The focus notifications of an edit box, which reports its focus that way.
    static constexpr WORD kSetFocusCode = 0x0100;  // EN_SETFOCUS
    static constexpr WORD kKillFocusCode = 0x0200; // EN_KILLFOCUS

    explicit RecordingListenerWnd(FocusRoute focus = FocusRoute::Sent) : CRixListenerWnd(focus) {}
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        received.push_back({GetSafeHwnd(), message, wparam, lparam, 0, {0, 0}});
        if (message == WM_GETDLGCODE && dialogCode != 0)
            return dialogCode;
        if (message == WM_CREATE && borderAtCreate)
            SetWindowLongW(GetSafeHwnd(), GWL_STYLE,
                           GetWindowLongW(GetSafeHwnd(), GWL_STYLE) | static_cast<LONG>(WS_BORDER));
        return CRixListenerWnd::WindowProc(message, wparam, lparam);
    }
    BOOL OnChildNotify(UINT message, WPARAM wparam, LPARAM, LRESULT* result) override {
        if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
            ++clicked;
            *result = 0;
            return TRUE;
        }
        if (message == WM_COMMAND &&
            (HIWORD(wparam) == kSetFocusCode || HIWORD(wparam) == kKillFocusCode)) {
            RouteReflectedFocus(HIWORD(wparam) == kSetFocusCode);
            *result = 0;
            return TRUE;
        }
        return FALSE;
    }
    std::vector<MSG> received;
    LRESULT dialogCode = 0;
    bool borderAtCreate = false;
    int clicked = 0;
};

// A control over a window of the given class: a real BUTTON by default, subclassed by the
// framework, or one of the framework's own classes.
class TestControl : public CRixWinControl, public IBaseEventListener {
    RIX_OBJECT(TestControl, CRixWinControl, "keyseq_test::TestControl")
    RIX_NO_OWN_FIELDS(TestControl)
public:
    TestControl() { InstallHolder(WS_VISIBLE, 0, new RecordingListenerWnd); }
    explicit TestControl(CRixListenerWnd::FocusRoute focus) {
        InstallHolder(WS_VISIBLE, 0, new RecordingListenerWnd(focus));
    }
    TestControl(const TestControl& other) : CRixWinControl(other) {}
    ~TestControl() override { DetachListener(); }

    int64_t CreateNativeWindow(CreateParams& params) override {
        if (!PrepareCreate(params) || !CreateWindowOfClass(params, className))
            return 0;
        AfterCreate(GetNativeWnd(), params);
        return 1;
    }
    void AttachListener() override {
        if (auto* wnd = GetNativeWnd())
            wnd->SetListener(static_cast<IBaseEventListener*>(this));
    }
    void DetachListener() override {
        if (auto* wnd = GetNativeWnd())
            wnd->ClearListener(static_cast<IBaseEventListener*>(this));
    }
    int64_t IsListenerAttached() const override {
        auto* wnd = GetNativeWnd();
        return wnd != nullptr && wnd->GetListener() != nullptr ? 1 : 0;
    }
    int64_t OnWindowMessage(MSG* msg) override { return DispatchInput(msg); }

    RecordingListenerWnd* Wnd() const { return static_cast<RecordingListenerWnd*>(GetNativeWnd()); }
    // The messages of one number that reached the window.
    std::vector<MSG> Received(UINT message) const {
        std::vector<MSG> found;
        for (const MSG& m : Wnd()->received) {
            if (m.message == message)
                found.push_back(m);
        }
        return found;
    }

    // Binds all twelve base events to the recording handlers.
    void BindAll(HandlerTarget& target) {
        BindEvent(Event(kLeftDown), &Record<kLeftDown>, target.pointer);
        BindEvent(Event(kLeftUp), &Record<kLeftUp>, target.pointer);
        BindEvent(Event(kLeftDoubleClick), &Record<kLeftDoubleClick>, target.pointer);
        BindEvent(Event(kRightDown), &Record<kRightDown>, target.pointer);
        BindEvent(Event(kRightUp), &Record<kRightUp>, target.pointer);
        BindEvent(Event(kMouseMove), &Record<kMouseMove>, target.pointer);
        BindEvent(Event(kMouseWheel), &Record<kMouseWheel>, target.pointer);
        BindEvent(Event(kKeyDown), &Record<kKeyDown>, target.pointer);
        BindEvent(Event(kKeyUp), &Record<kKeyUp>, target.pointer);
        BindEvent(Event(kGotFocus), &Record<kGotFocus>, target.pointer);
        BindEvent(Event(kLostFocus), &Record<kLostFocus>, target.pointer);
        BindEvent(Event(kCharInput), &Record<kCharInput>, target.pointer);
    }

    const WCHAR* className = TEXT("BUTTON");
};

// A parent window of the framework's container class for the controls of a test.
class ControlTest : public testing::Test {
protected:
    void SetUp() override {
        Log() = EventLog{};
        ASSERT_TRUE(RegisterFrameworkClass(kContainerClass));
        ASSERT_TRUE(parent.CreateEx(0, kContainerClass, TEXT("parent"), WS_POPUP, 100, 50, 300, 200,
                                    nullptr, nullptr));
    }
    void TearDown() override {
        parent.DestroyWindow();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        Log() = EventLog{};
    }
    // Creates the control as a child of the parent at (10, 20), 80 by 30.
    static int64_t CreateChild(CRixWinControl& control, CRixWnd& parent_wnd) {
        CreateParams params;
        params.parent = &parent_wnd;
        params.x = 10;
        params.y = 20;
        params.width = 80;
        params.height = 30;
        return control.CreateNativeWindow(params);
    }
    int64_t CreateChild(CRixWinControl& control) { return CreateChild(control, parent); }

    CRixWnd parent;
};

} // namespace keyseq_test
