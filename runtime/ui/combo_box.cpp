// Combo boxes and their native window.
#include "runtime/ui/combo_box.h"

#include "runtime/ui/items_text.h"
#include "runtime/ui/list_item_text.h"

namespace {
// The least height of a drop-down combo box: the field and a useful dropped list.
constexpr int32_t kDropDownHeight = 160;

bool IsSimple(DWORD style) {
    return (style & 3) == CBS_SIMPLE;
}
} // namespace

CRWnd_ComboBox::CRWnd_ComboBox()
    : CRixStdControlWnd(0, kSystemColour, kSystemColour, CBN_SETFOCUS, CBN_KILLFOCUS) {}

LRESULT CRWnd_ComboBox::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kComboSelChangedMessage) {
        if (auto* listener = dynamic_cast<IComboEventListener*>(GetListener()))
            listener->OnSelChanged();
        return 0;
    }
    if (message == WM_ERASEBKGND && IsSimple(GetStyle())) {
        RECT client{};
        GetClientRect(GetSafeHwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wparam), &client, m_Colours.GetBrush());
    }
    return CRixStdControlWnd::WindowProc(message, wparam, lparam);
}

BOOL CRWnd_ComboBox::OnReflectedCommand(WORD code, LRESULT* result) {
    if (code == CBN_SELENDOK) {
        // The selection and the field's text are complete only after the notification.
        PostMessageW(GetSafeHwnd(), kComboSelChangedMessage, 0, 0);
        *result = 0;
        return TRUE;
    }
    auto* listener = dynamic_cast<IComboEventListener*>(GetListener());
    switch (code) {
    case CBN_EDITCHANGE:
        if (listener != nullptr && m_bSuppressEditChange == 0)
            listener->OnEditChanged();
        break;
    case CBN_DROPDOWN:
        if (listener != nullptr)
            listener->OnDroppedDown();
        break;
    case CBN_CLOSEUP:
        if (listener != nullptr)
            listener->OnClosedUp();
        break;
    case CBN_DBLCLK:
        if (listener != nullptr)
            listener->OnDoubleClicked();
        break;
    default:
        return FALSE;
    }
    *result = 0;
    return TRUE;
}

namespace rg_lch_MFCjm_jb {

rg_zgk::rg_zgk() {
    InstallHolder(WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | CBS_DROPDOWN, 0, new CRWnd_ComboBox);
}

rg_zgk::~rg_zgk() {
    DetachListener();
}

CRWnd_ComboBox* rg_zgk::GetComboWnd() const {
    return static_cast<CRWnd_ComboBox*>(GetNativeWnd());
}

int64_t rg_zgk::CreateNativeWindow(CreateParams& params) {
    if (!PrepareCreate(params))
        return 0;
    if (!IsSimple(params.style) && params.height < kDropDownHeight)
        params.height = kDropDownHeight;
    params.style |= CBS_AUTOHSCROLL | WS_VSCROLL;
    if (!CreateWindowOfClass(params, TEXT("COMBOBOX")))
        return 0;
    CRWnd_ComboBox* wnd = GetComboWnd();
    HWND hwnd = wnd->GetSafeHwnd();
    wnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(params.font), 1);
    params.font = nullptr;
    LRESULT height = wnd->SendMessage(CB_GETITEMHEIGHT, 0, 0);
    wnd->SendMessage(CB_SETITEMHEIGHT, 0, static_cast<LPARAM>(height + wnd->m_nExtraItemHeight));
    CRixItemsText(wnd->m_PendingItems.GetText())
        .FillControl(hwnd, CB_RESETCONTENT, CB_ADDSTRING, CB_SETITEMDATA);
    wnd->m_PendingItems.Empty();
    wnd->m_bSuppressEditChange = 1;
    SetWindowTextW(hwnd, params.caption != nullptr ? params.caption : TEXT(""));
    wnd->m_bSuppressEditChange = 0;
    AfterCreate(wnd, params);
    return 1;
}

void rg_zgk::AttachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->SetListener(static_cast<IComboEventListener*>(this));
}

void rg_zgk::DetachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->ClearListener(static_cast<IComboEventListener*>(this));
}

int64_t rg_zgk::IsListenerAttached() const {
    CRixListenerWnd* wnd = GetNativeWnd();
    return wnd != nullptr && wnd->GetListener() != nullptr ? 1 : 0;
}

int32_t rg_zgk::AddItem(const CWString& text, int64_t data) {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr)
        return -1;
    LRESULT index = SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetText()));
    if (index < 0)
        return -1;
    SendMessageW(hwnd, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    return static_cast<int32_t>(index);
}

int32_t rg_zgk::GetCurSel() const {
    HWND hwnd = GetSafeHwnd();
    return hwnd != nullptr ? static_cast<int32_t>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)) : -1;
}

CWString rg_zgk::GetItemText(int32_t index) const {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr || index < 0)
        return CWString();
    return ReadItemText(hwnd, static_cast<WPARAM>(index), CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int32_t rg_zgk::GetCount() const {
    HWND hwnd = GetSafeHwnd();
    return hwnd != nullptr ? static_cast<int32_t>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0)) : 0;
}

void rg_zgk::SetCurSel(int32_t index) {
    if (HWND hwnd = GetSafeHwnd())
        SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace rg_lch_MFCjm_jb
