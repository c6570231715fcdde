// Picture conversion: a picture decoded by GDI+ becomes a device-independent section in a
// DecodedBitmap, keeping the picture's own depth where GDI can show it as it is.
//
// The conversion belongs to the window framework's pictures, but the runtime instance loads
// pictures with it and the shell may not reach up into runtime/ui, so it lives here; the
// framework uses it from the shell.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/shell/decoded_bitmap.h"

// A GDI+ picture and the last GDI+ status that failed on it (Ok while nothing failed). The
// wrapper does not own the picture: whoever created it disposes of it.
struct CRixPicture {
    Gdiplus::GpImage* pImage = nullptr;
    Gdiplus::Status nLastStatus = Gdiplus::Ok;

    // Records a failure; hands the status back.
    Gdiplus::Status Check(Gdiplus::Status status) {
        if (status != Gdiplus::Ok)
            nLastStatus = status;
        return status;
    }
};

// Fills the record with a section holding the picture. The section has 32 bits per pixel
// unless the picture's format is one GDI shows as it is, which keeps its depth (indexed
// pictures with their palette); pictures with alpha become 32-bit with alpha. 1 converted,
// 0 failed (the record may still hold the section; it deletes it when it goes).
int ConvertPicture(DecodedBitmap& record, CRixPicture& picture);

// Decodes encoded image bytes (any format GDI+ reads) into the record. GDI+ is started on
// first use. 1 converted, 0 failed (nothing decodable, count 0 or less, GDI+ not running).
int DecodePictureBytes(DecodedBitmap& record, const void* bytes, int64_t count);
