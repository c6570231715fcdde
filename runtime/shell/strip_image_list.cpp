// Image lists cut from bitmap strips.
#include "runtime/shell/strip_image_list.h"

HIMAGELIST ImageListFromStrip(HBITMAP strip) {
    if (strip == nullptr)
        return nullptr;
    BITMAP description{};
    int height = 0;
    if (GetObjectW(strip, sizeof description, &description) != 0)
        height = description.bmHeight < 0 ? -description.bmHeight : description.bmHeight;
    HIMAGELIST list = nullptr;
    if (height > 0) {
        int width = (height + 1) & ~1;
        list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 1);
        if (list != nullptr && ImageList_AddMasked(list, strip, kStripMaskColor) == -1) {
            ImageList_Destroy(list);
            list = nullptr;
        }
    }
    DeleteObject(strip);
    return list;
}
