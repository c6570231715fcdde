// Step editing on the main window: the key box that records a key, the add buttons, the guard
// of the execution-count box, the step menu and the keys of the step list box. Every change
// goes to StepList and to the step list box together, so line i always shows step i.
//
// The delay, move and coordinate buttons add the numbers their boxes mean, not the boxes'
// texts (app/steps/box_input.h): a text they cannot read is refused with a message naming the
// box, and a code is added only when it reads back, through ParseStep, as that one step.
#include "app/window/main_edit_boxes.h"
#include "app/window/main_form.h"
#include "app/steps/step_list.h"
#include "app/steps/step_text.h"
#include "runtime/core/int64_text.h"
#include "runtime/ui/hot_key_text.h"
#include "runtime/ui/key_names.h"
#include "runtime/ui/message_box.h"
#include "runtime/ui/popup_menu.h"

namespace rg_lch_jxt {

using namespace rg_lch_MFCjm_jb;

namespace {

constexpr const WCHAR* kNoticeCaption = TEXT("提示信息");
constexpr const WCHAR* kNegativeCoordinate = TEXT("坐标位置不可小于0");

constexpr int64_t kMinusKey = 189; // "-" of the main keyboard and of the keypad
constexpr int64_t kPadPlusKey = 107;
constexpr int64_t kDeleteKey = 46;
constexpr int32_t kTabKey = 9;

rg_wdzhchk* Window(CRixObject* target) {
    return static_cast<rg_wdzhchk*>(target);
}

// The box's name in a message about its text.
const WCHAR* BoxName(int number) {
    switch (number) {
    case kDelayBox:
        return TEXT("延迟框");
    case kMoveXBox:
        return TEXT("移动X框");
    case kMoveYBox:
        return TEXT("移动Y框");
    case kCoordXBox:
        return TEXT("坐标X框");
    default:
        return TEXT("坐标Y框");
    }
}

CWString Decimal(int64_t value) {
    WCHAR digits[kInt64TextUnits];
    return CWString(Int64ToText(value, digits));
}

} // namespace

int32_t rg_wdzhchk::SelectedLine() {
    return m_StepListBox.GetCurSel();
}

void rg_wdzhchk::AddStep(const CWString& code, const CWString& line) {
    StepList.Append(code.GetText());
    m_StepListBox.AddItem(line);
}

void rg_wdzhchk::AddKeyStep() {
    rg_bjk& key = EditBox(kKeyBox);
    CWString name = key.GetCaption();
    if (name.GetLength() == 0)
        return;
    CWString code(TEXT("A"));
    code.Append(Decimal(key.GetData()));
    CWString line(TEXT("按键"));
    line.Append(name);
    AddStep(code, line);
}

void rg_wdzhchk::AddMouseStep() {
    static constexpr const WCHAR* kLines[] = {TEXT("鼠标左键"), TEXT("鼠标右键"), TEXT("鼠标中键")};
    int32_t s = ComboBox(kMouseBox).GetCurSel();
    if (s < 0 || s > 2)
        return;
    CWString code(TEXT("B"));
    code.Append(Decimal(s + 1));
    AddStep(code, CWString(kLines[s]));
}

void rg_wdzhchk::RefuseBox(int number, const CWString& message) {
    rg_bjk& box = EditBox(number);
    ShowMessageBox(this, message, MB_OK, CWString(kNoticeCaption));
    SetFocus(box.GetSafeHwnd());
    box.SelectAll();
}

bool rg_wdzhchk::ReadBox(int number, BoxNumbers& numbers) {
    CWString text = EditBox(number).GetCaption();
    const bool delay = number == kDelayBox;
    numbers = delay ? ReadDelayBox(text.GetText()) : ReadNumberBox(text.GetText());
    if (numbers.fault == BoxFault::kNone)
        return true;
    CWString message(BoxName(number));
    message.Append(TEXT("里的“"));
    message.Append(text);
    message.Append(TEXT("”："));
    message.Append(BoxFaultText(numbers.fault, delay));
    RefuseBox(number, message);
    return false;
}

bool rg_wdzhchk::RefuseNegative(int number, int32_t value) {
    if (value >= 0)
        return false;
    RefuseBox(number, CWString(kNegativeCoordinate));
    return true;
}

void rg_wdzhchk::AddCheckedStep(const CWString& code, const WCHAR* line_prefix, bool reads_back) {
    if (!reads_back) {
        // Never expected: the codes are written from the numbers. Should it happen, a step
        // that would change on its way through the file is not added at all.
        CWString message(TEXT("步骤“"));
        message.Append(code);
        message.Append(TEXT("”保存后读回会变样，没有添加。"));
        ShowMessageBox(this, message, MB_OK, CWString(kNoticeCaption));
        return;
    }
    CWString line(line_prefix);
    line.Append(code.GetText() + 1);
    AddStep(code, line);
}

void rg_wdzhchk::AddDelayStep() {
    BoxNumbers delay;
    if (!ReadBox(kDelayBox, delay))
        return;
    CWString code = DelayCode(delay);
    AddCheckedStep(code, TEXT("延迟"), DelayCodeReadsBack(code, delay));
}

void rg_wdzhchk::AddMoveStep() {
    BoxNumbers x;
    BoxNumbers y;
    if (!ReadBox(kMoveXBox, x) || !ReadBox(kMoveYBox, y))
        return;
    CWString code = PairCode(TEXT('C'), x.first, y.first);
    AddCheckedStep(code, TEXT("移动"), PairCodeReadsBack(code, TEXT('C'), x.first, y.first));
}

void rg_wdzhchk::AddCoordinateStep() {
    BoxNumbers x;
    BoxNumbers y;
    if (!ReadBox(kCoordXBox, x) || RefuseNegative(kCoordXBox, x.first) || !ReadBox(kCoordYBox, y) ||
        RefuseNegative(kCoordYBox, y.first))
        return;
    CWString code = PairCode(TEXT('E'), x.first, y.first);
    AddCheckedStep(code, TEXT("坐标"), PairCodeReadsBack(code, TEXT('E'), x.first, y.first));
}

int64_t rg_wdzhchk::OnButtonClicked(CRixObject* target, CRixObject* sender, int32_t, int64_t,
                                    int64_t, int64_t) {
    rg_wdzhchk* self = Window(target);
    if (sender == &self->Button(kAddKeyButton)) {
        self->AddKeyStep();
    } else if (sender == &self->Button(kAddMouseButton)) {
        self->AddMouseStep();
    } else if (sender == &self->Button(kAddDelayButton)) {
        self->AddDelayStep();
    } else if (sender == &self->Button(kAddMoveButton)) {
        self->AddMoveStep();
    } else if (sender == &self->Button(kAddCoordButton)) {
        self->AddCoordinateStep();
    } else if (sender == &self->Button(kSaveButton)) {
        self->SaveScheme();
    } else if (sender == &self->Button(kDeleteButton)) {
        self->DeleteScheme();
    }
    return 0;
}

// A key pressed while Ctrl, Shift or Alt is held is recorded as the shortcut, with the
// modifier bits in its code and its hot-key text in the box; a key alone, and a modifier key
// pressed by itself (even while another is held), is recorded as the key. Keys that carry Alt,
// and Alt itself, go no further once recorded: the dialog manager would take them for
// mnemonics and the default window procedure for the menu key, which would capture the keys
// pressed next. Alt+F4 is left alone, to close the window.
int64_t rg_wdzhchk::OnKeyCapture(CRixObject* target, CRixObject* sender, int32_t, int64_t key,
                                 int64_t modifiers, int64_t) {
    rg_wdzhchk* self = Window(target);
    rg_bjk& box = self->EditBox(kKeyBox);
    if (sender != &box)
        return 0;
    int32_t code = static_cast<int32_t>(key & 0xFF);
    auto held = static_cast<int32_t>(modifiers & (kKeyCtrl | kKeyShift | kKeyAlt));
    if (code == VK_F4 && (held & kKeyAlt) != 0)
        return 0;
    // Tab and Shift+Tab belong to the window's dialog navigation, which moves the focus on; the
    // box's key event sees them first (a control's pre-translation runs before its form's),
    // and must not record them.
    if (code == kTabKey && (held & (kKeyCtrl | kKeyAlt)) == 0)
        return 0;
    bool modifier_key = code == VK_CONTROL || code == VK_SHIFT || code == VK_MENU;
    if (held == 0 || modifier_key) {
        box.SetCaption(KeyBoxText(code));
        box.SetData(code);
    } else {
        box.SetCaption(HotKeyText(code | held));
        box.SetData(code | held);
    }
    return (held & kKeyAlt) != 0 || code == VK_MENU ? 1 : 0;
}

int64_t rg_wdzhchk::OnCountGuard(CRixObject* target, CRixObject* sender, int32_t, int64_t, int64_t,
                                 int64_t) {
    rg_bjk& box = Window(target)->EditBox(kCountBox);
    if (sender != &box)
        return 0;
    if (StepDecimal(box.GetCaption().GetText()) <= 0)
        box.SetCaption(CWString(TEXT("1")));
    return 0;
}

int64_t rg_wdzhchk::OnComboSelChanged(CRixObject* target, CRixObject* sender, int32_t, int64_t,
                                      int64_t, int64_t) {
    rg_wdzhchk* self = Window(target);
    if (sender == &self->ComboBox(kTriggerBox)) {
        rg_zgk& box = self->ComboBox(kTriggerBox);
        HWND hwnd = box.GetSafeHwnd();
        self->m_nTriggerKey =
            hwnd == nullptr ? 0
                            : static_cast<int32_t>(SendMessageW(
                                  hwnd, CB_GETITEMDATA,
                                  static_cast<WPARAM>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)), 0));
        self->m_Recorder.SetTriggerKey(self->m_nTriggerKey);
    } else if (sender == &self->ComboBox(kSchemeBox)) {
        self->LoadScheme();
    }
    return 0;
}

