// rg_wdzhchk ("main window", namespace rg_lch_jxt): the program's one window, a form of the
// window framework titled "键序台" with a client area of 500 × 320 and the thirty controls of
// the main layout (app/window/main_layout.h), the step menu, the global hook and the clock. The
// start-up class creates it with every position and size unset, so the form takes its size
// from the design size and centres itself. Its properties are set at construction: a white
// background, Esc does not close it, the program's icon 500 (the framework falls back to 100),
// and a window class of its own, kClassName.
// The layout is designed at 96 DPI; the window lays itself out at the DPI of its monitor (the
// program is per-monitor DPI aware), scaling the client size, every control's place and size
// and the fonts, and again when WM_DPICHANGED says it moved to a monitor of another DPI
// (main_form_dpi.cpp). Cursor positions are never scaled: they are physical screen pixels.
// Its handlers edit the steps, keep the scheme files,
// start and stop the replay and show the cursor position; they live in main_form_*.cpp by
// topic.
//
// Scroll Lock released anywhere while no replay runs starts a recording of the user's keys and
// buttons (app/input/recorder.h); released again, it stops it. The recorder is fed from the hook
// procedure, and its steps reach StepList and the step list box through a command posted to
// this window, outside the hook call (main_form_recording.cpp).
//
// A second start of the program hands its command line's scheme name to this window with
// WM_COPYDATA and ends (app/single_instance.h); the window opens the scheme as the start-up
// does, once no dialog of its own is open (main_form_handover.cpp).
//
// The clock's tick also lets the hook watchdog (app/input/hook_watchdog.h) look whether the system
// has removed the hooks, and install them again.
//
// Main thread only: every handler, the hook procedure and the clock run on the
// user-interface thread; the replay worker touches none of these fields (it shares StepList
// and the running flag, which have their own guards).
#pragma once

#include <cstdint>

#include "app/input/global_hook.h"
#include "app/input/hook_watchdog.h"
#include "app/window/main_layout.h"
#include "app/input/recorder.h"
#include "app/input/recording_feed.h"
#include "app/steps/box_input.h"
#include "app/window/step_menu.h"
#include "runtime/core/find_records.h"
#include "runtime/core/rg_wbshzl.h"
#include "runtime/ui/button.h"
#include "runtime/ui/clock.h"
#include "runtime/ui/combo_box.h"
#include "runtime/ui/edit.h"
#include "runtime/ui/form.h"
#include "runtime/ui/label.h"
#include "runtime/ui/list_box.h"

namespace rg_lch_jxt {

class rg_wdzhchk : public rg_lch_MFCjm_jb::CRixWinForm {
    RIX_OBJECT(rg_wdzhchk, rg_lch_MFCjm_jb::CRixWinForm, "rg_lch_jxt::rg_wdzhchk")
    RIX_NO_OWN_FIELDS(rg_wdzhchk)
public:
    static constexpr int kIconId = 500;
    static constexpr uint32_t kBackColour = 0xFFFFFF;
    // The command the recording posts to the window when steps wait (no menu uses it).
    static constexpr int kRecordedStepsCommand = 110;
    // The command posted to the window when a second start handed it a scheme (no menu uses it).
    static constexpr int kHandedOverCommand = 111;
    // The window's caption, which the start-up gives it, and its window class, one of its own:
    // a second start looks for both.
    static constexpr const WCHAR* kCaption = TEXT("键序台");
    static constexpr const WCHAR* kClassName = TEXT("KeyseqMainWindow");
    // WM_COPYDATA of a second start: the tag of its data (the scheme name in UTF-16 units,
    // without a terminating NUL; none for no name), and this window's answer, by which the
    // second start knows that it reached the program's main window and not another window
    // of the same title and class.
    static constexpr ULONG_PTR kHandOverTag = 0x6B657973;  // "keys"
    static constexpr LRESULT kHandOverAnswer = 0x4B455953; // "KEYS"
    // The longest name taken, in units: far beyond any file name.
    static constexpr DWORD kHandOverMaxUnits = 32767;
    // What the Pause hint label reads while a recording runs.
    static constexpr const WCHAR* kRecordingText = TEXT("录制中，按ScrLk结束");

    // Installs the global hooks (through the hook member), makes the self pointer and binds
    // the step list box and the hook; no window exists yet.
    rg_wdzhchk();
    // The program never copies its main window. A copy is a fresh window object of its own
    // (controls, hook and self pointer cannot be shared).
    rg_wdzhchk(const rg_wdzhchk&) : rg_wdzhchk() {}
    // Clears the self pointer's target first, so that no handler runs on a window being torn
    // down, then the members in reverse field order.
    ~rg_wdzhchk() override;

