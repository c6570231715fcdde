// CMfcWndObject: the counted holder that joins control objects to one native window. Copies
// of a control share it; it keeps what must exist before the window does (caption, style
// bits, font, cursor) and owns the native window object.
//
// When the last reference goes, the window is destroyed; the native object is deleted with
// the holder unless it deletes itself with its window (self-deleting), in which case the
// holder only forgets it. The font is owned; the cursor is not.
//
// Main thread only, apart from the reference count (atomic, CRefObject).
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/ref_object.h"
#include "runtime/core/wstring.h"

class CRixListenerWnd;

class CMfcWndObject : public CRefObject {
public:
    // Takes ownership of wnd.
    CMfcWndObject(DWORD style, DWORD ex_style, CRixListenerWnd* wnd)
        : m_nStyle(style), m_nExStyle(ex_style), m_pWnd(wnd) {}
    ~CMfcWndObject() override;

    static const ClassNameInfo* ClassRecord();
    const ClassNameInfo* GetClassInfo() const override { return ClassRecord(); }
    void OnFinalRelease() override;

    // Replaces the font; the previous one is deleted after the window has the new one.
    void SetFont(HFONT font);

    CWString m_Caption;
    DWORD m_nStyle;
    DWORD m_nExStyle;
    HCURSOR m_hCursor = nullptr;
    HFONT m_hFont = nullptr;
    CRixListenerWnd* m_pWnd;
    int64_t m_bSelfDeleting = 0;
};
