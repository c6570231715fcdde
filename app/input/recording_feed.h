// CRecordingFeed: the global hook's input sink during a recording. It feeds each event to a
// recorder and, when the recorder has steps waiting, posts one WM_COMMAND with a command id to
// a window, which takes the steps and appends them outside the hook call. No second command is
// posted until the window has said it took them (Taken), so a burst of events costs one post.
//
// Input that goes to the program's own windows is handed to the recorder as such (FeedOwn,
// not recorded): decided here, in the hook call, when the event happens, since what is under
// the cursor or in front may have changed by the time the window takes the steps. A key goes
// to the foreground window; a button press or release to the window under the cursor (the
// capture aside, which a press in our window takes for our window only). Moves are not
// asked about: the recorder records them only during a recorded drag.
//
// User-interface thread only: the hook procedure, which calls OnHookInput, and the window
// procedure that handles the command run there.
#pragma once

#include "app/input/global_hook.h"
#include "app/input/recorder.h"
#include "platform/platform.h"

// Whether a window belongs to this process (any of its threads): the main window, its
// dialogs and message boxes. False for null.
bool IsOwnWindow(HWND window);

// Whether an event goes to one of this process's windows: keys by the foreground window,
// buttons by the window under the event's point; false for moves.
bool GoesToOwnWindow(const InputEvent& event);

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
