// The modal script's watcher: one helper thread for the windows, and on the simulation the
// message-box answerer.
#include "tests/support/modal_script.h"

#include <chrono>

#if defined(KEYSEQ_PLATFORM_SIM)
#include "platform/sim/sim_message_box.h"
#endif

namespace {

// The edit field of the input dialog (both templates).
constexpr int kInputEditId = 28678;
constexpr DWORD kWaitLimitMs = 15000;

} // namespace

ModalScript::ModalScript() = default;

ModalScript::~ModalScript() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stop_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
#if defined(KEYSEQ_PLATFORM_SIM)
    sim::SetMessageBoxAnswerer({});
#endif
}

ModalScript& ModalScript::Input(const WString& title, const WString& text) {
    steps_.push_back({true, false, title, text, IDOK});
    return *this;
}

ModalScript& ModalScript::CancelInput(const WString& title) {
    steps_.push_back({true, true, title, WString(), IDCANCEL});
    return *this;
}

ModalScript& ModalScript::Message(const WString& caption, int button) {
    steps_.push_back({false, false, caption, WString(), button});
    return *this;
}

void ModalScript::Start() {
#if defined(KEYSEQ_PLATFORM_SIM)
    sim::SetMessageBoxAnswerer([this](const sim::MessageBoxCall& call) {
        std::lock_guard<std::mutex> guard(lock_);
        WString caption(call.caption.begin(), call.caption.end());
        if (next_ >= steps_.size() || steps_[next_].input || steps_[next_].title != caption) {
            if (failure_.empty())
                failure_ = "message box out of turn: " + Narrow(caption) + ": " +
                           Narrow(WString(call.text.begin(), call.text.end()));
            return IDCANCEL;
        }
        messages_.emplace_back(call.text.begin(), call.text.end());
        int button = steps_[next_].button;
        ++next_;
        changed_.notify_all();
        return button;
    });
#endif
    thread_ = std::thread([this] { Watch(); });
}

void ModalScript::Fail(const std::string& why) {
    std::lock_guard<std::mutex> guard(lock_);
    if (failure_.empty())
        failure_ = why;
}

HWND ModalScript::WaitForWindow(const WString& title) {
    auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitLimitMs);
    for (;;) {
        HWND hwnd = FindWindowW(nullptr, title.c_str());
        if (hwnd != nullptr && IsWindowVisible(hwnd))
            return hwnd;
        std::unique_lock<std::mutex> guard(lock_);
        if (stop_ || std::chrono::steady_clock::now() > give_up)
            return nullptr;
        changed_.wait_for(guard, std::chrono::milliseconds(20));
    }
}

void ModalScript::Watch() {
    Answer();
    // After a failure the code under test may still wait in a box of the script: close every
    // such box, so that the test ends (and reports) instead of hanging.
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (stop_ || failure_.empty())
                return;
        }
        for (const Step& step : steps_) {
            HWND box = FindWindowW(nullptr, step.title.c_str());
            if (box != nullptr) {
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
            }
        }
        Sleep(50);
    }
}

void ModalScript::Answer() {
    for (;;) {
        Step step;
        {
            std::unique_lock<std::mutex> guard(lock_);
            if (stop_ || next_ >= steps_.size() || !failure_.empty())
                return;
            step = steps_[next_];
        }
#if defined(KEYSEQ_PLATFORM_SIM)
        if (!step.input) {
            // The answerer takes it on the test's thread.
            std::unique_lock<std::mutex> guard(lock_);
            size_t at = next_;
            changed_.wait_for(guard, std::chrono::milliseconds(50),
                              [&] { return stop_ || next_ != at || !failure_.empty(); });
            continue;
        }
#endif
        HWND box = WaitForWindow(step.title);
        if (box == nullptr) {
            Fail("no window titled " + Narrow(step.title) + " came");
            return;
        }
        if (step.input) {
            if (!step.cancel) {
                HWND edit = GetDlgItem(box, kInputEditId);
                SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text.c_str()));
            }
        } else {
            // The message box's text is its static control 0xFFFF.
            WCHAR text[512] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            std::lock_guard<std::mutex> guard(lock_);
            messages_.emplace_back(text);
        }
        {
            // Counted before the answer goes: the code may open its next box at once, and the
            // simulation's message boxes take their step on the test's thread.
            std::lock_guard<std::mutex> guard(lock_);
            ++next_;
        }
        changed_.notify_all();
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED), 0);
        // The next box may have the same title: wait until this one is gone.
        auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitLimitMs);
        while (IsWindow(box) && IsWindowVisible(box)) {
            if (std::chrono::steady_clock::now() > give_up) {
                Fail("the window titled " + Narrow(step.title) + " did not close");
                return;
            }
            Sleep(10);
        }
    }
}

size_t ModalScript::Answered() {
    std::lock_guard<std::mutex> guard(lock_);
    return next_;
}

bool ModalScript::Failed() {
    std::lock_guard<std::mutex> guard(lock_);
    return !failure_.empty();
}

std::string ModalScript::Failure() {
    std::lock_guard<std::mutex> guard(lock_);
    return failure_;
}

std::vector<WString> ModalScript::MessageTexts() {
    std::lock_guard<std::mutex> guard(lock_);
    return messages_;
}
