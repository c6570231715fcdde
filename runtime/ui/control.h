// CRixWinControl (namespace rg_lch_MFCjm_jb): the base of every control object. A control is
// a value object of the runtime paired with a native window through a counted holder
// (CMfcWndObject); copies share the holder and so the window. It carries the twelve base
// event slots, the creation protocol, the translation of input messages into events
// (DispatchInput) and the properties common to all controls.
//
// Event slots, in order: LeftDown, LeftUp, LeftDoubleClick, RightDown, RightUp, MouseMove,
// MouseWheel, KeyDown, KeyUp, GotFocus, LostFocus, CharInput. Mouse events pass x, y (client
// coordinates, each unsigned 16 bits) and the modifiers; key events the key code without
// modifiers and the modifiers; MouseWheel the steps and the modifiers; CharInput the
// character. Modifiers: 0x2000 Ctrl, 0x4000 Alt, 0x8000 Shift.
//
// Main thread only, except that event slots may be bound from any thread (event_binding.h).
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/wstring.h"
#include "runtime/ui/create_params.h"
#include "runtime/ui/event_binding.h"
#include "runtime/ui/window_object.h"

class CMfcWndObject;
class CRixListenerWnd;

namespace rg_lch_MFCjm_jb {

class CRixWinControl : public rg_lch_jb::rg_ckdxl {
    RIX_OBJECT(CRixWinControl, rg_ckdxl, "rg_lch_MFCjm_jb::CRixWinControl")
public:
    enum BaseEvent {
        kLeftDown,
        kLeftUp,
        kLeftDoubleClick,
        kRightDown,
        kRightUp,
        kMouseMove,
        kMouseWheel,
        kKeyDown,
        kKeyUp,
        kGotFocus,
        kLostFocus,
        kCharInput,
        kBaseEventCount
    };

    CRixWinControl() = default;
    // Shares the holder and copies the text; event bindings are not copied.
    CRixWinControl(const CRixWinControl& other);
    ~CRixWinControl() override = default;

    // Creation and input, in slot order.
    //
    // Creates the operating-system window: 1 created, 0 not (it exists already, or creation
    // failed). The base class cannot create a window.
    virtual int64_t CreateNativeWindow(CreateParams& params);
    // Caption, style (WS_CHILD set exactly when there is a parent), extended style and font
    // (the stock GUI font when the holder has none) from the holder.
    virtual void FillCreateParams(CreateParams& params);
    virtual void AdjustCreateSize(CreateParams&) {}
    // Font, WS_TABSTOP for windows that want keys, and no border the caller did not ask for.
    virtual void AfterCreate(CRixListenerWnd* wnd, CreateParams& params);
    // Turns an input message into a base event; 1 when the message is consumed. May replace
    // the character of a WM_CHAR.
    virtual int64_t DispatchInput(MSG* msg);
    virtual void AttachListener() {}
    virtual void DetachListener() {}
    virtual int64_t IsListenerAttached() const { return 0; }

    // Overwriting a control (Assign, Reset) first detaches its listener.
    void BeforeOverwrite() override { DetachListener(); }

    // Events
    EventBinding& Event(BaseEvent which) { return m_Events[which]; }
    // The application's binding: store the handler and target, then attach this control as
    // the native window's listener.
    void BindEvent(EventBinding& binding, EventCallback callback, CRixObjectPointer* target);
    int64_t FireEvent(BaseEvent which, int64_t a1 = 0, int64_t a2 = 0, int64_t a3 = 0) {
        return m_Events[which].Fire(this, a1, a2, a3);
    }

    // Attributes
    CMfcWndObject* GetHolder() const;
    CRixListenerWnd* GetNativeWnd() const;
    // The operating-system window, or null before creation.
    HWND GetSafeHwnd() const;

    // The caption: the window text once the window exists, the holder's caption before.
    void SetCaption(const CWString& caption);
    CWString GetCaption() const;
    // The window's place in its parent's client area (screen for pop-ups); 0 without window.
    int32_t GetLeft() const;
    int32_t GetTop() const;
    int32_t GetWidth() const;
    // Creates a font from the record and gives it to the control (the holder owns it).
    void SetFont(const LOGFONTW& font);
    HFONT GetFont() const;
    // The cursor shown over the control (not owned).
    void SetCursor(HCURSOR cursor);
    HCURSOR GetCursor() const;

    const CWString& GetText() const { return m_Text; }
    void SetText(const CWString& text) { m_Text = text; }

protected:
    // For the constructors of concrete controls: a fresh holder owning wnd.
    void InstallHolder(DWORD style, DWORD ex_style, CRixListenerWnd* wnd);
    // Steps of the creation skeleton: false when the window exists already; otherwise the
    // parameters are filled and adjusted.
    bool PrepareCreate(CreateParams& params);
    // Creates the native window with the prepared parameters (registering the class first
    // if it is one of the framework's own).
    bool CreateWindowOfClass(CreateParams& params, const WCHAR* class_name);

    bool RixEqualFields(const CRixWinControl& other) const {
        return m_Text.IsEqual(other.m_Text) != 0;
    }
    void RixCopyFields(const CRixWinControl& other) { m_Text = other.m_Text; }
    // A fresh default control of the same class lends its new holder.
    void RixResetFields();

private:
    CWString m_Text;
    EventBinding m_Events[kBaseEventCount];
};

} // namespace rg_lch_MFCjm_jb
