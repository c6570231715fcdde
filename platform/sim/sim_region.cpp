// Regions of the simulated backend (sim_region.h): span lists behind handles, and the shapes
// of windows.
#include "platform/sim/sim_region.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <mutex>
#include <unordered_map>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_gdi_kinds.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_region_spans.h"
#include "platform/sim/sim_window.h"

using sim::detail::Spans;

namespace {

using Row = std::vector<std::pair<LONG, LONG>>;

// Everything below is guarded by g_mutex; handle values are never reused.
std::mutex g_mutex;
std::unordered_map<uintptr_t, Spans> g_regions;
uintptr_t g_next = 0x50000;
std::unordered_map<HWND, Spans> g_shapes; // the shapes of windows

Spans* Find(HRGN region) {
    auto it = g_regions.find(reinterpret_cast<uintptr_t>(region));
    return it == g_regions.end() ? nullptr : &it->second;
}

// The spans of the pixels in [left, right) x [top, bottom) whose centres pass `inside`.
Spans FromPredicate(LONG left, LONG top, LONG right, LONG bottom,
                    const std::function<bool(double, double)>& inside) {
    Spans spans;
    for (LONG y = top; y < bottom; ++y) {
        Row row;
        for (LONG x = left; x < right; ++x) {
            if (!inside(x + 0.5, y + 0.5))
                continue;
            if (!row.empty() && row.back().second == x)
                row.back().second = x + 1;
            else
                row.emplace_back(x, x + 1);
        }
        if (!row.empty())
            spans.rows.emplace(y, std::move(row));
    }
    return spans;
}

bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0)
        return false;
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// Boundaries of the spans of one row, as sorted points where membership flips.
Row CombineRow(const Row& a, const Row& b, int mode) {
    std::vector<LONG> edges;
    for (const auto& s : a) {
        edges.push_back(s.first);
        edges.push_back(s.second);
    }
    for (const auto& s : b) {
        edges.push_back(s.first);
        edges.push_back(s.second);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    auto in = [](const Row& row, LONG x) {
        for (const auto& s : row) {
            if (x >= s.first && x < s.second)
                return true;
        }
        return false;
    };
    Row out;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const LONG x = edges[i];
        const bool ia = in(a, x);
        const bool ib = in(b, x);
        bool keep = false;
        switch (mode) {
        case RGN_AND:
            keep = ia && ib;
            break;
        case RGN_OR:
            keep = ia || ib;
            break;
        case RGN_XOR:
            keep = ia != ib;
            break;
        case RGN_DIFF:
            keep = ia && !ib;
            break;
        default:
            keep = ia;
            break;
        }
        if (!keep)
            continue;
        if (!out.empty() && out.back().second == x)
            out.back().second = edges[i + 1];
        else
            out.emplace_back(x, edges[i + 1]);
    }
    return out;
}

} // namespace

namespace sim::detail {

Spans Spans::FromRect(const RECT& rect) {
    Spans spans;
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return spans;
    for (LONG y = rect.top; y < rect.bottom; ++y)
        spans.rows.emplace(y, Row{{rect.left, rect.right}});
    return spans;
}

bool Spans::Contains(LONG x, LONG y) const {
    auto it = rows.find(y);
    if (it == rows.end())
        return false;
    for (const auto& s : it->second) {
        if (x >= s.first && x < s.second)
            return true;
    }
    return false;
}

RECT Spans::Box() const {
    if (rows.empty())
        return RECT{0, 0, 0, 0};
    RECT box{INT_MAX, rows.begin()->first, INT_MIN, rows.rbegin()->first + 1};
    for (const auto& [y, row] : rows) {
        box.left = std::min(box.left, row.front().first);
        box.right = std::max(box.right, row.back().second);
    }
    return box;
}

int Spans::Kind() const {
    if (rows.empty())
        return NULLREGION;
    const RECT box = Box();
    return Combine(FromRect(box), *this, RGN_XOR).IsEmpty() ? SIMPLEREGION : COMPLEXREGION;
}

Spans Spans::Combine(const Spans& a, const Spans& b, int mode) {
    if (mode == RGN_COPY)
        return a;
    Spans out;
    const Row none;
    auto rows_of = [&none](const Spans& s, LONG y) -> const Row& {
        auto it = s.rows.find(y);
        return it == s.rows.end() ? none : it->second;
    };
    std::vector<LONG> ys;
    for (const auto& [y, row] : a.rows)
        ys.push_back(y);
    for (const auto& [y, row] : b.rows)
        ys.push_back(y);
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    for (LONG y : ys) {
        Row row = CombineRow(rows_of(a, y), rows_of(b, y), mode);
        if (!row.empty())
            out.rows.emplace(y, std::move(row));
    }
    return out;
}

bool CopyRegionSpans(HRGN region, Spans* spans) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Spans* found = Find(region);
    if (found == nullptr)
        return false;
    *spans = *found;
    return true;
}

