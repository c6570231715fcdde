// Answers the next pop-up menu that the calling thread shows, the same way on both backends,
// and tells where the menu appeared.
//
// The simulation takes the choice from its queue and records the position TrackPopupMenu was
// given. On Windows a pop-up menu runs a modal loop until a user acts, so a helper thread
// finds the shown menu window (class "#32768") of the calling thread, reads its rectangle and
// then presses keys into it: Down once per item up to the wanted one and Enter, or Esc to
// dismiss it.
#pragma once

#include "platform/platform.h"

#if defined(KEYSEQ_PLATFORM_WIN32)
#include <atomic>
#include <thread>
#endif

class PopupMenuAnswer {
public:
    // Chooses the command item `id`, which is the item at `position` of the menu shown (counted
    // without separators; the simulation goes by the id, the keyboard by the position). An id
    // of 0 dismisses the menu.
    PopupMenuAnswer(UINT id, int position);
    ~PopupMenuAnswer();
    PopupMenuAnswer(const PopupMenuAnswer&) = delete;
    PopupMenuAnswer& operator=(const PopupMenuAnswer&) = delete;

    // After TrackPopupMenu has returned: whether a menu was shown and answered, and the
    // top-left corner of the menu on the screen.
    bool Seen();
    POINT TopLeft();

private:
#if defined(KEYSEQ_PLATFORM_WIN32)
    void Watch();

    DWORD thread_id_;
    int position_;
    bool choose_;
    std::atomic<bool> stop_{false}; // set by the test's thread, read by the helper
    std::atomic<bool> seen_{false}; // set by the helper before it presses the keys
    std::atomic<LONG> left_{0};
    std::atomic<LONG> top_{0};
    std::thread thread_;
#endif
};
