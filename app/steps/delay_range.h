// Delays of a random length: the argument "50~80" of a D code waits a whole number of
// milliseconds drawn afresh, uniformly, from 50 to 80 each time the step runs (the ends may
// come in either order), so that a replay does not repeat the exact same rhythm.
//
// An argument is a range when it holds a "~" with a number on both sides of the first one,
// each read by the decimal rule of step arguments and holding at least one digit. Anything
// else is a plain delay read as it always was: the decimal rule stops at the "~", so "50~x"
// and an older reader of "50~80" both wait 50 ms.
#pragma once

#include <cstdint>
#include <random>

#include "platform/platform.h"

struct DelayRange {
    // The ends as written, first the one before the "~"; equal for a plain delay.
    int32_t first = 0;
    int32_t second = 0;
    // Written as a range, "~" and both numbers, even with equal ends: "-1~-1" is a range of
    // 0 ms, where the plain "-1" waits until the run is stopped.
    bool ranged = false;

    bool IsRange() const { return ranged; }
};

// Reads the argument of a D code (the units after the letter).
DelayRange ParseDelayRange(const WCHAR* argument);

// The milliseconds one run of the step waits. A plain delay waits its value as an unsigned
// number, so -1 waits until the run is stopped; a range draws from its ends, a negative end
// counting as 0 (a range means a bounded wait, whatever its ends: "-1~-1" waits 0 ms).
uint32_t DrawDelayMs(const DelayRange& range, std::mt19937& random);
