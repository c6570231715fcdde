// Dialogs of the simulated backend: reading templates, creating the dialog and its controls,
// the default dialog procedure and the dialog manager's keys (see sim_dialog.h).
#include "platform/sim/sim_dialog.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sim/sim_edit.h"
#include "platform/sim/sim_focus.h"
#include "platform/sim/sim_gdi.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_message_box.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

// Dialog base units (see the header): with a template font, and with the system font.
constexpr int kFontBaseX = 6;
constexpr int kFontBaseY = 13;
constexpr int kSystemBaseX = 8;
constexpr int kSystemBaseY = 16;

// What the dialog manager keeps per dialog window, beside the window longs.
struct DialogInfo {
    int base_x = kSystemBaseX;
    int base_y = kSystemBaseY;
    HFONT font = nullptr;
    HFONT own_font = nullptr;   // made from the template; deleted with the dialog
    HWND saved_focus = nullptr; // the control that had the focus when the dialog lost it
    WORD default_id = IDOK;     // the last BS_DEFPUSHBUTTON of the template, or DM_SETDEFID
    bool ended = false;
    INT_PTR result = 0;
};

// Dialog windows may belong to any thread; the records are looked up briefly and copied.
std::mutex g_dialogs_lock;
std::map<HWND, DialogInfo>& Dialogs() {
    static auto* dialogs = new std::map<HWND, DialogInfo>;
    return *dialogs;
}

bool FindDialog(HWND hwnd, DialogInfo* out) {
    std::lock_guard<std::mutex> guard(g_dialogs_lock);
    auto it = Dialogs().find(hwnd);
    if (it == Dialogs().end())
        return false;
    if (out != nullptr)
        *out = it->second;
    return true;
}

template <typename Change> void ChangeDialog(HWND hwnd, Change change) {
    std::lock_guard<std::mutex> guard(g_dialogs_lock);
    auto it = Dialogs().find(hwnd);
    if (it != Dialogs().end())
        change(it->second);
}

// A template read into its parts.
struct ItemRecord {
    DWORD style, ex_style;
    short x, y, cx, cy;
    WORD id;
    std::u16string class_name;
    std::u16string text;
    LPCWSTR text_resource = nullptr; // a text given as a resource number
    const void* data = nullptr;      // creation data (its size word first), or null
};

struct TemplateRecord {
    DWORD style, ex_style;
    short x, y, cx, cy;
    std::u16string class_name;
    std::u16string title;
    bool has_font = false;
    WORD point_size = 0;
    std::u16string face;
    std::vector<ItemRecord> items;
};

// Reads the words of a template; every read is checked against nothing but the template's
// own structure, as on Windows (a template is trusted memory of the caller).
class TemplateReader {
public:
    explicit TemplateReader(const void* start) : m_at(static_cast<const BYTE*>(start)) {}

    template <typename T> T Read() {
        T value;
        std::memcpy(&value, m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }
    std::u16string Text() {
        std::u16string text;
        for (WORD unit = Read<WORD>(); unit != 0; unit = Read<WORD>())
            text.push_back(static_cast<char16_t>(unit));
        return text;
    }
    // A menu, class or text field: empty, 0xFFFF and a number, or a text.
    std::u16string NameOrNumber(WORD* number) {
        *number = 0;
        WORD first;
        std::memcpy(&first, m_at, sizeof(first));
        if (first == 0) {
            m_at += sizeof(WORD);
            return std::u16string();
        }
        if (first == 0xFFFF) {
            m_at += sizeof(WORD);
            *number = Read<WORD>();
            return std::u16string();
        }
        return Text();
    }
    void AlignDword() {
        const auto address = reinterpret_cast<ULONG_PTR>(m_at);
        m_at += (4 - address % 4) % 4;
    }
    const BYTE* At() const { return m_at; }
    void Skip(size_t count) { m_at += count; }

private:
    const BYTE* m_at;
};

std::u16string SystemClassName(WORD atom) {
    switch (atom) {
    case 0x0080:
        return u"Button";
    case 0x0081:
        return u"Edit";
    case 0x0082:
        return u"Static";
    case 0x0083:
        return u"ListBox";
    case 0x0084:
        return u"ScrollBar";
    case 0x0085:
        return u"ComboBox";
    default:
        return std::u16string();
    }
}

// The font of a DS_SETFONT template: its face at its point size on the screen's resolution.
HFONT MakeFont(const TemplateRecord& tmpl) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>((tmpl.point_size * dpi + 36) / 72);
    const size_t length = std::min<size_t>(tmpl.face.size(), LF_FACESIZE - 1);
    std::copy_n(tmpl.face.data(), length, font.lfFaceName);
    return CreateFontIndirectW(&font);
}

