// The listener interfaces through which a native window reports to its control object, in
// slot order. Each begins with the single operation of IBaseEventListener; a control class
// implements its interface as a second base, whose operations act on the control object.
//
// The form interface (IWinFormEventListener) comes with the forms.
#pragma once

#include <cstdint>

#include "platform/platform.h"

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
