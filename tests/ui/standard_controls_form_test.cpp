// The standard controls together in a form, as an application builds them in CreateChildren:
// Chinese captions and items reach the windows, and each control is a child of the form.
// Both backends.
#include <gtest/gtest.h>

#include "runtime/ui/button.h"
#include "runtime/ui/combo_box.h"
#include "runtime/ui/form.h"
#include "runtime/ui/label.h"
#include "runtime/ui/list_box.h"
#include "tests/core/text_testing.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace rg_lch_MFCjm_jb;

class GalleryForm : public CRixWinForm {
public:
    int32_t GetDesignWidth() override { return 400; }
    int32_t GetDesignHeight() override { return 240; }
    void CreateChildren() override {
        label.SetCaption(CWString(TEXT("执行次数：")));
        button.SetCaption(CWString(TEXT("添加步骤")));
        list.GetListWnd()->m_PendingItems = CWString(TEXT("按键 A\n0\n延时 100 毫秒\n0"));
        combo.GetComboWnd()->m_PendingItems = CWString(TEXT("方案一\n1\n方案二\n2"));
        combo.SetCaption(CWString(TEXT("方案一")));
        made = Place(label, 10, 10, 100, 20) + Place(button, 120, 10, 90, 26) +
               Place(list, 10, 50, 200, 150) + Place(combo, 220, 50, 150, 24);
    }
    int64_t Place(CRixWinControl& control, int32_t x, int32_t y, int32_t w, int32_t h) {
        CreateParams params;
        params.parent = GetFormWnd();
        params.x = x;
        params.y = y;
        params.width = w;
        params.height = h;
        return control.CreateNativeWindow(params);
    }

    rg_bq label;
    rg_ann button;
    rg_lbk list;
    rg_zgk combo;
    int64_t made = 0;
};

TEST(StandardControlsInAForm, ChineseCaptionsAndItemsReachTheWindows) {
    GalleryForm form;
    form.SetCaption(CWString(TEXT("控件一览")));
    CreateParams params;
    params.x = params.y = params.width = params.height = kUnsetCoordinate;
    ASSERT_EQ(form.CreateNativeWindow(params), 1);
    EXPECT_EQ(form.made, 4);
    EXPECT_EQ(Utf8(form.label.GetCaption()), "执行次数：");
    EXPECT_EQ(Utf8(form.button.GetCaption()), "添加步骤");
    EXPECT_EQ(Utf8(form.list.GetItemText(1)), "延时 100 毫秒");
    EXPECT_EQ(Utf8(form.combo.GetItemText(1)), "方案二");
    EXPECT_EQ(Utf8(form.combo.GetCaption()), "方案一");
    for (CRixWinControl* c :
         std::initializer_list<CRixWinControl*>{&form.label, &form.button, &form.list, &form.combo})
        EXPECT_EQ(GetParent(c->GetSafeHwnd()), form.GetSafeHwnd());
    form.GetFormWnd()->DestroyWindow();
    keyseq_test::PumpTranslated();
}

} // namespace
