// CRecorder: turns the key and mouse events of a recording into step codes, as they come.
//
// Recorded are the presses and releases of keys and mouse buttons that were not injected,
// except Scroll Lock (which starts and stops the recording), the trigger key and Pause (which
// keep their own jobs); a key-down of a key already down is auto-repeat and no event, and a
// release whose press came before the recording is none either.
//
// The left and right Shift, Ctrl and Alt keys (the hook reports VK_LSHIFT, VK_RSHIFT, ...) are
// recorded as the generic key (16, 17, 18), which is what a step line names, what the key box
// records and what every program reading a key's state sees: VK_SHIFT is down while either
// Shift is. Each side is tracked apart, so a hold of both sides across each other ("left
// down, right down, left up, right up") records the generic key down at the first side's
// press and up at the last side's release, the true times of the span in which Shift was
// down; the presses and releases between change nothing and make no step. (Codes of their
// own per side would replay each side, but read as keys the key box never makes, and an older
// reader would press keys 160 to 165 that some programs take for no modifier at all.)
//
// Input that goes to the program's own windows (FeedOwn: the window under the cursor, or the
// foreground window for keys, belongs to this process; the feed decides, app/input/
// recording_feed.h) is not recorded: clicking "保存本方案" and typing a name during a
// recording puts nothing into the scheme. The recording goes on around it, and the time
// from the first to the last input to our own windows in a row is left out of the delays, as
// a user who saves half-way means no pause there; the way to and from our windows stays.
//
// The codes:
// - Before each recorded event, `D<ms>` with the time since the previous one, unless it is
//   0; none before the first. Milliseconds are counted from the first event and rounded, so the
//   delays of a recording add up to its length.
// - A press directly followed by the release of the same key or button is one step,
//   `A<vk>@<held ms>` or `B<button>@<held ms>`; otherwise the press is `A<vk>+` / `B<b>+` and
//   the release `A<vk>-` / `B<b>-`. Modifiers pressed with a key are therefore their own `+`
//   and `-` steps around it, in the order and with the timing they had.
// - A button press is preceded by `E<x>@<y>` of its point when that is not the last recorded
//   position. While a button is down, cursor moves are recorded as `E` steps (with their delays)
//   at most one per kPathIntervalMs, and a release away from the last recorded position gets
//   its own `E` first, so a drag replays along its path and ends where it ended.
// - Stop: a key or button still down gets its `-` step (latest pressed first), so a recording
//   never leaves anything held.
//
// Since a press's form depends on the next event, a press is held back until that event (or
// the stop) decides between `@` and `+`; its delay is emitted at once. Everything else is
// emitted with the event that makes it.
//
// Not thread-safe: one thread feeds and takes (the user-interface thread, where the hook
// procedure runs).
#pragma once

#include <cstdint>
#include <vector>

#include "app/input/input_event.h"
#include "runtime/core/wstring.h"

class CRecorder {
public:
    static constexpr int32_t kScrollLockKey = 145;
    static constexpr int32_t kPauseKey = 19;
    static constexpr int64_t kPathIntervalMs = 16;

    // Attributes
    bool IsRecording() const { return m_bRecording; }
    // Whether steps wait to be taken.
    bool HasSteps() const { return !m_Steps.empty(); }

    // Operations
    //
    // Starts a recording with nothing held and no position known. frequency: counter ticks per
    // second of the events' times (QueryPerformanceFrequency). Steps not yet taken are kept.
    void Start(int32_t trigger_key, int64_t frequency);
    // The trigger key changed during the recording.
    void SetTriggerKey(int32_t key) { m_nTriggerKey = key; }
    // Ends the recording: the held-back press becomes `+`, and every key or button still down
    // gets its `-` step, the latest pressed first, with no delay. Nothing when not recording.
    void Stop();
    // One event; nothing when not recording.
    void Feed(const InputEvent& event);
    // One event that went to one of the program's own windows: not recorded, and its time is
    // cut out of the delays (see above). Two kinds are still fed as usual: the release of a
    // key or button whose press was recorded, so that nothing recorded stays held, and moves,
    // which count only while a recorded button is down (a drag that crosses our windows).
    void FeedOwn(const InputEvent& event);
    // The steps made since the last call, oldest first.
    std::vector<CWString> TakeSteps();

private:
    struct Held {
        bool button;
        int32_t code;
        bool operator==(const Held&) const = default;
    };

    bool IsExcludedKey(int32_t vk) const;
    // Whether this side of a key (its code as the hook gives it) was recorded going down.
    bool IsSideDown(int32_t side) const;
    // Whether any side of the generic key is down.
    bool GenericKeyDown(int32_t vk) const;
    bool IsHeld(const Held& item) const;
    bool AnyButtonHeld() const;
    // Milliseconds from the first recorded event, rounded, with the spans spent in our own
    // windows left out.
    int64_t MillisecondsOf(int64_t time);
    // The common start of every recorded event at `ms`: the held-back press goes out as `+`,
    // then the delay since the previous event.
    void BeginEvent(int64_t ms);
    void FlushPending();
    void Press(const Held& item, int64_t ms);
    void Release(const Held& item, int64_t ms);
    // An E step when the point is not the last recorded position.
    bool EmitPositionIfNew(int32_t x, int32_t y);
    void Emit(WCHAR kind, int64_t value, const WCHAR* suffix = nullptr);
    void EmitHeld(const Held& item, const WCHAR* suffix);

    bool m_bRecording = false;
    int32_t m_nTriggerKey = 0;
    int64_t m_nFrequency = 1;
    bool m_bHasBase = false;
    int64_t m_nBase = 0;   // counter time of the first recorded event
    int64_t m_nLastMs = 0; // of the previous recorded event
    // Keys and buttons down, in the order they went down; the held-back press is among them.
    // Keys as their generic code.
    std::vector<Held> m_Held;
    // The keys down as the hook reported them, left and right sides apart.
    std::vector<int32_t> m_Sides;
    // Input to our own windows since the last recorded event: the counter times of its first
    // and last event.
    bool m_bOwnSpan = false;
    int64_t m_nOwnFirst = 0;
    int64_t m_nOwnLast = 0;
    bool m_bPending = false;
    Held m_Pending{false, 0};
    int64_t m_nPendingMs = 0;
    bool m_bHasPosition = false;
    int32_t m_nX = 0, m_nY = 0; // the last recorded position
    int64_t m_nPathMs = 0;      // of the last recorded point while a button is down
    std::vector<CWString> m_Steps;
};
