// The recording's input sink: feed the recorder, post when steps wait.
#include "app/input/recording_feed.h"

void CRecordingFeed::SetWindow(HWND window, int command_id) {
    m_hWindow = window;
    m_nCommand = command_id;
}

void CRecordingFeed::Notify() {
    if (m_bPosted || m_hWindow == nullptr)
        return;
    m_bPosted = PostMessageW(m_hWindow, WM_COMMAND, static_cast<WPARAM>(m_nCommand), 0) != FALSE;
}

void CRecordingFeed::OnHookInput(const InputEvent& event) {
    m_Recorder.Feed(event);
    if (m_Recorder.HasSteps())
        Notify();
}
