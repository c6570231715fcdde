// Image lists from bitmap strips: a row of equally wide images in one bitmap, with magenta
// (0xFF00FF) as the transparent colour.
#pragma once

#include "platform/platform.h"

constexpr COLORREF kStripMaskColor = 0xFF00FF;

// An image list of 32-bit masked images, each as high as the strip and as wide as the height
// rounded up to an even number (a 15-pixel strip gives 16 x 15 images). The strip is deleted
// in every case. Null for a strip of height 0 or one the list cannot take.
HIMAGELIST ImageListFromStrip(HBITMAP strip);