// The extended template starts with version 1 and signature 0xFFFF; the simulation reads only
// the plain one.
bool ReadTemplate(LPCDLGTEMPLATEW source, TemplateRecord* out) {
    TemplateReader reader(source);
    const DLGTEMPLATE header = reader.Read<DLGTEMPLATE>();
    if (header.style == 0xFFFF0001u)
        return false;
    out->style = header.style;
    out->ex_style = header.dwExtendedStyle;
    out->x = header.x;
    out->y = header.y;
    out->cx = header.cx;
    out->cy = header.cy;
    WORD number;
    reader.NameOrNumber(&number); // menu: FIXME the simulation has no menus yet
    out->class_name = reader.NameOrNumber(&number);
    out->title = reader.Text();
    if ((header.style & DS_SETFONT) != 0) {
        out->has_font = true;
        out->point_size = reader.Read<WORD>();
        out->face = reader.Text();
    }
    for (WORD i = 0; i < header.cdit; ++i) {
        reader.AlignDword();
        const DLGITEMTEMPLATE item = reader.Read<DLGITEMTEMPLATE>();
        ItemRecord record{item.style, item.dwExtendedStyle,
                          item.x,     item.y,
                          item.cx,    item.cy,
                          item.id,    {},
                          {},         nullptr,
                          nullptr};
        WORD atom;
        record.class_name = reader.NameOrNumber(&atom);
        if (atom != 0)
            record.class_name = SystemClassName(atom);
        WORD text_number;
        record.text = reader.NameOrNumber(&text_number);
        if (text_number != 0)
            record.text_resource = MAKEINTRESOURCEW(text_number);
        const WORD data_size = reader.Read<WORD>();
        if (data_size != 0) {
            record.data = reader.At() - sizeof(WORD);
            reader.Skip(data_size);
        }
        out->items.push_back(std::move(record));
    }
    return true;
}

int Scale(int units, int base, int divisor) {
    // MulDiv: rounded to nearest, halves away from zero.
    const long long product = static_cast<long long>(units) * base;
    return static_cast<int>(product >= 0 ? (product + divisor / 2) / divisor
                                         : -((-product + divisor / 2) / divisor));
}

RECT MapUnits(const DialogInfo& info, int x, int y, int cx, int cy) {
    RECT rect{Scale(x, info.base_x, 4), Scale(y, info.base_y, 8), 0, 0};
    rect.right = rect.left + Scale(cx, info.base_x, 4);
    rect.bottom = rect.top + Scale(cy, info.base_y, 8);
    return rect;
}

std::vector<HWND> Children(HWND hwnd) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    return window != nullptr ? window->children : std::vector<HWND>();
}

// Visible and enabled by its own style: the dialog itself may still be hidden.
bool IsUsable(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

// The dialog's controls in tab order: its children in z-order, with the controls of a visible,
// enabled WS_EX_CONTROLPARENT child in its place instead of the child itself.
void CollectControls(HWND parent, std::vector<HWND>& out) {
    for (HWND child : Children(parent)) {
        if ((GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0 && IsUsable(child))
            CollectControls(child, out);
        else
            out.push_back(child);
    }
}

bool IsTabStop(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) != 0 && IsUsable(hwnd);
}

// The first child (searching into WS_EX_CONTROLPARENT children) that says it is the default
// push button.
HWND FindDefaultButton(HWND parent) {
    for (HWND child : Children(parent)) {
        if ((SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0)
            return child;
        if ((GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0) {
            if (HWND found = FindDefaultButton(child))
                return found;
        }
    }
    return nullptr;
}

void RestoreFocus(HWND dialog) {
    DialogInfo info;
    if (!FindDialog(dialog, &info))
        return;
    HWND target = info.saved_focus;
    if (target == nullptr || !IsChild(dialog, target) || !IsUsable(target))
        target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target != nullptr)
        SetFocus(target);
}

void SaveFocus(HWND dialog) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(dialog, focus))
        ChangeDialog(dialog, [&](DialogInfo& info) { info.saved_focus = focus; });
}

