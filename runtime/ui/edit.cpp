// The edit box, its native window and its input modes at work.
#include "runtime/ui/edit.h"

#include <algorithm>

#include "runtime/core/int64_text.h"
#include "runtime/ui/edit_input_mode.h"
#include "runtime/ui/wnd_holder.h"

namespace {

constexpr UINT kNoChange = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

// Creation styles of the edit's fields (before the input mode's own).
DWORD EditStyles(const CRWnd_Edit& edit) {
    if (edit.m_bMultiLine == 0)
        return ES_AUTOHSCROLL;
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    switch (edit.m_nScrollBars) {
    case 1:
        return style | ES_AUTOHSCROLL | WS_HSCROLL;
    case 2:
        return style | WS_VSCROLL;
    case 3:
        return style | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL;
    default:
        return style;
    }
}

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

CRWnd_Edit::CRWnd_Edit() : CRixStdControlWnd(0, 0xFFFFFF, 0xFFFFFF, EN_SETFOCUS, EN_KILLFOCUS) {}

CRWnd_Edit::~CRWnd_Edit() {
    // The spin button goes with the edit's native object (its window with it).
    m_Spin.m_pEdit = nullptr;
}

void CRWnd_Edit::AfterCreateEdit(const CreateParams& params) {
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength < 0 ? 0 : m_nMaxLength));
    if (m_nInputMode == 2)
        SendMessage(EM_SETPASSWORDCHAR, m_chPassword);
    if (m_bMultiLine != 0 || m_nSpinMode == 0)
        return;
    DWORD style = WS_CHILD | (GetStyle() & (WS_VISIBLE | WS_DISABLED));
    HWND parent = GetParent(GetSafeHwnd());
    if (!m_Spin.Create(style, parent, params.id + 1000)) {
        m_nSpinMode = 0;
        return;
    }
    m_Spin.m_pEdit = this;
    m_Spin.m_bCountsByItself = m_nSpinMode == 1 ? 1 : 0;
    // The 32-bit range message: the 16-bit one would cut a range beyond 32767.
    int32_t low = Clamp32(std::min(m_nSpinMin, m_nSpinMax));
    int32_t high = Clamp32(std::max(m_nSpinMin, m_nSpinMax));
    ::SendMessageW(m_Spin.GetSafeHwnd(), UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    PlaceSpin();
}

