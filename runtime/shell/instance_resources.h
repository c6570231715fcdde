// The resource services of the runtime instance (CRixAppInstance, rix_app_instance.h):
// bitmaps, cursors, icons and image lists from the program's resources, from files or from
// encoded bytes, and raw data and text resources. Pictures inside the program are raw-data
// resources (RT_RCDATA) holding an encoded image file, decoded by GDI+ (picture.h).
#pragma once

// The first argument of LoadResourceImage and LoadFileImage: what the handle is.
enum ResourceImageKind {
    kResourceBitmap = 0,    // HBITMAP, a device-independent section
    kResourceCursor = 1,    // HCURSOR
    kResourceIcon = 2,      // HICON
    kResourceImageList = 3, // HIMAGELIST from a bitmap strip (strip_image_list.h)
};