// Messages whose dialog-procedure answer is the result itself rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case 0x002E: // WM_VKEYTOITEM
    case 0x002F: // WM_CHARTOITEM
    case 0x0037: // WM_QUERYDRAGICON
    case 0x0039: // WM_COMPAREITEM
        return true;
    default:
        return message >= 0x0132 && message <= 0x0138; // WM_CTLCOLOR*
    }
}

} // namespace

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog_template, HWND owner,
                                DLGPROC dialog_proc, LPARAM init_param) {
    TemplateRecord tmpl;
    if (dialog_template == nullptr || !ReadTemplate(dialog_template, &tmpl)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DialogInfo info;
    if (tmpl.has_font) {
        info.base_x = kFontBaseX;
        info.base_y = kFontBaseY;
    }
    RECT rect = MapUnits(info, tmpl.x, tmpl.y, tmpl.cx, tmpl.cy);
    const bool child = (tmpl.style & WS_CHILD) != 0;
    if ((tmpl.style & DS_CENTER) != 0 && !child) {
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        rect.left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        rect.top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
    } else if (!child && owner != nullptr) {
        // A pop-up's place counts from its owner's client area.
        POINT origin{0, 0};
        if (ClientToScreen(owner, &origin)) {
            rect.left += origin.x;
            rect.right += origin.x;
            rect.top += origin.y;
            rect.bottom += origin.y;
        }
    }
    DWORD ex_style = tmpl.ex_style;
    if ((tmpl.style & DS_MODALFRAME) != 0)
        ex_style |= WS_EX_DLGMODALFRAME;
    if ((tmpl.style & DS_CONTROL) != 0)
        ex_style |= WS_EX_CONTROLPARENT;

    const WCHAR* class_name = tmpl.class_name.empty() ? u"#32770" : tmpl.class_name.c_str();
    HWND dialog = CreateWindowExW(ex_style, class_name, tmpl.title.c_str(),
                                  tmpl.style & ~static_cast<DWORD>(WS_VISIBLE), rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, owner, nullptr,
                                  instance, nullptr);
    if (dialog == nullptr)
        return nullptr;
    {
        std::lock_guard<std::mutex> guard(g_dialogs_lock);
        Dialogs()[dialog] = info;
    }
    SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialog_proc));
    HFONT font = tmpl.has_font ? MakeFont(tmpl) : nullptr;
    if (font != nullptr) {
        ChangeDialog(dialog, [&](DialogInfo& record) { record.own_font = font; });
        SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    for (const ItemRecord& item : tmpl.items) {
        const RECT place = MapUnits(info, item.x, item.y, item.cx, item.cy);
        const WCHAR* text = item.text_resource != nullptr ? item.text_resource : item.text.c_str();
        HWND control =
            CreateWindowExW(item.ex_style | WS_EX_NOPARENTNOTIFY, item.class_name.c_str(), text,
                            item.style | WS_CHILD, place.left, place.top, place.right - place.left,
                            place.bottom - place.top, dialog,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                            const_cast<void*>(item.data));
        if (control == nullptr) {
            DestroyWindow(dialog);
            return nullptr;
        }
        if (font != nullptr)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if ((SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0)
            ChangeDialog(dialog, [&](DialogInfo& record) { record.default_id = item.id; });
    }

    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init_param) != 0 &&
        IsWindow(dialog)) {
        first = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (first != nullptr)
            SetFocus(first);
    }
    if (!IsWindow(dialog))
        return nullptr;
    if ((tmpl.style & WS_VISIBLE) != 0 && !IsWindowVisible(dialog))
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hwnd, DWLP_DLGPROC));
    if (proc != nullptr) {
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
        const INT_PTR handled = proc(hwnd, message, wparam, lparam);
        if (AnswersDirectly(message))
            return handled;
        if (handled != 0)
            return IsWindow(hwnd) ? GetWindowLongPtrW(hwnd, DWLP_MSGRESULT) : 0;
    }
    switch (message) {
    case DM_GETDEFID: {
        DialogInfo info;
        if (!FindDialog(hwnd, &info) || info.ended)
            return 0;
        if (info.default_id != 0)
            return MAKELONG(info.default_id, DC_HASDEFID);
        if (HWND button = FindDefaultButton(hwnd))
            return MAKELONG(GetDlgCtrlID(button), DC_HASDEFID);
        return 0;
    }
    case DM_SETDEFID:
        ChangeDialog(hwnd, [&](DialogInfo& info) { info.default_id = static_cast<WORD>(wparam); });
        return TRUE;
    case WM_NEXTDLGCTL: {
        HWND target = lparam != 0 ? reinterpret_cast<HWND>(wparam)
                                  : GetNextDlgTabItem(hwnd, GetFocus(), wparam != 0);
        if (target != nullptr)
            SetFocus(target);
        return 0;
    }
    case WM_CLOSE: {
        // Closing a dialog is choosing Cancel, unless its Cancel button is disabled.
        HWND cancel = GetDlgItem(hwnd, IDCANCEL);
        if (cancel == nullptr || IsWindowEnabled(cancel))
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE)
            RestoreFocus(hwnd);
        else
            SaveFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        RestoreFocus(hwnd);
        return 0;
    case WM_SETFONT:
        ChangeDialog(hwnd, [&](DialogInfo& info) { info.font = reinterpret_cast<HFONT>(wparam); });
        return 0;
    case WM_GETFONT: {
        DialogInfo info;
        return FindDialog(hwnd, &info) ? reinterpret_cast<LRESULT>(info.font) : 0;
    }
    case WM_NCDESTROY: {
        HFONT own_font = nullptr;
        {
            std::lock_guard<std::mutex> guard(g_dialogs_lock);
            auto it = Dialogs().find(hwnd);
            if (it != Dialogs().end()) {
                own_font = it->second.own_font;
                Dialogs().erase(it);
            }
        }
        if (own_font != nullptr)
            DeleteObject(own_font);
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (!FindDialog(dialog, nullptr)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    ChangeDialog(dialog, [&](DialogInfo& info) {
        info.ended = true;
        info.result = result;
    });
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    // Wakes a loop waiting for the dialog, as on Windows.
    PostMessageW(dialog, WM_NULL, 0, 0);
    return TRUE;
}

BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
    if (msg == nullptr || dialog == nullptr || !IsWindow(dialog))
        return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))
        return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN: {
        const LRESULT code =
            SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if ((code & DLGC_WANTMESSAGE) != 0)
            break;
        switch (msg->wParam) {
        case VK_TAB: {
            if ((code & DLGC_WANTTAB) != 0)
                break;
            const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (FindDialog(dialog, nullptr)) {
                SendMessageW(dialog, WM_NEXTDLGCTL, back ? 1 : 0, 0);
                return TRUE;
            }
            // A window that is no dialog does not handle WM_NEXTDLGCTL: the dialog manager
            // moves the focus itself, selecting the whole text of an edit it lands on (Wine
            // does the same).
            HWND focus = GetFocus();
            HWND next = GetNextDlgTabItem(dialog, focus == dialog ? nullptr : focus, back);
            if (next == nullptr)
                return FALSE;
            if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
                SendMessageW(next, EM_SETSEL, 0, -1);
            SetFocus(next);
            return TRUE;
        }
        case VK_ESCAPE:
            SendMessageW(dialog, WM_COMMAND, IDCANCEL,
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return TRUE;
        case VK_RETURN: {
            HWND focus = GetFocus();
            const LRESULT focus_code = focus != nullptr && IsChild(dialog, focus)
                                           ? SendMessageW(focus, WM_GETDLGCODE, 0, 0)
                                           : 0;
            if ((focus_code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                             reinterpret_cast<LPARAM>(focus));
                return TRUE;
            }
            const LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
            if (HIWORD(def) == DC_HASDEFID) {
                HWND button = GetDlgItem(dialog, LOWORD(def));
                if (button == nullptr || IsWindowEnabled(button))
                    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED),
                                 reinterpret_cast<LPARAM>(button));
            } else {
                SendMessageW(dialog, WM_COMMAND, IDOK,
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            }
            return TRUE;
        }
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    TranslateMessage(msg);
    DispatchMessageW(msg);
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
    for (HWND child : Children(dialog)) {
        if (GetWindowLongPtrW(child, GWLP_ID) == id)
            return child;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    return static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_ID));
}

HWND GetNextDlgTabItem(HWND dialog, HWND ctl, BOOL previous) {
    std::vector<HWND> controls;
    CollectControls(dialog, controls);
    const int count = static_cast<int>(controls.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (controls[i] == ctl)
            at = i;
    }
    if (at < 0)
        at = previous ? 0 : count - 1; // from the edge, so the first step lands on an end
    for (int step = 1; step <= count; ++step) {
        const int i = ((previous ? at - step : at + step) % count + count) % count;
        if (IsTabStop(controls[i]))
            return controls[i];
    }
    return ctl;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    DialogInfo info;
    if (rect == nullptr || !FindDialog(dialog, &info)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Each edge on its own, as Windows maps them.
    *rect = {Scale(rect->left, info.base_x, 4), Scale(rect->top, info.base_y, 8),
             Scale(rect->right, info.base_x, 4), Scale(rect->bottom, info.base_y, 8)};
    return TRUE;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SendMessageW(control, message, wparam, lparam) : 0;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SetWindowTextW(control, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int max_count) {
    if (buffer != nullptr && max_count > 0)
        buffer[0] = 0;
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? static_cast<UINT>(GetWindowTextW(control, buffer, max_count)) : 0;
}
