// Colours and the background brush of the standard controls.
#include "runtime/ui/control_colours.h"

COLORREF ResolveColour(uint32_t colour, int system_index) {
    return colour == kSystemColour ? GetSysColor(system_index) : static_cast<COLORREF>(colour);
}

CRixCtlColours::CRixCtlColours(uint32_t text, uint32_t back, uint32_t brush_colour)
    : m_nTextColour(text), m_nBackColour(back),
      m_hBackBrush(CreateSolidBrush(ResolveColour(brush_colour, COLOR_BTNFACE))) {}

CRixCtlColours::~CRixCtlColours() {
    if (m_hBackBrush != nullptr)
        DeleteObject(m_hBackBrush);
}

HBRUSH CRixCtlColours::Apply(HDC dc) const {
    // NOTE: the text colour field has no system default of its own; kSystemColour is read as
    // the window text colour rather than handed to GDI as an invalid colour.
    SetTextColor(dc, ResolveColour(m_nTextColour, COLOR_WINDOWTEXT));
    SetBkColor(dc, ResolveColour(m_nBackColour, COLOR_BTNFACE));
    return m_hBackBrush;
}
