// The recording's input sink: feed the recorder (telling it which input went to our own
// windows), post when steps wait.
#include "app/input/recording_feed.h"

bool IsOwnWindow(HWND window) {
    DWORD process = 0;
    return window != nullptr && GetWindowThreadProcessId(window, &process) != 0 &&
           process == GetCurrentProcessId();
}

bool GoesToOwnWindow(const InputEvent& event) {
    switch (event.kind) {
    case InputKind::KeyDown:
    case InputKind::KeyUp:
        return IsOwnWindow(GetForegroundWindow());
    case InputKind::ButtonDown:
    case InputKind::ButtonUp:
        return IsOwnWindow(WindowFromPoint(POINT{event.x, event.y}));
    case InputKind::Move:
        return false;
    }
    return false;
}

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
    // Injected input is not recorded whatever its window: no need to ask.
    if (!event.injected && GoesToOwnWindow(event))
        m_Recorder.FeedOwn(event);
    else
        m_Recorder.Feed(event);
    if (m_Recorder.HasSteps())
        Notify();
}
