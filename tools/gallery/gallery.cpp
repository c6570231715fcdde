// A gallery of the window framework's standard controls with Chinese captions: a label, edit
// boxes in input modes 7 and 3, a counting spin, a combo box, a list box and a button that
// opens the input dialog. The end-to-end test (tests/e2e/controls.sh) drives it under Wine
// with xdotool as a user would; the documentation's screenshot of the controls is taken of it.
//
// It writes what happens, one line per event, to the file named by its first argument (UTF-8):
//   rect <name> <left> <top> <right> <bottom>   screen rectangles, once the window is shown
//                                                (client: the form's client area)
//   item <y>                                     screen y of the combo list's second item
//   edit7 <text> / edit3 <text> / spin <text>    the edit's text after each change
//   combo <index>                                SelChanged, with GetCurSel in the handler
//   input <1|0> <text>                           what the input dialog answered
#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "runtime/core/rix_object_pointer.h"
#include "runtime/ui/button.h"
#include "runtime/ui/combo_box.h"
#include "runtime/ui/edit.h"
#include "runtime/ui/font_text.h"
#include "runtime/ui/form.h"
#include "runtime/ui/input_dialog.h"
#include "runtime/ui/label.h"
#include "runtime/ui/list_box.h"
#include "runtime/ui/wnd_holder.h"

