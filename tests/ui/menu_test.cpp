// Menus built from description texts, on both backends: the application's step menu, shortcut
// texts and accelerator entries, the version and length rules, invalid items that discard the
// whole menu, nesting, and the context menu shown beside the cursor. The built menus are read
// back through the platform's own menu calls.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "runtime/ui/menu.h"
#include "runtime/ui/popup_menu.h"
#include "runtime/ui/ref_rix_menu.h"
#include "tests/platform/test_window.h"
#include "tests/support/message_pump.h"
#include "tests/support/popup_menu_answer.h"
#include "tests/support/utf8_text.h"
#include "tests/ui/test_controls.h"

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_testing.h"
#endif

namespace {

using Text = std::u16string;
using Fields = std::vector<Text>;

// The eleven lines of one item, in their order.
struct Item {
    Text level = u"1";
    Text caption = u"项";
    Text id = u"1";
    Text shortcut = u"";
    Text ctrl = u"0";
    Text shift = u"0";
    Text separator = u"0";
    Text checked = u"0";
    Text disabled = u"0";
    Text tag = u"";

    Fields Lines() const {
        return {level, caption, caption,   id,      tag,     shortcut,
                ctrl,  shift,   separator, checked, disabled};
    }
};

Text Join(const Fields& fields, const Text& separator = u"\r\n") {
    Text text;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += separator;
        text += fields[i];
    }
    return text;
}

// A description of version 1 with these items.
Text Describe(std::initializer_list<Item> items) {
    Fields fields{u"1"};
    for (const Item& item : items) {
        for (const Text& line : item.Lines())
            fields.push_back(line);
    }
    return Join(fields);
}

std::vector<WCHAR> Units(const Text& text) {
    std::vector<WCHAR> units(text.begin(), text.end());
    units.push_back(0);
    return units;
}

std::string Utf8(const Text& text) {
    const std::vector<WCHAR> units = Units(text);
    return Utf8Units(units.data(), text.size());
}

std::string ItemText(HMENU menu, int position) {
    WCHAR buffer[128] = {};
    int n = GetMenuStringW(menu, static_cast<UINT>(position), buffer, 128, MF_BYPOSITION);
    return Utf8Units(buffer, static_cast<size_t>(n > 0 ? n : 0));
}

std::vector<ACCEL> Accelerators(HACCEL table) {
    std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    if (!entries.empty())
        CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

// Turns test texts into runtime texts.
CWString RuntimeText(const Text& text) {
    return CWString(Units(text).data());
}

// A counted menu held for one test; the last Release destroys its handles.
class MenuHolder {
public:
    MenuHolder() : menu_(new CRefRixMenu()) {}
    ~MenuHolder() { menu_->Release(); }
    MenuHolder(const MenuHolder&) = delete;
    MenuHolder& operator=(const MenuHolder&) = delete;
    CRefRixMenu* operator->() const { return menu_; }
    CRefRixMenu& operator*() const { return *menu_; }

    HMENU Build(const Text& text) { return menu_->BuildFromText(Units(text).data()); }

private:
    CRefRixMenu* menu_;
};

// The application's step menu: 45 fields joined by CR LF, no CR LF after the last.
const Fields kStepMenuFields = {
    u"1",    u"0",    u"动态菜单", u"动态菜单", u"100", u"",  u"",  u"0", u"0", u"0", u"0", u"0",
    u"1",    u"上移", u"上移",     u"101",      u"",    u"",  u"0", u"0", u"0", u"0", u"0", u"1",
    u"下移", u"下移", u"102",      u"",         u"",    u"0", u"0", u"0", u"0", u"0", u"1", u"删除",
    u"删除", u"103",  u"",         u"",         u"0",   u"0", u"0", u"0", u"0",
};

TEST(MenuText, TheStepMenuBuildsOnePopupWithThreeCommands) {
    ASSERT_EQ(kStepMenuFields.size(), 45u);
    const Text text = Join(kStepMenuFields);
    MenuHolder menu;
    HMENU bar = menu.Build(text);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(menu->IsBuilt());
    EXPECT_EQ(menu->GetMenuHandle(), bar);
    EXPECT_EQ(menu->GetAccelerators(), nullptr) << "no item has a shortcut";
    EXPECT_EQ(Utf8(Text(reinterpret_cast<const char16_t*>(menu->GetDescription().GetText()))),
              Utf8(text));

    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(ItemText(bar, 0), "动态菜单");
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION) & (MF_POPUP | MF_GRAYED),
              static_cast<UINT>(MF_POPUP));
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    const char* captions[] = {"上移", "下移", "删除"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ItemText(popup, i), captions[i]);
        EXPECT_EQ(GetMenuItemID(popup, i), static_cast<UINT>(101 + i));
        EXPECT_EQ(GetMenuState(popup, i, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED), 0u);
    }
    ASSERT_EQ(menu->GetItemCount(), 3) << "the header is no command item";
    for (int64_t i = 0; i < 3; ++i) {
        EXPECT_EQ(menu->GetItemId(i), 101 + i);
        EXPECT_EQ(menu->GetItemPopup(i), popup);
        EXPECT_EQ(menu->GetItemTag(i)[0], 0);
    }
    // An index outside the items reads nothing.
    for (int64_t bad : {int64_t{-1}, int64_t{3}, int64_t{1} << 40}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(menu->GetItemId(bad), 0);
        EXPECT_EQ(menu->GetItemPopup(bad), nullptr);
        EXPECT_EQ(menu->GetItemTag(bad)[0], 0);
    }
}

