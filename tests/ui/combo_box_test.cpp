// Combo boxes on both backends: the drop-down height, pending items and AddItem with data,
// the caption set without EditChanged, SelChanged deferred until the selection is complete
// and fired once, the other notifications, focus events, and operations without a window.
#include <algorithm>

#include <gmock/gmock.h>

#include "runtime/ui/combo_box.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/core/text_testing.h"
#include "tests/support/combo_pick.h"
#include "tests/support/running_under_wine.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::rg_zgk;
using C = CRixWinControl;
using ComboBox = ControlTest;

// Event slots of the log: the combo box's own events after the twelve base ones.
constexpr int kSel = int{C::kBaseEventCount} + int{rg_zgk::kSelChanged};
constexpr int kEdit = int{C::kBaseEventCount} + int{rg_zgk::kEditChanged};
constexpr int kDrop = int{C::kBaseEventCount} + int{rg_zgk::kDroppedDown};
constexpr int kClose = int{C::kBaseEventCount} + int{rg_zgk::kClosedUp};

int64_t Create(rg_zgk& combo, CRixWnd& parent, int32_t height, DWORD type = CBS_DROPDOWN) {
    combo.GetHolder()->m_nStyle = (combo.GetHolder()->m_nStyle & ~DWORD{3}) | type;
    CreateParams params;
    params.parent = &parent;
    params.x = 10;
    params.y = 10;
    params.width = 120;
    params.height = height;
    return combo.CreateNativeWindow(params);
}

LONG Height(const RECT& r) {
    return r.bottom - r.top;
}

void BindOwnEvents(rg_zgk& combo, HandlerTarget& target) {
    combo.BindEvent(combo.Event(rg_zgk::kSelChanged), &Record<kSel>, target.pointer);
    combo.BindEvent(combo.Event(rg_zgk::kEditChanged), &Record<kEdit>, target.pointer);
    combo.BindEvent(combo.Event(rg_zgk::kDroppedDown), &Record<kDrop>, target.pointer);
    combo.BindEvent(combo.Event(rg_zgk::kClosedUp), &Record<kClose>, target.pointer);
}

std::vector<int> Slots() {
    std::vector<int> slots;
    for (const FiredEvent& e : Log().fired)
        slots.push_back(e.slot);
    return slots;
}

TEST_F(ComboBox, ADropDownCreated24HighIs160HighWithAOneLineField) {
    const struct {
        DWORD type;
        int32_t height;
        LONG dropped; // the height of field and list together
    } cases[] = {
        {CBS_DROPDOWN, 24, 160},
        {CBS_DROPDOWNLIST, 24, 160},
        {CBS_DROPDOWN, 200, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", height " << c.height);
        rg_zgk combo;
        ASSERT_EQ(Create(combo, parent, c.height, c.type), 1);
        RECT dropped{};
        ASSERT_NE(SendMessageW(combo.GetSafeHwnd(), CB_GETDROPPEDCONTROLRECT, 0,
                               reinterpret_cast<LPARAM>(&dropped)),
                  CB_ERR);
        // The window itself is the field: one line of text, far below the dropped height.
        RECT window{};
        GetWindowRect(combo.GetSafeHwnd(), &window);
        EXPECT_GT(Height(window), 10);
        EXPECT_LT(Height(window), 40);
        // As dropped as a bare combo box made that high. Windows measures the dropped
        // rectangle from the field's top to the list's bottom; Wine answers less (about the
        // list's height alone), so the exact figure is checked elsewhere only.
        HWND bare = CreateWindowExW(0, TEXT("COMBOBOX"), TEXT(""), WS_CHILD | c.type, 0, 0, 120,
                                    c.dropped, parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
        ASSERT_NE(bare, nullptr);
        SendMessageW(bare, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     0);
        RECT bare_dropped{};
        SendMessageW(bare, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&bare_dropped));
        DestroyWindow(bare);
        EXPECT_EQ(Height(dropped), Height(bare_dropped));
        if (!RunningUnderWine()) {
            EXPECT_EQ(Height(dropped), c.dropped);
        }
    }
}

TEST_F(ComboBox, ASimpleComboBoxKeepsItsHeight) {
    rg_zgk combo;
    ASSERT_EQ(Create(combo, parent, 24, CBS_SIMPLE), 1);
    RECT window{};
    GetWindowRect(combo.GetSafeHwnd(), &window);
    EXPECT_EQ(Height(window), 24);
}

