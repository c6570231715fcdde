// CMfcWndObject: the counted holder that joins control objects to one native window. Copies
// of a control share it; it keeps what must exist before the window does (caption, style
// bits, font, cursor) and owns the native window object.
//
// When the last reference goes, the window is destroyed and the native object is deleted with
// the holder (CRixWnd::Delete: a native object still working on a message goes when it is
// done). With self-deleting set, the native object deletes itself when its window is
// destroyed, at whatever time that happens, and the holder forgets it (the control then has
// no native window); a native object that has no window when the holder goes is deleted with
// the holder all the same. The font is owned; the cursor is not.
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
    CMfcWndObject(DWORD style, DWORD ex_style, CRixListenerWnd* wnd);
    ~CMfcWndObject() override;

    static const ClassNameInfo* ClassRecord();
    const ClassNameInfo* GetClassInfo() const override { return ClassRecord(); }
    void OnFinalRelease() override;

    // Replaces the font; the previous one is deleted after the window has the new one.
    void SetFont(HFONT font);
    // Called by the native object once its window is gone: with self-deleting set, the holder
    // forgets it and it is deleted.
    void ForgetSelfDeletingWnd(CRixListenerWnd* wnd);

    CWString m_Caption;
    DWORD m_nStyle;
    DWORD m_nExStyle;
    HCURSOR m_hCursor = nullptr;
    HFONT m_hFont = nullptr;
    CRixListenerWnd* m_pWnd; // owned; null once a self-deleting native object has gone
    int64_t m_bSelfDeleting = 0;
};
