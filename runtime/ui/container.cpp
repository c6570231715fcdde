// Containers: the design size, the "RixContainer" window and the container events.
#include "runtime/ui/container.h"

#include "runtime/ui/ref_rix_menu.h"
#include "runtime/ui/window_classes.h"

namespace rg_lch_MFCjm_jb {

void CRixWinContainer::FillCreateParams(CreateParams& params) {
    CRixWinControl::FillCreateParams(params);
    params.exStyle |= WS_EX_CONTROLPARENT;
}

void CRixWinContainer::AdjustCreateSize(CreateParams& params) {
    if (params.width != kUnsetCoordinate && params.height != kUnsetCoordinate)
        return;
    int32_t w = GetDesignWidth();
    int32_t h = GetDesignHeight();
    params.width = 0;
    params.height = 0;
    if (w <= 0 || h <= 0)
        return;
    RECT rect{0, 0, w, h};
    bool menu = params.parent == nullptr && params.menu != nullptr &&
                params.menu->GetMenuHandle() != nullptr;
    if (!AdjustWindowRectEx(&rect, params.style, menu ? TRUE : FALSE, params.exStyle))
        return;
    params.width = rect.right - rect.left;
    params.height = rect.bottom - rect.top;
}

rg_zjbjq::rg_zjbjq() {
    InstallHolder(WS_VISIBLE | WS_CLIPSIBLINGS, 0, new CRWnd_Container);
}

rg_zjbjq::~rg_zjbjq() {
    DetachListener();
}

CRWnd_Container* rg_zjbjq::GetContainerWnd() const {
    return static_cast<CRWnd_Container*>(GetNativeWnd());
}

void rg_zjbjq::FillCreateParams(CreateParams& params) {
    CRixWinContainer::FillCreateParams(params);
    if (IsListenerAttached() == 0)
        AttachListener();
}

int64_t rg_zjbjq::CreateNativeWindow(CreateParams& params) {
    if (!PrepareCreate(params))
        return 0;
    params.style &= ~static_cast<DWORD>(WS_TABSTOP);
    if (!CreateWindowOfClass(params, kContainerClass))
        return 0;
    AfterCreate(GetNativeWnd(), params);
    return 1;
}

void rg_zjbjq::AttachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->SetListener(AsListener());
}

void rg_zjbjq::DetachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->ClearListener(AsListener());
}

int64_t rg_zjbjq::IsListenerAttached() const {
    CRixListenerWnd* wnd = GetNativeWnd();
    return wnd != nullptr && wnd->GetListener() != nullptr ? 1 : 0;
}

void rg_zjbjq::OnCreated() {
    CreateChildren();
    FireContainerEvent(kCreated);
}

} // namespace rg_lch_MFCjm_jb
