// The form's native window: close check, activation, menus, size limits, default button and
// the form's pre-translation.
#include "runtime/ui/form_wnd.h"

#include <algorithm>

#include "runtime/shell/path.h"
#include "runtime/ui/default_button.h"
#include "runtime/ui/key_names.h"
#include "runtime/ui/min_max_info.h"
#include "runtime/ui/ref_rix_menu.h"

namespace {

constexpr uint32_t kEscKeyCode = 27;
constexpr uint32_t kF1KeyCode = 112; // F1 without modifiers
constexpr UINT kTitleBarBits = WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;

// Set while any form of the process runs an activation event, so that an activation caused
// by a handler does not fire events of its own. Main thread only.
bool g_bInActivationEvent = false;

bool IsOpen(HWND hwnd) {
    return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

// Depth first, each child tested before the inside of it, descending only into open windows.
bool HasDescendantWithId(HWND parent, int id) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id)
            return true;
        if (IsOpen(child) && HasDescendantWithId(child, id))
            return true;
    }
    return false;
}

} // namespace

CRWnd_WinForm::~CRWnd_WinForm() {
    if (HasWindow())
        TakeMenuBarOff(GetSafeHwnd());
    SetMenuObject(nullptr);
}

IWinFormEventListener* CRWnd_WinForm::FormListener() const {
    return dynamic_cast<IWinFormEventListener*>(GetListener());
}

void CRWnd_WinForm::SetMenuObject(CRefRixMenu* menu) {
    if (menu != nullptr)
        menu->AddRef();
    CRefRixMenu* old = m_pMenu;
    HMENU old_bar = old != nullptr ? old->GetMenuHandle() : nullptr;
    HWND frame = m_hEnvelope != nullptr ? m_hEnvelope : GetSafeHwnd();
    if (old_bar != nullptr && frame != nullptr && IsWindow(frame) && GetMenu(frame) == old_bar)
        SetMenu(frame, menu != nullptr ? menu->GetMenuHandle() : nullptr);
    m_pMenu = menu;
    if (old != nullptr)
        old->Release();
}

void CRWnd_WinForm::TakeMenuBarOff(HWND frame) {
    HMENU bar = m_pMenu != nullptr ? m_pMenu->GetMenuHandle() : nullptr;
    if (bar != nullptr && frame != nullptr && IsWindow(frame) && GetMenu(frame) == bar)
        SetMenu(frame, nullptr);
}

void CRWnd_WinForm::UpdateTitleBar() {
    HWND self = GetSafeHwnd();
    if (self == nullptr)
        return;
    DWORD wanted = 0;
    // A form without border (style 0) gets no frame at all, as at creation.
    if (m_nBorderStyle != 0) {
        if (m_bControlBox != 0) {
            wanted = WS_CAPTION | WS_SYSMENU;
        } else {
            CWString text = GetWindowText();
            if (text.GetLength() > 0 && text.IsEqual(CWString(kDefaultFormCaption)) == 0)
                wanted = WS_CAPTION;
        }
        wanted |= WS_DLGFRAME;
    }
    if (m_bMaxBox != 0)
        wanted |= WS_MAXIMIZEBOX;
    if (m_bMinBox != 0)
        wanted |= WS_MINIMIZEBOX;
    DWORD current = GetStyle() & kTitleBarBits;
    if (current != wanted)
        ModifyStyle(current, wanted, SWP_FRAMECHANGED);
}

bool CRWnd_WinForm::MayClose() {
    IWinFormEventListener* listener = FormListener();
    if (listener == nullptr)
        return true;
    HWND self = GetSafeHwnd();
    if (listener->OnQueryClose() == 0 || !IsWindow(self))
        return false;
    // The first handler may have detached or replaced the listener.
    listener = FormListener();
    if (listener == nullptr)
        return true;
    return listener->OnQueryDestroy() != 0 && IsWindow(self);
}

