// The life of a control object and its window: caption and properties before and after
// creation, the creation skeleton's style and font rules, copies sharing one window through
// the holder, Assign and Reset. Both backends.
#include <memory>

#include <gmock/gmock.h>

#include "runtime/ui/font_text.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using Lifecycle = ControlTest;

std::u16string Units(const CWString& text) {
    return reinterpret_cast<const char16_t*>(text.GetText());
}

TEST_F(Lifecycle, ACaptionSetBeforeCreationIsReadBackAndGivenToTheWindow) {
    TestControl control;
    control.SetCaption(CWString("键序台"));
    EXPECT_EQ(Units(control.GetCaption()), u"键序台");
    ASSERT_EQ(CreateChild(control), 1);
    WCHAR text[32] = {};
    GetWindowTextW(control.GetSafeHwnd(), text, 32);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"键序台");
    // With a window the caption is the window text.
    control.SetCaption(CWString("after"));
    GetWindowTextW(control.GetSafeHwnd(), text, 32);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"after");
    EXPECT_EQ(Units(control.GetCaption()), u"after");
    EXPECT_EQ(Units(control.GetHolder()->m_Caption), u"键序台") << "the holder keeps the first";
}

TEST_F(Lifecycle, PlaceAndWidthAreInTheParentsClientAreaAndZeroWithoutAWindow) {
    TestControl control;
    EXPECT_EQ(control.GetLeft(), 0);
    EXPECT_EQ(control.GetTop(), 0);
    EXPECT_EQ(control.GetWidth(), 0);
    ASSERT_EQ(CreateChild(control), 1);
    EXPECT_EQ(control.GetLeft(), 10);
    EXPECT_EQ(control.GetTop(), 20);
    EXPECT_EQ(control.GetWidth(), 80);
}

TEST_F(Lifecycle, CreationMakesAChildOfTheParentAndRefusesASecondWindow) {
    TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HWND hwnd = control.GetSafeHwnd();
    EXPECT_EQ(GetParent(hwnd), parent.GetSafeHwnd());
    EXPECT_NE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_ID), 0xFFFF);
    EXPECT_EQ(CreateChild(control), 0);
    EXPECT_EQ(control.GetSafeHwnd(), hwnd);
}

TEST_F(Lifecycle, AfterCreateSendsTheFontAndFixesTabStopAndBorder) {
    // A window that wants characters gets WS_TABSTOP; a border the caller did not ask for
    // is removed again.
    TestControl control;
    control.className = kContainerClass;
    control.Wnd()->dialogCode = DLGC_WANTCHARS;
    control.Wnd()->borderAtCreate = true;
    ASSERT_EQ(CreateChild(control), 1);
    DWORD style = control.Wnd()->GetStyle();
    EXPECT_NE(style & WS_TABSTOP, 0u);
    EXPECT_EQ(style & WS_BORDER, 0u);
    // Without a font of its own the control gets the stock GUI font, which the holder does not
    // keep.
    auto fonts = control.Received(WM_SETFONT);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(fonts[0].wParam), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(fonts[0].lParam, 1);
    EXPECT_EQ(control.GetFont(), nullptr);
    // A button wants no keys of its own: no tab stop added.
    TestControl button;
    ASSERT_EQ(CreateChild(button), 1);
    EXPECT_EQ(button.Wnd()->GetStyle() & WS_TABSTOP, 0u);
}

TEST_F(Lifecycle, AFontSetBeforeCreationIsTheWindowsFontAndAReplacementIsSentToo) {
    TestControl control;
    control.className = kContainerClass;
    control.SetFont(ParseFontText(TEXT("Arial,12")));
    HFONT first = control.GetFont();
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(CreateChild(control), 1);
    control.SetFont(ParseFontText(TEXT("Arial,20")));
    HFONT second = control.GetFont();
    auto fonts = control.Received(WM_SETFONT);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(reinterpret_cast<HFONT>(fonts[0].wParam), first);
    EXPECT_EQ(reinterpret_cast<HFONT>(fonts[1].wParam), second);
    LOGFONTW font{};
    EXPECT_EQ(GetObjectW(second, sizeof(font), &font), static_cast<int>(sizeof(font)));
    EXPECT_EQ(GetObjectW(first, sizeof(font), &font), 0) << "the replaced font is deleted";
}

