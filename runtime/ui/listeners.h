// The listener interfaces through which a native window reports to its control object, in
// slot order. Each begins with the single operation of IBaseEventListener; a control class
// implements its interface as a second base, whose operations act on the control object.
//
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace rg_lch_MFCjm_jb {
class rg_chkwzhxzhxx;
}

class IBaseEventListener {
public:
    // A window message for the control's input events (DispatchInput); 1 handled, 0 not.
    virtual int64_t OnWindowMessage(MSG* msg) = 0;

protected:
    ~IBaseEventListener() = default;
};

class IContainerEventListener : public IBaseEventListener {
public:
    virtual void OnCreated() = 0;
    virtual void OnDestroyed() = 0;
    virtual void OnResized() = 0;
    virtual void OnShowChanged(int64_t shown) = 0;
    virtual void OnMoved() = 0;

protected:
    ~IContainerEventListener() = default;
};

// The form's window reports both the container and the form operations through this one
// interface, so one attached listener serves both.
class IWinFormEventListener : public IContainerEventListener {
public:
    // A queued message the form pre-translates; 1 swallows it.
    virtual int64_t OnFilterMessage(MSG* msg) = 0;
    // A menu or accelerator command; non-zero when handled.
    virtual int64_t OnCommand(int64_t id) = 0;
    // Closing or a shut-down query: 0 refuses.
    virtual int64_t OnQueryDestroy() = 0;
    // Closing: 0 refuses.
    virtual int64_t OnQueryClose() = 0;
    virtual void OnFirstActivate() = 0;
    virtual void OnActivate() = 0;
    virtual void OnDeactivate() = 0;
    // 1 left button up, 2 left double click, 3 right button up or context menu.
    virtual void OnTrayNotify(int64_t code) = 0;
    // The selected item, or 0 when the menu closes or the item opens a popup.
    virtual void OnMenuSelect(int64_t id) = 0;
    // Non-zero when the limits in info are to be used.
    virtual int64_t OnMinMaxInfo(rg_lch_MFCjm_jb::rg_chkwzhxzhxx& info) = 0;
    virtual void OnEnvelopeReady() = 0;
    // The window's monitor DPI changed (WM_DPICHANGED): the new DPI and the window rectangle
    // the system suggests for it.
    virtual void OnDpiChanged(UINT dpi, const RECT& suggested) = 0;
    // WM_COPYDATA: data another program hands to the window, tagged by the sender; the bytes
    // are valid only during the call. The answer goes back to the sender.
    virtual LRESULT OnCopyData(ULONG_PTR tag, const void* data, DWORD size) = 0;

protected:
    ~IWinFormEventListener() = default;
};

class IButtonEventListener : public IBaseEventListener {
public:
    virtual void OnClicked() = 0;

protected:
    ~IButtonEventListener() = default;
};

class ILabelEventListener : public IBaseEventListener {
public:
    virtual LRESULT OnLabelMessage(WPARAM wparam, LPARAM lparam) = 0;

protected:
    ~ILabelEventListener() = default;
};

class IEditEventListener : public IBaseEventListener {
public:
    virtual void OnChanged() = 0;
    virtual void OnSpin(int64_t direction) = 0;

protected:
    ~IEditEventListener() = default;
};

class IListBoxEventListener : public IBaseEventListener {
public:
    virtual void OnSelChanged() = 0;
    virtual void OnDoubleClicked() = 0;

protected:
    ~IListBoxEventListener() = default;
};

class IComboEventListener : public IBaseEventListener {
public:
    virtual void OnSelChanged() = 0;
    virtual void OnEditChanged() = 0;
    virtual void OnDroppedDown() = 0;
    virtual void OnClosedUp() = 0;
    virtual void OnDoubleClicked() = 0;

protected:
    ~IComboEventListener() = default;
};

class ITimerEventListener : public IBaseEventListener {
public:
    virtual void OnTick() = 0;

protected:
    ~ITimerEventListener() = default;
};
