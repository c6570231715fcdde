// Modal forms on both backends: the envelope dialog holds the form window, the modal run ends
// with Esc (-1), Cancel (-1), the form window's loss (-1) or the form's request 0xA001 with
// a result, the owner is disabled meanwhile and the focus comes back afterwards, and the
// close check and the shut-down query of the form decide for the dialog. Every run is ended
// from inside, by messages that the form's EnvelopeReady handler posts.
#include <vector>

#include <gtest/gtest.h>

#include "runtime/ui/form.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::CRixWinForm;

class SizedForm : public CRixWinForm {
public:
    int32_t GetDesignWidth() override { return 300; }
    int32_t GetDesignHeight() override { return 200; }
};

// What the EnvelopeReady handler saw of the form while the dialog ran.
struct Seen {
    HWND form = nullptr;
    HWND envelope = nullptr;
    HWND parent = nullptr;
    RECT client{};
    HWND focus = nullptr;
    BOOL ownerEnabled = TRUE;
    HWND owner = nullptr;
};
Seen g_seen;

CRixWinForm& FormOf(CRixObject* sender) {
    return *static_cast<CRixWinForm*>(sender);
}

void Note(CRixObject* sender) {
    CRixWinForm& form = FormOf(sender);
    g_seen.form = form.GetSafeHwnd();
    g_seen.envelope = form.GetFormWnd()->m_hEnvelope;
    g_seen.parent = GetParent(form.GetSafeHwnd());
    GetClientRect(form.GetSafeHwnd(), &g_seen.client);
    g_seen.focus = GetFocus();
    if (g_seen.owner != nullptr)
        g_seen.ownerEnabled = IsWindowEnabled(g_seen.owner);
}

