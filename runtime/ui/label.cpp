// Labels: their own painting, their own font copy and the label message.
#include "runtime/ui/label.h"

#include "runtime/ui/background_paint.h"
#include "runtime/ui/window_classes.h"

CRWnd_Label::~CRWnd_Label() {
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
    if (m_hPicture != nullptr)
        DeleteObject(m_hPicture);
}

UINT CRWnd_Label::TextFormat() const {
    UINT format = DT_NOCLIP;
    if (m_nAlignment == 1)
        format |= DT_CENTER;
    else if (m_nAlignment == 2)
        format |= DT_RIGHT;
    if (m_bWordWrap != 0)
        return format | DT_WORDBREAK | DT_VCENTER;
    format |= DT_SINGLELINE;
    if (m_nVAlignment == 1)
        format |= DT_VCENTER;
    else if (m_nVAlignment == 2)
        format |= DT_BOTTOM;
    return format;
}

void CRWnd_Label::SetPicture(HBITMAP picture) {
    if (picture == m_hPicture)
        return;
    if (m_hPicture != nullptr)
        DeleteObject(m_hPicture);
    m_hPicture = picture;
}

void CRWnd_Label::CopyFont(HFONT font, bool redraw) {
    LOGFONTW record{};
    if (font == nullptr || GetObjectW(font, sizeof record, &record) != sizeof record)
        return;
    HFONT copy = CreateFontIndirectW(&record);
    if (copy == nullptr)
        return;
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
    m_hFont = copy;
    if (redraw)
        InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
}

void CRWnd_Label::Paint() {
    HWND hwnd = GetSafeHwnd();
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr)
        return;
    RECT client{};
    GetClientRect(hwnd, &client);
    PaintBackground(dc, client, paint.rcPaint, m_hPicture, m_nPictureMode, m_nBackColour);
    CWString text = GetWindowText();
    if (!text.IsEmpty()) {
        HGDIOBJ font =
            m_hFont != nullptr ? static_cast<HGDIOBJ>(m_hFont) : GetStockObject(DEFAULT_GUI_FONT);
        HGDIOBJ old_font = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ResolveColour(m_nTextColour, COLOR_WINDOWTEXT));
        RECT box = client;
        DrawTextW(dc, text.GetText(), -1, &box, TextFormat());
        if (old_font != nullptr)
            SelectObject(dc, old_font);
    }
    EndPaint(hwnd, &paint);
}

LRESULT CRWnd_Label::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SETFONT:
        CopyFont(reinterpret_cast<HFONT>(wparam), LOWORD(lparam) != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_hFont);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_PAINT:
        Paint();
        return 0;
    case kLabelMessage: {
        auto* listener = dynamic_cast<ILabelEventListener*>(GetListener());
        return listener != nullptr ? listener->OnLabelMessage(wparam, lparam) : 0;
    }
    default:
        return CRixListenerWnd::WindowProc(message, wparam, lparam);
    }
}

namespace rg_lch_MFCjm_jb {

rg_bq::rg_bq() {
    InstallHolder(WS_VISIBLE | WS_CLIPSIBLINGS, 0, new CRWnd_Label);
}

rg_bq::~rg_bq() {
    DetachListener();
}

CRWnd_Label* rg_bq::GetLabelWnd() const {
    return static_cast<CRWnd_Label*>(GetNativeWnd());
}

void rg_bq::Repaint() const {
    if (HWND hwnd = GetSafeHwnd())
        InvalidateRect(hwnd, nullptr, TRUE);
}

int64_t rg_bq::CreateNativeWindow(CreateParams& params) {
    if (!PrepareCreate(params))
        return 0;
    params.style &= ~static_cast<DWORD>(WS_TABSTOP);
    if (!CreateWindowOfClass(params, kLabelClass))
        return 0;
    AfterCreate(GetNativeWnd(), params);
    return 1;
}

void rg_bq::AttachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->SetListener(static_cast<ILabelEventListener*>(this));
}

void rg_bq::DetachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->ClearListener(static_cast<ILabelEventListener*>(this));
}

int64_t rg_bq::IsListenerAttached() const {
    CRixListenerWnd* wnd = GetNativeWnd();
    return wnd != nullptr && wnd->GetListener() != nullptr ? 1 : 0;
}

} // namespace rg_lch_MFCjm_jb