    int32_t GetDesignWidth() override { return kMainDesignWidth; }
    int32_t GetDesignHeight() override { return kMainDesignHeight; }
    // Binds Created and Command, takes the window's DPI and creates the clock.
    void CreateChildren() override;
    // Moves to the suggested rectangle with the client area of the new DPI, and lays every
    // control out again from the layout table at that DPI with fonts made for it.
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;
    // A second start's scheme name (kHandOverTag): kept and the window told with
    // kHandedOverCommand; answers kHandOverAnswer. Any other data is not ours: 0.
    LRESULT OnCopyData(ULONG_PTR tag, const void* data, DWORD size) override;
    // The DPI the window is laid out for.
    UINT GetLayoutDpi() const { return m_nDpi; }

    // The control of the main layout with the given number (edit boxes are the
    // application-wide ones of app/window/main_edit_boxes.h).
    rg_lch_MFCjm_jb::CRixWinControl& Control(int number);
    rg_lch_MFCjm_jb::rg_bq& Label(int number) { return m_Labels[number - kTriggerLabel]; }
    rg_lch_MFCjm_jb::rg_zgk& ComboBox(int number) { return m_ComboBoxes[number - kTriggerBox]; }
    rg_lch_MFCjm_jb::rg_lbk& StepListBox() { return m_StepListBox; }
    rg_lch_MFCjm_jb::rg_bjk& EditBox(int number);
    rg_lch_MFCjm_jb::rg_ann& Button(int number) { return m_Buttons[number - kAddKeyButton]; }
    rg_lch_MFCjm_jb::rg_shzh& Clock() { return m_Clock; }
    rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n& Hook() { return m_Hook; }
    rg_lch_qmlt_ymk_lumeOak::CHookWatchdog& HookWatchdog() { return m_HookWatchdog; }

    int32_t GetTriggerKey() const { return m_nTriggerKey; }
    bool IsRecording() const { return m_Recorder.IsRecording(); }
    const rg_lch_qmmk::rg_qm_zb& GetCurrentPoint() const { return m_CurrentPoint; }
    const rg_lch_jb::rg_wbshzl& GetSchemePaths() const { return m_SchemePaths; }

    // Scheme operations (main_form_schemes.cpp).
    void StartSchemeFolder();
    // Re-reads the folder into the scheme path list and the scheme box (nothing picked); the
    // steps stay as they are.
    void ReadSchemeFolder();
    void LoadScheme();
    void SaveScheme();
    void DeleteScheme();
    // Picks and loads the listed scheme called name (exactly, unit by unit), as choosing it in
    // the scheme box does; for a name that is not listed, says so in a message and leaves
    // nothing picked. For the scheme named on the command line.
    bool OpenScheme(const CWString& name);
    // Opens the scheme a second start handed over, if one waits and the window is enabled (no
    // dialog or message box of ours is open, which the load's messages would run inside);
    // otherwise it keeps waiting for the next call (the command, then every clock tick).
    void TakeHandedOverScheme();
    // Whether a handed-over scheme waits to be opened.
    bool HasHandedOverScheme() const { return m_bHandOverPending; }

    // Handlers, in the shape of every event callback; target is the window.
    static int64_t OnCreated(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                             int64_t a2, int64_t a3);
    static int64_t OnDestroyed(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                               int64_t a2, int64_t a3);
    static int64_t OnButtonClicked(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                                   int64_t a2, int64_t a3);
    static int64_t OnKeyCapture(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                                int64_t a2, int64_t a3);
    static int64_t OnCountGuard(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                                int64_t a2, int64_t a3);
    static int64_t OnComboSelChanged(CRixObject* target, CRixObject* sender, int32_t user,
                                     int64_t a1, int64_t a2, int64_t a3);
    static int64_t OnListRightDown(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                                   int64_t a2, int64_t a3);
    static int64_t OnCommand(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                             int64_t a2, int64_t a3);
    static int64_t OnListKeyDown(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                                 int64_t a2, int64_t a3);
    static int64_t OnTick(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                          int64_t a2, int64_t a3);
    static int64_t OnKeyReleased(CRixObject* target, CRixObject* sender, int32_t user, int64_t a1,
                                 int64_t a2, int64_t a3);

private:
    // Created: the thirty controls in table order, then the trigger and mouse boxes, then the
    // scheme folder.
    void CreateControls();
    void CreateControl(int number);
    void FillTriggerAndMouseBoxes();