HRGN MakeRegion(Spans spans) {
    std::lock_guard<std::mutex> lock(g_mutex);
    uintptr_t handle = g_next;
    g_next += 4;
    g_regions.emplace(handle, std::move(spans));
    return reinterpret_cast<HRGN>(handle);
}

} // namespace sim::detail

namespace {

bool OwnsRegion(HGDIOBJ object) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return Find(static_cast<HRGN>(object)) != nullptr;
}

int GetRegionObject(HGDIOBJ, int, LPVOID) {
    // Regions have no object record to read, as on Windows.
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

BOOL DeleteRegion(HGDIOBJ object) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_regions.erase(reinterpret_cast<uintptr_t>(object)) != 0 ? TRUE : FALSE;
}

HGDIOBJ SelectRegion(HDC, HGDIOBJ) {
    // Selecting a region is SelectClipRgn's work; it answers no previous object.
    return nullptr;
}

} // namespace

const sim::detail::GdiObjectKind sim::detail::kRegionKind = {&OwnsRegion, &GetRegionObject,
                                                             &DeleteRegion, &SelectRegion};

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    RECT rect{std::min(left, right), std::min(top, bottom), std::max(left, right),
              std::max(top, bottom)};
    return sim::detail::MakeRegion(Spans::FromRect(rect));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (rect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double rx = (right - left) / 2.0;
    const double ry = (bottom - top) / 2.0;
    return sim::detail::MakeRegion(FromPredicate(left, top, right, bottom, [=](double x, double y) {
        return InEllipse(x, y, cx, cy, rx, ry);
    }));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
    const double rx = std::min(std::abs(width), right - left) / 2.0;
    const double ry = std::min(std::abs(height), bottom - top) / 2.0;
    auto inside = [=](double x, double y) {
        // Within a corner square the corner's quarter ellipse decides.
        const double cx = x < left + rx ? left + rx : (x > right - rx ? right - rx : x);
        const double cy = y < top + ry ? top + ry : (y > bottom - ry ? bottom - ry : y);
        if (cx == x || cy == y)
            return true;
        return InEllipse(x, y, cx, cy, rx, ry);
    };
    return sim::detail::MakeRegion(FromPredicate(left, top, right, bottom, inside));
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
    if (mode < RGN_AND || mode > RGN_COPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    Spans* out = Find(dest);
    Spans* first = Find(a);
    Spans* second = mode == RGN_COPY ? first : Find(b);
    if (out == nullptr || first == nullptr || second == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    *out = Spans::Combine(*first, *second, mode);
    return out->Kind();
}

BOOL PtInRegion(HRGN region, int x, int y) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Spans* spans = Find(region);
    return spans != nullptr && spans->Contains(x, y) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, LPRECT rect) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Spans* spans = Find(region);
    if (spans == nullptr || rect == nullptr)
        return ERROR;
    *rect = spans->Box();
    return spans->Kind();
}

int OffsetRgn(HRGN region, int dx, int dy) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Spans* spans = Find(region);
    if (spans == nullptr)
        return ERROR;
    Spans moved;
    for (auto& [y, row] : spans->rows) {
        Row shifted = row;
        for (auto& s : shifted) {
            s.first += dx;
            s.second += dx;
        }
        moved.rows.emplace(y + dy, std::move(shifted));
    }
    *spans = std::move(moved);
    return spans->Kind();
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    Spans spans;
    if (region != nullptr && !sim::detail::CopyRegionSpans(region, &spans))
        return 0;
    // The window owns the region from now on; the simulation keeps its spans instead.
    if (region != nullptr)
        DeleteRegion(region);
    std::lock_guard<std::mutex> lock(g_mutex);
    if (region == nullptr)
        g_shapes.erase(hwnd);
    else
        g_shapes[hwnd] = std::move(spans);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
    if (!IsWindow(hwnd))
        return ERROR;
    std::lock_guard<std::mutex> lock(g_mutex);
    auto shape = g_shapes.find(hwnd);
    Spans* out = Find(region);
    if (shape == g_shapes.end() || out == nullptr)
        return ERROR;
    *out = shape->second;
    return out->Kind();
}
