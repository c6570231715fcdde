// The control base: holder, creation skeleton, input dispatch and common properties.
#include "runtime/ui/control.h"

#include "runtime/ui/default_button.h"
#include "runtime/ui/key_names.h"
#include "runtime/ui/listener_wnd.h"
#include "runtime/ui/window_classes.h"
#include "runtime/ui/wnd_holder.h"

namespace rg_lch_MFCjm_jb {

namespace {

constexpr uint32_t kModifierBits = kKeyCtrl | kKeyAlt | kKeyShift;
// What AfterCreate asks of WM_GETDLGCODE before it adds WS_TABSTOP.
constexpr LRESULT kWantsKeys = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
constexpr UINT kStyleOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

int64_t MouseModifiers(WPARAM wparam) {
    int64_t modifiers = 0;
    if ((wparam & MK_CONTROL) != 0)
        modifiers |= kKeyCtrl;
    if ((wparam & MK_SHIFT) != 0)
        modifiers |= kKeyShift;
    if (GetKeyState(VK_MENU) < 0)
        modifiers |= kKeyAlt;
    return modifiers;
}

bool IsFrameworkClass(const WCHAR* name) {
    for (const WCHAR* own : {kContainerClass, kLabelClass, kDummyWndClass}) {
        if (CWString(name).IsEqual(CWString(own)) != 0)
            return true;
    }
    return false;
}

} // namespace

CRixWinControl::CRixWinControl(const CRixWinControl& other)
    : rg_ckdxl(other), m_Text(other.m_Text) {}

void CRixWinControl::RixResetFields() {
    m_Text.Empty();
    CRixObject* fresh = CreateNew();
    auto* control = dynamic_cast<CRixWinControl*>(fresh);
    CRefObject* holder = control != nullptr ? control->GetReference() : nullptr;
    if (holder != nullptr)
        holder->AddRef();
    SetReference(holder);
    ::DeleteThis(fresh);
}

void CRixWinControl::InstallHolder(DWORD style, DWORD ex_style, CRixListenerWnd* wnd) {
    SetReference(new CMfcWndObject(style, ex_style, wnd));
}

CMfcWndObject* CRixWinControl::GetHolder() const {
    return static_cast<CMfcWndObject*>(GetReference());
}

CRixListenerWnd* CRixWinControl::GetNativeWnd() const {
    CMfcWndObject* holder = GetHolder();
    return holder != nullptr ? holder->m_pWnd : nullptr;
}

HWND CRixWinControl::GetSafeHwnd() const {
    CRixListenerWnd* wnd = GetNativeWnd();
    return wnd != nullptr && wnd->HasWindow() ? wnd->GetSafeHwnd() : nullptr;
}

int64_t CRixWinControl::CreateNativeWindow(CreateParams&) {
    return 0;
}

void CRixWinControl::FillCreateParams(CreateParams& params) {
    CMfcWndObject* holder = GetHolder();
    params.caption = holder != nullptr ? holder->m_Caption.GetText() : TEXT("");
    params.style = holder != nullptr ? holder->m_nStyle : 0;
    params.exStyle = holder != nullptr ? holder->m_nExStyle : 0;
    if (params.parent != nullptr)
        params.style |= WS_CHILD;
    else
        params.style &= ~static_cast<DWORD>(WS_CHILD);
    HFONT font = holder != nullptr ? holder->m_hFont : nullptr;
    params.font = font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool CRixWinControl::PrepareCreate(CreateParams& params) {
    CRixListenerWnd* wnd = GetNativeWnd();
    if (wnd == nullptr || wnd->HasWindow())
        return false;
    FillCreateParams(params);
    AdjustCreateSize(params);
    return true;
}

bool CRixWinControl::CreateWindowOfClass(CreateParams& params, const WCHAR* class_name) {
    CRixListenerWnd* wnd = GetNativeWnd();
    if (wnd == nullptr)
        return false;
    if (IsFrameworkClass(class_name) && !RegisterFrameworkClass(class_name))
        return false;
    HWND parent = params.parent != nullptr ? params.parent->GetSafeHwnd() : nullptr;
    return wnd->CreateEx(params.exStyle, class_name, params.caption, params.style, params.x,
                         params.y, params.width, params.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id))) != FALSE;
}

void CRixWinControl::AfterCreate(CRixListenerWnd* wnd, CreateParams& params) {
    if (wnd == nullptr || !wnd->HasWindow())
        return;
    if (params.font != nullptr)
        wnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(params.font), 1);
    if ((params.style & WS_TABSTOP) == 0 && (wnd->SendMessage(WM_GETDLGCODE) & kWantsKeys) != 0)
        wnd->ModifyStyle(0, WS_TABSTOP, kStyleOnly);
    if ((params.style & WS_BORDER) == 0 && (wnd->GetStyle() & WS_BORDER) != 0)
        wnd->ModifyStyle(WS_BORDER, 0, kStyleOnly | SWP_FRAMECHANGED);
    // A default push button tells its form (default_button.h).
    RecordDefaultPushButton(wnd->GetSafeHwnd());
}

