// The trigger key and the cursor position on the main window: a key released anywhere in the
// system (the global hook) starts or stops the replay or a recording, or copies the cursor
// position into the coordinate boxes; the clock shows the position every 100 ms, shows while a
// replay runs which pass it is in and how to stop it (in place of the Pause hint), and lets the
// hook watchdog look after the hooks, and keeps a replay worker ready for the trigger.
#include "app/window/main_edit_boxes.h"
#include "app/window/main_form.h"
#include "app/replay/replay_engine.h"
#include "app/steps/step_text.h"
#include "runtime/core/int64_text.h"
#include "runtime/ui/hot_key_text.h"

namespace rg_lch_jxt {

namespace {

constexpr int64_t kPauseKey = 19;

CWString Decimal(int64_t value) {
    WCHAR digits[kInt64TextUnits];
    return CWString(Int64ToText(value, digits));
}

} // namespace

int64_t rg_wdzhchk::OnKeyReleased(CRixObject* target, CRixObject*, int32_t, int64_t key,
                                  int64_t marked, int64_t) {
    static_cast<rg_wdzhchk*>(target)->TriggerKeyReleased(key, marked);
    return 0;
}

void rg_wdzhchk::TriggerKeyReleased(int64_t key, int64_t marked) {
    // Input that the replay injects is no user's: a key-up it sent because it was stopped,
    // taken as the trigger, would start the scheme again at once, and a scheme that types the
    // trigger key would stop itself. Nor is a lock key's release that the system sent to line
    // up its lock state (Wine's Scroll Lock before the next key): taken as a Scroll Lock, it
    // would end a recording at the first key recorded. A Pause step of a scheme still copies
    // the position, as the user's Pause does: it starts and stops nothing.
    using rg_lch_qmlt_ymk_lumeOak::kReplayInput;
    using rg_lch_qmlt_ymk_lumeOak::kUserInput;
    if (marked != kUserInput && !(marked == kReplayInput && key == kPauseKey))
        return;
    if (key == CRecorder::kScrollLockKey) {
        if (IsRecording())
            StopRecording();
        else if (!IsReplayRunning())
            StartRecording();
    } else if (key == m_nTriggerKey) {
        // A recording keeps the trigger from starting a replay into what is being recorded.
        if (IsRecording())
            return;
        if (IsReplayRunning())
            StopReplay();
        else
            StartReplay(StepDecimal(EditBox(kCountBox).GetCaption().GetText()));
    } else if (key == kPauseKey) {
        EditBox(kCoordXBox).SetCaption(Decimal(m_CurrentPoint.m_nX));
        EditBox(kCoordYBox).SetCaption(Decimal(m_CurrentPoint.m_nY));
    }
}

int64_t rg_wdzhchk::OnTick(CRixObject* target, CRixObject*, int32_t, int64_t, int64_t, int64_t) {
    static_cast<rg_wdzhchk*>(target)->Tick();
    return 0;
}

void rg_wdzhchk::Tick() {
    POINT p{};
    GetCursorPos(&p);
    m_CurrentPoint.m_nX = p.x;
    m_CurrentPoint.m_nY = p.y;
    CWString text = Decimal(p.x);
    text.Append(TEXT("，"));
    text.Append(Decimal(p.y));
    Label(kPositionLabel).SetCaption(text);
    ShowReplayProgress();
    m_HookWatchdog.Check();
    TakeHandedOverScheme();
    // After start-up rather than during it: the first run then starts on a ready worker too.
    PrepareReplay();
}

void rg_wdzhchk::ShowReplayProgress() {
    int32_t pass = 0, count = 0;
    CWString text;
    const bool running = GetReplayProgress(pass, count);
    if (running) {
        text.Append(TEXT("第"));
        text.Append(Decimal(pass));
        text.Append(TEXT("/"));
        text.Append(Decimal(count));
        text.Append(TEXT("遍，按"));
        text.Append(HotKeyText(m_nTriggerKey));
        text.Append(TEXT("停止"));
    } else if (IsRecording()) {
        return; // a recording shows its own text (main_form_recording.cpp)
    } else {
        text = CWString(LayoutOf(kPauseHintLabel).caption);
    }
    // Set only when it changes: ten captions a second would make the label flicker.
    if (Label(kPauseHintLabel).GetCaption().IsEqual(text) == 0)
        ShowPauseHint(text, running);
}

void rg_wdzhchk::ShowPauseHint(const CWString& text, bool progress) {
    m_bProgressShown = progress;
    Label(kPauseHintLabel).SetCaption(text);
    FitPauseHintLabel();
}

} // namespace rg_lch_jxt
