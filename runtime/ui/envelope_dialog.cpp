// The envelope dialog of modal forms: initialisation, the messages it passes to the form and
// the form's requests (0xA001).
#include "runtime/ui/envelope_dialog.h"

#include "runtime/shell/win_app.h"
#include "runtime/ui/form.h"
#include "runtime/ui/key_names.h"
#include "runtime/ui/ref_rix_menu.h"

namespace {

constexpr uint32_t kEscKeyCode = 27;
constexpr int kFormChildId = 0xFFFF;

IWinFormEventListener* FormListenerOf(CRWnd_WinForm* f) {
    return f != nullptr ? dynamic_cast<IWinFormEventListener*>(f->GetListener()) : nullptr;
}

} // namespace

CRixEnvelopeDialog::CRixEnvelopeDialog(HWND owner, rg_lch_MFCjm_jb::CRixWinForm& form,
                                       CRWnd_WinForm& form_wnd, CreateParams& params)
    : CRixDialog(owner), m_form(form), m_formWnd(form_wnd), m_params(params) {}

HWND CRixEnvelopeDialog::FormHwnd() const {
    return m_formWnd.HasWindow() ? m_formWnd.GetSafeHwnd() : nullptr;
}

RECT CRixEnvelopeDialog::FormClientRect() const {
    RECT client{m_params.x, m_params.y, m_params.x + m_params.width, m_params.y + m_params.height};
    // The frame the form's own styles would give it, side by side, with a menu bar exactly
    // when the form's sizing counted one (CRixWinContainer::AdjustCreateSize).
    RECT probe{200, 200, 300, 300};
    const bool menu = m_params.parent == nullptr && m_params.menu != nullptr &&
                      m_params.menu->GetMenuHandle() != nullptr;
    if (AdjustWindowRectEx(&probe, m_params.style, menu ? TRUE : FALSE, m_params.exStyle)) {
        client.left += 200 - probe.left;
        client.top += 200 - probe.top;
        client.right -= probe.right - 300;
        client.bottom -= probe.bottom - 300;
    }
    return client;
}

BOOL CRixEnvelopeDialog::OnInitDialog() {
    CRixDialog::OnInitDialog();
    HWND self = GetSafeHwnd();
    CRWnd_WinForm* f = &m_formWnd;
    f->m_hEnvelope = self;
    if (CRixWinApp* app = RixGetApp(); app != nullptr && app->m_hMainWnd == nullptr) {
        app->m_hMainWnd = self;
        m_bMainWindow = true;
    }
    // The form's menu bar is the dialog's, set before the dialog is sized around the form.
    HMENU bar = m_params.menu != nullptr ? m_params.menu->GetMenuHandle() : nullptr;
    if (bar != nullptr && !SetMenu(self, bar))
        bar = nullptr;
    m_hMenuBar = bar;

    RECT client = FormClientRect();
    if (m_params.plainFrame == 0 && (m_params.style & WS_BORDER) == 0 &&
        (GetStyle() & WS_BORDER) != 0)
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    RECT outer = client;
    AdjustWindowRectEx(&outer, GetStyle(), bar != nullptr ? TRUE : FALSE,
                       static_cast<DWORD>(GetWindowLongW(self, GWL_EXSTYLE)));
    MoveWindow(self, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
               TRUE);
    SetWindowText(m_params.caption != nullptr ? m_params.caption : TEXT(""));

    CreateParams inner;
    inner.parent = this;
    inner.x = 0;
    inner.y = 0;
    inner.width = client.right - client.left;
    inner.height = client.bottom - client.top;
    inner.id = kFormChildId;
    inner.style = WS_CHILD | WS_VISIBLE;
    inner.exStyle = WS_EX_CONTROLPARENT;
    inner.caption = m_params.caption;
    inner.font = m_params.font;
    if (!m_form.CreateFormWindow(inner)) {
        EndDialog(-1);
        return FALSE;
    }
    // Taken after the form window, whose creation as a child lets go of any menu: the form's
    // pre-translation translates the menu's accelerators.
    f->SetMenuObject(m_params.menu);
    if (f->m_nDefaultButtonId != 0)
        SendMessage(DM_SETDEFID, static_cast<WPARAM>(f->m_nDefaultButtonId), 0);
    ::SetFocus(f->GetSafeHwnd());
    if (IWinFormEventListener* listener = FormListenerOf(f))
        listener->OnEnvelopeReady();
    return FALSE; // the focus is set
}