void PressEsc(CRixObject* sender) {
    Note(sender);
    PostMessageW(FormOf(sender).GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
}

void EndWithResult(CRixObject* sender) {
    Note(sender);
    PostMessageW(FormOf(sender).GetFormWnd()->m_hEnvelope, kEnvelopeMessage, kEnvelopeEnd, 3);
}

void Cancel(CRixObject* sender) {
    Note(sender);
    PostMessageW(FormOf(sender).GetFormWnd()->m_hEnvelope, WM_COMMAND, IDCANCEL, 0);
}

void CloseTheFormWindow(CRixObject* sender) {
    Note(sender);
    // A form inside an envelope closes without the close check; the dialog ends with it.
    PostMessageW(FormOf(sender).GetSafeHwnd(), WM_CLOSE, 0, 0);
}

// Closing the dialog (its close button) and a shut-down query, both refused by the form's
// handlers, then the end with a result.
void CloseRefusedThenEnd(CRixObject* sender) {
    Note(sender);
    HWND envelope = FormOf(sender).GetFormWnd()->m_hEnvelope;
    PostMessageW(envelope, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(envelope, WM_CLOSE, 0, 0);
    PostMessageW(envelope, kEnvelopeMessage, kEnvelopeEnd, 7);
}

void CloseByButton(CRixObject* sender) {
    Note(sender);
    PostMessageW(FormOf(sender).GetFormWnd()->m_hEnvelope, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class ModalFormTest : public testing::Test {
protected:
    void SetUp() override {
        Log() = EventLog{};
        g_seen = Seen{};
    }
    void TearDown() override {
        PumpTranslated();
        Log() = EventLog{};
    }
    // Runs the form modally with its EnvelopeReady handler doing `action`.
    int32_t RunModal(void (*action)(CRixObject*), CRixWnd* parent = nullptr) {
        form.BindEvent(form.Event(CRixWinForm::kEnvelopeReady),
                       &Record<CRixWinForm::kEnvelopeReady>, target.pointer);
        Log().actions[CRixWinForm::kEnvelopeReady] = action;
        CreateParams params;
        params.x = params.y = params.width = params.height = kUnsetCoordinate;
        params.parent = parent;
        params.modal = 1;
        params.modalResult = 12345;
        EXPECT_EQ(form.CreateNativeWindow(params), 1);
        return params.modalResult;
    }

    HandlerTarget target;
    SizedForm form;
};

struct EndCase {
    const char* name;
    void (*action)(CRixObject*);
    int32_t result;
};

TEST_F(ModalFormTest, TheModalRunEndsWithItsResult) {
    const EndCase cases[] = {
        {"Esc", &PressEsc, -1},
        {"0xA001 end with 3", &EndWithResult, 3},
        {"Cancel", &Cancel, -1},
        {"form window closed", &CloseTheFormWindow, -1},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        Log().fired.clear();
        g_seen = Seen{};
        EXPECT_EQ(RunModal(c.action), c.result);
        ASSERT_EQ(Log().fired.size(), 1u);
        // The form was a child of the dialog, with its design size as client area, and had
        // the focus; both windows are gone afterwards.
        ASSERT_NE(g_seen.envelope, nullptr);
        EXPECT_EQ(g_seen.parent, g_seen.envelope);
        EXPECT_EQ(g_seen.client.right, 300);
        EXPECT_EQ(g_seen.client.bottom, 200);
        EXPECT_EQ(g_seen.focus, g_seen.form);
        EXPECT_FALSE(IsWindow(g_seen.envelope));
        EXPECT_FALSE(form.GetFormWnd()->HasWindow());
        EXPECT_EQ(form.GetFormWnd()->m_hEnvelope, nullptr);
    }
}

TEST_F(ModalFormTest, TheOwnerIsDisabledMeanwhileAndTheFocusComesBack) {
    CRixWinForm owner;
    CreateParams params;
    params.x = 40;
    params.y = 40;
    params.width = 300;
    params.height = 200;
    owner.GetFormWnd()->m_nStartState = 0;
    ASSERT_EQ(owner.CreateNativeWindow(params), 1);
    TestControl field;
    CreateParams field_params;
    field_params.parent = owner.GetNativeWnd();
    field_params.x = 10;
    field_params.y = 10;
    field_params.width = 80;
    field_params.height = 24;
    ASSERT_EQ(field.CreateNativeWindow(field_params), 1);
    SetActiveWindow(owner.GetSafeHwnd());
    SetFocus(field.GetSafeHwnd());
    ASSERT_EQ(GetFocus(), field.GetSafeHwnd());

    g_seen.owner = owner.GetSafeHwnd();
    EXPECT_EQ(RunModal(&EndWithResult, owner.GetNativeWnd()), 3);
    EXPECT_FALSE(g_seen.ownerEnabled);
    EXPECT_NE(g_seen.focus, field.GetSafeHwnd());
    EXPECT_TRUE(IsWindowEnabled(owner.GetSafeHwnd()));
    EXPECT_EQ(GetFocus(), field.GetSafeHwnd());
    owner.GetFormWnd()->DestroyWindow();
}

TEST_F(ModalFormTest, TheFormsCloseCheckDecidesForTheDialog) {
    const int qc = CRixWinForm::kQueryClose;
    const int qd = CRixWinForm::kQueryDestroy;
    form.BindEvent(form.Event(CRixWinForm::kQueryClose), &Record<qc>, target.pointer);
    form.BindEvent(form.Event(CRixWinForm::kQueryDestroy), &Record<qd>, target.pointer);
    Log().answers[qc] = 1; // refuse
    EXPECT_EQ(RunModal(&CloseRefusedThenEnd), 7);
    std::vector<int> fired;
    for (const FiredEvent& e : Log().fired)
        fired.push_back(e.slot);
    EXPECT_EQ(fired, (std::vector<int>{CRixWinForm::kEnvelopeReady, qc, qc}));

    // Allowed by QueryClose, refused by QueryDestroy.
    Log() = EventLog{};
    Log().answers[qd] = 1;
    EXPECT_EQ(RunModal(&CloseRefusedThenEnd), 7);
    fired.clear();
    for (const FiredEvent& e : Log().fired)
        fired.push_back(e.slot);
    EXPECT_EQ(fired, (std::vector<int>{CRixWinForm::kEnvelopeReady, qc, qd, qc, qd}));

    // Allowed by both: the close button ends the dialog as Cancel does.
    Log() = EventLog{};
    EXPECT_EQ(RunModal(&CloseByButton), -1);
    fired.clear();
    for (const FiredEvent& e : Log().fired)
        fired.push_back(e.slot);
    EXPECT_EQ(fired, (std::vector<int>{CRixWinForm::kEnvelopeReady, qc, qd}));
}

// A shut-down query to the dialog asks only QueryDestroy.
void QueryEndSessionThenEnd(CRixObject* sender) {
    Note(sender);
    HWND envelope = FormOf(sender).GetFormWnd()->m_hEnvelope;
    const LRESULT refused = SendMessageW(envelope, WM_QUERYENDSESSION, 0, 0);
    Log().answers[CRixWinForm::kQueryDestroy] = 0;
    const LRESULT allowed = SendMessageW(envelope, WM_QUERYENDSESSION, 0, 0);
    Log().fired.push_back({-1, refused, allowed, 0});
    PostMessageW(envelope, kEnvelopeMessage, kEnvelopeEnd, 5);
}

TEST_F(ModalFormTest, AShutDownQueryAsksOnlyQueryDestroy) {
    const int qc = CRixWinForm::kQueryClose;
    const int qd = CRixWinForm::kQueryDestroy;
    form.BindEvent(form.Event(CRixWinForm::kQueryClose), &Record<qc>, target.pointer);
    form.BindEvent(form.Event(CRixWinForm::kQueryDestroy), &Record<qd>, target.pointer);
    Log().answers[qd] = 1;
    EXPECT_EQ(RunModal(&QueryEndSessionThenEnd), 5);
    EXPECT_EQ(
        Log().fired,
        (std::vector<FiredEvent>{
            {CRixWinForm::kEnvelopeReady, 0, 0, 0}, {qd, 0, 0, 0}, {qd, 0, 0, 0}, {-1, 0, 1, 0}}));
}

} // namespace
