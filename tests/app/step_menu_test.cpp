// The step menu: its description text has the 45 fields, and the menu built from it shows the
// three commands in its first pop-up, with the ids the command handler acts on.
#include <gtest/gtest.h>

#include <string>

#include "app/window/step_menu.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(StepMenuTest, TextHoldsFortyFiveFieldsWithoutATrailingBreak) {
    rg_lch_jxt::rg_cch menu;
    WString text = menu.DescriptionText().GetText();
    size_t breaks = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == TEXT('\r')) {
            EXPECT_EQ(text[i + 1], TEXT('\n')) << "at " << i;
            ++breaks;
        }
    }
    EXPECT_EQ(breaks, 44u);
    EXPECT_EQ(text.substr(0, 3), WString(TEXT("1\r\n")));
    EXPECT_EQ(text.substr(text.size() - 3), WString(TEXT("\r\n0")));
}

TEST(StepMenuTest, FirstPopupHoldsTheThreeCommands) {
    rg_lch_jxt::rg_cch menu;
    CRefRixMenu* built = GetRefMenu(menu);
    ASSERT_NE(built, nullptr);
    HMENU bar = built->GetMenuHandle();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    const WCHAR* captions[] = {TEXT("上移"), TEXT("下移"), TEXT("删除")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GetMenuItemID(popup, i), static_cast<UINT>(rg_lch_jxt::kStepMenuUp + i));
        WCHAR caption[16] = {};
        GetMenuStringW(popup, static_cast<UINT>(i), caption, 16, MF_BYPOSITION);
        EXPECT_EQ(WString(caption), WString(captions[i])) << Narrow(caption);
    }
    // Built once: the same menu on the next use.
    EXPECT_EQ(GetRefMenu(menu)->GetMenuHandle(), bar);
}

} // namespace
