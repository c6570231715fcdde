// CRecorder: turns the key and mouse events of a recording into step codes, as they come.
//
// Recorded are the presses and releases of keys and mouse buttons that were not injected,
// except Scroll Lock (which starts and stops the recording), the trigger key and Pause (which
// keep their own jobs); a key-down of a key already down is auto-repeat and no event, and a
// release whose press came before the recording is none either. The left and right Shift,
// Ctrl and Alt keys are recorded as the generic key (16, 17, 18), which is what a step line
// names and what the key box records.
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
    // The steps made since the last call, oldest first.
    std::vector<CWString> TakeSteps();

private:
    struct Held {
        bool button;
        int32_t code;
        bool operator==(const Held&) const = default;
    };

    bool IsExcludedKey(int32_t vk) const;
    bool IsHeld(const Held& item) const;
    bool AnyButtonHeld() const;
    // Milliseconds from the first recorded event, rounded.
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
    std::vector<Held> m_Held;
    bool m_bPending = false;
    Held m_Pending{false, 0};
    int64_t m_nPendingMs = 0;
    bool m_bHasPosition = false;
    int32_t m_nX = 0, m_nY = 0; // the last recorded position
    int64_t m_nPathMs = 0;      // of the last recorded point while a button is down
    std::vector<CWString> m_Steps;
};
