// List boxes: rg_lbkjchl ("list box base class") and rg_lbk ("list box", both namespace
// rg_lch_MFCjm_jb), and CRWnd_ListBox, their native window over the system's LISTBOX class.
//
// rg_lbkjchl carries the events (SelChanged on LBN_SELCHANGE, DoubleClicked on LBN_DBLCLK)
// and the operations, but cannot create a window; rg_lbk creates it and is the listener.
// GotFocus and LostFocus come from LBN_SETFOCUS and LBN_KILLFOCUS (std_control_wnd.h).
//
// Items given before the window exists are an items text (items_text.h) kept in the native
// window; creation adds them and clears it. After that the items live only in the system's
// control. Operations answer -1, 0 or empty text and change nothing without a window.
//
// Main thread only, except that event slots may be bound from any thread.
#pragma once

#include <cstdint>

#include "runtime/core/mstring_array.h"
#include "runtime/core/wstring.h"
#include "runtime/ui/control.h"
#include "runtime/ui/listeners.h"
#include "runtime/ui/std_control_wnd.h"

// Colours: text black, background white; the brush is white.
class CRWnd_ListBox : public CRixStdControlWnd {
public:
    CRWnd_ListBox();

    // Added to the item height the font gives, at creation.
    int64_t m_nExtraItemHeight = 1;
    // The items text applied at creation, then cleared.
    CWString m_PendingItems;

protected:
    BOOL OnReflectedCommand(WORD code, LRESULT* result) override;
};

namespace rg_lch_MFCjm_jb {

// The texts of a ReplaceItems fill, handed out one at a time.
class IListItemSource {
public:
    virtual ~IListItemSource() = default;
    // How many texts the source gives: the room the fill reserves.
    virtual int64_t GetItemCount() = 0;
    // About how many bytes the texts take with their terminators (the room for strings that
    // LB_INITSTORAGE reserves; a guess costs only that room).
    virtual int64_t GetTextBytes() = 0;
    // The next text, valid until the following call; null when there is none left.
    virtual const WCHAR* NextItemText() = 0;
};

class rg_lbkjchl : public CRixWinControl {
    RIX_OBJECT(rg_lbkjchl, CRixWinControl, "rg_lch_MFCjm_jb::rg_lbkjchl")
    RIX_NO_OWN_FIELDS(rg_lbkjchl)
public:
    enum ListBoxEvent { kSelChanged, kDoubleClicked, kListBoxEventCount };

    rg_lbkjchl();
    // Shares the holder; event bindings are not copied.
    rg_lbkjchl(const rg_lbkjchl& other) : CRixWinControl(other) {}
    ~rg_lbkjchl() override = default;

    EventBinding& Event(ListBoxEvent which) { return m_ListEvents[which]; }
    using CRixWinControl::Event;
    int64_t FireListEvent(ListBoxEvent which) { return m_ListEvents[which].Fire(this); }

    CRWnd_ListBox* GetListWnd() const;

    // Operations (no window: -1, 0 or empty text, nothing changed).
    //
    // LB_ADDSTRING with data 0; the index, or -1 when the list refuses the item.
    int32_t AddItem(const CWString& text);
    // Replaces every item with the source's texts, in order, each with data 0, as
    // LB_RESETCONTENT and an AddItem per text would, but with redrawing off meanwhile and one
    // repaint after, and room for all items taken at once (LB_INITSTORAGE). A new item's data
    // is 0 already, so no LB_SETITEMDATA is sent. The list is left with no selection and its
    // first item on top. The texts are asked for one at a time and each is added at once, so
    // a caller with a million lines never holds them all. The number of items added: adding
    // stops at the first text the list refuses, or when the source has none left.
    int32_t ReplaceItems(IListItemSource& source);
    // The same with the texts of an array.
    int32_t ReplaceItems(const CMStringArray& texts);
    int32_t GetCount() const;
    CWString GetItemText(int32_t index) const;
    // Replaces the item's text, keeping its data and the list's selection, top index and
    // caret. Nothing happens for an index out of range or an unchanged text.
    void SetItemText(int32_t index, const CWString& text);
    // LB_SETCURSEL, except in a list with extended selection (LBS_EXTENDEDSEL).
    void SetCurSel(int32_t index);
    // LB_GETCURSEL; -1 for none or no window.
    int32_t GetCurSel() const;

private:
    EventBinding m_ListEvents[kListBoxEventCount];
};

class rg_lbk : public rg_lbkjchl, public IListBoxEventListener {
    RIX_OBJECT(rg_lbk, rg_lbkjchl, "rg_lch_MFCjm_jb::rg_lbk")
    RIX_NO_OWN_FIELDS(rg_lbk)
public:
    rg_lbk() = default;
    rg_lbk(const rg_lbk& other) : rg_lbkjchl(other) {}
    ~rg_lbk() override;

    // A "LISTBOX" window with LBS_NOTIFY, LBS_USETABSTOPS and LBS_NOINTEGRALHEIGHT; then the
    // font, the item height plus the extra height, and the pending items.
    int64_t CreateNativeWindow(CreateParams& params) override;
    void AttachListener() override;
    void DetachListener() override;
    int64_t IsListenerAttached() const override;

    // IListBoxEventListener
    int64_t OnWindowMessage(MSG* msg) override { return DispatchInput(msg); }
    void OnSelChanged() override { FireListEvent(kSelChanged); }
    void OnDoubleClicked() override { FireListEvent(kDoubleClicked); }
};

} // namespace rg_lch_MFCjm_jb
