// Pictures: a BitmapHandle owns its pixels (32-bit, with alpha).
//
// Made by decoding image data, by the resource loader, or empty; the owner destroys it
// with destroyBitmap (null is allowed and ignored).
#pragma once

#include <stddef.h>

#include "tonekit/records.h"

namespace platform {

// Decode `size` bytes of image data (JPEG, PNG, BMP ...). Null when they cannot be
// decoded. The bytes are not kept.
BitmapHandle decodeBitmap(const unsigned char* data, size_t size);

// A new bitmap of `width` x `height` pixels filled with `colour` (opaque); null for a
// size <= 0.
BitmapHandle createBitmap(int width, int height, TkColour colour);

void destroyBitmap(BitmapHandle bitmap);

// Size in pixels; false (w = h = 0) for a null handle.
bool bitmapSize(BitmapHandle bitmap, int* width, int* height);

// The colour of one pixel; 0 for a null handle or a point outside.
TkColour bitmapPixel(BitmapHandle bitmap, int x, int y);

// A new bitmap holding `source` drawn smoothly to `width` x `height` pixels; null for
// a null source or a size <= 0. The source stays the caller's.
BitmapHandle scaleBitmap(BitmapHandle source, int width, int height);

// Logical dots per inch of `window`'s screen (the primary screen when null), across
// and down; 96 and 96 when there is no screen.
void logicalDpi(WindowHandle window, int* dpiX, int* dpiY);

}  // namespace platform
