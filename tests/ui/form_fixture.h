// Fixtures for tests of buttons and containers on a form of ours: the form with a container in
// it, and a button made at a place in a parent window. Main thread only; on both backends.
#pragma once

#include <cstdint>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "runtime/ui/container.h"
#include "runtime/ui/form.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/ui/ui_pump.h"

namespace keyseq_test {

// A form, 400 x 300 at (100, 100) and shown at once (start state 0), with a container `box`
// of 200 x 100 at (10, 10) in it. After the test the form is destroyed and the messages that
// leaves are handled.
class FormFixture : public testing::Test {
protected:
    void SetUp() override {
        form.GetFormWnd()->m_nStartState = 0;
        CreateParams params;
        params.x = 100;
        params.y = 100;
        params.width = 400;
        params.height = 300;
        ASSERT_EQ(form.CreateNativeWindow(params), 1);
        CreateParams box_params;
        box_params.parent = form.GetNativeWnd();
        box_params.x = 10;
        box_params.y = 10;
        box_params.width = 200;
        box_params.height = 100;
        ASSERT_EQ(box.CreateNativeWindow(box_params), 1);
    }
    void TearDown() override {
        form.GetFormWnd()->DestroyWindow();
        PumpTranslated();
    }

    rg_lch_MFCjm_jb::CRixWinForm form;
    rg_lch_MFCjm_jb::rg_zjbjq box;
};

// Makes the window of a button (or any control standing in for one) as a child of parent:
// 80 x 24 at (x, y), with the id and the style bits added to the control's own. Answers what
// CreateNativeWindow answers (1 when the window was made).
inline int64_t CreateButton(rg_lch_MFCjm_jb::CRixWinControl& button, CRixWnd& parent,
                            int32_t id = 0xFFFF, DWORD style = 0, int32_t x = 5, int32_t y = 5) {
    button.GetHolder()->m_nStyle |= style;
    CreateParams params;
    params.parent = &parent;
    params.id = id;
    params.x = x;
    params.y = y;
    params.width = 80;
    params.height = 24;
    return button.CreateNativeWindow(params);
}

} // namespace keyseq_test