TEST_F(ComboBox, CreationAppliesPendingItemsItemHeightAndCaption) {
    rg_zgk bare_height_probe;
    ASSERT_EQ(Create(bare_height_probe, parent, 24), 1);
    // What a combo box gives as item height for the font, without the extra pixel.
    HWND bare = CreateWindowExW(0, TEXT("COMBOBOX"), TEXT(""), WS_CHILD | CBS_DROPDOWN, 0, 0, 100,
                                160, parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(bare, nullptr);
    SendMessageW(bare, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    LRESULT font_height = SendMessageW(bare, CB_GETITEMHEIGHT, 0, 0);
    DestroyWindow(bare);

    HandlerTarget target;
    rg_zgk combo;
    BindOwnEvents(combo, target);
    combo.GetComboWnd()->m_PendingItems = CWString(TEXT("甲\r\n7\n乙\n-3\n丙"));
    combo.SetCaption(CWString(TEXT("选一个")));
    ASSERT_EQ(Create(combo, parent, 24), 1);
    HWND hwnd = combo.GetSafeHwnd();
    EXPECT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(Utf8(combo.GetItemText(0)), "甲");
    EXPECT_EQ(Utf8(combo.GetItemText(1)), "乙");
    EXPECT_EQ(SendMessageW(hwnd, CB_GETITEMDATA, 0, 0), 7);
    EXPECT_EQ(SendMessageW(hwnd, CB_GETITEMDATA, 1, 0), -3);
    EXPECT_TRUE(combo.GetComboWnd()->m_PendingItems.IsEmpty());
    // Wine ignores CB_SETITEMHEIGHT for the list of a combo box that is not owner-drawn;
    // Windows applies it.
    EXPECT_EQ(SendMessageW(hwnd, CB_GETITEMHEIGHT, 0, 0),
              font_height + (RunningUnderWine() ? 0 : 1));
    EXPECT_EQ(Utf8(combo.GetCaption()), "选一个");
    EXPECT_EQ(combo.GetCurSel(), -1);
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    // WS_VSCROLL goes to the dropped list; Wine takes it off the combo box's own style.
    EXPECT_EQ(style & (CBS_AUTOHSCROLL | WS_TABSTOP), DWORD{CBS_AUTOHSCROLL | WS_TABSTOP});
    // Setting the caption at creation was no edit of the user's.
    PumpTranslated();
    EXPECT_THAT(Slots(), testing::Not(testing::Contains(kEdit)));
    // An edit change of the user's does fire it.
    SendMessageW(parent.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(hwnd));
    EXPECT_THAT(Slots(), testing::Contains(kEdit));
}

TEST_F(ComboBox, AddItemKeepsDataAndAnswersTheIndex) {
    rg_zgk combo;
    ASSERT_EQ(Create(combo, parent, 24), 1);
    const int64_t big = INT64_C(0x100000005);
    EXPECT_EQ(combo.AddItem(CWString(TEXT("一")), 11), 0);
    EXPECT_EQ(combo.AddItem(CWString(TEXT("二")), big), 1);
    EXPECT_EQ(combo.AddItem(CWString(), -1), 2);
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(Utf8(combo.GetItemText(1)), "二");
    EXPECT_TRUE(combo.GetItemText(2).IsEmpty());
    EXPECT_TRUE(combo.GetItemText(3).IsEmpty()) << "no such item";
    EXPECT_EQ(SendMessageW(combo.GetSafeHwnd(), CB_GETITEMDATA, 0, 0), 11);
    // The data is as wide as the platform's item data.
    EXPECT_EQ(static_cast<int64_t>(SendMessageW(combo.GetSafeHwnd(), CB_GETITEMDATA, 1, 0)),
              sizeof(LPARAM) == 8 ? big : 5);
    EXPECT_EQ(SendMessageW(combo.GetSafeHwnd(), CB_GETITEMDATA, 2, 0), -1);
}

TEST_F(ComboBox, OperationsWithoutAWindowAnswerAsIfEmpty) {
    rg_zgk combo;
    EXPECT_EQ(combo.AddItem(CWString(TEXT("x")), 1), -1);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_TRUE(combo.GetItemText(0).IsEmpty());
    combo.SetCurSel(0);
    EXPECT_EQ(combo.GetSafeHwnd(), nullptr);
}

// What the SelChanged handler found when it ran.
struct SeenAtSelChanged {
    int32_t selection = -2;
    std::string caption;
};
SeenAtSelChanged g_seen; // main thread only

TEST_F(ComboBox, SelChangedFiresOnceAfterTheSelectionIsComplete) {
    ShowWindow(parent.GetSafeHwnd(), SW_SHOWNA);
    HandlerTarget target;
    rg_zgk combo;
    BindOwnEvents(combo, target);
    combo.GetComboWnd()->m_PendingItems = CWString(TEXT("红\n1\n绿\n2\n蓝\n3\n"));
    ASSERT_EQ(Create(combo, parent, 24, CBS_DROPDOWNLIST), 1);
    g_seen = SeenAtSelChanged{};
    Log().actions[kSel] = [](CRixObject* sender) {
        auto* self = static_cast<rg_zgk*>(sender);
        g_seen.selection = self->GetCurSel();
        g_seen.caption = Utf8(self->GetCaption());
    };
    ASSERT_TRUE(PickComboItem(combo.GetSafeHwnd(), 2));
    // Not during the notifications themselves: the event waits in the queue.
    EXPECT_THAT(Slots(), testing::Not(testing::Contains(kSel)));
    PumpTranslated();
    std::vector<int> slots = Slots();
    EXPECT_EQ(std::count(slots.begin(), slots.end(), kSel), 1);
    EXPECT_EQ(g_seen.selection, 2);
    EXPECT_EQ(g_seen.caption, "蓝");
    EXPECT_THAT(Slots(), testing::Contains(kDrop));
    EXPECT_THAT(Slots(), testing::Contains(kClose));
    // Choosing from the program fires nothing.
    Log().fired.clear();
    combo.SetCurSel(0);
    PumpTranslated();
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_THAT(Slots(), testing::Not(testing::Contains(kSel)));
}

TEST_F(ComboBox, FocusEventsComeFromTheFocusNotifications) {
    ShowWindow(parent.GetSafeHwnd(), SW_SHOW);
    HandlerTarget target;
    rg_zgk combo;
    ASSERT_EQ(Create(combo, parent, 24), 1);
    combo.BindEvent(combo.Event(C::kGotFocus), &Record<C::kGotFocus>, target.pointer);
    combo.BindEvent(combo.Event(C::kLostFocus), &Record<C::kLostFocus>, target.pointer);
    SetFocus(combo.GetSafeHwnd());
    PumpTranslated();
    SetFocus(parent.GetSafeHwnd());
    PumpTranslated();
    EXPECT_EQ(Slots(), (std::vector<int>{C::kGotFocus, C::kLostFocus}));
}

} // namespace
