// A window class for platform tests: its window procedure records every message it receives,
// from any thread, and lets the test answer chosen messages itself. The same code runs on the
// simulated backend and on Windows (under Wine), which is what checks the one against the
// other.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/message_pump.h"

namespace keyseq_test {

inline std::basic_string<WCHAR> Text(const WCHAR* text) {
    return text;
}

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD thread;
};

// Answers a message instead of the default window procedure when it returns a value.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class TestWindows : public testing::Test {
public:
    static constexpr const WCHAR* kClassName = TEXT("KeyseqTestWindow");

    // The messages received, in order, keeping only the numbers listed (and only those for
    // hwnd, when given). Windows sends many more than the simulation; a test names the ones
    // it is about.
    std::vector<Received> Only(std::initializer_list<UINT> messages, HWND hwnd = nullptr) {
        std::vector<Received> result;
        EnterCriticalSection(&lock_);
        for (const Received& r : received_) {
            if (hwnd != nullptr && r.hwnd != hwnd)
                continue;
            for (UINT m : messages) {
                if (r.message == m) {
                    result.push_back(r);
                    break;
                }
            }
        }
        LeaveCriticalSection(&lock_);
        return result;
    }

    std::vector<UINT> Numbers(std::initializer_list<UINT> messages, HWND hwnd = nullptr) {
        std::vector<UINT> numbers;
        for (const Received& r : Only(messages, hwnd))
            numbers.push_back(r.message);
        return numbers;
    }

    void ClearReceived() {
        EnterCriticalSection(&lock_);
        received_.clear();
        LeaveCriticalSection(&lock_);
    }

    HWND Create(DWORD style, HWND parent = nullptr, int x = 0, int y = 0, int width = 100,
                int height = 80, const WCHAR* title = TEXT("test"), INT_PTR id = 0) {
        HWND hwnd = CreateWindowExW(0, kClassName, title, style, x, y, width, height, parent,
                                    reinterpret_cast<HMENU>(id), nullptr, nullptr);
        if (hwnd != nullptr && parent == nullptr)
            created_.push_back(hwnd);
        return hwnd;
    }

    // Handles messages of the calling thread until the condition holds or about ten seconds
    // have passed (a sanity bound, so that a fault fails the test instead of hanging it).
    bool PumpUntil(const std::function<bool()>& done) { return ::PumpUntil(done, 10000); }

    Handler handler;

protected:
    // The class style of the test windows (CS_DBLCLKS for tests of double clicks).
    virtual UINT ClassStyle() const { return 0; }

    void SetUp() override {
        current_ = this;
        InitializeCriticalSection(&lock_);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = ClassStyle();
        wc.lpfnWndProc = &TestWindows::Proc;
        wc.cbWndExtra = 16;
        wc.lpszClassName = kClassName;
        ASSERT_NE(RegisterClassExW(&wc), 0) << "error " << GetLastError();
    }

    void TearDown() override {
        for (HWND hwnd : created_) {
            if (IsWindow(hwnd))
                DestroyWindow(hwnd);
        }
        handler = nullptr;
        EXPECT_TRUE(UnregisterClassW(kClassName, nullptr)) << "error " << GetLastError();
        // Leftovers (a quit message, posted messages) must not reach the next test.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        current_ = nullptr;
        DeleteCriticalSection(&lock_);
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        TestWindows* self = current_;
        if (self == nullptr)
            return DefWindowProcW(hwnd, message, wparam, lparam);
        EnterCriticalSection(&self->lock_);
        self->received_.push_back({hwnd, message, wparam, lparam, GetCurrentThreadId()});
        LeaveCriticalSection(&self->lock_);
        if (self->handler) {
            if (auto answer = self->handler(hwnd, message, wparam, lparam))
                return *answer;
        }
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }

    static inline TestWindows* current_ = nullptr;
    CRITICAL_SECTION lock_;
    std::vector<Received> received_; // under lock_: window procedures run on several threads
    std::vector<HWND> created_;
};

} // namespace keyseq_test
