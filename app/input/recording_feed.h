// CRecordingFeed: the global hook's input sink during a recording. It feeds each event to a
// recorder and, when the recorder has steps waiting, posts one WM_COMMAND with a command id to
// a window, which takes the steps and appends them outside the hook call. No second command is
// posted until the window has said it took them (Taken), so a burst of events costs one post.
//
// User-interface thread only: the hook procedure, which calls OnHookInput, and the window
// procedure that handles the command run there.
#pragma once

#include "app/input/global_hook.h"
#include "app/input/recorder.h"
#include "platform/platform.h"

class CRecordingFeed final : public rg_lch_qmlt_ymk_lumeOak::IHookInputSink {
public:
    explicit CRecordingFeed(CRecorder& recorder) : m_Recorder(recorder) {}
    CRecordingFeed(const CRecordingFeed&) = delete;
    CRecordingFeed& operator=(const CRecordingFeed&) = delete;

    // The window to tell and its command (a WM_COMMAND with this id and no control).
    void SetWindow(HWND window, int command_id);

    // Posts the command unless one is on its way already.
    void Notify();
    // The window has taken the steps: the next steps post again.
    void Taken() { m_bPosted = false; }

    void OnHookInput(const InputEvent& event) override;

private:
    CRecorder& m_Recorder;
    HWND m_hWindow = nullptr;
    int m_nCommand = 0;
    bool m_bPosted = false;
};
