// Forms: the style rules, sizing, modeless creation and the form events.
#include "runtime/ui/form.h"

#include "runtime/shell/rix_app_instance.h"
#include "runtime/shell/win_app.h"
#include "runtime/ui/envelope_dialog.h"
#include "runtime/ui/min_max_info.h"
#include "runtime/ui/ref_rix_menu.h"
#include "runtime/ui/window_classes.h"

namespace rg_lch_MFCjm_jb {

namespace {

constexpr const WCHAR* kDefaultFormClass = TEXT("RixWinForm");
constexpr WORD kProgramIconId = 100;

void CentreOnPrimaryScreen(const CreateParams& params, int32_t& x, int32_t& y) {
    x = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
}

} // namespace

CRixWinForm::CRixWinForm() : rg_zjbjq(NoHolder{}) {
    InstallHolder(WS_VISIBLE | WS_CLIPSIBLINGS, 0, new CRWnd_WinForm);
}

CRWnd_WinForm* CRixWinForm::GetFormWnd() const {
    return static_cast<CRWnd_WinForm*>(GetNativeWnd());
}

void CRixWinForm::FillCreateParams(CreateParams& params) {
    rg_zjbjq::FillCreateParams(params);
    CRWnd_WinForm* f = GetFormWnd();
    if (f == nullptr)
        return;
    bool has_caption = params.caption != nullptr && params.caption[0] != 0;
    if (!has_caption && f->m_bControlBox != 0) {
        params.caption = kDefaultFormCaption;
        has_caption = true;
    }
    params.style |= WS_CLIPCHILDREN;
    if (f->m_nBorderStyle != 0) {
        params.style |= WS_DLGFRAME;
        if (has_caption || f->m_bControlBox != 0)
            params.style |= WS_CAPTION;
        if (f->m_bControlBox != 0)
            params.style |= WS_SYSMENU | WS_BORDER;
    }
    switch (f->m_nBorderStyle) {
    case 1:
        params.style |= WS_THICKFRAME;
        break;
    case 3:
        params.style |= WS_THICKFRAME;
        params.exStyle |= WS_EX_TOOLWINDOW;
        break;
    case 4:
        params.exStyle |= WS_EX_TOOLWINDOW;
        break;
    case 5:
        params.style |= WS_THICKFRAME;
        params.exStyle |= WS_EX_CLIENTEDGE;
        break;
    case 6:
        params.exStyle |= WS_EX_CLIENTEDGE;
        break;
    default:
        break;
    }
    if (f->m_bMaxBox != 0)
        params.style |= WS_MAXIMIZEBOX;
    if (f->m_bMinBox != 0)
        params.style |= WS_MINIMIZEBOX;
    if (f->m_nStartState == 2)
        params.style |= WS_MINIMIZE;
    else if (f->m_nStartState == 3)
        params.style |= WS_MAXIMIZE;
    if (params.parent != nullptr)
        params.style = (params.style & 0x3FFFFFFF) | WS_POPUP;
}

void CRixWinForm::AdjustCreateSize(CreateParams& params) {
    CRixWinContainer::AdjustCreateSize(params);
    int32_t x = 0;
    int32_t y = 0;
    CentreOnPrimaryScreen(params, x, y);
    if (params.x == kUnsetCoordinate)
        params.x = x;
    if (params.y == kUnsetCoordinate)
        params.y = y;
}

CRixWinForm::~CRixWinForm() {
    // The base destructor would look for the container listener, not this one.
    DetachListener();
    for (LifeGuard* guard = m_pLifeGuards; guard != nullptr; guard = guard->outer)
        guard->gone = true;
}

int64_t CRixWinForm::CreateNativeWindow(CreateParams& params) {
    CRWnd_WinForm* f = GetFormWnd();
    if (f == nullptr || f->HasWindow())
        return 0;
    FillCreateParams(params);
    AdjustCreateSize(params);
    f->m_hEnvelope = nullptr;
    if (params.modal != 0) {
        // A handler of the modal run may delete this form object or reset it; after the run
        // only the guard, the native object (held by RunModal) and params are touched.
        LifeGuard guard{false, m_pLifeGuards};
        m_pLifeGuards = &guard;
        RunModal(params);
        if (guard.gone)
            return 1;
        m_pLifeGuards = guard.outer;
        // The window went with the dialog, unless a handler made another meanwhile.
        if (GetFormWnd() == f && f->HasWindow())
            AfterCreate(f, params);
        return 1;
    }
    if (!CreateFormWindow(params))
        return 0;
    AfterCreate(f, params);
    return 1;
}

void CRixWinForm::RunModal(CreateParams& params) {
    CRWnd_WinForm* f = GetFormWnd();
    // The run works on the native object, which stays until the run ends whatever becomes of
    // this form object (deleted or reset by a handler).
    CRixWnd::KeepAlive hold(f);
    HWND owner = params.parent != nullptr ? params.parent->GetSafeHwnd() : nullptr;
    if (owner == nullptr) {
        HWND active = GetActiveWindow();
        if (active != nullptr && CRixWnd::FromHandlePermanent(active) != nullptr)
            owner = active;
    }
    if (owner == nullptr) {
        CRixWinApp* app = RixGetApp();
        if (app != nullptr && app->m_hMainWnd != nullptr && IsWindow(app->m_hMainWnd))
            owner = app->m_hMainWnd;
    }
    // NOTE: with none of these the dialog has no owner; the desktop window is never made an
    // owner, since the modal run disables its owner.
    CRixEnvelopeDialog envelope(owner, *this, *f, params);
    DWORD style = 0;
    DWORD ex_style = 0;
    if (params.plainFrame != 0) {
        f->m_nBorderStyle = 2;
        f->m_bControlBox = 1;
        f->m_bMaxBox = 0;
        f->m_bMinBox = 0;
        f->m_nStartState = 1;
        style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                DS_CENTER;
    } else {
        style = (params.style & 0x2DFFF7FF) | WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | DS_CENTER;
        if ((params.style & WS_THICKFRAME) == 0)
            style |= DS_MODALFRAME;
        ex_style = params.exStyle;
    }
    envelope.Template().SetStyle(style, ex_style);
    HWND focus = GetFocus();
    const INT_PTR result = envelope.DoModal();
    // From here on this object may be gone: only locals, params and f.
    params.modalResult = static_cast<int32_t>(result);
    f->m_hEnvelope = nullptr;
    if (focus != nullptr && IsWindow(focus) && GetFocus() != focus)
        SetFocus(focus);
}

bool CRixWinForm::CreateFormWindow(CreateParams& params) {
    CRWnd_WinForm* f = GetFormWnd();
    bool top_level = params.parent == nullptr || (params.style & WS_POPUP) != 0;
    HWND parent = nullptr;
    HMENU menu_or_id = nullptr;
    if (top_level) {
        f->SetMenuObject(params.menu);
        if (params.menu != nullptr)
            menu_or_id = params.menu->GetMenuHandle();
        if (f->m_nStartState == 1)
            CentreOnPrimaryScreen(params, params.x, params.y);
    } else {
        f->SetMenuObject(nullptr);
        parent = params.parent->GetSafeHwnd();
        menu_or_id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id));
    }
    const WCHAR* class_name =
        f->m_ClassName.GetLength() > 0 ? f->m_ClassName.GetText() : kDefaultFormClass;
    if (!RegisterFrameworkClass(class_name))
        return false;
    if (!f->CreateEx(params.exStyle, class_name, params.caption, params.style, params.x, params.y,
                     params.width, params.height, parent, menu_or_id))
        return false;
    // Inside an envelope the dialog's frame is the title bar.
    if (f->m_hEnvelope == nullptr)
        f->UpdateTitleBar();
    if (f->m_hIcon == nullptr)
        f->m_hIcon =
            LoadIconW(GetRixAppInstance().GetInstanceHandle(), MAKEINTRESOURCEW(kProgramIconId));
    HWND frame = f->m_hEnvelope != nullptr ? f->m_hEnvelope : f->GetSafeHwnd();
    SendMessageW(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(f->m_hIcon));
    SendMessageW(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(f->m_hIcon));
    // Clamped as SetShape clamps it: the field may have been set directly.
    if (f->m_nShape != 0)
        f->SetShape(f->m_nShape);
    f->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(params.font), 1);
    if (f->m_bTopmost != 0)
        SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    if (f->m_bMovable == 0) {
        if (HMENU system = GetSystemMenu(frame, FALSE))
            DeleteMenu(system, SC_MOVE, MF_BYCOMMAND);
    }
    // A form inside an envelope fills the dialog's client area; the start state is the
    // dialog's to show (centring the child on the monitor would move it out of the dialog).
    if (top_level)
        ShowInStartState();
    return true;
}

