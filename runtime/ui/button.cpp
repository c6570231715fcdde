// Buttons and their native window.
#include "runtime/ui/button.h"

#include "runtime/ui/form_wnd.h"

namespace {
// The button types whose style bits are not a plain push button.
constexpr DWORD kButtonTypeBits = 7;
} // namespace

LRESULT CRWnd_Button::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_ERASEBKGND && (GetStyle() & kButtonTypeBits) != 0) {
        RECT client{};
        GetClientRect(GetSafeHwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wparam), &client, m_Colours.GetBrush());
    }
    return CRixStdControlWnd::WindowProc(message, wparam, lparam);
}

BOOL CRWnd_Button::OnReflectedCommand(WORD code, LRESULT* result) {
    if (code != BN_CLICKED)
        return FALSE;
    *result = 0;
    if (auto* listener = dynamic_cast<IButtonEventListener*>(GetListener()))
        listener->OnClicked();
    return TRUE;
}

namespace rg_lch_MFCjm_jb {

rg_annjchl::rg_annjchl() {
    InstallHolder(WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_MULTILINE, 0, new CRWnd_Button);
}

rg_annjchl::~rg_annjchl() {
    DetachListener();
}

CRWnd_Button* rg_annjchl::GetButtonWnd() const {
    return static_cast<CRWnd_Button*>(GetNativeWnd());
}

void rg_annjchl::AttachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->SetListener(static_cast<IButtonEventListener*>(this));
}

void rg_annjchl::DetachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->ClearListener(static_cast<IButtonEventListener*>(this));
}

int64_t rg_annjchl::IsListenerAttached() const {
    CRixListenerWnd* wnd = GetNativeWnd();
    return wnd != nullptr && wnd->GetListener() != nullptr ? 1 : 0;
}

int64_t rg_ann::CreateNativeWindow(CreateParams& params) {
    if (!PrepareCreate(params) || !CreateWindowOfClass(params, TEXT("BUTTON")))
        return 0;
    // The whole type, not only its lowest bit: a check box (2) or an automatic check box (3)
    // is no default push button.
    if ((params.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        HWND start = params.parent != nullptr ? params.parent->GetSafeHwnd() : nullptr;
        for (HWND hwnd = start; hwnd != nullptr; hwnd = GetParent(hwnd)) {
            if (auto* form = dynamic_cast<CRWnd_WinForm*>(CRixWnd::FromHandlePermanent(hwnd))) {
                form->m_nDefaultButtonId = params.id;
                break;
            }
        }
    }
    AfterCreate(GetNativeWnd(), params);
    return 1;
}

} // namespace rg_lch_MFCjm_jb