TEST(MenuText, AShortcutShowsItsHotKeyTextAndMakesOneAcceleratorEntryPerKey) {
    MenuHolder menu;
    HMENU bar = menu.Build(Describe({
        {.level = u"0", .caption = u"菜单", .id = u"100"},
        {.caption = u"刷新", .id = u"101", .shortcut = u"f5", .ctrl = u"1", .tag = u"甲"},
        {.caption = u"重做", .id = u"102", .shortcut = u"F5", .ctrl = u"1"},
        {.caption = u"删除", .id = u"103", .shortcut = u"del"},
        {.caption = u"全选", .id = u"104", .shortcut = u"a", .ctrl = u"1", .shift = u"1"},
        {.caption = u"无键", .id = u"105"},
    }));
    ASSERT_NE(bar, nullptr);
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, nullptr);
    const char* shown[] = {"刷新\tCtrl+F5", "重做\tCtrl+F5", "删除\tDel", "全选\tCtrl+Shift+A",
                           "无键"};
    ASSERT_EQ(GetMenuItemCount(popup), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ItemText(popup, i), shown[i]) << "item " << i;

    // Ascending key code: Del 0x2E, Ctrl+F5 0x2074 (the first item's id), Ctrl+Shift+A 0xA041.
    const std::vector<ACCEL> entries = Accelerators(menu->GetAccelerators());
    ASSERT_EQ(entries.size(), 3u);
    const struct {
        BYTE flags;
        WORD key;
        WORD cmd;
    } kExpected[] = {{0x03, 0x2E, 103}, {0x0B, 0x74, 101}, {0x0F, 0x41, 104}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].fVirt, kExpected[i].flags);
        EXPECT_EQ(entries[i].key, kExpected[i].key);
        EXPECT_EQ(entries[i].cmd, kExpected[i].cmd);
    }
    EXPECT_STREQ(Utf8Units(menu->GetItemTag(0), 1).c_str(), "甲");
}

TEST(MenuText, ChecksAndGreyingFollowTheirFlags) {
    MenuHolder menu;
    HMENU bar = menu.Build(Describe({
        {.level = u"0", .caption = u"甲", .id = u"100", .disabled = u"1"},
        {.caption = u"勾", .id = u"101", .checked = u"1"},
        {.caption = u"灰", .id = u"102", .disabled = u"1"},
        {.caption = u"", .id = u"0", .shortcut = u"nonsense", .separator = u"1"},
        {.caption = u"两者", .id = u"103", .checked = u"1", .disabled = u"1"},
    }));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION) & (MF_POPUP | MF_GRAYED),
              static_cast<UINT>(MF_POPUP | MF_GRAYED));
    HMENU popup = GetSubMenu(bar, 0);
    const UINT bits = MF_CHECKED | MF_GRAYED | MF_SEPARATOR;
    const UINT kStates[] = {MF_CHECKED, MF_GRAYED, MF_SEPARATOR | MF_GRAYED,
                            MF_CHECKED | MF_GRAYED};
    ASSERT_EQ(GetMenuItemCount(popup), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & bits, kStates[i])
            << "item " << i;
    EXPECT_EQ(menu->GetItemCount(), 3) << "the separator is no command item";
}

