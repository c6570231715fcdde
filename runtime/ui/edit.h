// The edit box: rg_bjk ("edit box", namespace rg_lch_MFCjm_jb), its native window CRWnd_Edit
// over the system's EDIT control, and the optional spin button beside it (edit_spin.h).
//
// An input mode (edit_input_mode.h) chooses the style added at creation, the characters that
// typing may enter (a refused one beeps with MB_ICONEXCLAMATION and enters nothing; pasting
// is not filtered) and the text written back when the edit loses the focus, before LostFocus
// is reported. A single-line edit centres its line vertically: its client area is moved to a
// band of the font's text height in the middle, and the frame around it is painted with the
// background brush.
//
// Events after the twelve base events: Changed (EN_CHANGE, unless suppress change is set) and
// Spin(direction -1 or +1, when the spin button is pressed and the edit does not count by
// itself). Focus events come from the reflected EN_SETFOCUS and EN_KILLFOCUS.
//
// Main thread only (binding excepted, see event_binding.h).
#pragma once

#include <cstdint>

#include "runtime/ui/control.h"
#include "runtime/ui/edit_spin.h"
#include "runtime/ui/listeners.h"
#include "runtime/ui/std_control_wnd.h"

// The colours (m_Colours): text 0 (black), background 0xFFFFFF, and a solid white brush.
class CRWnd_Edit : public CRixStdControlWnd {
public:
    CRWnd_Edit();
    ~CRWnd_Edit() override;

    // Steps after the EDIT window was created: the text limit, the password character, and
    // the spin button when the edit is single-line and has a spin mode.
    void AfterCreateEdit(const CreateParams& params);
    // The spin button was pressed: delta < 0 down, otherwise up. Does nothing unless the edit
    // exists, is enabled and is visible.
    void OnSpinPressed(int delta);
    // Writes back the text as the input mode asks; true when it changed.
    bool RewriteText();
    // Selects the whole text and scrolls the caret into view.
    void SelectAll();
    // Puts the spin button beside the edit: same parent, at its right edge, as high as it.
    void PlaceSpin();
    CEditSpin& Spin() { return m_Spin; }

    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

    int64_t m_nMaxLength = 0; // EM_LIMITTEXT; 0 the system's default
    int64_t m_bMultiLine = 0;
    int64_t m_nScrollBars = 0; // multi-line only: 0 none, 1 horizontal, 2 vertical, 3 both
    int64_t m_nInputMode = 0;  // edit_input_mode.h
    WCHAR m_chPassword = '*';
    // 0 no spin button; 1 a spin button that counts by itself; others fire Spin.
    int64_t m_nSpinMode = 0;
    int64_t m_nSpinMin = 0;
    int64_t m_nSpinMax = 100;
    int64_t m_nTextHeight = 0;     // the font's line height, from WM_SETFONT
    int64_t m_bSuppressChange = 0; // while set, EN_CHANGE does not fire Changed

protected:
    BOOL OnReflectedCommand(WORD code, LRESULT* result) override;
    // The edit rewrites its text before LostFocus is reported.
    void BeforeLostFocus() override { RewriteText(); }

private:
    // Single-line text centring: the text height, the window at least that high, the frame
    // recalculated.
    void OnSetFont(HFONT font);
    void OnNcCalcSize(NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    bool IsSingleLine() const;
    void CountBySpin(int delta);
    void KeepSpinAbove();

    CEditSpin m_Spin;
};

namespace rg_lch_MFCjm_jb {

class rg_bjk : public CRixWinControl, public IEditEventListener {
    RIX_OBJECT(rg_bjk, CRixWinControl, "rg_lch_MFCjm_jb::rg_bjk")
    RIX_NO_OWN_FIELDS(rg_bjk)
public:
    rg_bjk();
    rg_bjk(const rg_bjk& other) : CRixWinControl(other) {}
    ~rg_bjk() override;

    int64_t CreateNativeWindow(CreateParams& params) override;
    void AttachListener() override;
    void DetachListener() override;
    int64_t IsListenerAttached() const override;

    int64_t OnWindowMessage(MSG* msg) override { return DispatchInput(msg); }
    void OnChanged() override { m_Changed.Fire(this); }
    void OnSpin(int64_t direction) override { m_Spin.Fire(this, direction); }

    // EM_SETSEL(0, -1) and EM_SCROLLCARET; nothing without a window.
    void SelectAll();

    CRWnd_Edit* EditWnd() const;
    EventBinding& Changed() { return m_Changed; }
    EventBinding& Spin() { return m_Spin; }
    void BindChanged(EventCallback callback, CRixObjectPointer* target) {
        BindEvent(m_Changed, callback, target);
    }
    void BindSpin(EventCallback callback, CRixObjectPointer* target) {
        BindEvent(m_Spin, callback, target);
    }

private:
    EventBinding m_Changed;
    EventBinding m_Spin;
};

} // namespace rg_lch_MFCjm_jb