void CRWnd_Edit::PlaceSpin() {
    HWND spin = m_Spin.GetSafeHwnd();
    HWND edit = GetSafeHwnd();
    if (spin == nullptr || edit == nullptr)
        return;
    HWND parent = GetParent(edit);
    if (GetParent(spin) != parent)
        SetParent(spin, parent);
    RECT rect{};
    GetWindowRect(edit, &rect);
    POINT corner{rect.right, rect.top};
    if (parent != nullptr)
        ScreenToClient(parent, &corner);
    SetWindowPos(spin, nullptr, corner.x, corner.y, CEditSpin::kWidth, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(spin, nullptr, TRUE);
}

void CRWnd_Edit::KeepSpinAbove() {
    HWND spin = m_Spin.GetSafeHwnd();
    HWND edit = GetSafeHwnd();
    if (spin == nullptr || edit == nullptr)
        return;
    // Directly above the edit: after the sibling that is above the edit now.
    HWND above = GetWindow(edit, GW_HWNDPREV);
    if (above == spin)
        return;
    SetWindowPos(spin, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CRWnd_Edit::SelectAll() {
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
}

void CRWnd_Edit::OnSpinPressed(int delta) {
    HWND edit = GetSafeHwnd();
    if (edit == nullptr || !IsWindowEnabled(edit) || !IsWindowVisible(edit))
        return;
    if (m_Spin.m_bCountsByItself != 0) {
        CountBySpin(delta);
        return;
    }
    if (auto* listener = static_cast<IEditEventListener*>(GetListener()))
        listener->OnSpin(delta < 0 ? -1 : 1);
}

void CRWnd_Edit::CountBySpin(int delta) {
    int64_t lower = std::min(m_nSpinMin, m_nSpinMax);
    int64_t upper = std::max(m_nSpinMin, m_nSpinMax);
    int64_t v = ReadTextInt32(GetWindowText().GetText());
    if (delta < 0) {
        v -= 1;
        if (v < lower || v > upper)
            v = upper; // wraps from the bottom to the top
    } else {
        v += 1;
        if (v > upper || v < lower)
            v = lower; // wraps from the top to the bottom
    }
    WCHAR buffer[kInt64TextUnits];
    HWND edit = GetSafeHwnd();
    SetWindowText(Int64ToText(v, buffer));
    // Changed may have run a handler that destroyed the edit.
    if (!IsWindow(edit))
        return;
    SelectAll();
    SetFocus(edit);
}

bool CRWnd_Edit::RewriteText() {
    CWString current = GetWindowText();
    CWString rewritten;
    if (!RewriteEditText(m_nInputMode, current.GetText(), rewritten) ||
        rewritten.IsEqual(current) != 0)
        return false;
    DWORD start = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    HWND edit = GetSafeHwnd();
    SetWindowText(rewritten.GetText());
    if (!IsWindow(edit))
        return true;
    SendMessage(EM_SETSEL, start, static_cast<LPARAM>(start));
    SendMessage(EM_SCROLLCARET);
    return true;
}

BOOL CRWnd_Edit::OnReflectedCommand(WORD code, LRESULT* result) {
    if (code != EN_CHANGE)
        return FALSE;
    *result = 0;
    if (m_bSuppressChange == 0) {
        if (auto* listener = static_cast<IEditEventListener*>(GetListener()))
            listener->OnChanged();
    }
    return TRUE;
}

bool CRWnd_Edit::IsSingleLine() const {
    return (GetStyle() & ES_MULTILINE) == 0;
}

void CRWnd_Edit::OnSetFont(HFONT font) {
    HWND edit = GetSafeHwnd();
    m_nTextHeight = 0;
    if (font != nullptr) {
        HDC dc = GetDC(edit);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc, &metrics))
            m_nTextHeight = metrics.tmHeight;
        SelectObject(dc, old);
        ReleaseDC(edit, dc);
    }
    if (!IsSingleLine())
        return;
    RECT rect{};
    GetWindowRect(edit, &rect);
    int64_t least = m_nTextHeight + 2 * GetSystemMetrics(SM_CYEDGE) + 2;
    if (rect.bottom - rect.top < least)
        SetWindowPos(edit, nullptr, 0, 0, rect.right - rect.left, static_cast<int>(least),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, kNoChange | SWP_FRAMECHANGED);
}

void CRWnd_Edit::OnNcCalcSize(NCCALCSIZE_PARAMS* params) {
    RECT& client = params->rgrc[0];
    int64_t height = client.bottom - client.top;
    if (m_nTextHeight <= 0 || height <= m_nTextHeight)
        return;
    auto inset = static_cast<LONG>((height - m_nTextHeight) / 2);
    client.top += inset;
    client.bottom = client.top + static_cast<LONG>(m_nTextHeight);
}

void CRWnd_Edit::OnNcPaint() {
    HWND edit = GetSafeHwnd();
    RECT window{};
    GetWindowRect(edit, &window);
    RECT client{};
    GetClientRect(edit, &client);
    // The client rectangle in window coordinates, and the four bands around it.
    POINT origin{0, 0};
    ClientToScreen(edit, &origin);
    const LONG dx = origin.x - window.left;
    const LONG dy = origin.y - window.top;
    client = {client.left + dx, client.top + dy, client.right + dx, client.bottom + dy};
    window = {0, 0, window.right - window.left, window.bottom - window.top};
    const RECT bands[] = {
        {window.left, window.top, window.right, client.top},
        {window.left, client.bottom, window.right, window.bottom},
        {window.left, client.top, client.left, client.bottom},
        {client.right, client.top, window.right, client.bottom},
    };
    HDC dc = GetWindowDC(edit);
    for (const RECT& band : bands) {
        if (band.right > band.left && band.bottom > band.top)
            FillRect(dc, &band, m_Colours.GetBrush());
    }
    ReleaseDC(edit, dc);
}

LRESULT CRWnd_Edit::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SETFONT: {
        LRESULT result = CRixStdControlWnd::WindowProc(message, wparam, lparam);
        OnSetFont(reinterpret_cast<HFONT>(wparam));
        return result;
    }
    case WM_NCCALCSIZE: {
        LRESULT result = CRixStdControlWnd::WindowProc(message, wparam, lparam);
        if (wparam != 0 && IsSingleLine())
            OnNcCalcSize(reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam));
        return result;
    }
    case WM_NCPAINT:
        if (IsSingleLine())
            OnNcPaint();
        break;
    case WM_NCHITTEST: {
        LRESULT result = CRixStdControlWnd::WindowProc(message, wparam, lparam);
        if (!IsSingleLine())
            return result;
        POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        ScreenToClient(GetSafeHwnd(), &point);
        RECT client{};
        GetClientRect(GetSafeHwnd(), &client);
        bool inside = point.x >= client.left && point.x < client.right && point.y >= client.top &&
                      point.y < client.bottom;
        return inside ? result : HTBORDER;
    }
    case WM_CHAR:
        if (!EditModeAcceptsChar(m_nInputMode, static_cast<WCHAR>(wparam))) {
            MessageBeep(MB_ICONEXCLAMATION);
            return 0;
        }
        break;
    case WM_SIZE:
    case WM_MOVE: {
        LRESULT result = CRixStdControlWnd::WindowProc(message, wparam, lparam);
        PlaceSpin();
        return result;
    }
    case WM_WINDOWPOSCHANGED: {
        LRESULT result = CRixStdControlWnd::WindowProc(message, wparam, lparam);
        KeepSpinAbove();
        return result;
    }
    case WM_ENABLE:
        if (HWND spin = m_Spin.GetSafeHwnd())
            EnableWindow(spin, wparam != 0 ? TRUE : FALSE);
        break;
    case WM_SHOWWINDOW:
        if (HWND spin = m_Spin.GetSafeHwnd())
            ShowWindow(spin, wparam != 0 ? SW_SHOWNA : SW_HIDE);
        break;
    case WM_DESTROY:
        if (m_Spin.GetSafeHwnd() != nullptr)
            m_Spin.DestroyWindow();
        break;
    default:
        break;
    }
    return CRixStdControlWnd::WindowProc(message, wparam, lparam);
}