int64_t CRixWinControl::DispatchInput(MSG* msg) {
    switch (msg->message) {
    case WM_SETFOCUS:
        return FireEvent(kGotFocus) != 0 ? 1 : 0;
    case WM_KILLFOCUS:
        return FireEvent(kLostFocus) != 0 ? 1 : 0;
    case WM_SETCURSOR: {
        CMfcWndObject* holder = GetHolder();
        if (holder == nullptr || holder->m_hCursor == nullptr)
            return 0;
        ::SetCursor(holder->m_hCursor);
        return 1;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        uint32_t code = KeyCodeFromVirtualKey(msg->wParam);
        bool down = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
        return FireEvent(down ? kKeyDown : kKeyUp, code & ~kModifierBits, code & kModifierBits) != 0
                   ? 1
                   : 0;
    }
    case WM_CHAR: {
        auto r = static_cast<int32_t>(FireEvent(kCharInput, msg->wParam & 0xFFFF));
        if (r < 0)
            return 1;
        if (r > 0)
            msg->wParam = static_cast<WPARAM>(r);
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        BaseEvent which = kMouseMove;
        switch (msg->message) {
        case WM_LBUTTONDOWN:
            which = kLeftDown;
            break;
        case WM_LBUTTONUP:
            which = kLeftUp;
            break;
        case WM_LBUTTONDBLCLK:
            which = kLeftDoubleClick;
            break;
        case WM_RBUTTONDOWN:
            which = kRightDown;
            break;
        case WM_RBUTTONUP:
            which = kRightUp;
            break;
        default:
            break;
        }
        auto lparam = static_cast<DWORD>(msg->lParam);
        int64_t x = lparam & 0xFFFF;
        int64_t y = (lparam >> 16) & 0xFFFF;
        return FireEvent(which, x, y, MouseModifiers(msg->wParam)) != 0 ? 1 : 0;
    }
    case WM_MOUSEWHEEL: {
        auto delta = static_cast<int16_t>((msg->wParam >> 16) & 0xFFFF);
        return FireEvent(kMouseWheel, delta / 120, MouseModifiers(msg->wParam)) != 0 ? 1 : 0;
    }
    default:
        return 0;
    }
}

void CRixWinControl::BindEvent(EventBinding& binding, EventCallback callback,
                               CRixObjectPointer* target) {
    binding.Bind(callback, target, 0);
    // Another thread may bind while the user-interface thread resets this control: the holder
    // read by AttachListener must not be let go meanwhile.
    SpinLockAcquire(ReferenceLock());
    AttachListener();
    SpinLockRelease(ReferenceLock());
}

void CRixWinControl::SetCaption(const CWString& caption) {
    CMfcWndObject* holder = GetHolder();
    if (holder == nullptr)
        return;
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr) {
        holder->m_Caption = caption;
        return;
    }
    SetWindowTextW(hwnd, caption.GetText());
    static const ClassInfo container = MakeClassInfo("rg_lch_MFCjm_jb::rg_zjbjq", nullptr);
    if (IsKindOf(&container) == 0 && IsWindow(hwnd))
        InvalidateRect(hwnd, nullptr, TRUE);
}

CWString CRixWinControl::GetCaption() const {
    CMfcWndObject* holder = GetHolder();
    if (holder == nullptr)
        return CWString();
    if (GetSafeHwnd() == nullptr)
        return holder->m_Caption;
    return GetNativeWnd()->GetWindowText();
}

namespace {
// The window's top-left corner in its parent's client coordinates, or on the screen.
POINT PlaceInParent(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    POINT corner{rect.left, rect.top};
    HWND parent = GetParent(hwnd);
    if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_POPUP) == 0 && parent != nullptr)
        ScreenToClient(parent, &corner);
    return corner;
}
} // namespace

int32_t CRixWinControl::GetLeft() const {
    HWND hwnd = GetSafeHwnd();
    return hwnd != nullptr ? PlaceInParent(hwnd).x : 0;
}

int32_t CRixWinControl::GetTop() const {
    HWND hwnd = GetSafeHwnd();
    return hwnd != nullptr ? PlaceInParent(hwnd).y : 0;
}

int32_t CRixWinControl::GetWidth() const {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr)
        return 0;
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect.right - rect.left;
}

void CRixWinControl::SetFont(const LOGFONTW& font) {
    CMfcWndObject* holder = GetHolder();
    if (holder == nullptr)
        return;
    holder->SetFont(CreateFontIndirectW(&font));
}

HFONT CRixWinControl::GetFont() const {
    CMfcWndObject* holder = GetHolder();
    return holder != nullptr ? holder->m_hFont : nullptr;
}

void CRixWinControl::SetCursor(HCURSOR cursor) {
    if (CMfcWndObject* holder = GetHolder())
        holder->m_hCursor = cursor;
}

HCURSOR CRixWinControl::GetCursor() const {
    CMfcWndObject* holder = GetHolder();
    return holder != nullptr ? holder->m_hCursor : nullptr;
}

} // namespace rg_lch_MFCjm_jb
