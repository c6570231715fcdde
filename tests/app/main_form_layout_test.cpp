// The main window as it opens: every control where the layout table puts it, with its caption,
// style and font, and the initial contents of the boxes.
#include "tests/app/main_form_fixture.h"

namespace main_form_test {
namespace {

TEST_F(MainFormTest, ControlsSitWhereTheTableSays) {
    Open();
    RECT client{};
    GetClientRect(hwnd_, &client);
    EXPECT_EQ(client.right - client.left, kMainDesignWidth);
    EXPECT_EQ(client.bottom - client.top, kMainDesignHeight);
    EXPECT_EQ(Text(hwnd_), WString(TEXT("键序台")));
    for (int n = 1; n <= kMainControlCount; ++n) {
        const ControlLayout& c = LayoutOf(n);
        HWND control = Hwnd(n);
        ASSERT_NE(control, nullptr) << "control " << n;
        EXPECT_EQ(GetParent(control), hwnd_) << "control " << n;
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, c.designedX) << "control " << n;
        EXPECT_EQ(r.top, c.designedY) << "control " << n;
        EXPECT_EQ(r.right - r.left, c.width) << "control " << n;
        // A drop-down combo box is as high as its closed field, whatever it was created with.
        if (c.kind != ControlKind::kComboBox) {
            EXPECT_EQ(r.bottom - r.top, c.height) << "control " << n;
        }
        if ((c.kind == ControlKind::kLabel && n != kPositionLabel) ||
            c.kind == ControlKind::kButton) {
            EXPECT_EQ(Text(control), WString(c.caption)) << "control " << n;
        }
    }
    for (int n : {kTriggerBox, kSchemeBox, kMouseBox})
        EXPECT_EQ(GetWindowLongW(Hwnd(n), GWL_STYLE) & 3, CBS_DROPDOWNLIST) << "control " << n;
    EXPECT_NE(GetWindowLongW(Hwnd(kKeyBox), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(GetWindowLongW(Hwnd(kDelayBox), GWL_STYLE) & ES_READONLY, 0);

    LOGFONTW font{};
    HFONT list_font = reinterpret_cast<HFONT>(SendMessageW(Hwnd(kStepListBox), WM_GETFONT, 0, 0));
    ASSERT_NE(list_font, nullptr);
    GetObjectW(list_font, sizeof(font), &font);
    EXPECT_EQ(WString(font.lfFaceName), WString(TEXT("宋体")));
}

TEST_F(MainFormTest, StartsWithTheInitialContents) {
    Open();
    int selected = -2;
    Lines triggers = ComboItems(kTriggerBox, &selected);
    ASSERT_EQ(triggers.size(), 12u);
    EXPECT_EQ(selected, 0);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(triggers[i], Wide("F" + std::to_string(i + 1)));
        EXPECT_EQ(SendMessageW(Hwnd(kTriggerBox), CB_GETITEMDATA, i, 0), 112 + i);
    }
    EXPECT_EQ(ComboItems(kMouseBox, &selected), (Lines{TEXT("左键"), TEXT("右键"), TEXT("中键")}));
    EXPECT_EQ(selected, 0);
    EXPECT_TRUE(ComboItems(kSchemeBox, &selected).empty());
    EXPECT_EQ(selected, -1);
    EXPECT_EQ(window_->GetTriggerKey(), 112);

    struct {
        int number;
        const WCHAR* text;
    } const kTexts[] = {{kKeyBox, TEXT("")},    {kDelayBox, TEXT("50")}, {kMoveXBox, TEXT("-8")},
                        {kMoveYBox, TEXT("0")}, {kCountBox, TEXT("1")},  {kCoordXBox, TEXT("")},
                        {kCoordYBox, TEXT("")}};
    for (const auto& t : kTexts)
        EXPECT_EQ(Text(Hwnd(t.number)), WString(t.text)) << "control " << t.number;
    EXPECT_TRUE(ListLines().empty());
    EXPECT_EQ(StepList.GetCount(), 0);

    // Esc does not close the main window.
    SetFocus(Hwnd(kDelayBox));
    Press(VK_ESCAPE);
    PumpFor(200);
    EXPECT_TRUE(IsWindow(hwnd_));
}

} // namespace
} // namespace main_form_test
