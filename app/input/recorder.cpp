// The recorder: events in, step codes out, with the press held back until the next event.
#include "app/input/recorder.h"

#include <algorithm>
#include <climits>

#include "runtime/core/int64_text.h"

namespace {

// The generic key of a left or right modifier; any other key as it is.
int32_t GenericKey(int32_t vk) {
    switch (vk) {
    case 0xA0: // left and right Shift
    case 0xA1:
        return 16;
    case 0xA2: // left and right Ctrl
    case 0xA3:
        return 17;
    case 0xA4: // left and right Alt
    case 0xA5:
        return 18;
    default:
        return vk;
    }
}

// Step values are 32-bit; a hold or a pause of more than 24 days is cut to the largest.
int64_t Clamp32(int64_t v) {
    return std::clamp<int64_t>(v, INT32_MIN, INT32_MAX);
}

} // namespace

void CRecorder::Start(int32_t trigger_key, int64_t frequency) {
    m_bRecording = true;
    m_Sides.clear();
    m_bOwnSpan = false;
    m_nTriggerKey = trigger_key;
    m_nFrequency = frequency > 0 ? frequency : 1;
    m_bHasBase = false;
    m_nLastMs = 0;
    m_Held.clear();
    m_bPending = false;
    m_bHasPosition = false;
}

void CRecorder::Stop() {
    if (!m_bRecording)
        return;
    FlushPending();
    for (auto it = m_Held.rbegin(); it != m_Held.rend(); ++it)
        EmitHeld(*it, TEXT("-"));
    m_Held.clear();
    m_Sides.clear();
    m_bRecording = false;
}

std::vector<CWString> CRecorder::TakeSteps() {
    std::vector<CWString> steps;
    steps.swap(m_Steps);
    return steps;
}

bool CRecorder::IsExcludedKey(int32_t vk) const {
    return vk == kScrollLockKey || vk == kPauseKey || vk == m_nTriggerKey;
}

bool CRecorder::IsHeld(const Held& item) const {
    return std::find(m_Held.begin(), m_Held.end(), item) != m_Held.end();
}

bool CRecorder::AnyButtonHeld() const {
    return std::any_of(m_Held.begin(), m_Held.end(), [](const Held& h) { return h.button; });
}

int64_t CRecorder::MillisecondsOf(int64_t time) {
    if (!m_bHasBase) {
        m_bHasBase = true;
        m_nBase = time;
    }
    if (m_bOwnSpan) {
        // The span spent in the program's own windows is over: it leaves the timeline.
        m_bOwnSpan = false;
        m_nBase += m_nOwnLast - m_nOwnFirst;
    }
    // Whole seconds and the rest apart, so that a long recording cannot overflow.
    int64_t d = std::max<int64_t>(time - m_nBase, 0);
    int64_t whole = d / m_nFrequency;
    int64_t rest = d % m_nFrequency;
    return whole * 1000 + (rest * 1000 + m_nFrequency / 2) / m_nFrequency;
}

void CRecorder::Feed(const InputEvent& event) {
    if (!m_bRecording || event.injected)
        return;
    switch (event.kind) {
    case InputKind::KeyDown:
    case InputKind::KeyUp: {
        const int32_t side = event.code & 0xFF;
        const int32_t vk = GenericKey(side);
        if (IsExcludedKey(vk))
            return;
        bool down = event.kind == InputKind::KeyDown;
        // A second key-down is auto-repeat; a key-up without its key-down began before.
        if (IsSideDown(side) == down)
            return;
        // With the other side of the same modifier down, the generic key is down already and
        // stays down: only the first side's press and the last side's release make steps.
        const bool other_side_down = down && GenericKeyDown(vk);
        if (down)
            m_Sides.push_back(side);
        else
            m_Sides.erase(std::find(m_Sides.begin(), m_Sides.end(), side));
        if (other_side_down || (!down && GenericKeyDown(vk)))
            return;
        Held key{false, vk};
        int64_t ms = MillisecondsOf(event.time);
        if (down)
            Press(key, ms);
        else
            Release(key, ms);
        return;
    }
    case InputKind::ButtonDown:
    case InputKind::ButtonUp: {
        if (event.code < 1 || event.code > 3)
            return;
        Held button{true, event.code};
        bool down = event.kind == InputKind::ButtonDown;
        if (IsHeld(button) == down)
            return;
        int64_t ms = MillisecondsOf(event.time);
        if (down) {
            BeginEvent(ms);
            EmitPositionIfNew(event.x, event.y);
            m_nPathMs = ms;
            Press(button, ms);
        } else if (!m_bHasPosition || event.x != m_nX || event.y != m_nY) {
            // Moved since the last recorded point: the path's end comes first, and the
            // press, no longer directly followed by its release, goes out as `+`.
            BeginEvent(ms);
            EmitPositionIfNew(event.x, event.y);
            Release(button, ms);
        } else {
            Release(button, ms);
        }
        return;
    }
    case InputKind::Move: {
        if (!AnyButtonHeld() || (m_bHasPosition && event.x == m_nX && event.y == m_nY))
            return;
        int64_t ms = MillisecondsOf(event.time);
        if (ms - m_nPathMs < kPathIntervalMs)
            return;
        BeginEvent(ms);
        EmitPositionIfNew(event.x, event.y);
        m_nPathMs = ms;
        return;
    }
    }
}

