// CEditSpin: the spin button (an up-down control) that an edit box can have beside it. It is
// a sibling of the edit (same parent), created, placed, enabled and shown by the edit's
// native window (CRWnd_Edit), and it lives and dies with that native object.
//
// Its UDN_DELTAPOS notification reaches the parent and is reflected to this object, which
// hands the direction to the edit: the edit counts by itself, or fires Spin. The
// notification always answers 0; the control's own position is not used.
//
// Main thread only.
#pragma once

#include <cstdint>

#include "runtime/ui/native/rix_wnd.h"

class CRWnd_Edit;

class CEditSpin : public CRixWnd {
public:
    // The width of the spin button beside its edit, in pixels.
    static constexpr int kWidth = 18;

    CEditSpin() = default;

    // Creates the up-down window as a child of parent with the given style and id, empty
    // rectangle. FALSE when it cannot be created.
    BOOL Create(DWORD style, HWND parent, int id);

    BOOL OnChildNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;

    CRWnd_Edit* m_pEdit = nullptr; // the edit it serves, set when it is linked
    int64_t m_bCountsByItself = 0; // the edit counts by itself instead of firing Spin
};
