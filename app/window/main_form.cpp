// The main window's life: construction (hooks, self pointer, bindings), CreateChildren (the
// clock), the Created handler that builds the thirty controls of the layout table and fills
// the trigger and mouse boxes, and destruction.
#include "app/window/main_form.h"

#include "app/window/main_edit_boxes.h"
#include "app/replay/replay_engine.h"
#include "runtime/core/int64_text.h"
#include "runtime/shell/instance_resources.h"
#include "runtime/shell/rix_app_instance.h"
#include "runtime/ui/dpi_scale.h"
#include "runtime/ui/wnd_holder.h"

namespace rg_lch_jxt {

using namespace rg_lch_MFCjm_jb;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

constexpr int32_t kClockId = 101;
constexpr int64_t kClockIntervalMs = 100;

rg_wdzhchk* Window(CRixObject* target) {
    return static_cast<rg_wdzhchk*>(target);
}

} // namespace

rg_wdzhchk::rg_wdzhchk() {
    m_pSelf = new CRixObjectPointer(this);
    m_nTriggerKey = 112;

    CRWnd_WinForm* form = GetFormWnd();
    form->m_bEscCloses = 0;
    form->m_nBackColour = kBackColour;
    form->m_ClassName = CWString(kClassName);
    // Null when the program has no icon 500: the form then loads its icon 100 when created.
    form->m_hIcon =
        static_cast<HICON>(GetRixAppInstance().LoadResourceImage(kResourceIcon, kIconId));

    m_StepListBox.BindEvent(m_StepListBox.Event(kRightDown), &OnListRightDown, m_pSelf);
    m_StepListBox.BindEvent(m_StepListBox.Event(kKeyDown), &OnListKeyDown, m_pSelf);
    m_Hook.KeyReleased().Bind(&OnKeyReleased, m_pSelf, 0);
}

rg_wdzhchk::~rg_wdzhchk() {
    // First: no binding may reach this object from here on, nor the hook its recording feed.
    m_Hook.SetInputSink(nullptr);
    m_pSelf->DetachOwner();
    m_pSelf = nullptr;
    // The controls that used it went with the window.
    if (m_hControlFont != nullptr)
        DeleteObject(m_hControlFont);
    // The members go in reverse field order, the hook first. (A run was stopped when the
    // window was destroyed; this destructor may run at exit, after the engine's own state.)
}

void rg_wdzhchk::CreateChildren() {
    BindEvent(Event(kCreated), &OnCreated, m_pSelf);
    BindEvent(Event(kDestroyed), &OnDestroyed, m_pSelf);
    BindEvent(Event(kCommand), &OnCommand, m_pSelf);

    m_nDpi = WindowDpi(GetSafeHwnd());
    m_Clock.SetInterval(kClockIntervalMs);
    RECT place = ClockPlace();
    CreateParams params;
    params.parent = GetNativeWnd();
    params.x = place.left;
    params.y = place.top;
    params.width = place.right - place.left;
    params.height = place.bottom - place.top;
    params.id = kClockId;
    m_Clock.CreateNativeWindow(params);
    m_Clock.BindTick(&OnTick, m_pSelf);
}

CRixWinControl& rg_wdzhchk::Control(int number) {
    switch (LayoutOf(number).kind) {
    case ControlKind::kLabel:
        return Label(number);
    case ControlKind::kComboBox:
        return ComboBox(number);
    case ControlKind::kListBox:
        return m_StepListBox;
    case ControlKind::kEditBox:
        return EditBox(number);
    case ControlKind::kButton:
    default:
        return Button(number);
    }
}

rg_bjk& rg_wdzhchk::EditBox(int number) {
    return MainEditBoxes[number - kKeyBox];
}

int64_t rg_wdzhchk::OnCreated(CRixObject* target, CRixObject*, int32_t, int64_t, int64_t, int64_t) {
    rg_wdzhchk* self = Window(target);
    // Before the controls, so that the form centres itself at its final size.
    if (self->m_nDpi != kDesignDpi)
        self->FitClientArea();
    self->CreateControls();
    self->FillTriggerAndMouseBoxes();
    self->StartSchemeFolder();
    return 0;
}