namespace rg_lch_MFCjm_jb {

rg_bjk::rg_bjk() {
    InstallHolder(WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, WS_EX_CLIENTEDGE, new CRWnd_Edit);
}

rg_bjk::~rg_bjk() {
    DetachListener();
}

CRWnd_Edit* rg_bjk::EditWnd() const {
    return static_cast<CRWnd_Edit*>(GetNativeWnd());
}

int64_t rg_bjk::CreateNativeWindow(CreateParams& params) {
    if (!PrepareCreate(params))
        return 0;
    CRWnd_Edit* wnd = EditWnd();
    params.style |= EditStyles(*wnd) | EditModeStyle(wnd->m_nInputMode);
    if (!CreateWindowOfClass(params, TEXT("EDIT")))
        return 0;
    wnd->AfterCreateEdit(params);
    if (wnd->HasWindow())
        AfterCreate(wnd, params);
    return 1;
}

void rg_bjk::AttachListener() {
    if (CRWnd_Edit* wnd = EditWnd())
        wnd->SetListener(static_cast<IEditEventListener*>(this));
}

void rg_bjk::DetachListener() {
    if (CRWnd_Edit* wnd = EditWnd())
        wnd->ClearListener(static_cast<IEditEventListener*>(this));
}

int64_t rg_bjk::IsListenerAttached() const {
    CRWnd_Edit* wnd = EditWnd();
    return wnd != nullptr && wnd->GetListener() != nullptr ? 1 : 0;
}

void rg_bjk::SelectAll() {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr)
        return;
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
    SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

} // namespace rg_lch_MFCjm_jb
