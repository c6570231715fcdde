// GetObjectW, DeleteObject and SelectObject of the simulated backend: each asks the kinds of
// GDI object in turn which one the handle belongs to. A new kind is one more entry below.
#include "platform/sim/sim_gdi_object.h"

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_gdi_kinds.h"
#include "platform/sim/sim_heap.h"

using namespace sim::detail;

namespace {

const GdiObjectKind* const kKinds[] = {&kBitmapKind, &kFontBrushKind, &kRegionKind};

const GdiObjectKind* KindOf(HGDIOBJ object) {
    for (const GdiObjectKind* kind : kKinds)
        if (kind->owns(object))
            return kind;
    return nullptr;
}

} // namespace

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
    const GdiObjectKind* kind = KindOf(object);
    if (kind == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return kind->get_object(object, size, buffer);
}

BOOL DeleteObject(HGDIOBJ object) {
    const GdiObjectKind* kind = KindOf(object);
    return kind == nullptr ? FALSE : kind->destroy(object);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    const GdiObjectKind* kind = KindOf(object);
    return kind == nullptr ? nullptr : kind->select(hdc, object);
}