TEST(MenuText, DeeperItemsOpenNestedPopups) {
    MenuHolder menu;
    HMENU bar = menu.Build(Describe({
        {.level = u"0", .caption = u"甲", .id = u"100"},
        {.caption = u"一", .id = u"101"},
        {.caption = u"子", .id = u"102"},
        {.level = u"2", .caption = u"二", .id = u"103"},
        {.level = u"2", .caption = u"孙", .id = u"104"},
        {.level = u"3", .caption = u"三", .id = u"105"},
        {.level = u"2", .caption = u"四", .id = u"106"},
        {.caption = u"五", .id = u"107"},
        {.level = u"0", .caption = u"乙", .id = u"200"},
        {.level = u"5", .caption = u"深", .id = u"201"},
    }));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    HMENU first = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(first), 3);
    EXPECT_EQ(ItemText(first, 0), "一");
    EXPECT_EQ(ItemText(first, 1), "子");
    EXPECT_EQ(GetMenuItemID(first, 1), static_cast<UINT>(-1)) << "opens a pop-up";
    EXPECT_EQ(ItemText(first, 2), "五");
    HMENU child = GetSubMenu(first, 1);
    ASSERT_EQ(GetMenuItemCount(child), 3);
    EXPECT_EQ(GetMenuItemID(child, 0), 103u);
    EXPECT_EQ(ItemText(child, 1), "孙");
    EXPECT_EQ(GetMenuItemID(child, 2), 106u);
    HMENU grandchild = GetSubMenu(child, 1);
    ASSERT_EQ(GetMenuItemCount(grandchild), 1);
    EXPECT_EQ(GetMenuItemID(grandchild, 0), 105u);
    HMENU second = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(second), 1);
    EXPECT_EQ(GetMenuItemID(second, 0), 201u) << "any deeper level belongs to the pop-up";

    const struct {
        int64_t id;
        HMENU popup;
    } kItems[] = {{101, first}, {103, child}, {105, grandchild},
                  {106, child}, {107, first}, {201, second}};
    ASSERT_EQ(menu->GetItemCount(), 6);
    for (int64_t i = 0; i < 6; ++i) {
        EXPECT_EQ(menu->GetItemId(i), kItems[i].id);
        EXPECT_EQ(menu->GetItemPopup(i), kItems[i].popup);
    }
}

TEST(MenuText, ALevelZeroGroupFollowedByAnotherMakesAnEmptyPopup) {
    MenuHolder menu;
    HMENU bar = menu.Build(Describe({
        {.level = u"0", .caption = u"空", .id = u"100"},
        {.level = u"0", .caption = u"满", .id = u"200"},
        {.caption = u"项", .id = u"201"},
    }));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(ItemText(bar, 0), "空");
    ASSERT_NE(GetSubMenu(bar, 0), nullptr);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 0);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);
}