void CRecorder::FeedOwn(const InputEvent& event) {
    if (!m_bRecording || event.injected)
        return;
    const bool release = event.kind == InputKind::KeyUp || event.kind == InputKind::ButtonUp;
    const bool recorded_down = event.kind == InputKind::KeyUp ? IsSideDown(event.code & 0xFF)
                                                              : IsHeld(Held{true, event.code});
    // Moves only count during a recorded drag, whose path may cross our windows; and what was
    // recorded going down is recorded going up, so that no recorded press stays held.
    if (event.kind == InputKind::Move || (release && recorded_down)) {
        Feed(event);
        return;
    }
    // Before the first recorded event there is no timeline to cut from.
    if (!m_bHasBase)
        return;
    if (!m_bOwnSpan) {
        m_bOwnSpan = true;
        m_nOwnFirst = event.time;
    }
    m_nOwnLast = std::max(event.time, m_nOwnFirst);
}

bool CRecorder::IsSideDown(int32_t side) const {
    return std::find(m_Sides.begin(), m_Sides.end(), side) != m_Sides.end();
}

bool CRecorder::GenericKeyDown(int32_t vk) const {
    return std::any_of(m_Sides.begin(), m_Sides.end(),
                       [vk](int32_t side) { return GenericKey(side) == vk; });
}

void CRecorder::BeginEvent(int64_t ms) {
    FlushPending();
    // The first event has no delay before it, and a delay of 0 is no step.
    if (ms > m_nLastMs)
        Emit(TEXT('D'), Clamp32(ms - m_nLastMs));
    m_nLastMs = ms;
}

void CRecorder::FlushPending() {
    if (!m_bPending)
        return;
    m_bPending = false;
    EmitHeld(m_Pending, TEXT("+"));
}

void CRecorder::Press(const Held& item, int64_t ms) {
    // A button press has begun its event already (its position goes between delay and press).
    if (!item.button)
        BeginEvent(ms);
    m_Held.push_back(item);
    m_bPending = true;
    m_Pending = item;
    m_nPendingMs = ms;
}

void CRecorder::Release(const Held& item, int64_t ms) {
    m_Held.erase(std::find(m_Held.begin(), m_Held.end(), item));
    if (m_bPending && m_Pending == item) {
        // Nothing came between the press and its release: one step with the hold.
        m_bPending = false;
        m_nLastMs = ms;
        Emit(item.button ? TEXT('B') : TEXT('A'), item.code, TEXT("@"));
        WCHAR digits[kInt64TextUnits];
        m_Steps.back().Append(Int64ToText(Clamp32(ms - m_nPendingMs), digits));
        return;
    }
    BeginEvent(ms);
    EmitHeld(item, TEXT("-"));
}

bool CRecorder::EmitPositionIfNew(int32_t x, int32_t y) {
    if (m_bHasPosition && x == m_nX && y == m_nY)
        return false;
    m_bHasPosition = true;
    m_nX = x;
    m_nY = y;
    Emit(TEXT('E'), x, TEXT("@"));
    WCHAR digits[kInt64TextUnits];
    m_Steps.back().Append(Int64ToText(y, digits));
    return true;
}

void CRecorder::EmitHeld(const Held& item, const WCHAR* suffix) {
    Emit(item.button ? TEXT('B') : TEXT('A'), item.code, suffix);
}

void CRecorder::Emit(WCHAR kind, int64_t value, const WCHAR* suffix) {
    WCHAR head[2] = {kind, 0};
    WCHAR digits[kInt64TextUnits];
    CWString code(head);
    code.Append(Int64ToText(value, digits));
    if (suffix != nullptr)
        code.Append(suffix);
    m_Steps.push_back(code);
}