BOOL CRWnd_WinForm::PreTranslateMessage(MSG* msg) {
    HWND self = GetSafeHwnd();
    if (self == nullptr)
        return FALSE;
    // Only locals after a handler has run: it may destroy the window and this object.
    if (IWinFormEventListener* listener = FormListener()) {
        if (listener->OnFilterMessage(msg) != 0 || !IsWindow(self))
            return TRUE;
    }
    if (CRWnd_Container::PreTranslateMessage(msg))
        return TRUE;
    uint32_t code = 0;
    if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)
        code = KeyCodeFromVirtualKey(msg->wParam);
    if (code != 0) {
        if (!IsWindowEnabled(msg->hwnd))
            return FALSE;
        if (code == kEscKeyCode && m_bEscCloses != 0) {
            if (m_hEnvelope != nullptr)
                PostMessageW(m_hEnvelope, kEnvelopeMessage, kEnvelopeEnd, static_cast<LPARAM>(-1));
            else
                PostMessageW(self, WM_CLOSE, 0, 0);
            return TRUE;
        }
    }
    if (m_bDragByClient != 0 && msg->message == WM_LBUTTONDOWN &&
        (msg->hwnd == self ||
         (::SendMessageW(msg->hwnd, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) != 0)) {
        PostMessageW(self, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return TRUE;
    }
    if (code != 0) {
        if (m_pMenu != nullptr && m_pMenu->GetAccelerators() != nullptr &&
            TranslateAcceleratorW(self, m_pMenu->GetAccelerators(), msg) != 0)
            return TRUE;
        if (code == kF1KeyCode && ShowHelp())
            return TRUE;
    }
    // Alt+F4 closes the form as its system menu would, whatever control has the focus: the
    // default window procedure does that for the key, but a control may keep Alt key-downs to
    // itself (Wine's combo box does) and the key would then do nothing.
    if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_F4 &&
        (HIWORD(msg->lParam) & KF_ALTDOWN) != 0) {
        PostMessageW(m_hEnvelope != nullptr ? m_hEnvelope : self, WM_SYSCOMMAND, SC_CLOSE, 0);
        return TRUE;
    }
    if ((msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
        (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)) {
        m_bEnterPending = msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN ? 1 : 0;
        m_nDialogKey =
            msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)
                ? static_cast<UINT>(msg->wParam)
                : 0;
        BOOL processed = IsDialogMessageW(self, msg);
        m_bEnterPending = 0;
        m_nDialogKey = 0;
        return processed;
    }
    return FALSE;
}

LRESULT CRWnd_WinForm::OnActivateMessage(WPARAM wparam, LPARAM lparam) {
    HWND self = GetSafeHwnd();
    LRESULT result = CRWnd_Container::WindowProc(WM_ACTIVATE, wparam, lparam);
    IWinFormEventListener* listener = IsWindow(self) ? FormListener() : nullptr;
    if (listener == nullptr || g_bInActivationEvent)
        return result;
    g_bInActivationEvent = true;
    if (LOWORD(wparam) == WA_INACTIVE) {
        listener->OnDeactivate();
    } else {
        bool first = m_bActivatedOnce == 0;
        m_bActivatedOnce = 1;
        if (first) {
            listener->OnFirstActivate();
            // The handler may have let go of the form object that was the listener.
            listener = IsWindow(self) ? FormListener() : nullptr;
        }
        if (listener != nullptr)
            listener->OnActivate();
    }
    g_bInActivationEvent = false;
    return result;
}

void CRWnd_WinForm::ReportMenuSelect(WPARAM wparam) {
    UINT flags = HIWORD(wparam);
    int64_t id = flags == 0xFFFF || (flags & (MF_POPUP | MF_SYSMENU)) != 0 ? 0 : LOWORD(wparam);
    if (IWinFormEventListener* listener = FormListener())
        listener->OnMenuSelect(id);
}

void CRWnd_WinForm::ReportMinMaxInfo(LPARAM lparam) {
    auto* record = reinterpret_cast<MINMAXINFO*>(lparam);
    IWinFormEventListener* listener = FormListener();
    if (record == nullptr || listener == nullptr)
        return;
    rg_lch_MFCjm_jb::rg_chkwzhxzhxx info;
    info.ReadFrom(*record);
    if (listener->OnMinMaxInfo(info) != 0)
        info.WriteTo(*record);
}