TEST(MenuText, LinesAfterTheLastCompleteGroupAreIgnored) {
    // 23 lines after the version: two items and one line that would be an invalid level.
    Fields fields{u"1"};
    for (const Text& line : Item{.level = u"0", .caption = u"甲", .id = u"100"}.Lines())
        fields.push_back(line);
    for (const Text& line : Item{.caption = u"乙", .id = u"101"}.Lines())
        fields.push_back(line);
    fields.push_back(u"-1");
    ASSERT_EQ(fields.size(), 24u);
    MenuHolder menu;
    HMENU bar = menu.Build(Join(fields, u"\n"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 1);
    EXPECT_EQ(menu->GetItemCount(), 1);
}

TEST(MenuText, VersionLineAndTrimming) {
    const Fields items = {u"0", u"甲", u"甲", u"100", u"", u"", u"0", u"0", u"0", u"0", u"0",
                          u"1", u"乙", u"乙", u"101", u"", u"", u"0", u"0", u"0", u"0", u"0"};
    const struct {
        const char* name;
        Text version;
        Text separator;
        bool builds;
    } kCases[] = {
        {"1", u"1", u"\r\n", true},
        {"1, a space and a carriage return", u"1 \r", u"\n", true},
        {"blanks and tabs around the lines", u"\t 1", u" \t\r\n  ", true},
        {"2", u"2", u"\r\n", false},
        {"0", u"0", u"\r\n", false},
        {"empty", u"", u"\r\n", false},
        {"not a number", u"v1", u"\r\n", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        Fields fields{c.version};
        fields.insert(fields.end(), items.begin(), items.end());
        MenuHolder menu;
        HMENU bar = menu.Build(Join(fields, c.separator));
        EXPECT_TRUE(menu->IsBuilt());
        if (c.builds) {
            ASSERT_NE(bar, nullptr);
            EXPECT_EQ(ItemText(GetSubMenu(bar, 0), 0), "乙");
        } else {
            EXPECT_EQ(bar, nullptr);
            EXPECT_EQ(menu->GetItemCount(), 0);
            EXPECT_TRUE(menu->GetDescription().IsEmpty());
        }
    }
}

TEST(MenuText, AnInvalidItemDiscardsTheWholeMenu) {
    const Item header{.level = u"0", .caption = u"甲", .id = u"100"};
    const Item good{.caption = u"好", .id = u"101", .shortcut = u"F5", .ctrl = u"1"};
    const struct {
        const char* name;
        Item item;
    } kCases[] = {
        {"negative level", {.level = u"-1"}},
        {"Ctrl flag 2", {.ctrl = u"2"}},
        {"Shift flag empty", {.shift = u""}},
        {"separator flag 01", {.separator = u"01"}},
        {"check flag 1 with a blank inside", {.checked = u"1 1"}},
        {"disabled flag yes", {.disabled = u"yes"}},
        {"empty caption", {.caption = u""}},
        {"id 0", {.id = u"0"}},
        {"id 65536", {.id = u"65536"}},
        {"id without digits", {.id = u"x"}},
        {"unknown shortcut name", {.shortcut = u"F17"}},
        {"shortcut naming an unnamed key", {.shortcut = u"LWin"}},
        {"separator with a bad flag", {.separator = u"1", .disabled = u"2"}},
    };
#if defined(KEYSEQ_PLATFORM_SIM)
    const size_t menusBefore = sim::LiveMenuCount();
    const size_t tablesBefore = sim::LiveAcceleratorTableCount();
#endif
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        // The bad item comes last, deep inside a nested pop-up, after a good item with a
        // shortcut: nothing built before it may survive.
        Item nested{.caption = u"子", .id = u"102"};
        Item bad = c.item;
        if (bad.level == u"1")
            bad.level = u"2";
        MenuHolder menu;
        HMENU bar = menu.Build(Describe({header, good, nested, bad}));
        EXPECT_TRUE(menu->IsBuilt());
        EXPECT_EQ(bar, nullptr);
        EXPECT_EQ(menu->GetAccelerators(), nullptr);
        EXPECT_EQ(menu->GetItemCount(), 0);
        EXPECT_TRUE(menu->GetDescription().IsEmpty());
#if defined(KEYSEQ_PLATFORM_SIM)
        EXPECT_EQ(sim::LiveMenuCount(), menusBefore) << "every pop-up made is destroyed";
        EXPECT_EQ(sim::LiveAcceleratorTableCount(), tablesBefore);
#endif
    }

    MenuHolder menu;
    EXPECT_EQ(menu.Build(Describe({header, good, Item{.separator = u"1"},
                                   Item{.level = u"2", .caption = u"子", .id = u"102"}})),
              nullptr)
        << "a separator cannot head a pop-up";
    EXPECT_EQ(menu.Build(Describe({Item{.level = u"0", .separator = u"1"}, header})), nullptr)
        << "with a text, a built menu is answered unchanged";
    EXPECT_EQ(menu->BuildFromText(nullptr), nullptr);
    MenuHolder topSeparator;
    EXPECT_EQ(topSeparator.Build(Describe({Item{.level = u"0", .separator = u"1"}, header})),
              nullptr)
        << "nor the menu bar";
}

TEST(MenuText, ABuiltMenuStaysUntilTheStoredTextIsBuiltAgain) {
    const Text stepMenu = Join(kStepMenuFields);
    MenuHolder menu;
    HMENU bar = menu.Build(stepMenu);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(menu.Build(Describe({{.level = u"0", .caption = u"别的", .id = u"1"}})), bar);
    EXPECT_EQ(ItemText(bar, 0), "动态菜单");

    HMENU rebuilt = menu->BuildFromText(nullptr);
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(ItemText(rebuilt, 0), "动态菜单");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(rebuilt, 0)), 3);
    EXPECT_EQ(menu->GetItemCount(), 3) << "the item lists start again";

    MenuHolder never;
    EXPECT_EQ(never->BuildFromText(nullptr), nullptr) << "nothing stored";
    EXPECT_TRUE(never->IsBuilt());
}

