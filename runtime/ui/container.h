// CRixWinContainer and rg_zjbjq: controls that hold other controls.
//
// CRixWinContainer adds the designed client size and the place where an application creates
// its children; it sizes a window whose size is not given from the design size, widened by
// the frame the styles will give it. It cannot create a window itself.
//
// rg_zjbjq is the concrete container: a "RixContainer" window (CRWnd_Container) that reports
// to the container as its listener. Event slots after the base ones: Created, Destroyed,
// Moved, Resized, Shown, Hidden; none carries arguments and their results are ignored.
// Created fires after CreateChildren, so its handler finds the children made.
//
// Main thread only, except that event slots may be bound from any thread.
#pragma once

#include <cstdint>

#include "runtime/ui/container_wnd.h"
#include "runtime/ui/control.h"
#include "runtime/ui/listeners.h"

namespace rg_lch_MFCjm_jb {

class CRixWinContainer : public CRixWinControl {
    RIX_OBJECT(CRixWinContainer, CRixWinControl, "rg_lch_MFCjm_jb::CRixWinContainer")
    RIX_NO_OWN_FIELDS(CRixWinContainer)
public:
    CRixWinContainer() = default;
    CRixWinContainer(const CRixWinContainer& other) = default;
    ~CRixWinContainer() override = default;

    // The designed client size; 0 leaves an unset size at 0.
    virtual int32_t GetDesignWidth() { return 0; }
    virtual int32_t GetDesignHeight() { return 0; }
    // Called when the window exists, before Created fires.
    virtual void CreateChildren() {}

    // The base parameters, and WS_EX_CONTROLPARENT so that the dialog manager walks into it.
    void FillCreateParams(CreateParams& params) override;
    // An unset width or height: the design size widened by the frame (both 0 when there is
    // no design size or the frame cannot be computed).
    void AdjustCreateSize(CreateParams& params) override;
};

class rg_zjbjq : public CRixWinContainer, public IContainerEventListener {
    RIX_OBJECT(rg_zjbjq, CRixWinContainer, "rg_lch_MFCjm_jb::rg_zjbjq")
    RIX_NO_OWN_FIELDS(rg_zjbjq)
public:
    enum ContainerEvent {
        kCreated,
        kDestroyed,
        kMoved,
        kResized,
        kShown,
        kHidden,
        kContainerEventCount
    };

    rg_zjbjq();
    // Shares the holder; event bindings are not copied.
    rg_zjbjq(const rg_zjbjq& other) : CRixWinContainer(other) {}
    ~rg_zjbjq() override;

    int64_t CreateNativeWindow(CreateParams& params) override;
    void FillCreateParams(CreateParams& params) override;
    void AttachListener() override;
    void DetachListener() override;
    int64_t IsListenerAttached() const override;

    EventBinding& Event(ContainerEvent which) { return m_ContainerEvents[which]; }
    using CRixWinControl::Event;

    CRWnd_Container* GetContainerWnd() const;

    // IContainerEventListener
    int64_t OnWindowMessage(MSG* msg) override { return DispatchInput(msg); }
    void OnCreated() override;
    void OnDestroyed() override { FireContainerEvent(kDestroyed); }
    void OnResized() override { FireContainerEvent(kResized); }
    void OnShowChanged(int64_t shown) override {
        FireContainerEvent(shown != 0 ? kShown : kHidden);
    }
    void OnMoved() override { FireContainerEvent(kMoved); }

protected:
    // For derived classes that bring their own native window.
    struct NoHolder {};
    explicit rg_zjbjq(NoHolder) {}
    // The listener this control attaches to its window.
    virtual IBaseEventListener* AsListener() { return static_cast<IContainerEventListener*>(this); }
    const IBaseEventListener* AsListenerConst() const {
        return const_cast<rg_zjbjq*>(this)->AsListener();
    }
    void FireContainerEvent(ContainerEvent which) { m_ContainerEvents[which].Fire(this); }

private:
    EventBinding m_ContainerEvents[kContainerEventCount];
};

} // namespace rg_lch_MFCjm_jb
