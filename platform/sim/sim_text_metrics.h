// Text metrics of the simulated backend. Nothing is drawn, so the metrics are made up from the
// font's record: a font asked for by cell height (positive lfHeight) is that high; one asked
// for by character height (negative) gets a fifth of it as internal leading on top ("MS Shell
// Dlg" at -11 is 13 high, as Wine's substitute font is); the default font is 16 high.
#pragma once

#include "platform/sim/sim_gdi.h"

typedef struct tagTEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
} TEXTMETRICW, *LPTEXTMETRICW;

// The metrics of the font selected into the context (the system font when none is).
BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW metrics);

// The size of a line of text in the selected font: as high as the font, each character below
// U+0080 as wide as the font's average character and every other (CJK, full-width
// punctuation) twice that, as a CJK font draws them.
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size);
