// List boxes and their native window.
#include "runtime/ui/list_box.h"

#include "runtime/ui/items_text.h"
#include "runtime/ui/list_item_text.h"

CRWnd_ListBox::CRWnd_ListBox()
    : CRixStdControlWnd(0, 0xFFFFFF, 0xFFFFFF, LBN_SETFOCUS, LBN_KILLFOCUS) {}

BOOL CRWnd_ListBox::OnReflectedCommand(WORD code, LRESULT* result) {
    if (code != LBN_SELCHANGE && code != LBN_DBLCLK)
        return FALSE;
    *result = 0;
    if (auto* listener = dynamic_cast<IListBoxEventListener*>(GetListener())) {
        if (code == LBN_SELCHANGE)
            listener->OnSelChanged();
        else
            listener->OnDoubleClicked();
    }
    return TRUE;
}

namespace rg_lch_MFCjm_jb {

rg_lbkjchl::rg_lbkjchl() {
    InstallHolder(WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                  new CRWnd_ListBox);
}

CRWnd_ListBox* rg_lbkjchl::GetListWnd() const {
    return static_cast<CRWnd_ListBox*>(GetNativeWnd());
}

int32_t rg_lbkjchl::AddItem(const CWString& text) {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr)
        return -1;
    LRESULT index = SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetText()));
    if (index < 0)
        return -1;
    SendMessageW(hwnd, LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
    return static_cast<int32_t>(index);
}

int32_t rg_lbkjchl::ReplaceItems(IListItemSource& source) {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr)
        return 0;
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
    int64_t count = source.GetItemCount();
    if (count > 0)
        SendMessageW(hwnd, LB_INITSTORAGE, static_cast<WPARAM>(count),
                     static_cast<LPARAM>(source.GetTextBytes()));
    int32_t added = 0;
    for (int64_t i = 0; i < count; ++i) {
        const WCHAR* text = source.NextItemText();
        if (text == nullptr ||
            SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)) < 0)
            break;
        ++added;
    }
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    return added;
}

int32_t rg_lbkjchl::ReplaceItems(const CMStringArray& texts) {
    class ArraySource : public IListItemSource {
    public:
        explicit ArraySource(const CMStringArray& texts) : m_Texts(texts) {}
        int64_t GetItemCount() override { return m_Texts.GetCount(); }
        int64_t GetTextBytes() override {
            int64_t bytes = 0;
            for (int64_t i = 0; i < m_Texts.GetCount(); ++i) {
                const WCHAR* text = m_Texts.GetTextAt(i);
                int64_t units = 1;
                while (*text++ != 0)
                    ++units;
                bytes += units * static_cast<int64_t>(sizeof(WCHAR));
            }
            return bytes;
        }
        const WCHAR* NextItemText() override {
            return m_nNext < m_Texts.GetCount() ? m_Texts.GetTextAt(m_nNext++) : nullptr;
        }

    private:
        const CMStringArray& m_Texts;
        int64_t m_nNext = 0;
    };
    ArraySource source(texts);
    return ReplaceItems(source);
}

int32_t rg_lbkjchl::GetCount() const {
    HWND hwnd = GetSafeHwnd();
    return hwnd != nullptr ? static_cast<int32_t>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0)) : 0;
}

CWString rg_lbkjchl::GetItemText(int32_t index) const {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr || index < 0)
        return CWString();
    return ReadItemText(hwnd, static_cast<WPARAM>(index), LB_GETTEXTLEN, LB_GETTEXT);
}

void rg_lbkjchl::SetItemText(int32_t index, const CWString& text) {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr || index < 0 || index >= GetCount())
        return;
    CWString old = GetItemText(index);
    if (old.IsEqual(text) != 0)
        return;
    auto at = static_cast<WPARAM>(index);
    LRESULT selected = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
    LRESULT top = SendMessageW(hwnd, LB_GETTOPINDEX, 0, 0);
    LRESULT caret = SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0);
    LRESULT data = SendMessageW(hwnd, LB_GETITEMDATA, at, 0);
    SendMessageW(hwnd, LB_DELETESTRING, at, 0);
    LRESULT inserted =
        SendMessageW(hwnd, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text.GetText()));
    // A list that refuses the new text gets the old one back rather than losing the item.
    if (inserted < 0)
        inserted = SendMessageW(hwnd, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(old.GetText()));
    if (inserted < 0) {
        // The item is lost after all: the lines below it moved up one, and the remembered
        // places follow them; the data belonged to the lost line and goes with it.
        auto follow = [index](LRESULT place) {
            return place == LB_ERR || place < index ? place : (place == index ? LB_ERR : place - 1);
        };
        selected = follow(selected);
        caret = follow(caret);
        if (top != LB_ERR && top > index)
            --top;
    } else {
        SendMessageW(hwnd, LB_SETITEMDATA, at, data);
    }
    if (selected != LB_ERR)
        SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    if (top != LB_ERR)
        SendMessageW(hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    // Scroll only if the caret would be out of sight entirely.
    if (caret != LB_ERR)
        SendMessageW(hwnd, LB_SETCARETINDEX, static_cast<WPARAM>(caret), TRUE);
}

void rg_lbkjchl::SetCurSel(int32_t index) {
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr || (GetWindowLongW(hwnd, GWL_STYLE) & LBS_EXTENDEDSEL) != 0)
        return;
    SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int32_t rg_lbkjchl::GetCurSel() const {
    HWND hwnd = GetSafeHwnd();
    return hwnd != nullptr ? static_cast<int32_t>(SendMessageW(hwnd, LB_GETCURSEL, 0, 0)) : -1;
}

rg_lbk::~rg_lbk() {
    DetachListener();
}

int64_t rg_lbk::CreateNativeWindow(CreateParams& params) {
    if (!PrepareCreate(params))
        return 0;
    params.style |= LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT;
    if (!CreateWindowOfClass(params, TEXT("LISTBOX")))
        return 0;
    CRWnd_ListBox* wnd = GetListWnd();
    // The font first, so that the item height below starts from the font's.
    wnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(params.font), 1);
    params.font = nullptr;
    LRESULT height = wnd->SendMessage(LB_GETITEMHEIGHT, 0, 0);
    wnd->SendMessage(LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(height + wnd->m_nExtraItemHeight));
    CRixItemsText(wnd->m_PendingItems.GetText())
        .FillControl(wnd->GetSafeHwnd(), LB_RESETCONTENT, LB_ADDSTRING, LB_SETITEMDATA);
    wnd->m_PendingItems.Empty();
    AfterCreate(wnd, params);
    return 1;
}

void rg_lbk::AttachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->SetListener(static_cast<IListBoxEventListener*>(this));
}

void rg_lbk::DetachListener() {
    if (CRixListenerWnd* wnd = GetNativeWnd())
        wnd->ClearListener(static_cast<IListBoxEventListener*>(this));
}

int64_t rg_lbk::IsListenerAttached() const {
    CRixListenerWnd* wnd = GetNativeWnd();
    return wnd != nullptr && wnd->GetListener() != nullptr ? 1 : 0;
}

} // namespace rg_lch_MFCjm_jb