LRESULT CRixEnvelopeDialog::OnEnvelopeMessage(WPARAM wparam, LPARAM lparam) {
    HWND self = GetSafeHwnd();
    switch (wparam) {
    case kEnvelopeFormGone:
        if (!m_bDestroyed)
            EndDialog(-1);
        break;
    case kEnvelopeShow:
        ShowWindow(self, lparam != 0 ? SW_SHOW : SW_HIDE);
        break;
    case kEnvelopeEnd:
        EndDialog(static_cast<int>(lparam));
        break;
    case kEnvelopeTitle:
        ::SetWindowTextW(self, reinterpret_cast<const WCHAR*>(lparam));
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CRixEnvelopeDialog::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    HWND self = GetSafeHwnd();
    CRWnd_WinForm* f = &m_formWnd;
    switch (message) {
    case WM_SIZE: {
        LRESULT result = CRixDialog::WindowProc(message, wparam, lparam);
        if (HWND form = FormHwnd())
            MoveWindow(form, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
        return result;
    }
    case WM_SETFOCUS:
        if (HWND form = FormHwnd()) {
            ::SetFocus(form);
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(f != nullptr ? f->m_hIcon : nullptr);
    case WM_CLOSE:
        if (f != nullptr && f->HasWindow() && !f->MayClose())
            return 0;
        break;
    case WM_QUERYENDSESSION: {
        LRESULT allowed = CRixDialog::WindowProc(message, wparam, lparam);
        IWinFormEventListener* listener = FormListenerOf(f);
        if (allowed == 0 || listener == nullptr || !IsWindow(self))
            return allowed;
        return listener->OnQueryDestroy() != 0 ? TRUE : FALSE;
    }
    case WM_MENUSELECT:
        if (f != nullptr)
            f->ReportMenuSelect(wparam);
        break;
    case WM_GETMINMAXINFO: {
        LRESULT result = CRixDialog::WindowProc(message, wparam, lparam);
        if (f != nullptr && IsWindow(self))
            f->ReportMinMaxInfo(lparam);
        return result;
    }
    case WM_NCACTIVATE:
        if (wparam == FALSE && f != nullptr && f->m_bKeepCaptionActive != 0)
            return DefWindowProc(message, IsWindowEnabled(self), lparam);
        break;
    case WM_COMMAND:
        if (lparam == 0) {
            IWinFormEventListener* listener = FormListenerOf(f);
            if (listener != nullptr && listener->OnCommand(LOWORD(wparam)) != 0)
                return 0;
        }
        break;
    case WM_NCDESTROY:
        // The form window is gone by now, so the frame change reaches nobody.
        if (m_hMenuBar != nullptr && GetMenu(self) == m_hMenuBar)
            SetMenu(self, nullptr);
        m_hMenuBar = nullptr;
        break;
    case WM_DESTROY:
        m_bDestroyed = true;
        // The application's loop ends when its main window goes; the stand-in must not end it.
        if (m_bMainWindow) {
            if (CRixWinApp* app = RixGetApp(); app != nullptr && app->m_hMainWnd == self)
                app->m_hMainWnd = nullptr;
            m_bMainWindow = false;
        }
        break;
    case kEnvelopeMessage:
        return OnEnvelopeMessage(wparam, lparam);
    default:
        break;
    }
    return CRixDialog::WindowProc(message, wparam, lparam);
}

BOOL CRixEnvelopeDialog::PreTranslateMessage(MSG* msg) {
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) &&
        KeyCodeFromVirtualKey(msg->wParam) == kEscKeyCode) {
        EndDialog(-1);
        return TRUE;
    }
    return CRixDialog::PreTranslateMessage(msg);
}
