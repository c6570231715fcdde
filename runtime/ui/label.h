// Labels: rg_bq ("label", namespace rg_lch_MFCjm_jb) and CRWnd_Label, its native window of
// the framework's own class "RixLabel", which paints itself.
//
// Painting: the background as containers paint theirs (background_paint.h), then the window
// text, if any, in the label's own font (the stock GUI font when it has none), transparent,
// in the text colour, aligned left, centred or right; with word wrap the text breaks into
// lines, otherwise it is one line placed at the top, middle or bottom.
//
// The label keeps its own copy of the font it is given (WM_SETFONT), so the caller may delete
// its font afterwards. Message 0xA002 sent to the label fires LabelMessage, whose answer is
// the message's result.
//
// Properties are the native window's fields; after changing a colour, an alignment, the wrap
// or the picture, repaint the label (rg_bq::Repaint).
//
// Main thread only, except that event slots may be bound from any thread.
#pragma once

#include <cstdint>

#include "runtime/ui/control.h"
#include "runtime/ui/control_colours.h"
#include "runtime/ui/listener_wnd.h"
#include "runtime/ui/listeners.h"

// The message that fires a label's LabelMessage.
inline constexpr UINT kLabelMessage = 0xA002;

class CRWnd_Label : public CRixListenerWnd {
public:
    CRWnd_Label() = default;
    ~CRWnd_Label() override;

    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

    // The DrawTextW flags the text is drawn with, from the alignment fields.
    UINT TextFormat() const;
    // Takes ownership of the picture (may be null) and deletes the previous one.
    void SetPicture(HBITMAP picture);
    HBITMAP GetPicture() const { return m_hPicture; }
    // The label's own copy of its font, or null.
    HFONT GetOwnFont() const { return m_hFont; }

    uint32_t m_nTextColour = kSystemColour; // kSystemColour: the window text colour
    uint32_t m_nBackColour = kSystemColour; // kSystemColour: the button face
    int32_t m_nAlignment = 0;               // 0 left, 1 centre, 2 right
    int32_t m_nVAlignment = 1;              // 0 top, 1 middle, 2 bottom (one-line text)
    int64_t m_bWordWrap = 0;
    int32_t m_nPictureMode = 0; // as containers' background pictures

private:
    void CopyFont(HFONT font, bool redraw);
    void Paint();

    HFONT m_hFont = nullptr;      // owned
    HBITMAP m_hPicture = nullptr; // owned
};

namespace rg_lch_MFCjm_jb {

class rg_bq : public CRixWinControl, public ILabelEventListener {
    RIX_OBJECT(rg_bq, CRixWinControl, "rg_lch_MFCjm_jb::rg_bq")
    RIX_NO_OWN_FIELDS(rg_bq)
public:
    rg_bq();
    // Shares the holder; event bindings are not copied.
    rg_bq(const rg_bq& other) : CRixWinControl(other) {}
    ~rg_bq() override;

    // A "RixLabel" window, never a tab stop.
    int64_t CreateNativeWindow(CreateParams& params) override;
    void AttachListener() override;
    void DetachListener() override;
    int64_t IsListenerAttached() const override;

    // ILabelEventListener
    int64_t OnWindowMessage(MSG* msg) override { return DispatchInput(msg); }
    LRESULT OnLabelMessage(WPARAM wparam, LPARAM lparam) override {
        return static_cast<LRESULT>(
            m_LabelMessage.Fire(this, static_cast<int64_t>(wparam), static_cast<int64_t>(lparam)));
    }

    EventBinding& LabelMessage() { return m_LabelMessage; }
    void BindLabelMessage(EventCallback callback, CRixObjectPointer* target) {
        BindEvent(m_LabelMessage, callback, target);
    }

    CRWnd_Label* GetLabelWnd() const;
    // Invalidates the whole label with erase, after a property changed.
    void Repaint() const;

private:
    EventBinding m_LabelMessage;
};

} // namespace rg_lch_MFCjm_jb