int64_t rg_wdzhchk::OnListRightDown(CRixObject* target, CRixObject*, int32_t, int64_t, int64_t,
                                    int64_t) {
    rg_wdzhchk* self = Window(target);
    // The right click does not select: the menu acts on the line selected before.
    if (self->SelectedLine() == -1)
        return 0;
    ShowPopupMenu(*self, GetRefMenu(self->m_StepMenu));
    return 0;
}

void rg_wdzhchk::SwapLines(int32_t a, int32_t b) {
    StepList.Swap(a, b);
    CWString line_a = m_StepListBox.GetItemText(a);
    CWString line_b = m_StepListBox.GetItemText(b);
    m_StepListBox.SetItemText(a, line_b);
    m_StepListBox.SetItemText(b, line_a);
}

bool rg_wdzhchk::MoveSelected(int direction) {
    int32_t a = SelectedLine();
    if (a == -1)
        return false;
    int32_t b = a + direction;
    if (b < 0 || b >= m_StepListBox.GetCount())
        return false;
    SwapLines(b, a);
    return true;
}

int32_t rg_wdzhchk::DeleteSelected() {
    int32_t a = SelectedLine();
    if (a == -1)
        return -1;
    StepList.RemoveAt(a);
    SendMessageW(m_StepListBox.GetSafeHwnd(), LB_DELETESTRING, static_cast<WPARAM>(a), 0);
    m_StepListBox.SetCurSel(-1);
    return a;
}

