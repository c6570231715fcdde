// The menu bar of a form, on both backends: a top-level form shows its menu object's bar and
// takes it off before its window goes (the system destroys the bar of a window with the
// window, and the bar belongs to the shared menu object); a modal form shows it in its
// envelope dialog, which is sized with it, and translates the menu's accelerators there.
#include <vector>

#include <gtest/gtest.h>

#include "runtime/ui/form.h"
#include "runtime/ui/ref_rix_menu.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::CRixWinForm;

constexpr int kCommand = CRixWinForm::kCommand;
constexpr int kEnvelopeReady = CRixWinForm::kEnvelopeReady;

// One pop-up 文件 (id 100) holding 刷新 (id 201, shortcut F5 without modifiers).
const WCHAR* const kMenuText = TEXT("1\n"
                                    "0\n文件\n文件\n100\n\n\n0\n0\n0\n0\n0\n"
                                    "1\n刷新\n刷新\n201\n\nF5\n0\n0\n0\n0\n0");

class SizedForm : public CRixWinForm {
public:
    int32_t GetDesignWidth() override { return 300; }
    int32_t GetDesignHeight() override { return 200; }
};

class FormMenuBar : public testing::Test {
protected:
    void SetUp() override {
        Log() = EventLog{};
        menu = new CRefRixMenu();
        bar = menu->BuildFromText(kMenuText);
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(menu->GetAccelerators(), nullptr);
    }
    void TearDown() override {
        PumpTranslated();
        menu->Release();
        Log() = EventLog{};
    }
    CreateParams Params(int32_t modal) {
        CreateParams params;
        params.x = params.y = params.width = params.height = kUnsetCoordinate;
        params.menu = menu;
        params.modal = modal;
        return params;
    }

    HandlerTarget target;
    CRefRixMenu* menu = nullptr;
    HMENU bar = nullptr;
};

TEST_F(FormMenuBar, ATopLevelFormShowsTheBarAndLeavesItToTheMenuObject) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        SizedForm form;
        form.GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
        CreateParams params = Params(0);
        ASSERT_EQ(form.CreateNativeWindow(params), 1);
        EXPECT_EQ(GetMenu(form.GetSafeHwnd()), bar);
        ASSERT_TRUE(form.GetFormWnd()->DestroyWindow());
        // The bar is the menu object's still, ready for the next window.
        EXPECT_TRUE(IsMenu(bar));
        EXPECT_NE(GetSubMenu(bar, 0), nullptr);
    }
}

// What the EnvelopeReady handler saw of the dialog.
struct Seen {
    HMENU bar = nullptr;
    RECT client{};
};
Seen g_seen;

void NoteAndPressF5(CRixObject* sender) {
    auto* form = static_cast<CRixWinForm*>(sender);
    HWND envelope = form->GetFormWnd()->m_hEnvelope;
    g_seen.bar = GetMenu(envelope);
    GetClientRect(form->GetSafeHwnd(), &g_seen.client);
    PostMessageW(form->GetSafeHwnd(), WM_KEYDOWN, VK_F5, 0);
    PostMessageW(envelope, kEnvelopeMessage, kEnvelopeEnd, 5);
}

TEST_F(FormMenuBar, AModalFormShowsTheBarInItsEnvelopeAndTranslatesItsAccelerators) {
    g_seen = Seen{};
    SizedForm form;
    form.BindEvent(form.Event(CRixWinForm::kEnvelopeReady), &Record<kEnvelopeReady>,
                   target.pointer);
    form.BindEvent(form.Event(CRixWinForm::kCommand), &Record<kCommand>, target.pointer);
    Log().actions[kEnvelopeReady] = &NoteAndPressF5;
    CreateParams params = Params(1);
    ASSERT_EQ(form.CreateNativeWindow(params), 1);
    EXPECT_EQ(params.modalResult, 5);
    EXPECT_EQ(g_seen.bar, bar);
    // The dialog is sized around the form's design size with the bar it shows.
    EXPECT_EQ(g_seen.client.right, 300);
    EXPECT_EQ(g_seen.client.bottom, 200);
    EXPECT_EQ(Log().fired,
              (std::vector<FiredEvent>{{kEnvelopeReady, 0, 0, 0}, {kCommand, 201, 0, 0}}));
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_NE(GetSubMenu(bar, 0), nullptr);
}

} // namespace
