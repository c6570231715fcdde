// Handlers that let go of the control object whose window their message is for, on both
// backends: the native window object stays for the rest of the message (and a modal run keeps
// the form's native object for the run), so the code after the handler never touches freed
// memory. Built for the sanitizers: under ASan (the host-asan preset) a use of the freed object
// is reported, and each of these tests fails that way without the keep-alive rule.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/ui/container.h"
#include "runtime/ui/form.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::CRixWinForm;
using rg_lch_MFCjm_jb::rg_zjbjq;

constexpr int kBase = CRixWinControl::kBaseEventCount;
constexpr int kDestroyed = kBase + rg_zjbjq::kDestroyed;
constexpr int kResized = kBase + rg_zjbjq::kResized;
constexpr int kFormBase = kBase + rg_zjbjq::kContainerEventCount;
constexpr int kCommand = kFormBase + CRixWinForm::kCommand;
constexpr int kMenuSelect = kFormBase + CRixWinForm::kMenuSelect;
constexpr int kFirstActivate = kFormBase + CRixWinForm::kFirstActivate;
constexpr int kActivate = kFormBase + CRixWinForm::kActivate;
constexpr int kEnvelopeReady = kFormBase + CRixWinForm::kEnvelopeReady;

void DeleteSender(CRixObject* sender) {
    delete sender;
}

std::vector<int> Slots() {
    std::vector<int> slots;
    for (const FiredEvent& e : Log().fired)
        slots.push_back(e.slot);
    return slots;
}

class SizedForm : public CRixWinForm {
public:
    int32_t GetDesignWidth() override { return 300; }
    int32_t GetDesignHeight() override { return 200; }
};

// A hidden form of 300 x 200 at a given place.
CRixWinForm* NewForm() {
    auto* form = new SizedForm;
    form->GetFormWnd()->m_nStartState = 0;
    form->GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
    CreateParams params;
    params.x = 40;
    params.y = 40;
    EXPECT_EQ(form->CreateNativeWindow(params), 1);
    return form;
}

class HandlerDeletesObject : public testing::Test {
protected:
    void SetUp() override { Log() = EventLog{}; }
    void TearDown() override {
        PumpTranslated();
        Log() = EventLog{};
    }
    HandlerTarget target;
};

TEST_F(HandlerDeletesObject, DestroyedOfAContainerDeletingTheLastControlObject) {
    std::unique_ptr<CRixWinForm> form(NewForm());
    auto* box = new rg_zjbjq;
    CreateParams params;
    params.parent = form->GetNativeWnd();
    params.width = 100;
    params.height = 50;
    ASSERT_EQ(box->CreateNativeWindow(params), 1);
    box->BindEvent(box->Event(rg_zjbjq::kDestroyed), &Record<kDestroyed>, target.pointer);
    Log().actions[kDestroyed] = &DeleteSender;
    HWND hwnd = box->GetSafeHwnd();
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_FALSE(IsWindow(hwnd));
    // Destroyed once: the holder's release did not destroy the window a second time.
    EXPECT_EQ(Slots(), std::vector<int>{kDestroyed});
    form->GetFormWnd()->DestroyWindow();
}

TEST_F(HandlerDeletesObject, DestroyedOfAFormDeletingTheLastControlObject) {
    CRixWinForm* form = NewForm();
    form->BindEvent(form->Event(rg_zjbjq::kDestroyed), &Record<kDestroyed>, target.pointer);
    Log().actions[kDestroyed] = &DeleteSender;
    HWND hwnd = form->GetSafeHwnd();
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Slots(), std::vector<int>{kDestroyed});
}