TEST_F(Lifecycle, ACopyKeepsTheWindowAliveUntilTheLastCopyGoes) {
    auto first = std::make_unique<TestControl>();
    ASSERT_EQ(CreateChild(*first), 1);
    HWND hwnd = first->GetSafeHwnd();
    std::unique_ptr<CRixObject> copy(first->Clone());
    auto* second = dynamic_cast<TestControl*>(copy.get());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetHolder(), first->GetHolder());
    EXPECT_EQ(second->IsEqual(*first), 1);
    first.reset();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(second->GetSafeHwnd(), hwnd);
    copy.reset();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Lifecycle, AssignSharesTheWindowAndResetLetsGoOfIt) {
    TestControl first;
    ASSERT_EQ(CreateChild(first), 1);
    HWND hwnd = first.GetSafeHwnd();
    first.SetText(CWString("tag"));
    HandlerTarget target;
    TestControl second;
    second.BindAll(target);
    EXPECT_EQ(second.Assign(first), 1);
    EXPECT_EQ(second.GetSafeHwnd(), hwnd);
    EXPECT_EQ(Units(second.GetText()), u"tag");
    // The bindings stay with the object; the listener was detached before the overwrite.
    EXPECT_TRUE(second.Event(CRixWinControl::kLeftDown).IsBound());
    EXPECT_EQ(first.IsListenerAttached(), 0);
    second.Reset();
    EXPECT_EQ(second.GetSafeHwnd(), nullptr);
    EXPECT_NE(second.GetHolder(), first.GetHolder());
    ASSERT_NE(second.GetNativeWnd(), nullptr) << "a fresh holder with its native window";
    EXPECT_TRUE(second.GetText().IsEmpty());
    EXPECT_TRUE(IsWindow(hwnd)) << "the first control still holds it";
}

TEST_F(Lifecycle, BindingAttachesTheListenerAndDestructionDetachesOnlyItsOwn) {
    TestControl first;
    ASSERT_EQ(CreateChild(first), 1);
    EXPECT_EQ(first.IsListenerAttached(), 0);
    HandlerTarget target;
    first.BindEvent(first.Event(CRixWinControl::kLeftDown), &Record<CRixWinControl::kLeftDown>,
                    target.pointer);
    EXPECT_EQ(first.IsListenerAttached(), 1);
    {
        // A copy that binds takes over the window's reports; when it goes, it clears them.
        TestControl copy(first);
        copy.BindEvent(copy.Event(CRixWinControl::kLeftUp), &Record<CRixWinControl::kLeftUp>,
                       target.pointer);
        EXPECT_EQ(first.GetNativeWnd()->GetListener(), static_cast<IBaseEventListener*>(&copy));
    }
    EXPECT_EQ(first.IsListenerAttached(), 0);
    // The first control's leaving does not clear another control's listener.
    TestControl other(first);
    other.AttachListener();
    first.DetachListener();
    EXPECT_EQ(other.IsListenerAttached(), 1);
}

TEST_F(Lifecycle, TheTargetCountFollowsTheBindings) {
    HandlerTarget target;
    EXPECT_EQ(target.pointer->RefCount(), 1);
    {
        TestControl control;
        control.BindAll(target);
        EXPECT_EQ(target.pointer->RefCount(), 13) << "one per bound slot";
        // Binding the same target again counts nothing.
        control.BindAll(target);
        EXPECT_EQ(target.pointer->RefCount(), 13);
        control.BindEvent(control.Event(CRixWinControl::kLeftDown), nullptr, nullptr);
        EXPECT_EQ(target.pointer->RefCount(), 12);
    }
    EXPECT_EQ(target.pointer->RefCount(), 1);
}

// A native window that counts how often one of its kind is deleted.
int g_deletedWnds = 0;
class CountedWnd : public RecordingListenerWnd {
public:
    ~CountedWnd() override { ++g_deletedWnds; }
};

// A control whose native object deletes itself with its window (the holder's flag).
class SelfDeletingControl : public TestControl {
public:
    SelfDeletingControl() {
        InstallHolder(WS_VISIBLE, 0, new CountedWnd);
        GetHolder()->m_bSelfDeleting = 1;
    }
};

TEST_F(Lifecycle, ASelfDeletingNativeObjectGoesWithItsWindowAndIsNeverLeaked) {
    enum class End { WindowDestroyed, LastRelease, NeverCreated };
    for (End end : {End::WindowDestroyed, End::LastRelease, End::NeverCreated}) {
        SCOPED_TRACE(static_cast<int>(end));
        g_deletedWnds = 0;
        {
            SelfDeletingControl control;
            if (end != End::NeverCreated) {
                CreateParams params;
                params.parent = &parent;
                params.width = 50;
                params.height = 20;
                ASSERT_EQ(control.CreateNativeWindow(params), 1);
            }
            if (end == End::WindowDestroyed) {
                DestroyWindow(control.GetSafeHwnd());
                // Gone with its window; the holder forgot it and the control has no window.
                EXPECT_EQ(g_deletedWnds, 1);
                EXPECT_EQ(control.GetNativeWnd(), nullptr);
                EXPECT_EQ(control.GetSafeHwnd(), nullptr);
            }
        }
        EXPECT_EQ(g_deletedWnds, 1);
    }
}

} // namespace