namespace {

using namespace rg_lch_MFCjm_jb;

std::FILE* g_log = nullptr;

std::string Utf8(const WCHAR* text) {
    std::string out;
    for (; *text != 0; ++text) {
        uint32_t c = *text;
        if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (*++text - 0xDC00);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

void Log(const std::string& line) {
    if (g_log == nullptr)
        return;
    std::fputs((line + "\n").c_str(), g_log);
    std::fflush(g_log);
}

void LogRect(const char* name, HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    char line[160];
    std::snprintf(line, sizeof line, "rect %s %ld %ld %ld %ld", name, static_cast<long>(r.left),
                  static_cast<long>(r.top), static_cast<long>(r.right),
                  static_cast<long>(r.bottom));
    Log(line);
}

class GalleryForm;

// The handlers' target: the form object itself, through its counted back-pointer.
class GalleryForm : public CRixWinForm {
public:
    GalleryForm() : m_pSelf(new CRixObjectPointer(this)) {}
    ~GalleryForm() override { m_pSelf->DetachOwner(); }

    int32_t GetDesignWidth() override { return 430; }
    int32_t GetDesignHeight() override { return 250; }
    void CreateChildren() override;
    void LogPlaces();

    rg_bq m_Title, m_Label7, m_Label3, m_LabelSpin, m_LabelCombo, m_Result;
    rg_bjk m_Edit7, m_Edit3, m_Spin;
    rg_zgk m_Combo;
    rg_lbk m_List;
    rg_ann m_Ask;

private:
    template <typename Control>
    void Place(Control& control, const WCHAR* caption, int x, int y, int width, int height) {
        control.SetCaption(CWString(caption));
        CreateParams params;
        params.parent = GetNativeWnd();
        params.x = x;
        params.y = y;
        params.width = width;
        params.height = height;
        control.CreateNativeWindow(params);
    }

    CRixObjectPointer* m_pSelf;
};

int64_t OnEditChanged(CRixObject*, CRixObject* sender, int32_t user, int64_t, int64_t, int64_t) {
    static const char* const kNames[] = {"edit7", "edit3", "spin"};
    auto* edit = static_cast<rg_bjk*>(sender);
    Log(std::string(kNames[user]) + " " + Utf8(edit->GetCaption().GetText()));
    return 0;
}

int64_t OnComboSelChanged(CRixObject*, CRixObject* sender, int32_t, int64_t, int64_t, int64_t) {
    Log("combo " + std::to_string(static_cast<rg_zgk*>(sender)->GetCurSel()));
    return 0;
}

int64_t OnAsk(CRixObject* target, CRixObject* sender, int32_t, int64_t, int64_t, int64_t) {
    auto* form = static_cast<GalleryForm*>(target);
    CWString name;
    bool ok = InputText(static_cast<CRixWinControl*>(sender), name,
                        CWString(TEXT("请输入方案名称")), CWString(TEXT("方案名称")), CWString());
    Log(std::string("input ") + (ok ? "1 " : "0 ") + Utf8(name.GetText()));
    form->m_Result.SetCaption(CWString::Concat(CWString(TEXT("名称：")), name));
    return 0;
}

void GalleryForm::CreateChildren() {
    m_Title.SetFont(ParseFontText(TEXT("微软雅黑,14,1")));
    m_Title.GetLabelWnd()->m_nAlignment = 1;
    Place(m_Title, TEXT("键序台控件展示"), 10, 8, 410, 30);

    Place(m_Label7, TEXT("整数："), 10, 50, 60, 24);
    m_Edit7.EditWnd()->m_nInputMode = 7;
    Place(m_Edit7, TEXT(""), 75, 50, 120, 24);
    Place(m_Label3, TEXT("数字："), 215, 50, 60, 24);
    m_Edit3.EditWnd()->m_nInputMode = 3;
    Place(m_Edit3, TEXT(""), 280, 50, 140, 24);

    Place(m_LabelSpin, TEXT("次数："), 10, 86, 60, 24);
    CRWnd_Edit* spin = m_Spin.EditWnd();
    // Digits without a rewrite on focus loss: a counter at 0 keeps showing "0".
    spin->m_nInputMode = 3;
    spin->m_nSpinMode = 1;
    spin->m_nSpinMin = 0;
    spin->m_nSpinMax = 3;
    Place(m_Spin, TEXT("3"), 75, 86, 102, 24);

    Place(m_LabelCombo, TEXT("方案："), 215, 86, 60, 24);
    CMfcWndObject* holder = m_Combo.GetHolder();
    holder->m_nStyle = (holder->m_nStyle & ~static_cast<DWORD>(3)) | CBS_DROPDOWNLIST;
    m_Combo.GetComboWnd()->m_PendingItems = CWString(TEXT("方案一\n1\n方案二\n2\n方案三\n3\n"));
    Place(m_Combo, TEXT(""), 280, 86, 140, 24);
    m_Combo.SetCurSel(0);

    m_List.GetListWnd()->m_PendingItems =
        CWString(TEXT("按键 A\n0\n左键单击\n0\n延时 100 毫秒\n0\n移动到 (10, 20)\n0\n"));
    Place(m_List, TEXT(""), 10, 124, 185, 110);

    Place(m_Ask, TEXT("输入名称(&N)"), 215, 124, 120, 32);
    Place(m_Result, TEXT("名称："), 215, 166, 205, 24);

    m_Edit7.BindChanged(&OnEditChanged, m_pSelf);
    m_Edit3.BindChanged(&OnEditChanged, m_pSelf);
    m_Spin.BindChanged(&OnEditChanged, m_pSelf);
    // The user value tells the edits apart in the one handler.
    m_Edit3.Changed().Bind(&OnEditChanged, m_pSelf, 1);
    m_Spin.Changed().Bind(&OnEditChanged, m_pSelf, 2);
    m_Combo.BindEvent(m_Combo.Event(rg_zgk::kSelChanged), &OnComboSelChanged, m_pSelf);
    m_Ask.BindClicked(&OnAsk, m_pSelf);
}

void GalleryForm::LogPlaces() {
    RECT client{};
    GetClientRect(GetSafeHwnd(), &client);
    POINT origin{0, 0};
    ClientToScreen(GetSafeHwnd(), &origin);
    char line[160];
    std::snprintf(line, sizeof line, "rect client %ld %ld %ld %ld", static_cast<long>(origin.x),
                  static_cast<long>(origin.y), static_cast<long>(origin.x + client.right),
                  static_cast<long>(origin.y + client.bottom));
    Log(line);
    LogRect("edit7", m_Edit7.GetSafeHwnd());
    LogRect("edit3", m_Edit3.GetSafeHwnd());
    LogRect("spinedit", m_Spin.GetSafeHwnd());
    LogRect("spin", m_Spin.EditWnd()->Spin().GetSafeHwnd());
    LogRect("combo", m_Combo.GetSafeHwnd());
    LogRect("ask", m_Ask.GetSafeHwnd());
    // The second item of the dropped list: the list starts below the field.
    HWND combo = m_Combo.GetSafeHwnd();
    RECT field{};
    GetWindowRect(combo, &field);
    auto item = static_cast<long>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    Log("item " + std::to_string(field.bottom + 2 + item + item / 2));
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR command_line, int) {
    if (command_line != nullptr && *command_line != 0)
        g_log = _wfopen(command_line, TEXT("wb")); // "\n" as it is
    GalleryForm form;
    form.SetCaption(CWString(TEXT("控件展示")));
    form.GetFormWnd()->m_bEscCloses = 0;
    CreateParams params;
    params.x = params.y = params.width = params.height = kUnsetCoordinate;
    params.id = 0;
    if (form.CreateNativeWindow(params) == 0)
        return 1;
    HWND window = form.GetSafeHwnd();
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    form.LogPlaces();
    MSG msg;
    while (IsWindow(window) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!WalkPreTranslateTree(nullptr, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (g_log != nullptr)
        std::fclose(g_log);
    return 0;
}