LRESULT CRWnd_WinForm::OnMinMaxInfoMessage(WPARAM wparam, LPARAM lparam) {
    LRESULT result = CRWnd_Container::WindowProc(WM_GETMINMAXINFO, wparam, lparam);
    // In an envelope the limits are the dialog's, which reports them itself.
    if (m_hEnvelope == nullptr)
        ReportMinMaxInfo(lparam);
    return result;
}

LRESULT CRWnd_WinForm::OnDestroyMessage() {
    HWND self = GetSafeHwnd();
    if (m_hTrayIcon != nullptr) {
        NOTIFYICONDATAW record{};
        record.cbSize = NOTIFYICONDATAW_V3_SIZE;
        record.hWnd = self;
        record.uID = kTrayIconId;
        Shell_NotifyIconW(NIM_DELETE, &record);
        DestroyIcon(m_hTrayIcon);
        m_hTrayIcon = nullptr;
    }
    m_bActivatedOnce = 0;
    if (m_bHelpShown != 0) {
        WinHelpW(self, nullptr, HELP_QUIT, 0);
        m_bHelpShown = 0;
    }
    if (m_hEnvelope != nullptr)
        PostMessageW(m_hEnvelope, kEnvelopeMessage, kEnvelopeFormGone, 0);
    return CRWnd_Container::WindowProc(WM_DESTROY, 0, 0);
}

bool CRWnd_WinForm::ShowHelp() {
    if (m_HelpFile.GetLength() == 0)
        return false;
    CWString path;
    const WCHAR* file = m_HelpFile.GetText();
    if (!IsAbsolutePath(file)) {
        CWString folder;
        GetModuleDirectory(nullptr, folder);
        CWString scratch;
        const WCHAR* joined = JoinPath(folder.GetText(), file, scratch);
        path = CWString(joined != nullptr ? joined : file);
    } else {
        path = CWString(file);
    }
    if (PathExists(path.GetText()) == 0)
        return false;
    m_bHelpShown = 1;
    WinHelpW(GetSafeHwnd(), path.GetText(), m_nHelpContext != 0 ? HELP_CONTEXT : HELP_FINDER,
             static_cast<ULONG_PTR>(m_nHelpContext));
    return true;
}

void CRWnd_WinForm::SetShape(int64_t shape) {
    m_nShape = shape < 0 ? 0 : (shape > 2 ? 2 : shape);
    if (HasWindow())
        ApplyShape();
}

void CRWnd_WinForm::ApplyShape() {
    HWND frame = m_hEnvelope != nullptr ? m_hEnvelope : GetSafeHwnd();
    RECT rect{};
    if (frame == nullptr || !GetWindowRect(frame, &rect))
        return;
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    HRGN region = nullptr;
    if (m_nShape == 1) {
        region = CreateEllipticRgn(0, 0, w, h);
    } else if (m_nShape == 2) {
        const int corner = std::min(w / 5, h / 5);
        region = CreateRoundRectRgn(0, 0, w, h, corner, corner);
    }
    // The window owns the region once it is set; a failed call leaves it to us.
    if (SetWindowRgn(frame, region, TRUE) == 0 && region != nullptr)
        DeleteObject(region);
}

BOOL CRWnd_WinForm::PreReflectNotify(UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
    if (message != WM_COMMAND || lparam == 0 || m_bEnterPending == 0)
        return FALSE;
    // Only buttons are held back: Enter must not click a button other than the default one.
    // A list or combo box that takes Enter itself (a dropped list commits its pick with it)
    // reports through WM_COMMAND too, and swallowing that would lose the user's choice.
    const auto sender = reinterpret_cast<HWND>(lparam);
    if (!IsButtonWindow(sender) || IsDefaultPushButton(sender))
        return FALSE;
    *result = 1;
    return TRUE;
}

LRESULT CRWnd_WinForm::OnGetDefId(WPARAM wparam, LPARAM lparam) {
    HWND self = GetSafeHwnd();
    if (m_nDefaultButtonId != 0 && IsOpen(self) && HasDescendantWithId(self, m_nDefaultButtonId))
        return MAKELONG(m_nDefaultButtonId, DC_HASDEFID);
    return CRWnd_Container::WindowProc(DM_GETDEFID, wparam, lparam);
}

