// List boxes on both backends: creation with pending items, item height and styles,
// AddItem, ReplaceItems and the reading operations, SetItemText keeping selection, scroll position,
// caret and data, SetCurSel, the events of a click and a double click, focus events, and operations
// without a window.
#include <gmock/gmock.h>

#include <vector>

#include "runtime/ui/list_box.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/core/text_testing.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::IListItemSource;
using rg_lch_MFCjm_jb::rg_lbk;
using rg_lch_MFCjm_jb::rg_lbkjchl;
using C = CRixWinControl;
using ListBox = ControlTest;

constexpr int kSel = int{C::kBaseEventCount} + int{rg_lbkjchl::kSelChanged};
constexpr int kDouble = int{C::kBaseEventCount} + int{rg_lbkjchl::kDoubleClicked};

int64_t Create(rg_lbk& list, CRixWnd& parent, int32_t height = 100) {
    CreateParams params;
    params.parent = &parent;
    params.x = 10;
    params.y = 10;
    params.width = 150;
    params.height = height;
    return list.CreateNativeWindow(params);
}

std::vector<int> Slots() {
    std::vector<int> slots;
    for (const FiredEvent& e : Log().fired)
        slots.push_back(e.slot);
    return slots;
}

TEST_F(ListBox, CreationAppliesPendingItemsItemHeightAndStyles) {
    // What a list box gives as item height for the font, without the extra pixel.
    HWND bare = CreateWindowExW(0, TEXT("LISTBOX"), TEXT(""), WS_CHILD, 0, 0, 100, 100,
                                parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(bare, nullptr);
    SendMessageW(bare, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    LRESULT font_height = SendMessageW(bare, LB_GETITEMHEIGHT, 0, 0);
    DestroyWindow(bare);

    rg_lbk list;
    list.GetListWnd()->m_PendingItems = CWString(TEXT("第一\r\n1\n第二\n2\n第三"));
    ASSERT_EQ(Create(list, parent), 1);
    HWND hwnd = list.GetSafeHwnd();
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(Utf8(list.GetItemText(0)), "第一");
    EXPECT_EQ(Utf8(list.GetItemText(1)), "第二");
    EXPECT_EQ(SendMessageW(hwnd, LB_GETITEMDATA, 0, 0), 1);
    EXPECT_EQ(SendMessageW(hwnd, LB_GETITEMDATA, 1, 0), 2);
    EXPECT_TRUE(list.GetListWnd()->m_PendingItems.IsEmpty());
    EXPECT_EQ(SendMessageW(hwnd, LB_GETITEMHEIGHT, 0, 0), font_height + 1);
    EXPECT_EQ(SendMessageW(hwnd, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    const DWORD wanted = LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & wanted, wanted);
    EXPECT_NE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(ListBox, AddItemAddsWithDataZeroAndReadsBack) {
    rg_lbk list;
    ASSERT_EQ(Create(list, parent), 1);
    EXPECT_EQ(list.AddItem(CWString(TEXT("按键 A"))), 0);
    SendMessageW(list.GetSafeHwnd(), LB_SETITEMDATA, 0, 99);
    EXPECT_EQ(list.AddItem(CWString()), 1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(Utf8(list.GetItemText(0)), "按键 A");
    EXPECT_TRUE(list.GetItemText(1).IsEmpty());
    EXPECT_TRUE(list.GetItemText(2).IsEmpty()) << "no such item";
    EXPECT_TRUE(list.GetItemText(-1).IsEmpty());
    EXPECT_EQ(SendMessageW(list.GetSafeHwnd(), LB_GETITEMDATA, 1, 0), 0);
}

TEST_F(ListBox, OperationsWithoutAWindowChangeNothing) {
    rg_lbk list;
    list.GetListWnd()->m_PendingItems = CWString(TEXT("a\n1"));
    EXPECT_EQ(list.AddItem(CWString(TEXT("x"))), -1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_TRUE(list.GetItemText(0).IsEmpty());
    EXPECT_EQ(list.GetCurSel(), -1);
    list.SetItemText(0, CWString(TEXT("y")));
    list.SetCurSel(0);
    EXPECT_EQ(Utf8(list.GetListWnd()->m_PendingItems), "a\n1");
    // The base class keeps the operations but cannot make a window.
    rg_lbkjchl base;
    CreateParams params;
    params.parent = &parent;
    EXPECT_EQ(base.CreateNativeWindow(params), 0);
    EXPECT_EQ(base.GetSafeHwnd(), nullptr);
}

// Lines "第0项", "第1项", … with the data 1000, 1001, …
void FillNumbered(rg_lbk& list, int count) {
    for (int i = 0; i < count; ++i) {
        CWString text;
        text.Format(TEXT("第%d项"), i);
        ASSERT_EQ(list.AddItem(text), i);
        SendMessageW(list.GetSafeHwnd(), LB_SETITEMDATA, static_cast<WPARAM>(i), 1000 + i);
    }
}

struct ListState {
    LRESULT selected, top, caret, data, count;
    bool operator==(const ListState&) const = default;
};

void PrintTo(const ListState& s, std::ostream* os) {
    *os << "{sel " << s.selected << ", top " << s.top << ", caret " << s.caret << ", data "
        << s.data << ", count " << s.count << "}";
}

ListState StateOf(HWND hwnd, int item) {
    return {SendMessageW(hwnd, LB_GETCURSEL, 0, 0), SendMessageW(hwnd, LB_GETTOPINDEX, 0, 0),
            SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0), SendMessageW(hwnd, LB_GETITEMDATA, item, 0),
            SendMessageW(hwnd, LB_GETCOUNT, 0, 0)};
}

TEST_F(ListBox, SetItemTextKeepsSelectionScrollPositionCaretAndData) {
    struct Case {
        const char* what;
        int selected; // -1: none
        int caret;    // set when there is no selection
        int top;
        int item;
        const WCHAR* text;
        const char* expectedText;
    };
    const Case cases[] = {
        {"the selected item of a scrolled list", 12, -1, 10, 12, TEXT("新的第十二"), "新的第十二"},
        {"another item while one is selected", 12, -1, 10, 3, TEXT("改"), "改"},
        {"the last item, out of sight", 29, -1, 20, 29, TEXT("末"), "末"},
        {"no selection: the caret stays", -1, 14, 10, 14, TEXT("光标"), "光标"},
        {"an unchanged text", 12, -1, 10, 12, TEXT("第12项"), "第12项"},
        {"an index out of range", 12, -1, 10, 30, TEXT("外"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rg_lbk list;
        ASSERT_EQ(Create(list, parent, 100), 1);
        HWND hwnd = list.GetSafeHwnd();
        ASSERT_NO_FATAL_FAILURE(FillNumbered(list, 30));
        if (c.selected >= 0)
            list.SetCurSel(c.selected);
        else
            SendMessageW(hwnd, LB_SETCARETINDEX, static_cast<WPARAM>(c.caret), FALSE);
        SendMessageW(hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(c.top), 0);
        ListState before = StateOf(hwnd, c.item);
        ASSERT_EQ(before.top, c.top) << "the list must be scrolled for this test";
        list.SetItemText(c.item, CWString(c.text));
        EXPECT_EQ(Utf8(list.GetItemText(c.item)), c.expectedText);
        EXPECT_EQ(StateOf(hwnd, c.item), before);
    }
}

// A list box that refuses every new line, as one out of memory answers LB_ERRSPACE.
WNDPROC g_listProc = nullptr;
LRESULT CALLBACK RefuseInserts(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == LB_INSERTSTRING)
        return LB_ERRSPACE;
    return CallWindowProcW(g_listProc, hwnd, message, wparam, lparam);
}

// When the list refuses the new text and then the old one, the item is lost: the lines below
// keep their own data and the selection stays on the line it was on (none when that was the
// lost one).
TEST_F(ListBox, SetItemTextThatLosesTheItemLeavesTheOtherLinesAsTheyWere) {
    struct Case {
        const char* what;
        int selected;
        int expectedSelection;
    };
    const Case cases[] = {
        {"a line below is selected", 3, 2},
        {"a line above is selected", 0, 0},
        {"the lost line was selected", 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rg_lbk list;
        ASSERT_EQ(Create(list, parent, 100), 1);
        HWND hwnd = list.GetSafeHwnd();
        ASSERT_NO_FATAL_FAILURE(FillNumbered(list, 5));
        list.SetCurSel(c.selected);
        g_listProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefuseInserts)));
        list.SetItemText(1, CWString(TEXT("新")));
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));
        ASSERT_EQ(list.GetCount(), 4);
        const int remaining[] = {0, 2, 3, 4};
        for (int i = 0; i < 4; ++i) {
            CWString text;
            text.Format(TEXT("第%d项"), remaining[i]);
            EXPECT_TRUE(list.GetItemText(i).IsEqual(text)) << "line " << i;
            EXPECT_EQ(SendMessageW(hwnd, LB_GETITEMDATA, static_cast<WPARAM>(i), 0),
                      1000 + remaining[i])
                << "line " << i;
        }
        EXPECT_EQ(SendMessageW(hwnd, LB_GETCURSEL, 0, 0), c.expectedSelection);
    }
}

// Filling a list at once leaves it as emptying it and adding each text with AddItem does: the
// same lines with data 0, no selection, the first item on top, the caret on it.
TEST_F(ListBox, ReplaceItemsLeavesTheListAsResetAndAddItemWould) {
    CMStringArray texts;
    for (int i = 0; i < 40; ++i) {
        CWString text;
        text.Format(TEXT("新行%d"), i);
        texts.Append(text.GetText());
    }
    texts.Append(TEXT(""));
    rg_lbk filled, added;
    ASSERT_EQ(Create(filled, parent, 100), 1);
    ASSERT_EQ(Create(added, parent, 100), 1);
    for (rg_lbk* list : {&filled, &added}) {
        for (int i = 0; i < 30; ++i) {
            ASSERT_EQ(list->AddItem(CWString(TEXT("旧"))), i);
            SendMessageW(list->GetSafeHwnd(), LB_SETITEMDATA, static_cast<WPARAM>(i), 1000 + i);
        }
        list->SetCurSel(25);
        SendMessageW(list->GetSafeHwnd(), LB_SETTOPINDEX, 20, 0);
    }
    EXPECT_EQ(filled.ReplaceItems(texts), 41);
    SendMessageW(added.GetSafeHwnd(), LB_RESETCONTENT, 0, 0);
    for (int64_t i = 0; i < texts.GetCount(); ++i)
        added.AddItem(CWString(texts.GetTextAt(i)));

    ASSERT_EQ(filled.GetCount(), 41);
    for (int i = 0; i < 41; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Utf8(filled.GetItemText(i)), Utf8(CWString(texts.GetTextAt(i))));
        EXPECT_EQ(StateOf(filled.GetSafeHwnd(), i), StateOf(added.GetSafeHwnd(), i));
    }
    EXPECT_EQ(StateOf(filled.GetSafeHwnd(), 0), (ListState{LB_ERR, 0, 0, 0, 41}));
    // An empty array empties the list.
    EXPECT_EQ(filled.ReplaceItems(CMStringArray()), 0);
    EXPECT_EQ(filled.GetCount(), 0);
    // Without a window nothing is added.
    rg_lbk none;
    EXPECT_EQ(none.ReplaceItems(texts), 0);
}

// A source is asked for one text at a time, each added before the next is asked for; one
// that runs dry before its count ends the fill there.
TEST_F(ListBox, ReplaceItemsTakesTheSourcesTextsOneAtATime) {
    class Source : public IListItemSource {
    public:
        explicit Source(HWND list) : m_List(list) {}
        int64_t GetItemCount() override { return 5; }
        int64_t GetTextBytes() override { return 5 * 8; }
        const WCHAR* NextItemText() override {
            // The texts given so far are in the list already.
            counts.push_back(SendMessageW(m_List, LB_GETCOUNT, 0, 0));
            if (m_nGiven == 3)
                return nullptr;
            m_Text.Format(TEXT("第%d行"), ++m_nGiven);
            return m_Text.GetText();
        }
        std::vector<LRESULT> counts;

    private:
        HWND m_List;
        int m_nGiven = 0;
        CWString m_Text;
    };
    rg_lbk list;
    ASSERT_EQ(Create(list, parent, 100), 1);
    list.AddItem(CWString(TEXT("旧")));
    Source source(list.GetSafeHwnd());
    EXPECT_EQ(list.ReplaceItems(source), 3);
    EXPECT_EQ(source.counts, (std::vector<LRESULT>{0, 1, 2, 3}));
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(Utf8(list.GetItemText(2)), Utf8(CWString(TEXT("第3行"))));
}

TEST_F(ListBox, SetCurSelSelectsWithoutFiringSelChanged) {
    HandlerTarget target;
    rg_lbk list;
    list.BindEvent(list.Event(rg_lbkjchl::kSelChanged), &Record<kSel>, target.pointer);
    list.GetListWnd()->m_PendingItems = CWString(TEXT("a\n0\nb\n0\nc\n0"));
    ASSERT_EQ(Create(list, parent), 1);
    list.SetCurSel(2);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.SetCurSel(-1);
    EXPECT_EQ(list.GetCurSel(), -1);
    PumpTranslated();
    EXPECT_THAT(Log().fired, testing::IsEmpty());
}

TEST_F(ListBox, AClickFiresSelChangedAndADoubleClickDoubleClicked) {
    ShowWindow(parent.GetSafeHwnd(), SW_SHOWNA);
    HandlerTarget target;
    rg_lbk list;
    list.BindEvent(list.Event(rg_lbkjchl::kSelChanged), &Record<kSel>, target.pointer);
    list.BindEvent(list.Event(rg_lbkjchl::kDoubleClicked), &Record<kDouble>, target.pointer);
    list.GetListWnd()->m_PendingItems = CWString(TEXT("a\n0\nb\n0\nc\n0"));
    ASSERT_EQ(Create(list, parent), 1);
    HWND hwnd = list.GetSafeHwnd();
    RECT item{};
    ASSERT_NE(SendMessageW(hwnd, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    LPARAM point = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    // The handler already finds the new selection.
    Log().actions[kSel] = [](CRixObject* sender) {
        Log().answers[kSel] = static_cast<rg_lbk*>(sender)->GetCurSel();
    };
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, point);
    PumpTranslated();
    ASSERT_THAT(Slots(), testing::Contains(kSel));
    EXPECT_EQ(Log().answers[kSel], 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    Log().fired.clear();
    PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, point);
    PumpTranslated();
    EXPECT_THAT(Slots(), testing::Contains(kDouble));
}

TEST_F(ListBox, FocusEventsComeFromTheFocusNotifications) {
    ShowWindow(parent.GetSafeHwnd(), SW_SHOW);
    HandlerTarget target;
    rg_lbk list;
    ASSERT_EQ(Create(list, parent), 1);
    list.BindEvent(list.Event(C::kGotFocus), &Record<C::kGotFocus>, target.pointer);
    list.BindEvent(list.Event(C::kLostFocus), &Record<C::kLostFocus>, target.pointer);
    SetFocus(list.GetSafeHwnd());
    PumpTranslated();
    SetFocus(parent.GetSafeHwnd());
    PumpTranslated();
    EXPECT_EQ(Slots(), (std::vector<int>{C::kGotFocus, C::kLostFocus}));
}

} // namespace
