// The two answerers of pop-up menus: the simulation's queue, and a helper thread that works a
// real menu window with the keyboard.
#include "tests/support/popup_menu_answer.h"

#if defined(KEYSEQ_PLATFORM_WIN32)

#include <chrono>

namespace {

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindShownMenu(HWND hwnd, LPARAM out) {
    WCHAR cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (lstrcmpW(cls, TEXT("#32768")) == 0 && IsWindowVisible(hwnd)) {
        reinterpret_cast<Search*>(out)->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

PopupMenuAnswer::PopupMenuAnswer(UINT id, int position)
    : thread_id_(GetCurrentThreadId()), position_(position), choose_(id != 0),
      thread_([this] { Watch(); }) {}

PopupMenuAnswer::~PopupMenuAnswer() {
    stop_ = true;
    thread_.join();
}

bool PopupMenuAnswer::Seen() {
    return seen_;
}

POINT PopupMenuAnswer::TopLeft() {
    return POINT{left_, top_};
}

void PopupMenuAnswer::Watch() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        Search search;
        EnumThreadWindows(thread_id_, &FindShownMenu, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            RECT rect{};
            GetWindowRect(search.found, &rect);
            left_ = rect.left;
            top_ = rect.top;
            seen_ = true;
            if (choose_) {
                // The menu opens with no item selected; each Down selects the next item.
                for (int i = 0; i <= position_; ++i)
                    PostMessageW(search.found, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageW(search.found, WM_CHAR, TEXT('\r'), 0);
            } else {
                PostMessageW(search.found, WM_KEYDOWN, VK_ESCAPE, 0);
            }
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // No menu showed up in time: end any menu loop so that the test fails instead of hanging.
    if (!stop_)
        EndMenu();
}

#else

#include "platform/sim/sim_testing.h"

PopupMenuAnswer::PopupMenuAnswer(UINT id, int) {
    sim::ResetPopupMenus();
    sim::QueuePopupMenuChoice(id);
}

PopupMenuAnswer::~PopupMenuAnswer() {
    sim::ResetPopupMenus();
}

bool PopupMenuAnswer::Seen() {
    return !sim::PopupMenuCalls().empty();
}

POINT PopupMenuAnswer::TopLeft() {
    auto calls = sim::PopupMenuCalls();
    return calls.empty() ? POINT{0, 0} : POINT{calls.back().x, calls.back().y};
}

#endif