TEST(MenuText, TheLastReleaseDestroysTheMenuAndItsAccelerators) {
    auto* menu = new CRefRixMenu();
    HMENU bar = menu->BuildFromText(
        Units(Describe({{.level = u"0", .caption = u"甲", .id = u"100"},
                        {.caption = u"乙", .id = u"101", .shortcut = u"A", .ctrl = u"1"}}))
            .data());
    ASSERT_NE(bar, nullptr);
    HMENU popup = GetSubMenu(bar, 0);
    HACCEL table = menu->GetAccelerators();
    ASSERT_NE(table, nullptr);
    menu->AddRef();
    EXPECT_EQ(menu->Release(), 0);
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_EQ(menu->Release(), 1);
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 0);
}

using ContextMenu = keyseq_test::TestWindows;

TEST_F(ContextMenu, ShowsTheFirstPopupThreePixelsRightOfAndBelowTheCursor) {
    HWND owner = Create(WS_POPUP, nullptr, 50, 50, 300, 200);
    ASSERT_NE(owner, nullptr);
    MenuHolder menu;
    HMENU bar = menu.Build(Join(kStepMenuFields));
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(SetCursorPos(300, 200));
    {
        PopupMenuAnswer answer(102, 1);
        EXPECT_NE(ShowPopupMenuAtCursor(owner, bar), 0);
        ASSERT_TRUE(answer.Seen());
        POINT at = answer.TopLeft();
        EXPECT_EQ(at.x, 303);
        EXPECT_EQ(at.y, 203);
#if defined(KEYSEQ_PLATFORM_SIM)
        auto calls = sim::PopupMenuCalls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].menu, GetSubMenu(bar, 0));
        EXPECT_EQ(calls[0].flags, static_cast<UINT>(TPM_RIGHTBUTTON));
        EXPECT_EQ(calls[0].owner, owner);
#endif
    }
    ASSERT_TRUE(PumpUntil([&] { return !Only({WM_COMMAND}, owner).empty(); }));
    EXPECT_EQ(LOWORD(Only({WM_COMMAND}, owner)[0].wParam), 102);
}

TEST_F(ContextMenu, ShowsNothingWithoutWindowMenuOrFirstPopup) {
    HWND owner = Create(WS_POPUP, nullptr, 50, 50, 300, 200);
    MenuHolder stepMenu;
    HMENU bar = stepMenu.Build(Join(kStepMenuFields));
    MenuHolder versionOnly;
    HMENU empty = versionOnly.Build(u"1");
    ASSERT_NE(empty, nullptr) << "a valid text without items is an empty menu bar";
    HWND gone = Create(WS_POPUP);
    DestroyWindow(gone);

    PopupMenuAnswer answer(0, 0);
    EXPECT_EQ(ShowPopupMenuAtCursor(owner, nullptr), 0);
    EXPECT_EQ(ShowPopupMenuAtCursor(owner, empty), 0);
    EXPECT_EQ(ShowPopupMenuAtCursor(gone, bar), 0);
    EXPECT_EQ(ShowPopupMenuAtCursor(nullptr, bar), 0);
    EXPECT_FALSE(answer.Seen());
}

// The application's kind of menu: a menu class that answers its own description.
class StepMenu : public rg_lch_MFCjm_jb::rg_cchl {
    RIX_OBJECT(StepMenu, rg_cchl, "keyseq_test::StepMenu")
    RIX_NO_OWN_FIELDS(StepMenu)
public:
    StepMenu() = default;
    StepMenu(const StepMenu&) = default;
    CWString DescriptionText() const override { return RuntimeText(Join(kStepMenuFields)); }
};

