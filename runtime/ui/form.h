// CRixWinForm: a container that is a top-level window, the base of the application's
// windows. Its native window is a CRWnd_WinForm, whose fields are the form's properties.
//
// Creation: the form style rules turn the properties into window styles, an unset size comes
// from the design size, and a form whose start state is 1 is centred on the primary screen
// and then on its own monitor. A form given a parent becomes a pop-up window, but the window
// is still created without an owner.
//
// A modal request (params.modal) runs the whole modal form: an envelope dialog
// (envelope_dialog.h) owned by the parent (else the active window of this program, else the
// application's main window) holds the form window as its child and runs our modal loop;
// CreateNativeWindow returns when the dialog has ended, with its result in
// params.modalResult (-1 for Esc, Cancel or a form window destroyed from outside), the form
// window gone with the dialog, and the focus back on the window that had it.
//
// Form event slots after the container ones: Command (id), MenuSelect (id), QueryDestroy,
// QueryClose (a non-zero answer refuses), FirstActivate, Activate, Deactivate, TrayNotify
// (code), MinMaxInfo (an rg_chkwzhxzhxx*; non-zero copies its limits back), EnvelopeReady.
//
// Main thread only, except that event slots may be bound from any thread.
#pragma once

#include <cstdint>

#include "runtime/ui/container.h"
#include "runtime/ui/form_wnd.h"

namespace rg_lch_MFCjm_jb {

class CRixWinForm : public rg_zjbjq, public IWinFormEventListener {
    RIX_OBJECT(CRixWinForm, rg_zjbjq, "rg_lch_MFCjm_jb::CRixWinForm")
    RIX_NO_OWN_FIELDS(CRixWinForm)
public:
    enum FormEvent {
        kCommand,
        kMenuSelect,
        kQueryDestroy,
        kQueryClose,
        kFirstActivate,
        kActivate,
        kDeactivate,
        kTrayNotify,
        kMinMaxInfo,
        kEnvelopeReady,
        kFormEventCount
    };

    CRixWinForm();
    // Shares the holder; event bindings are not copied.
    CRixWinForm(const CRixWinForm& other) : rg_zjbjq(other) {}
    ~CRixWinForm() override;

    int64_t CreateNativeWindow(CreateParams& params) override;
    // The container parameters, then the form style rules.
    void FillCreateParams(CreateParams& params) override;
    // The container's sizing; an unset x or y is centred on the primary screen.
    void AdjustCreateSize(CreateParams& params) override;
    // Every queued message the form pre-translates: 1 lets it pass, 0 swallows it.
    virtual int64_t FilterMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, MSG* msg);

    EventBinding& Event(FormEvent which) { return m_FormEvents[which]; }
    using rg_zjbjq::Event;

    CRWnd_WinForm* GetFormWnd() const;

    // The form window itself, modeless: top level, or the child filling an envelope dialog
    // (params.parent set and no WS_POPUP). False when the window cannot be created.
    bool CreateFormWindow(CreateParams& params);

    // IWinFormEventListener (the container operations as rg_zjbjq has them).
    int64_t OnWindowMessage(MSG* msg) override { return rg_zjbjq::OnWindowMessage(msg); }
    void OnCreated() override { rg_zjbjq::OnCreated(); }
    void OnDestroyed() override { rg_zjbjq::OnDestroyed(); }
    void OnResized() override { rg_zjbjq::OnResized(); }
    void OnShowChanged(int64_t shown) override { rg_zjbjq::OnShowChanged(shown); }
    void OnMoved() override { rg_zjbjq::OnMoved(); }
    int64_t OnFilterMessage(MSG* msg) override;
    int64_t OnCommand(int64_t id) override { return FireFormEvent(kCommand, id); }
    int64_t OnQueryDestroy() override;
    int64_t OnQueryClose() override;
    void OnFirstActivate() override { FireFormEvent(kFirstActivate); }
    void OnActivate() override { FireFormEvent(kActivate); }
    void OnDeactivate() override { FireFormEvent(kDeactivate); }
    void OnTrayNotify(int64_t code) override { FireFormEvent(kTrayNotify, code); }
    void OnMenuSelect(int64_t id) override { FireFormEvent(kMenuSelect, id); }
    int64_t OnMinMaxInfo(rg_chkwzhxzhxx& info) override;
    void OnEnvelopeReady() override { FireFormEvent(kEnvelopeReady); }
    // Moves the frame (the envelope dialog for a modal form) to the suggested rectangle; a form
    // that lays itself out by DPI overrides this to re-lay its controls too.
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;
    // Takes no data: answers 0, as the default window procedure does.
    LRESULT OnCopyData(ULONG_PTR, const void*, DWORD) override { return 0; }

protected:
    IBaseEventListener* AsListener() override { return static_cast<IWinFormEventListener*>(this); }

private:
    // The modal run through an envelope dialog.
    void RunModal(CreateParams& params);
    void ShowInStartState();
    int64_t FireFormEvent(FormEvent which, int64_t a1 = 0, int64_t none = 0) {
        return m_FormEvents[which].Fire(this, a1, 0, 0, none);
    }

    EventBinding m_FormEvents[kFormEventCount];

    // One per modal run of this form on the stack (runs nest after a Reset): the destructor
    // marks every one gone, so that a run whose form was deleted by a handler touches nothing
    // of it afterwards.
    struct LifeGuard {
        bool gone;
        LifeGuard* outer;
    };
    LifeGuard* m_pLifeGuards = nullptr;
};

} // namespace rg_lch_MFCjm_jb