void CRixWinForm::ShowInStartState() {
    CRWnd_WinForm* f = GetFormWnd();
    HWND hwnd = f->GetSafeHwnd();
    if (f->m_nStartState < 0)
        f->m_nStartState = 0;
    if (f->m_nStartState > 3)
        f->m_nStartState = 3;
    if (!IsWindowVisible(hwnd))
        return;
    switch (f->m_nStartState) {
    case 2:
        ShowWindow(hwnd, SW_MINIMIZE);
        return;
    case 3:
        ShowWindow(hwnd, SW_MAXIMIZE);
        return;
    case 0:
        ShowWindow(hwnd, SW_SHOWNORMAL);
        return;
    default:
        break;
    }
    if (IsIconic(hwnd) || IsZoomed(hwnd))
        ShowWindow(hwnd, SW_RESTORE);
    RECT screen = CRixAppInstance::GetMonitorRect(hwnd);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    int32_t x = (screen.left + screen.right - (rect.right - rect.left)) / 2;
    int32_t y = (screen.top + screen.bottom - (rect.bottom - rect.top)) / 2;
    if (x != rect.left || y != rect.top)
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int64_t CRixWinForm::FilterMessage(HWND, UINT, WPARAM, LPARAM, MSG*) {
    return 1;
}

int64_t CRixWinForm::OnFilterMessage(MSG* msg) {
    return FilterMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam, msg) == 0 ? 1 : 0;
}

int64_t CRixWinForm::OnQueryDestroy() {
    return FireFormEvent(kQueryDestroy) != 0 ? 0 : 1;
}

int64_t CRixWinForm::OnQueryClose() {
    return FireFormEvent(kQueryClose) != 0 ? 0 : 1;
}

void CRixWinForm::OnDpiChanged(UINT, const RECT& suggested) {
    CRWnd_WinForm* f = GetFormWnd();
    HWND frame = f->m_hEnvelope != nullptr ? f->m_hEnvelope : f->GetSafeHwnd();
    SetWindowPos(frame, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int64_t CRixWinForm::OnMinMaxInfo(rg_chkwzhxzhxx& info) {
    return FireFormEvent(kMinMaxInfo, reinterpret_cast<int64_t>(&info));
}

} // namespace rg_lch_MFCjm_jb
