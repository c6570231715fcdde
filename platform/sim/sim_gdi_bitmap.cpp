// Bitmap sections and memory device contexts of the simulated backend.
#include "platform/sim/sim_gdi_bitmap.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_gdi_kinds.h"
#include "platform/sim/sim_heap.h"

using namespace sim::detail;

namespace {

struct MemoryDc {
    HBITMAP bitmap = nullptr;
};

// All of these are guarded by GdiLock(). Handles are never reused, so a stale handle is told
// apart from a live one.
std::unordered_map<uintptr_t, std::unique_ptr<DibSection>> g_sections;
std::unordered_map<uintptr_t, MemoryDc> g_dcs;
// Far above the fonts and brushes of sim_gdi.cpp (from 0x30000, four apart), whose handles
// would otherwise reach these after 49,152 objects and be taken for bitmaps.
uintptr_t g_next_handle = 0x40000000;
HBITMAP g_stock_bitmap = nullptr;

uintptr_t NextHandle() {
    uintptr_t h = g_next_handle;
    g_next_handle += 8;
    return h;
}

MemoryDc* FindDc(HDC hdc) {
    auto it = g_dcs.find(reinterpret_cast<uintptr_t>(hdc));
    return it == g_dcs.end() ? nullptr : &it->second;
}

// With the lock held.
HBITMAP AddSection(std::unique_ptr<DibSection> section) {
    uintptr_t h = NextHandle();
    g_sections[h] = std::move(section);
    return reinterpret_cast<HBITMAP>(h);
}

// The 1 x 1 monochrome bitmap that a new memory device context holds, made on first use.
HBITMAP StockBitmap() {
    if (g_stock_bitmap == nullptr) {
        auto s = std::make_unique<DibSection>();
        s->width = 1;
        s->height = 1;
        s->bits_per_pixel = 1;
        s->stride = 4;
        s->bits.assign(4, 0);
        s->colors = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
        s->stock = true;
        g_stock_bitmap = AddSection(std::move(s));
    }
    return g_stock_bitmap;
}

bool OwnsBitmap(HGDIOBJ object) {
    std::lock_guard<std::mutex> guard(GdiLock());
    return FindSection(object) != nullptr;
}

int GetBitmapObject(HGDIOBJ object, int size, LPVOID buffer) {
    std::lock_guard<std::mutex> guard(GdiLock());
    DibSection* s = FindSection(object);
    if (s == nullptr)
        return 0;
    if (buffer == nullptr)
        return sizeof(BITMAP);
    BITMAP bm{};
    bm.bmWidth = s->width;
    bm.bmHeight = s->Rows();
    bm.bmWidthBytes = s->stride;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = s->bits_per_pixel;
    bm.bmBits = s->stock ? nullptr : s->bits.data();
    if (!s->stock && size >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds{};
        ds.dsBm = bm;
        ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        ds.dsBmih.biWidth = s->width;
        ds.dsBmih.biHeight = s->height;
        ds.dsBmih.biPlanes = 1;
        ds.dsBmih.biBitCount = s->bits_per_pixel;
        ds.dsBmih.biCompression = BI_RGB;
        ds.dsBmih.biSizeImage = static_cast<DWORD>(s->bits.size());
        ds.dsBmih.biClrUsed = static_cast<DWORD>(s->colors.size());
        std::memcpy(buffer, &ds, sizeof ds);
        return sizeof(DIBSECTION);
    }
    if (size < static_cast<int>(sizeof(BITMAP)))
        return 0;
    std::memcpy(buffer, &bm, sizeof bm);
    return sizeof(BITMAP);
}

BOOL DestroyBitmap(HGDIOBJ object) {
    std::lock_guard<std::mutex> guard(GdiLock());
    DibSection* s = FindSection(object);
    if (s == nullptr || s->stock || s->selected_into != nullptr)
        return FALSE;
    g_sections.erase(reinterpret_cast<uintptr_t>(object));
    return TRUE;
}

HGDIOBJ SelectBitmap(HDC hdc, HGDIOBJ object) {
    std::lock_guard<std::mutex> guard(GdiLock());
    MemoryDc* dc = FindDc(hdc);
    DibSection* s = FindSection(object);
    if (dc == nullptr || s == nullptr || (s->selected_into != nullptr && s->selected_into != hdc))
        return nullptr;
    HBITMAP previous = dc->bitmap;
    if (DibSection* old = FindSection(previous); old != nullptr && !old->stock)
        old->selected_into = nullptr;
    if (!s->stock)
        s->selected_into = hdc;
    dc->bitmap = static_cast<HBITMAP>(object);
    return previous;
}

BYTE Nearest(const DibSection& s, COLORREF color) {
    BYTE best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < s.colors.size(); ++i) {
        const RGBQUAD& q = s.colors[i];
        int dr = q.rgbRed - GetRValue(color), dg = q.rgbGreen - GetGValue(color),
            db = q.rgbBlue - GetBValue(color);
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<BYTE>(i);
        }
    }
    return best;
}

} // namespace

