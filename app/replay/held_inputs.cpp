// The held keys and buttons of a replay run.
#include "app/replay/held_inputs.h"

#include <algorithm>

void HeldInputs::Add(HeldInput input) {
    if (std::find(m_inputs.begin(), m_inputs.end(), input) == m_inputs.end())
        m_inputs.push_back(input);
}

void HeldInputs::Remove(HeldInput input) {
    std::erase(m_inputs, input);
}

std::vector<HeldInput> HeldInputs::TakeAll() {
    std::vector<HeldInput> all(m_inputs.rbegin(), m_inputs.rend());
    m_inputs.clear();
    return all;
}

bool HeldInputs::Holds(HeldInput input) const {
    return std::find(m_inputs.begin(), m_inputs.end(), input) != m_inputs.end();
}
