// The keys and mouse buttons that a replay holds down between steps ("A<n>+", "B<k>+"), so that
// the run can let go of every one still down when it ends or is stopped: no scheme may leave a
// key down after its run.
//
// Owned by one run's worker and touched only by it.
#pragma once

#include <cstdint>
#include <vector>

// One key (a virtual-key code) or mouse button (1 left, 2 right, 3 middle).
struct HeldInput {
    bool button = false;
    uint8_t code = 0;

    bool operator==(const HeldInput&) const = default;
};

class HeldInputs {
public:
    // Notes an input as down; one already held keeps its place.
    void Add(HeldInput input);
    // Notes an input as up; one that is not held is ignored.
    void Remove(HeldInput input);
    // Every input still down, the latest pressed first (the order to release them in), and
    // forgets them.
    std::vector<HeldInput> TakeAll();
    bool Empty() const { return m_inputs.empty(); }
    bool Holds(HeldInput input) const;

private:
    std::vector<HeldInput> m_inputs; // in the order of their presses
};
