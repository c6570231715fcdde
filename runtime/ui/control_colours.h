// The colours of a standard control's native window: a text colour, a background colour and
// the background brush that the control paints with. Colours are 0x00BBGGRR; the value
// kSystemColour stands for the system colour each use names (button face for backgrounds,
// window text for text).
//
// The brush is made once, with the native object, and kept until it goes: the controls paint
// with it whatever the background colour field says later, so a colour change never makes a
// brush per repaint.
//
// Main thread only.
#pragma once

#include <cstdint>

#include "platform/platform.h"

inline constexpr uint32_t kSystemColour = 0xFF000000;

// The colour field as a colour for GDI: kSystemColour is the system colour `system_index`.
COLORREF ResolveColour(uint32_t colour, int system_index);

class CRixCtlColours {
public:
    // text and back are the fields' first values; the brush is a solid brush of
    // brush_colour (kSystemColour: the button face).
    CRixCtlColours(uint32_t text, uint32_t back, uint32_t brush_colour);
    ~CRixCtlColours();
    CRixCtlColours(const CRixCtlColours&) = delete;
    CRixCtlColours& operator=(const CRixCtlColours&) = delete;

    // The answer to WM_CTLCOLOR*: the context gets the text colour and the background colour
    // (kSystemColour: the button face), and the brush is what the control paints with.
    HBRUSH Apply(HDC dc) const;
    HBRUSH GetBrush() const { return m_hBackBrush; }

    uint32_t m_nTextColour;
    uint32_t m_nBackColour;

private:
    HBRUSH m_hBackBrush; // owned
};