TEST(MenuObject, TheMenuIsBuiltOnFirstUseAndKeptWithTheSameHandle) {
    StepMenu menu;
    EXPECT_EQ(menu.GetReference(), nullptr) << "nothing is built before it is asked for";
    EXPECT_TRUE(menu.IsKindOf(rg_lch_jb::rg_kshjl::ClassRecord()));
    EXPECT_STREQ(rg_lch_MFCjm_jb::rg_cchl::ClassRecord()->pszName, "rg_lch_MFCjm_jb::rg_cchl");
    EXPECT_STREQ(rg_lch_jb::rg_kshjl::ClassRecord()->pszName, "rg_lch_jb::rg_kshjl");

    CRefRixMenu* ref = GetRefMenu(menu);
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(menu.GetReference(), ref);
    HMENU handle = ref->GetMenuHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(ItemText(GetSubMenu(handle, 0), 2), "删除");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GetRefMenu(menu), ref);
        EXPECT_EQ(GetRefMenu(menu)->GetMenuHandle(), handle);
    }
    EXPECT_EQ(ref->RefCount(), 1) << "the object keeps the only reference";
}

TEST(MenuObject, AMenuWithoutDescriptionIsBuiltWithoutHandle) {
    rg_lch_MFCjm_jb::rg_cchl menu;
    EXPECT_TRUE(menu.DescriptionText().IsEmpty());
    CRefRixMenu* ref = GetRefMenu(menu);
    ASSERT_NE(ref, nullptr);
    EXPECT_TRUE(ref->IsBuilt());
    EXPECT_EQ(ref->GetMenuHandle(), nullptr);
}

TEST(MenuObject, CopiesShareOneMenuUntilTheLastLetsGo) {
    auto first = std::make_unique<StepMenu>();
    CRefRixMenu* ref = GetRefMenu(*first);
    HMENU handle = ref->GetMenuHandle();
    ASSERT_NE(handle, nullptr);

    auto copy = std::make_unique<StepMenu>(*first);
    std::unique_ptr<CRixObject> clone(first->Clone());
    rg_lch_MFCjm_jb::rg_cchl assigned; // a plain menu takes the step menu's by Assign
    ASSERT_EQ(assigned.Assign(*first), 1);
    EXPECT_EQ(GetRefMenu(*copy), ref);
    EXPECT_EQ(GetRefMenu(*dynamic_cast<StepMenu*>(clone.get())), ref);
    EXPECT_EQ(GetRefMenu(assigned), ref) << "built already: its empty description changes nothing";
    EXPECT_EQ(ref->GetMenuHandle(), handle);
    EXPECT_EQ(copy->IsEqual(*first), 1);
    EXPECT_EQ(ref->RefCount(), 4);

    first.reset();
    copy.reset();
    clone.reset();
    EXPECT_TRUE(IsMenu(handle));
    EXPECT_EQ(ItemText(GetSubMenu(handle, 0), 0), "上移");
    assigned.Reset();
    EXPECT_FALSE(IsMenu(handle)) << "the last reference destroyed the menu";
    EXPECT_EQ(assigned.GetReference(), nullptr);
}

using ControlMenu = keyseq_test::ControlTest;

TEST_F(ControlMenu, TheContextMenuOfAControlIsShownBesideTheCursorAndReportsToItsWindow) {
    keyseq_test::TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    StepMenu menu;
    ASSERT_TRUE(SetCursorPos(250, 120));
    {
        PopupMenuAnswer answer(103, 2);
        EXPECT_NE(ShowPopupMenu(control, GetRefMenu(menu)), 0);
        ASSERT_TRUE(answer.Seen());
        POINT at = answer.TopLeft();
        EXPECT_EQ(at.x, 253);
        EXPECT_EQ(at.y, 123);
    }
    ASSERT_TRUE(PumpUntil([&] { return !control.Received(WM_COMMAND).empty(); }));
    EXPECT_EQ(control.Received(WM_COMMAND)[0].wParam, static_cast<WPARAM>(103));
}

TEST_F(ControlMenu, NothingIsShownWithoutWindowOrMenu) {
    keyseq_test::TestControl windowless;
    keyseq_test::TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    StepMenu menu;
    rg_lch_MFCjm_jb::rg_cchl empty;
    PopupMenuAnswer answer(0, 0);
    EXPECT_EQ(ShowPopupMenu(windowless, GetRefMenu(menu)), 0);
    EXPECT_EQ(ShowPopupMenu(control, nullptr), 0);
    EXPECT_EQ(ShowPopupMenu(control, GetRefMenu(empty)), 0);
    EXPECT_FALSE(answer.Seen());
}

} // namespace
