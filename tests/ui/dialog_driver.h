// Drives a modal dialog that a function under test opens and runs by itself: a timer of a
// hidden helper window fires inside the dialog's modal loop, finds the dialog by its title
// and runs the test's script on it (posting characters and keys as a user would). Main
// thread only; one driver at a time.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace keyseq_test {

class DialogDriver {
public:
    using Script = std::function<void(HWND dialog)>;

    // The script runs once the dialog titled `title` exists (it may not be shown yet).
    DialogDriver(const WCHAR* title, Script script) : title_(title), script_(std::move(script)) {
        helper_ = CreateWindowExW(0, TEXT("Static"), TEXT("driver"), WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, nullptr, nullptr);
        Current() = this;
        SetTimer(helper_, 1, 20, &DialogDriver::OnTimer);
    }
    ~DialogDriver() {
        Current() = nullptr;
        DestroyWindow(helper_);
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    bool Ran() const { return ran_; }

    // What a user's typing makes of a text: one WM_CHAR per unit, to the window.
    static void Type(HWND hwnd, const WCHAR* text) {
        for (; *text != 0; ++text)
            PostMessageW(hwnd, WM_CHAR, static_cast<WPARAM>(*text), 1);
    }
    static void PressKey(HWND hwnd, WPARAM key) { PostMessageW(hwnd, WM_KEYDOWN, key, 1); }

private:
    static DialogDriver*& Current() {
        static DialogDriver* current = nullptr;
        return current;
    }
    static void CALLBACK OnTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) {
        DialogDriver* self = Current();
        if (self == nullptr || self->ran_)
            return;
        HWND dialog = FindWindowW(nullptr, self->title_.c_str());
        if (dialog == nullptr) {
            // No such dialog after some seconds: end the modal loop rather than hang.
            if (++self->ticks_ == kGiveUpTicks) {
                KillTimer(hwnd, id);
                ADD_FAILURE() << "no dialog with the expected title appeared";
                PostQuitMessage(0);
            }
            return;
        }
        KillTimer(hwnd, id);
        self->ran_ = true;
        self->script_(dialog);
    }

    std::basic_string<WCHAR> title_;
    Script script_;
    HWND helper_ = nullptr;
    bool ran_ = false;
    int ticks_ = 0;
    static constexpr int kGiveUpTicks = 500;
};

} // namespace keyseq_test
