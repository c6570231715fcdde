// The recording on the main window: Scroll Lock starts and stops it (main_form_trigger.cpp),
// the hook procedure feeds the recorder through the feed, and the steps are appended here, on
// the command the feed posts, as the add buttons append theirs.
#include "app/window/main_form.h"
#include "app/steps/step_text.h"

namespace rg_lch_jxt {

void rg_wdzhchk::StartRecording() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    m_Recorder.Start(m_nTriggerKey, frequency.QuadPart);
    m_RecordingFeed.SetWindow(GetSafeHwnd(), kRecordedStepsCommand);
    m_Hook.SetInputSink(&m_RecordingFeed);
    // For the label.
    m_RecordingFeed.Notify();
}

void rg_wdzhchk::StopRecording() {
    m_Hook.SetInputSink(nullptr);
    m_Recorder.Stop();
    m_RecordingFeed.Notify();
}

void rg_wdzhchk::TakeRecordedSteps() {
    m_RecordingFeed.Taken();
    for (const CWString& code : m_Recorder.TakeSteps())
        AddStep(code, StepDisplayText(code));
    bool recording = m_Recorder.IsRecording();
    if (recording != m_bRecordingShown) {
        m_bRecordingShown = recording;
        // A run's progress may have widened the label up to the clock tick this replaces.
        ShowPauseHint(CWString(recording ? kRecordingText : LayoutOf(kPauseHintLabel).caption),
                      false);
    }
}

} // namespace rg_lch_jxt