// A Command or MenuSelect handler that deletes the form and answers 0, so that the default
// processing of the message still runs after it.
TEST_F(HandlerDeletesObject, CommandAndMenuSelectHandlersDeletingTheForm) {
    struct Case {
        const char* what;
        int slot;
        CRixWinForm::FormEvent event;
        UINT message;
        WPARAM wparam;
    };
    const Case cases[] = {
        {"Command", kCommand, CRixWinForm::kCommand, WM_COMMAND, MAKEWPARAM(41, 0)},
        {"MenuSelect", kMenuSelect, CRixWinForm::kMenuSelect, WM_MENUSELECT, MAKEWPARAM(41, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Log() = EventLog{};
        CRixWinForm* form = NewForm();
        form->BindEvent(form->Event(CRixWinForm::kCommand), &Record<kCommand>, target.pointer);
        form->BindEvent(form->Event(CRixWinForm::kMenuSelect), &Record<kMenuSelect>,
                        target.pointer);
        Log().actions[c.slot] = &DeleteSender;
        HWND hwnd = form->GetSafeHwnd();
        EXPECT_EQ(SendMessageW(hwnd, c.message, c.wparam, 0), 0);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(Slots(), std::vector<int>{c.slot});
    }
}

// The shape is read after Resized: the handler must not have freed it.
TEST_F(HandlerDeletesObject, ResizedDeletingTheFormOfAShapedWindow) {
    CRixWinForm* form = NewForm();
    form->GetFormWnd()->SetShape(2);
    form->BindEvent(form->Event(rg_zjbjq::kResized), &Record<kResized>, target.pointer);
    Log().actions[kResized] = &DeleteSender;
    HWND hwnd = form->GetSafeHwnd();
    SetWindowPos(hwnd, nullptr, 0, 0, 320, 220, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Slots(), std::vector<int>{kResized});
}

// FirstActivate deletes the form object while a copy keeps the window: Activate must not be
// asked of the deleted listener (the copy is not the window's listener).
TEST_F(HandlerDeletesObject, FirstActivateDeletingTheListenerWhileACopyKeepsTheWindow) {
    CRixWinForm* form = NewForm();
    CRixWinForm copy(*form);
    form->BindEvent(form->Event(CRixWinForm::kFirstActivate), &Record<kFirstActivate>,
                    target.pointer);
    form->BindEvent(form->Event(CRixWinForm::kActivate), &Record<kActivate>, target.pointer);
    Log().actions[kFirstActivate] = &DeleteSender;
    HWND hwnd = copy.GetSafeHwnd();
    SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(Slots(), std::vector<int>{kFirstActivate});
    copy.GetFormWnd()->DestroyWindow();
}

void PostCommand(CRixObject* sender) {
    PostMessageW(static_cast<CRixWinForm*>(sender)->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(77, 0),
                 0);
}

void ResetSender(CRixObject* sender) {
    sender->Reset();
}

// A modal form whose Command handler (posted from EnvelopeReady) deletes or resets the form
// object: its window goes, the dialog ends with -1, and the run touches nothing of the object
// afterwards.
TEST_F(HandlerDeletesObject, AModalFormDeletedOrResetDuringItsRun) {
    for (bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "reset" : "deleted");
        Log() = EventLog{};
        auto* form = new SizedForm;
        form->BindEvent(form->Event(CRixWinForm::kEnvelopeReady), &Record<kEnvelopeReady>,
                        target.pointer);
        form->BindEvent(form->Event(CRixWinForm::kCommand), &Record<kCommand>, target.pointer);
        Log().actions[kEnvelopeReady] = &PostCommand;
        Log().actions[kCommand] = reset ? &ResetSender : &DeleteSender;
        CreateParams params;
        params.x = params.y = params.width = params.height = kUnsetCoordinate;
        params.modal = 1;
        params.modalResult = 12345;
        EXPECT_EQ(form->CreateNativeWindow(params), 1);
        EXPECT_EQ(params.modalResult, -1);
        EXPECT_EQ(Slots(), (std::vector<int>{kEnvelopeReady, kCommand}));
        if (reset) {
            // The reset form is a fresh one without window, ready to be shown again.
            EXPECT_EQ(form->GetSafeHwnd(), nullptr);
            EXPECT_EQ(form->GetFormWnd()->m_hEnvelope, nullptr);
            delete form;
        }
    }
}

} // namespace
