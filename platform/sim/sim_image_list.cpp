// Image lists of the simulated backend.
#include "platform/sim/sim_image_list.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/sim/sim_gdi_kinds.h"

using namespace sim::detail;

namespace {

struct Image {
    std::vector<COLORREF> colors; // row by row from the top
    std::vector<bool> transparent;
};

struct ImageList {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    std::vector<Image> images;
};

// Under the GDI lock. Handles are never reused.
std::unordered_map<uintptr_t, std::unique_ptr<ImageList>> g_lists;
uintptr_t g_next_handle = 0x70000;

ImageList* Find(HIMAGELIST list) {
    auto it = g_lists.find(reinterpret_cast<uintptr_t>(list));
    return it == g_lists.end() ? nullptr : it->second.get();
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
    if (cx <= 0 || cy <= 0)
        return nullptr;
    auto list = std::make_unique<ImageList>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    std::lock_guard<std::mutex> guard(GdiLock());
    uintptr_t h = g_next_handle;
    g_next_handle += 8;
    g_lists[h] = std::move(list);
    return reinterpret_cast<HIMAGELIST>(h);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    std::lock_guard<std::mutex> guard(GdiLock());
    return g_lists.erase(reinterpret_cast<uintptr_t>(list)) != 0 ? TRUE : FALSE;
}

int ImageList_AddMasked(HIMAGELIST handle, HBITMAP bitmap, COLORREF mask) {
    std::lock_guard<std::mutex> guard(GdiLock());
    ImageList* list = Find(handle);
    DibSection* strip = FindSection(bitmap);
    if (list == nullptr || strip == nullptr)
        return -1;
    int count = strip->width / list->cx;
    if (count == 0)
        return -1;
    int first = static_cast<int>(list->images.size());
    bool masked = (list->flags & ILC_MASK) != 0;
    for (int i = 0; i < count; ++i) {
        Image image;
        image.colors.assign(static_cast<size_t>(list->cx) * list->cy, 0);
        image.transparent.assign(image.colors.size(), false);
        for (int y = 0; y < list->cy && y < strip->Rows(); ++y) {
            for (int x = 0; x < list->cx; ++x) {
                COLORREF c = GetSectionPixel(*strip, i * list->cx + x, y);
                size_t at = static_cast<size_t>(y) * list->cx + x;
                image.colors[at] = c;
                image.transparent[at] = masked && c == (mask & 0xFFFFFF);
            }
        }
        list->images.push_back(std::move(image));
    }
    return first;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
    std::lock_guard<std::mutex> guard(GdiLock());
    ImageList* list = Find(handle);
    return list == nullptr ? 0 : static_cast<int>(list->images.size());
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
    std::lock_guard<std::mutex> guard(GdiLock());
    ImageList* list = Find(handle);
    if (list == nullptr || cx == nullptr || cy == nullptr)
        return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST handle, int index, HDC hdc, int x, int y, UINT) {
    std::lock_guard<std::mutex> guard(GdiLock());
    ImageList* list = Find(handle);
    DibSection* target = SelectedSection(hdc);
    if (list == nullptr || target == nullptr || target->stock || index < 0 ||
        index >= static_cast<int>(list->images.size()))
        return FALSE;
    const Image& image = list->images[static_cast<size_t>(index)];
    for (int row = 0; row < list->cy; ++row) {
        for (int col = 0; col < list->cx; ++col) {
            size_t at = static_cast<size_t>(row) * list->cx + col;
            int tx = x + col, ty = y + row;
            if (image.transparent[at] || tx < 0 || ty < 0 || tx >= target->width ||
                ty >= target->Rows())
                continue;
            SetSectionPixel(*target, tx, ty, image.colors[at]);
        }
    }
    return TRUE;
}
