// Answers, in order, the input dialogs and message boxes that the code under test opens on the
// test's thread, the same way on both backends, and records what the message boxes said.
//
// Input dialogs are real dialog windows on both backends: a helper thread waits for the
// dialog with the expected title to be shown, puts the text into its edit field and chooses OK
// (or Cancel). Message boxes are windows on Windows, answered by the same thread with a
// command for the wanted button; the simulation asks its message-box answerer instead, which
// takes the next step on the test's thread. A box that comes out of turn is not answered as
// the script says and counts as a mismatch.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "tests/support/temp_folder.h"

class ModalScript {
public:
    ModalScript();
    // Stops watching; steps not reached stay unanswered.
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The next box is the input dialog titled `title`: enter `text` and choose OK.
    ModalScript& Input(const WString& title, const WString& text);
    // The next box is the input dialog titled `title`: choose Cancel.
    ModalScript& CancelInput(const WString& title);
    // The next box is a message box captioned `caption`: answer `button` (IDOK, IDYES, ...).
    ModalScript& Message(const WString& caption, int button);

    // Begins answering; call after the steps are given and before the code opens its boxes.
    void Start();

    // How many steps were answered, and whether a box came out of turn or never came.
    size_t Answered();
    bool Failed();
    std::string Failure();
    // The texts of the message boxes answered, in order.
    std::vector<WString> MessageTexts();

private:
    struct Step {
        bool input;
        bool cancel;
        WString title;
        WString text; // input: the text to enter
        int button;   // message: the answer
    };

    void Watch();
    // Answers the steps in turn; returns when all are answered, on a failure or when stopped.
    void Answer();
    // Waits for a shown top-level window with the title; null after the time limit.
    HWND WaitForWindow(const WString& title);
    void Fail(const std::string& why);

    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<Step> steps_;       // fixed once started
    size_t next_ = 0;               // under lock_
    bool stop_ = false;             // under lock_
    std::string failure_;           // under lock_
    std::vector<WString> messages_; // under lock_
    std::thread thread_;
};