    // Layout at the window's DPI (main_form_dpi.cpp).
    // Where the table puts control `number` at m_nDpi, its rules resolved from the actual
    // places of the controls they name.
    RECT PlaceOf(int number);
    RECT ClockPlace() const;
    // Sizes the window so that its client area is the design size at m_nDpi.
    void FitClientArea();
    // Moves every control to PlaceOf, in table order (rules name earlier controls only).
    void PlaceControls();
    // The Pause hint label at its place, or, while it shows a run's progress wider than that
    // place (such as "第1234/9999遍，按F12停止"), grown to the right into the free row beside it,
    // up to the client area's margin: the text is right-aligned, and a label too narrow would
    // cut off its start, the pass under way.
    void FitPauseHintLabel();
    // The step list's font "宋体,12" at m_nDpi.
    void ApplyListFont();
    // The other controls' font at m_nDpi: the stock GUI font where it was made for that DPI,
    // else one of our own scaled from it.
    void ApplyControlFont();

    // Step editing (main_form_steps.cpp).
    void AddStep(const CWString& code, const CWString& line);
    void AddKeyStep();
    void AddMouseStep();
    void AddDelayStep();
    void AddMoveStep();
    void AddCoordinateStep();
    // Reads the delay, move or coordinate box `number` (app/steps/box_input.h); a text it
    // refuses gets RefuseBox with the box's name, its text and the fault, and false.
    bool ReadBox(int number, BoxNumbers& numbers);
    // Negative coordinate in the box: RefuseBox, and true.
    bool RefuseNegative(int number, int32_t value);
    // The message box "提示信息" with the text, then focus and select all in box `number`.
    void RefuseBox(int number, const CWString& message);
    // AddStep when the code reads back as the step the boxes meant (reads_back), else a
    // message and nothing added.
    void AddCheckedStep(const CWString& code, const WCHAR* line_prefix, bool reads_back);
    // Moves the selected step one line up (-1) or down (+1); true when it moved.
    bool MoveSelected(int direction);
    // Deletes the selected step; its index, or -1 when nothing was selected.
    int32_t DeleteSelected();
    void SwapLines(int32_t a, int32_t b);
    int32_t SelectedLine();

    // Trigger (main_form_trigger.cpp).
    void TriggerKeyReleased(int64_t key, int64_t marked);
    void Tick();
    // The Pause hint label: the pass of the running replay and the key that stops it, or its
    // own text when no replay runs.
    void ShowReplayProgress();
    // Gives the Pause hint label a text and its width: grown only for a run's progress, back at
    // its place for any other text (a recording's among them).
    void ShowPauseHint(const CWString& text, bool progress);

    // Recording (main_form_recording.cpp). Start and stop run inside the hook call and only
    // switch the feed and post; TakeRecordedSteps, on the posted command, appends the steps and
    // shows the state on the Pause hint label.
    void StartRecording();
    void StopRecording();
    void TakeRecordedSteps();

    rg_lch_MFCjm_jb::rg_shzh m_Clock;
    rg_lch_MFCjm_jb::rg_bq m_Labels[kLabelCount];
    rg_lch_MFCjm_jb::rg_lbk m_StepListBox;
    rg_lch_MFCjm_jb::rg_zgk m_ComboBoxes[kComboBoxCount]; // trigger, scheme, mouse
    rg_lch_MFCjm_jb::rg_ann m_Buttons[kButtonCount];
    int32_t m_nTriggerKey = 112;
    // The Pause hint label shows a run's progress (UI thread only): only then may it grow.
    bool m_bProgressShown = false;
    rg_lch_jb::rg_wbshzl m_SchemePaths; // entry i belongs to entry i of the scheme box
    // The scheme box entry whose scheme was loaded last (-1: none since the box was filled):
    // a pick that cannot be read goes back to it.
    int32_t m_nLoadedScheme = -1;
    rg_cch m_StepMenu;
    rg_lch_qmmk::rg_qm_zb m_CurrentPoint; // as of the last clock tick
    // Before the hook, so that the hook, which may point at the feed, goes first.
    CRecorder m_Recorder;
    CRecordingFeed m_RecordingFeed{m_Recorder};
    bool m_bRecordingShown = false; // whether the hint label reads kRecordingText
    // A second start's scheme name, waiting to be opened (UI thread only).
    bool m_bHandOverPending = false;
    CWString m_HandedOverScheme;
    rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n m_Hook;
    // Looks after the hook on every clock tick; goes before it.
    rg_lch_qmlt_ymk_lumeOak::CHookWatchdog m_HookWatchdog{m_Hook};
    CRixObjectPointer* m_pSelf = nullptr; // counted; the target of every binding we make
    UINT m_nDpi = 96;                     // the DPI of the current layout
    // The controls' font when the window's DPI is not the one the stock GUI font was made
    // for; null while they use the stock font. Owned; deleted once no control uses it.
    HFONT m_hControlFont = nullptr;
};

} // namespace rg_lch_jxt
