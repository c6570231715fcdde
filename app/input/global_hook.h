// rg_qj_gzl__n ("global hook"): the system-wide low-level keyboard and mouse hook, which
// turns every key and button that goes down or up anywhere into an event of this object.
//
// Module-wide state, one per program (in global_hook.cpp): the current hook object and the
// handles of the keyboard and the mouse hook. Only the thread that constructs and destroys
// hook objects touches it, and the system calls the hook procedure on that same thread (the
// one that installed the hooks, which must handle messages: the user-interface thread), so it
// needs no lock.
//
// Events, each bound as for any control (EventBinding) and fired synchronously from the hook
// procedure as handler(target, hook object, user value, a1, a2):
//   a1: the virtual-key code (keys) or the button number, 1 left, 2 right, 3 middle;
//   a2: 1 when the event is a release that the replay engine sent because its run was stopped
//       (injected, extra information kReplayStopMark); 3 when it is any other input of a run
//       (kReplayInputMark); 2 when it is the release of a lock key (Caps, Num or Scroll Lock)
//       that the system pressed and released in one go to bring its lock state in line with
//       the keyboard's: not injected, right after its press and with the same time stamp (Wine
//       sends such a pair before the next key when Scroll Lock was pressed on a display that
//       keeps no Scroll Lock state); else 0. The trigger handler ignores all but 0: stopping a
//       run that holds the trigger key must not start it again, a scheme that types the
//       trigger key must not stop itself, and no user pressed the lock key of such a pair.
// Key released fires on WM_KEYUP, and on WM_SYSKEYUP unless the user holds Alt: a key released
// with the user's Alt held fires nothing (an Alt shortcut), but F10 by itself (a system key
// without Alt) and any key released while only a run holds Alt (its own marked Alt) fire as
// ordinary releases, so the trigger stops every run, whatever it holds. The procedure tells the
// user's Alt from a run's by the marks of the Alt presses and releases it sees. Key pressed
// fires on WM_KEYDOWN and WM_SYSKEYDOWN, auto-repeat included. Every event is passed on to the
// next hook, whatever the handlers answer.
//
// While an input sink is set (a recording), the procedure also hands it every event of both
// hooks before the bindings fire: key presses and releases (system keys included), button
// presses and releases and cursor moves, each with its injected flag, the cursor point of a
// mouse event and the performance-counter time of the call. The sink runs inside the hook
// call too, so it must be as short: keep the event, post to a window, return.
//
// The system removes a low-level hook that does not answer in time, silently and for good.
// The procedure therefore also records the tick (GetTickCount) of every event it sees, so
// that the hook watchdog (app/input/hook_watchdog.h) can notice input it missed and call Rehook.
#pragma once

#include "app/input/input_event.h"
#include "platform/platform.h"
#include "runtime/core/rix_object.h"
#include "runtime/ui/event_binding.h"

namespace rg_lch_qmlt_ymk_lumeOak {

// The second argument (a2) of a key or button event: who sent it (see above).
enum HookMark : int64_t {
    kUserInput = 0,
    kStopRelease = 1, // a release a stopped run sent
    kLockSync = 2,    // half of the system's own lock-key pair
    kReplayInput = 3, // any other input of a run
};

// Receives the events of the hook procedure while set on the hook object (see above).
class IHookInputSink {
public:
    virtual void OnHookInput(const InputEvent& event) = 0;

protected:
    ~IHookInputSink() = default;
};

class rg_qj_gzl__n : public CRixObject {
    RIX_OBJECT(rg_qj_gzl__n, CRixObject, "rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n")
    RIX_NO_OWN_FIELDS(rg_qj_gzl__n)
public:
    // Makes this object the current hook object and, unless they are installed already,
    // installs the mouse and then the keyboard hook, system-wide. A failed installation is not
    // reported: the object then receives no events.
    rg_qj_gzl__n();
    // A copy is a new hook object with the source's two object words; bindings and the input
    // sink are never copied.
    rg_qj_gzl__n(const rg_qj_gzl__n& other);
    rg_qj_gzl__n& operator=(const rg_qj_gzl__n& other);
    // When this is the current hook object: removes the keyboard and then the mouse hook, and
    // the current hook object becomes none. A hook object that a later one has replaced leaves
    // the hooks to the current one. The bindings' targets are released in the order button
    // pressed, button released, key pressed, key released.
    ~rg_qj_gzl__n() override;

    // Attributes
    //
    // The current hook object, the one the hook procedure fires; null when there is none.
    static rg_qj_gzl__n* Current();
    // Whether both hooks are installed, as far as this object knows: the system may have
    // removed one since.
    static bool IsInstalled();
    // The module-wide hook handles (null when not installed).
    static HHOOK KeyboardHook();
    static HHOOK MouseHook();
    // The GetTickCount time of the last event the procedure saw, of either hook; the time of
    // the last installation when it has seen none since.
    static DWORD LastEventTick();

    // Operations
    //
    // When this is the current hook object: removes the keyboard and then the mouse hook
    // (whether or not the system still has them), installs the mouse and then the keyboard
    // hook again, and counts the installation as the last event. The bindings stay as they
    // are. Answers whether both hooks are installed now; false, doing nothing, for a hook
    // object that is not the current one.
    bool Rehook();

    // The sink that gets every event from now on, or null for none (the start). Not owned: the
    // owner clears it before the sink goes.
    void SetInputSink(IHookInputSink* sink) { m_pInputSink = sink; }
    IHookInputSink* GetInputSink() const { return m_pInputSink; }

    // Events
    EventBinding& KeyReleased() { return m_KeyReleased; }
    EventBinding& KeyPressed() { return m_KeyPressed; }
    EventBinding& ButtonReleased() { return m_ButtonReleased; }
    EventBinding& ButtonPressed() { return m_ButtonPressed; }

    // The procedure of both hooks, public so that a benchmark can measure it as installed.
    static LRESULT CALLBACK HookProcedure(int code, WPARAM wparam, LPARAM lparam);

private:
    void Install();

    // Declared in this order; destroyed in the reverse one.
    EventBinding m_KeyReleased;
    EventBinding m_KeyPressed;
    EventBinding m_ButtonReleased;
    EventBinding m_ButtonPressed;
    IHookInputSink* m_pInputSink = nullptr;
};

} // namespace rg_lch_qmlt_ymk_lumeOak
