// Internal to the simulated backend: the span form of regions, shared by the region calls
// (sim_region.cpp) and by painting, which clips with regions (sim_paint.cpp).
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "platform/sim/sim_region.h"

namespace sim::detail {

// Row y -> the pixel spans [left, right) of that row, sorted and apart from each other.
struct Spans {
    std::map<LONG, std::vector<std::pair<LONG, LONG>>> rows;

    static Spans FromRect(const RECT& rect);
    bool Contains(LONG x, LONG y) const;
    bool IsEmpty() const { return rows.empty(); }
    RECT Box() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Kind() const;
    static Spans Combine(const Spans& a, const Spans& b, int mode);
};

// A copy of the region's spans; false for anything that is not a live region.
bool CopyRegionSpans(HRGN region, Spans* spans);
// A new region handle holding spans.
HRGN MakeRegion(Spans spans);

} // namespace sim::detail