int64_t rg_wdzhchk::OnDestroyed(CRixObject* target, CRixObject*, int32_t, int64_t, int64_t,
                                int64_t) {
    // The trigger goes first: the loop still handles messages, and with them hook calls, until
    // WM_QUIT, and a release then would start a run that nobody stops or waits for. (The
    // program never creates its window a second time, so nothing binds it again.)
    Window(target)->m_Hook.KeyReleased().Bind(nullptr, nullptr);
    // The window goes before the message loop ends and the application's globals with it:
    // stop the run here, while StepList still exists, and wait for its worker to finish
    // (its held key released). A recording ends with the window; its last steps go unseen.
    StopReplayAndWait();
    rg_wdzhchk* self = Window(target);
    self->m_Hook.SetInputSink(nullptr);
    self->m_Recorder.Stop();
    return 0;
}

void rg_wdzhchk::CreateControl(int number) {
    const ControlLayout& layout = LayoutOf(number);
    RECT place = PlaceOf(number);
    CreateParams params;
    params.parent = GetNativeWnd();
    params.x = place.left;
    params.y = place.top;
    params.width = place.right - place.left;
    params.height = place.bottom - place.top;
    params.id = 0xFFFF;
    CRixWinControl& control = Control(number);
    // Set before the window exists, the caption is the holder's and the window is created with
    // it: no second round of SetWindowText and repainting for each of the thirty controls.
    control.SetCaption(CWString(layout.caption));
    control.CreateNativeWindow(params);
}

void rg_wdzhchk::CreateControls() {
    for (int n = kTriggerLabel; n <= kPauseHintLabel; ++n)
        CreateControl(n);
    for (int n = kTriggerLabel; n <= kPauseHintLabel; ++n) {
        CRWnd_Label* label = Label(n).GetLabelWnd();
        if (label == nullptr)
            continue;
        label->m_nBackColour = kWhite;
        if (LayoutOf(n).rightAligned)
            label->m_nAlignment = 2;
        Label(n).Repaint();
    }

    for (int n = kTriggerBox; n <= kMouseBox; ++n) {
        rg_zgk& box = ComboBox(n);
        box.GetHolder()->m_nStyle |= CBS_DROPDOWNLIST;
        box.BindEvent(box.Event(rg_zgk::kSelChanged), &OnComboSelChanged, m_pSelf);
        CreateControl(n);
    }

    // The default list box style has the vertical scroll bar only.
    m_StepListBox.GetHolder()->m_nStyle =
        (m_StepListBox.GetHolder()->m_nStyle & ~(WS_HSCROLL | LBS_MULTICOLUMN)) | WS_VSCROLL;
    CreateControl(kStepListBox);
    ApplyListFont();

    for (int n = kKeyBox; n <= kCoordYBox; ++n) {
        rg_bjk& box = EditBox(n);
        // The mode's style (read-only for the key box) is a creation style, so the mode is
        // in place before the window is made.
        box.EditWnd()->m_nInputMode = LayoutOf(n).inputMode;
        CreateControl(n);
        if (n == kKeyBox || n == kCountBox) {
            box.BindChanged(&OnCountGuard, m_pSelf);
            box.BindEvent(box.Event(kKeyDown), &OnKeyCapture, m_pSelf);
        }
    }

    for (int n = kAddKeyButton; n <= kDeleteButton; ++n) {
        CreateControl(n);
        rg_ann& button = Button(n);
        button.BindEvent(button.Clicked(), &OnButtonClicked, m_pSelf);
    }
    ApplyControlFont();
}

void rg_wdzhchk::FillTriggerAndMouseBoxes() {
    rg_zgk& trigger = ComboBox(kTriggerBox);
    for (int i = 1; i <= 12; ++i) {
        WCHAR digits[kInt64TextUnits];
        CWString name(TEXT("F"));
        name.Append(Int64ToText(i, digits));
        trigger.AddItem(name, 111 + i);
    }
    trigger.SetCurSel(0);

    rg_zgk& mouse = ComboBox(kMouseBox);
    for (const WCHAR* name : {TEXT("左键"), TEXT("右键"), TEXT("中键")})
        mouse.AddItem(CWString(name), 0);
    mouse.SetCurSel(0);
}

} // namespace rg_lch_jxt
