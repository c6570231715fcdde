// Combo boxes: rg_zgk ("combo box", namespace rg_lch_MFCjm_jb) and CRWnd_ComboBox, its native
// window over the system's COMBOBOX class.
//
// Events after the base ones: SelChanged, EditChanged, DroppedDown, ClosedUp, DoubleClicked.
// SelChanged does not fire on CBN_SELENDOK itself: the combo box posts itself message 0xA003
// then and fires SelChanged when that arrives, so that the handler finds the new selection
// and the new text in place. GotFocus and LostFocus come from CBN_SETFOCUS and CBN_KILLFOCUS
// (std_control_wnd.h).
//
// A drop-down combo box is created at least 160 pixels high: the height given is that of the
// field and its dropped list together. Items given before the window exists are an items
// text kept in the native window, added at creation and then cleared.
//
// Main thread only, except that event slots may be bound from any thread.
#pragma once

#include <cstdint>

#include "runtime/core/wstring.h"
#include "runtime/ui/control.h"
#include "runtime/ui/listeners.h"
#include "runtime/ui/std_control_wnd.h"

// The combo box's deferred selection change, posted to itself on CBN_SELENDOK.
inline constexpr UINT kComboSelChangedMessage = 0xA003;

// Colours: text black, background the button face; the brush is the button face.
class CRWnd_ComboBox : public CRixStdControlWnd {
public:
    CRWnd_ComboBox();

    // 0xA003 fires SelChanged; WM_ERASEBKGND of a simple combo box fills with the brush.
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

    // Added to the item height the font gives, at creation.
    int64_t m_nExtraItemHeight = 1;
    // The items text applied at creation, then cleared.
    CWString m_PendingItems;
    // While set, CBN_EDITCHANGE does not fire EditChanged.
    int64_t m_bSuppressEditChange = 0;

protected:
    BOOL OnReflectedCommand(WORD code, LRESULT* result) override;
};

namespace rg_lch_MFCjm_jb {

class rg_zgk : public CRixWinControl, public IComboEventListener {
    RIX_OBJECT(rg_zgk, CRixWinControl, "rg_lch_MFCjm_jb::rg_zgk")
    RIX_NO_OWN_FIELDS(rg_zgk)
public:
    enum ComboEvent {
        kSelChanged,
        kEditChanged,
        kDroppedDown,
        kClosedUp,
        kDoubleClicked,
        kComboEventCount
    };

    rg_zgk();
    // Shares the holder; event bindings are not copied.
    rg_zgk(const rg_zgk& other) : CRixWinControl(other) {}
    ~rg_zgk() override;

    // A "COMBOBOX" window with CBS_AUTOHSCROLL and WS_VSCROLL (a drop-down one at least 160
    // high); then the font, the item height plus the extra height, the pending items, and
    // the caption as the field's text without EditChanged.
    int64_t CreateNativeWindow(CreateParams& params) override;
    void AttachListener() override;
    void DetachListener() override;
    int64_t IsListenerAttached() const override;

    EventBinding& Event(ComboEvent which) { return m_ComboEvents[which]; }
    using CRixWinControl::Event;

    CRWnd_ComboBox* GetComboWnd() const;

    // Operations (no window: -1, 0 or empty text, nothing changed).
    //
    // CB_ADDSTRING, then the item's data; the index, or -1 when the list refuses the item.
    int32_t AddItem(const CWString& text, int64_t data);
    int32_t GetCurSel() const;
    CWString GetItemText(int32_t index) const;
    int32_t GetCount() const;
    // CB_SETCURSEL (-1 clears the selection); fires nothing.
    void SetCurSel(int32_t index);

    // IComboEventListener
    int64_t OnWindowMessage(MSG* msg) override { return DispatchInput(msg); }
    void OnSelChanged() override { m_ComboEvents[kSelChanged].Fire(this); }
    void OnEditChanged() override { m_ComboEvents[kEditChanged].Fire(this); }
    void OnDroppedDown() override { m_ComboEvents[kDroppedDown].Fire(this); }
    void OnClosedUp() override { m_ComboEvents[kClosedUp].Fire(this); }
    void OnDoubleClicked() override { m_ComboEvents[kDoubleClicked].Fire(this); }

private:
    EventBinding m_ComboEvents[kComboEventCount];
};

} // namespace rg_lch_MFCjm_jb