int64_t rg_wdzhchk::OnCommand(CRixObject* target, CRixObject*, int32_t, int64_t id, int64_t,
                              int64_t) {
    rg_wdzhchk* self = Window(target);
    switch (id) {
    case kStepMenuUp:
        self->MoveSelected(-1);
        return 1;
    case kStepMenuDown:
        self->MoveSelected(+1);
        return 1;
    case kStepMenuDelete:
        self->DeleteSelected();
        return 1;
    case kRecordedStepsCommand:
        self->TakeRecordedSteps();
        return 1;
    case kHandedOverCommand:
        self->TakeHandedOverScheme();
        return 1;
    default:
        return 0;
    }
}

int64_t rg_wdzhchk::OnListKeyDown(CRixObject* target, CRixObject*, int32_t, int64_t key, int64_t,
                                  int64_t) {
    rg_wdzhchk* self = Window(target);
    int32_t a = self->SelectedLine();
    if (a == -1)
        return 0;
    switch (key & 0xFF) {
    case kMinusKey:
        if (self->MoveSelected(-1))
            self->m_StepListBox.SetCurSel(a - 1);
        break;
    case kPadPlusKey:
        if (self->MoveSelected(+1))
            self->m_StepListBox.SetCurSel(a + 1);
        break;
    case kDeleteKey: {
        self->DeleteSelected();
        int32_t count = self->m_StepListBox.GetCount();
        if (count > 0)
            self->m_StepListBox.SetCurSel(a < count ? a : count - 1);
        break;
    }
    default:
        break;
    }
    return 0;
}

} // namespace rg_lch_jxt