LRESULT CRWnd_WinForm::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    HWND self = GetSafeHwnd();
    switch (message) {
    case WM_COMMAND:
        if (lparam == 0) {
            // The dialog manager's IDOK for Enter or IDCANCEL for Esc when no control stands
            // for the key (no default button, no Cancel button): no control and no menu sent
            // it, so it is no command.
            if (HIWORD(wparam) == 0 && ((m_nDialogKey == VK_RETURN && LOWORD(wparam) == IDOK) ||
                                        (m_nDialogKey == VK_ESCAPE && LOWORD(wparam) == IDCANCEL)))
                return 0;
            IWinFormEventListener* listener = FormListener();
            if (listener != nullptr && listener->OnCommand(LOWORD(wparam)) != 0)
                return 0;
        }
        break;
    case WM_CLOSE:
        if (m_hEnvelope == nullptr && !MayClose())
            return 0;
        break;
    case WM_QUERYENDSESSION: {
        LRESULT allowed = CRWnd_Container::WindowProc(message, wparam, lparam);
        if (allowed == 0 || m_hEnvelope != nullptr || !IsWindow(self))
            return allowed;
        IWinFormEventListener* listener = FormListener();
        return listener == nullptr || listener->OnQueryDestroy() != 0 ? TRUE : FALSE;
    }
    case WM_DESTROY:
        return OnDestroyMessage();
    case WM_NCDESTROY:
        // The last moment: the children are gone, so nothing else sees the frame change.
        if (m_hEnvelope == nullptr)
            TakeMenuBarOff(self);
        break;
    case WM_SETTEXT: {
        if (m_hEnvelope != nullptr) {
            ::SendMessageW(m_hEnvelope, kEnvelopeMessage, kEnvelopeTitle, lparam);
            break;
        }
        // The title bar follows the new text, so it is updated after the text is set.
        LRESULT result = CRWnd_Container::WindowProc(message, wparam, lparam);
        if (IsWindow(self))
            UpdateTitleBar();
        return result;
    }
    case WM_SHOWWINDOW:
        // Shown or hidden by the program (not with its parent): the envelope follows.
        if (lparam == 0 && m_hEnvelope != nullptr)
            ::SendMessageW(m_hEnvelope, kEnvelopeMessage, kEnvelopeShow, wparam);
        break;
    case WM_SIZE: {
        LRESULT result = CRWnd_Container::WindowProc(message, wparam, lparam);
        if (m_nShape != 0 && IsWindow(self))
            ApplyShape();
        return result;
    }
    case WM_ACTIVATE:
        return OnActivateMessage(wparam, lparam);
    case WM_NCACTIVATE:
        if (wparam == FALSE && m_hEnvelope == nullptr && m_bKeepCaptionActive != 0)
            return DefWindowProc(message, IsWindowEnabled(self), lparam);
        break;
    case WM_MENUSELECT:
        ReportMenuSelect(wparam);
        break;
    case WM_GETMINMAXINFO:
        return OnMinMaxInfoMessage(wparam, lparam);
    case kTrayNotifyMessage: {
        int64_t code = 0;
        if (lparam == WM_LBUTTONUP)
            code = 1;
        else if (lparam == WM_LBUTTONDBLCLK)
            code = 2;
        else if (lparam == WM_RBUTTONUP || lparam == WM_CONTEXTMENU)
            code = 3;
        IWinFormEventListener* listener = FormListener();
        if (code != 0 && listener != nullptr)
            listener->OnTrayNotify(code);
        return 0;
    }
    case DM_GETDEFID:
        return OnGetDefId(wparam, lparam);
    case WM_COPYDATA: {
        IWinFormEventListener* listener = FormListener();
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
        if (listener != nullptr && data != nullptr)
            return listener->OnCopyData(data->dwData, data->lpData, data->cbData);
        break;
    }
    case WM_DPICHANGED: {
        IWinFormEventListener* listener = FormListener();
        const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
        if (listener != nullptr && suggested != nullptr) {
            listener->OnDpiChanged(LOWORD(wparam), *suggested);
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return CRWnd_Container::WindowProc(message, wparam, lparam);
}
