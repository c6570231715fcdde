// Buttons: rg_annjchl ("button base class") and rg_ann ("button", both namespace
// rg_lch_MFCjm_jb), and CRWnd_Button, their native window over the system's BUTTON class.
//
// rg_annjchl carries the Clicked event and the listener but cannot create a window; rg_ann
// creates it. Clicked fires on the reflected BN_CLICKED: a mouse release over the button,
// Space, or Enter on the default push button. A button made with BS_DEFPUSHBUTTON records its
// id as the default button of the nearest form among its ancestors, which answers DM_GETDEFID
// with it, so that Enter in the form clicks it.
//
// Main thread only, except that event slots may be bound from any thread.
#pragma once

#include <cstdint>

#include "runtime/ui/control.h"
#include "runtime/ui/listeners.h"
#include "runtime/ui/std_control_wnd.h"

// Colours: text 0 (black), background the button face; the brush is the button face.
class CRWnd_Button : public CRixStdControlWnd {
public:
    CRWnd_Button() : CRixStdControlWnd(0, kSystemColour, kSystemColour) {}

    // WM_ERASEBKGND: buttons other than plain push buttons (check boxes, radio buttons,
    // group boxes) get their background from the brush.
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

protected:
    BOOL OnReflectedCommand(WORD code, LRESULT* result) override;
};

namespace rg_lch_MFCjm_jb {

class rg_annjchl : public CRixWinControl, public IButtonEventListener {
    RIX_OBJECT(rg_annjchl, CRixWinControl, "rg_lch_MFCjm_jb::rg_annjchl")
    RIX_NO_OWN_FIELDS(rg_annjchl)
public:
    rg_annjchl();
    // Shares the holder; event bindings are not copied.
    rg_annjchl(const rg_annjchl& other) : CRixWinControl(other) {}
    ~rg_annjchl() override;

    void AttachListener() override;
    void DetachListener() override;
    int64_t IsListenerAttached() const override;

    // IButtonEventListener
    int64_t OnWindowMessage(MSG* msg) override { return DispatchInput(msg); }
    void OnClicked() override { m_Clicked.Fire(this); }

    EventBinding& Clicked() { return m_Clicked; }
    void BindClicked(EventCallback callback, CRixObjectPointer* target) {
        BindEvent(m_Clicked, callback, target);
    }

    CRWnd_Button* GetButtonWnd() const;

private:
    EventBinding m_Clicked;
};

class rg_ann : public rg_annjchl {
    RIX_OBJECT(rg_ann, rg_annjchl, "rg_lch_MFCjm_jb::rg_ann")
    RIX_NO_OWN_FIELDS(rg_ann)
public:
    rg_ann() = default;
    rg_ann(const rg_ann& other) : rg_annjchl(other) {}
    ~rg_ann() override = default;

    // A "BUTTON" window; with BS_DEFPUSHBUTTON the nearest form learns its id.
    int64_t CreateNativeWindow(CreateParams& params) override;
};

} // namespace rg_lch_MFCjm_jb
