// Answers the message boxes a death test provokes. On Windows a message box waits for a user,
// so a watcher thread finds the box by its caption, writes it to stderr in the form the
// simulated MessageBoxW prints ("[MessageBox caption] text"), and presses OK; the death test's
// regex then reads the same line from both backends. The simulation writes and answers its
// boxes itself, so there the watcher has nothing to do.
#pragma once

#include "platform/platform.h"

#if defined(KEYSEQ_PLATFORM_WIN32)

#include <atomic>
#include <thread>

class MessageBoxWatcher {
public:
    // Watches for a top-level window titled `caption` (a literal that outlives the watcher)
    // until it has answered one, is destroyed, or some seconds have passed.
    explicit MessageBoxWatcher(const WCHAR* caption);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

private:
    void Watch();

    const WCHAR* caption_;
    std::atomic<bool> stop_{false}; // set by the owner's thread, read by the watcher thread
    std::thread thread_;
};

#else

class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(const WCHAR*) {}
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
};

#endif
