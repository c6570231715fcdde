// The resource loaders of the runtime instance and the lazy start of GDI+.
#include "runtime/shell/instance_resources.h"

#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/decoded_bitmap.h"
#include "runtime/shell/picture.h"
#include "runtime/shell/rix_app_instance.h"
#include "runtime/shell/strip_image_list.h"
#include "runtime/shell/text_file.h"

namespace {

LPCWSTR ResourceName(int id) {
    return MAKEINTRESOURCEW(static_cast<WORD>(id & 0xFFFF));
}

// The decoded picture as the kind asks: the bitmap itself, or an image list cut from it.
HANDLE FinishPicture(int kind, HBITMAP bitmap) {
    if (bitmap == nullptr)
        return nullptr;
    if (kind == kResourceImageList)
        return ImageListFromStrip(bitmap);
    return bitmap;
}

} // namespace

int CRixAppInstance::EnsureGdiplus() {
    EnterCriticalSection(&m_GdiplusLock);
    if (m_nGdiplusToken == 0) {
        Gdiplus::GdiplusStartupInput input{};
        input.GdiplusVersion = 1;
        ULONG_PTR token = 0;
        if (GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok || token == 0) {
            LeaveCriticalSection(&m_GdiplusLock);
            return 0;
        }
        m_nGdiplusToken = token;
    }
    LeaveCriticalSection(&m_GdiplusLock);
    return 1;
}

HANDLE CRixAppInstance::LoadResourceImage(int kind, int id) {
    if (id == 0)
        return nullptr;
    HINSTANCE instance = GetInstanceHandle();
    switch (kind) {
    case kResourceCursor:
        return LoadCursorW(instance, ResourceName(id));
    case kResourceIcon:
        return LoadIconW(instance, ResourceName(id));
    case kResourceBitmap:
    case kResourceImageList:
        break;
    default:
        return nullptr;
    }
    CRixMem bytes;
    if (!LoadResourceData(id, bytes))
        return nullptr;
    return FinishPicture(kind, LoadMemoryBitmap(bytes.GetDataPtr(), bytes.GetLength()));
}

HANDLE CRixAppInstance::LoadFileImage(int kind, const WCHAR* path) {
    if (path == nullptr || path[0] == 0)
        return nullptr;
    switch (kind) {
    case kResourceCursor:
        return LoadImageW(nullptr, path, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
    case kResourceIcon:
        return LoadImageW(nullptr, path, IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    case kResourceBitmap:
    case kResourceImageList:
        break;
    default:
        return nullptr;
    }
    if (!EnsureGdiplus())
        return nullptr;
    CRixPicture picture;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (picture.Check(GdipCreateBitmapFromFile(path, &bitmap)) != Gdiplus::Ok || bitmap == nullptr)
        return nullptr;
    picture.pImage = bitmap;
    DecodedBitmap record;
    int converted = ConvertPicture(record, picture);
    GdipDisposeImage(bitmap);
    return FinishPicture(kind, converted ? record.Detach() : nullptr);
}

HBITMAP CRixAppInstance::LoadMemoryBitmap(const void* bytes, int64_t count) {
    DecodedBitmap record;
    if (!DecodePictureBytes(record, bytes, count))
        return nullptr;
    return record.Detach();
}

int CRixAppInstance::LoadResourceData(int id, CRixMem& buffer) {
    buffer.SetLength(0);
    if (id == 0)
        return 1;
    HMODULE module = static_cast<HMODULE>(GetInstanceHandle());
    HRSRC found = FindResourceW(module, ResourceName(id), RT_RCDATA);
    if (found == nullptr)
        return 0;
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr)
        return 0;
    const void* data = LockResource(loaded);
    if (data == nullptr) {
        FreeResource(loaded);
        return 0;
    }
    DWORD size = SizeofResource(module, found);
    if (size > 0)
        buffer.Append(data, static_cast<int64_t>(size));
    FreeResource(loaded);
    return 1;
}

int CRixAppInstance::LoadResourceText(int id, CWString& text) {
    text.Empty();
    CRixMem bytes;
    if (!LoadResourceData(id, bytes))
        return 0;
    TextFromUtf16Bytes(bytes, text);
    return 1;
}