namespace sim::detail {

const GdiObjectKind kBitmapKind = {&OwnsBitmap, &GetBitmapObject, &DestroyBitmap, &SelectBitmap};

std::mutex& GdiLock() {
    static std::mutex lock;
    return lock;
}

DibSection* FindSection(HGDIOBJ object) {
    auto it = g_sections.find(reinterpret_cast<uintptr_t>(object));
    return it == g_sections.end() ? nullptr : it->second.get();
}

DibSection* SelectedSection(HDC hdc) {
    MemoryDc* dc = FindDc(hdc);
    return dc == nullptr ? nullptr : FindSection(dc->bitmap);
}

COLORREF GetSectionPixel(DibSection& s, LONG x, LONG y) {
    const BYTE* row = s.Row(y);
    switch (s.bits_per_pixel) {
    case 32:
    case 24: {
        const BYTE* p = row + x * (s.bits_per_pixel / 8);
        return RGB(p[2], p[1], p[0]);
    }
    case 16: {
        WORD v = static_cast<WORD>(row[x * 2] | (row[x * 2 + 1] << 8));
        auto scale = [](int five) { return static_cast<BYTE>((five << 3) | (five >> 2)); };
        return RGB(scale((v >> 10) & 31), scale((v >> 5) & 31), scale(v & 31));
    }
    default: {
        int bpp = s.bits_per_pixel;
        int bit = x * bpp;
        int index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
        const RGBQUAD& q = s.colors[index];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    }
}

void SetSectionPixel(DibSection& s, LONG x, LONG y, COLORREF color) {
    BYTE* row = s.Row(y);
    switch (s.bits_per_pixel) {
    case 32:
    case 24: {
        BYTE* p = row + x * (s.bits_per_pixel / 8);
        p[0] = GetBValue(color);
        p[1] = GetGValue(color);
        p[2] = GetRValue(color);
        return;
    }
    case 16: {
        WORD v = static_cast<WORD>(((GetRValue(color) >> 3) << 10) |
                                   ((GetGValue(color) >> 3) << 5) | (GetBValue(color) >> 3));
        row[x * 2] = static_cast<BYTE>(v);
        row[x * 2 + 1] = static_cast<BYTE>(v >> 8);
        return;
    }
    default: {
        int bpp = s.bits_per_pixel;
        int bit = x * bpp;
        int shift = 8 - bpp - bit % 8;
        BYTE mask = static_cast<BYTE>(((1 << bpp) - 1) << shift);
        row[bit / 8] = static_cast<BYTE>((row[bit / 8] & ~mask) | (Nearest(s, color) << shift));
        return;
    }
    }
}

} // namespace sim::detail

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD) {
    if (bits != nullptr)
        *bits = nullptr;
    if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    WORD bpp = h.biBitCount;
    bool knownDepth = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biPlanes != 1 || !knownDepth || h.biCompression != BI_RGB) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto s = std::make_unique<DibSection>();
    s->width = h.biWidth;
    s->height = h.biHeight;
    s->bits_per_pixel = bpp;
    s->stride = ((h.biWidth * bpp + 31) / 32) * 4;
    s->bits.assign(static_cast<size_t>(s->stride) * s->Rows(), 0);
    if (bpp <= 8) {
        size_t entries = size_t{1} << bpp;
        size_t given = h.biClrUsed == 0 ? entries : std::min<size_t>(h.biClrUsed, entries);
        s->colors.assign(entries, RGBQUAD{0, 0, 0, 0});
        const auto* table =
            reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(info) + h.biSize);
        std::memcpy(s->colors.data(), table, given * sizeof(RGBQUAD));
    }
    void* data = s->bits.data();
    std::lock_guard<std::mutex> guard(GdiLock());
    HBITMAP handle = AddSection(std::move(s));
    if (bits != nullptr)
        *bits = data;
    return handle;
}

UINT SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colors) {
    std::lock_guard<std::mutex> guard(GdiLock());
    DibSection* s = SelectedSection(hdc);
    if (s == nullptr || colors == nullptr || start >= s->colors.size())
        return 0;
    UINT n = std::min<UINT>(count, static_cast<UINT>(s->colors.size()) - start);
    std::memcpy(s->colors.data() + start, colors, n * sizeof(RGBQUAD));
    return n;
}

UINT GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colors) {
    std::lock_guard<std::mutex> guard(GdiLock());
    DibSection* s = SelectedSection(hdc);
    if (s == nullptr || colors == nullptr || start >= s->colors.size())
        return 0;
    UINT n = std::min<UINT>(count, static_cast<UINT>(s->colors.size()) - start);
    std::memcpy(colors, s->colors.data() + start, n * sizeof(RGBQUAD));
    return n;
}

HDC CreateCompatibleDC(HDC) {
    std::lock_guard<std::mutex> guard(GdiLock());
    uintptr_t h = NextHandle();
    g_dcs[h] = MemoryDc{StockBitmap()};
    return reinterpret_cast<HDC>(h);
}

BOOL DeleteDC(HDC hdc) {
    std::lock_guard<std::mutex> guard(GdiLock());
    MemoryDc* dc = FindDc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (DibSection* s = FindSection(dc->bitmap); s != nullptr && !s->stock)
        s->selected_into = nullptr;
    g_dcs.erase(reinterpret_cast<uintptr_t>(hdc));
    return TRUE;
}
