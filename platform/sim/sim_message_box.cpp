// MessageBoxW answered by the test, or written to stderr.
#include "platform/sim/sim_message_box.h"

#include <cstdio>
#include <mutex>

#include "platform/sim/sim_path.h"

namespace {

std::mutex g_lock;
std::function<int(const sim::MessageBoxCall&)> g_answerer; // guarded by g_lock
std::vector<UINT> g_beeps;                                 // guarded by g_lock

int DefaultButton(UINT type) {
    bool second = (type & MB_DEFBUTTON2) != 0;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return second ? IDCANCEL : IDOK;
    case MB_YESNO:
        return second ? IDNO : IDYES;
    case MB_YESNOCANCEL:
        return second ? IDNO : IDYES;
    default:
        return IDOK;
    }
}

} // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    sim::MessageBoxCall call{owner, text != nullptr ? text : u"",
                             caption != nullptr ? caption : u"Error", type};
    std::function<int(const sim::MessageBoxCall&)> answerer;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        answerer = g_answerer;
    }
    if (answerer)
        return answerer(call);
    std::string t, c;
    sim::detail::Utf16ToUtf8(call.text, t);
    sim::detail::Utf16ToUtf8(call.caption, c);
    std::fprintf(stderr, "[MessageBox %s] %s\n", c.c_str(), t.c_str());
    std::fflush(stderr);
    return DefaultButton(type);
}

void sim::SetMessageBoxAnswerer(std::function<int(const MessageBoxCall&)> answerer) {
    std::lock_guard<std::mutex> guard(g_lock);
    g_answerer = std::move(answerer);
}

BOOL MessageBeep(UINT type) {
    std::lock_guard<std::mutex> guard(g_lock);
    g_beeps.push_back(type);
    return TRUE;
}

std::vector<UINT> sim::MessageBeeps() {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_beeps;
}

void sim::ClearMessageBeeps() {
    std::lock_guard<std::mutex> guard(g_lock);
    g_beeps.clear();
}
