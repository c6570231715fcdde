// CRWnd_Container: the native window of a container. It reports its life (created,
// destroyed, moved, resized, shown or hidden) to the attached container listener, refuses
// the keyboard to the dialog manager (DLGC_STATIC) and, when it receives the focus, passes
// it on to the first child that wants keys (else the first tab stop, else the first child).
//
// It paints its own background (the class has no background brush): the picture in its
// picture mode and the colour around it (background_picture.h).
//
// Main thread only.
#pragma once

#include <cstdint>

#include "runtime/ui/background_picture.h"
#include "runtime/ui/listener_wnd.h"

class CRWnd_Container : public CRixListenerWnd {
public:
    CRWnd_Container() = default;

    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

    uint32_t m_nBackColour = kSystemFaceColour;
    // 0 top-left at natural size, 1 tiled, 2 fitted and centred, 3 stretched.
    int32_t m_nPictureMode = 0;
    HBITMAP m_hPicture = nullptr; // owned

    ~CRWnd_Container() override;

protected:
    IContainerEventListener* ContainerListener() const;
    // The focus search of WM_SETFOCUS.
    void PassFocusToChild();
};
