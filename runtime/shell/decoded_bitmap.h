// DecodedBitmap: the device-independent section that a decoded picture is copied into, with
// the facts about its pixels that the copy needs. Callers receive the section's handle
// (Detach); a record that still holds a section when it goes deletes it, so a failed decode
// leaves nothing behind.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct DecodedBitmap {
    HBITMAP hBitmap = nullptr; // owned until Detach
    BYTE* pTopRow = nullptr;   // the picture's top row
    int32_t nWidth = 0;
    int32_t nHeight = 0;           // positive
    int32_t nRowStep = 0;          // bytes from a row to the one below; negative (bottom-up)
    int32_t nBitsPerPixel = 0;     // 1 ... 32
    int32_t nAlpha = 0;            // 1 when the pixels carry alpha
    int32_t nSectionInfoValid = 0; // 1 when the platform described the section fully

    DecodedBitmap() = default;
    ~DecodedBitmap() { Release(); }
    DecodedBitmap(const DecodedBitmap&) = delete;
    DecodedBitmap& operator=(const DecodedBitmap&) = delete;

    // A bottom-up section of that size and depth (with a zeroed 256-entry colour table for 8
    // bits per pixel or fewer), replacing any section held. 1 on success, else 0 and the
    // record is empty.
    int CreateSection(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t alpha);
    // Hands the section over to the caller; the record is empty afterwards.
    HBITMAP Detach();
    // Deletes the section held, if any; the record is empty afterwards.
    void Release();
};
