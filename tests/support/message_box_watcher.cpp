// The Windows watcher: polls for the box, reads its text from the dialog's static controls and
// dismisses it. Only the Windows build has real boxes to answer.
#include "tests/support/message_box_watcher.h"

#if defined(KEYSEQ_PLATFORM_WIN32)

#include <chrono>
#include <cstdio>
#include <string>

#include "tests/support/utf8_text.h"

namespace {

using WText = std::basic_string<WCHAR>;

// The message is the longest text among the box's static controls (the icon is a static
// control too, without text); the control's id is not the same on every implementation.
BOOL CALLBACK CollectStaticText(HWND child, LPARAM out) {
    WCHAR cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (lstrcmpiW(cls, TEXT("Static")) != 0)
        return TRUE;
    int length = GetWindowTextLengthW(child);
    WText text(static_cast<size_t>(length) + 1, 0);
    text.resize(static_cast<size_t>(GetWindowTextW(child, text.data(), length + 1)));
    auto* best = reinterpret_cast<WText*>(out);
    if (text.size() > best->size())
        *best = text;
    return TRUE;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(const WCHAR* caption)
    : caption_(caption), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

void MessageBoxWatcher::Watch() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        HWND box = FindWindowW(nullptr, caption_);
        // The dialog fills in its text before it is shown.
        if (box != nullptr && IsWindowVisible(box)) {
            WText text;
            EnumChildWindows(box, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
            // Raw UTF-8 bytes: the death test matches bytes, not the console's code page.
            std::string line = "[MessageBox " + Utf8(caption_) + "] " + Utf8(text.c_str()) + "\n";
            std::fwrite(line.data(), 1, line.size(), stderr);
            std::fflush(stderr);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

#endif
