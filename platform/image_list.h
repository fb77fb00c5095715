// Image lists: equal-size icons (each with its own transparency), drawn at a point.
//
// A list belongs to whoever created it and is released with destroyImageList; it keeps
// copies of the icons added to it.
#pragma once

#include "tonekit/records.h"

namespace platform {

// An empty list of width x height pixel icons; null for a size <= 0.
ImageListHandle createImageList(int width, int height);
void destroyImageList(ImageListHandle list);

// Append a copy of `icon` brought to the list's size; returns its index, or -1 for a
// null list or icon.
int addToImageList(ImageListHandle list, BitmapHandle icon);
int imageListCount(ImageListHandle list);

// Icon size in pixels; false (w = h = 0) for a null list.
bool imageListIconSize(ImageListHandle list, int* width, int* height);

// Draw icon `index` with its top-left corner at (x, y); where the icon is transparent
// the device keeps its pixels. False for a null list or context, or an index out of range.
bool drawImageListIcon(ImageListHandle list, int index, DrawContext dc, int x, int y);

}  // namespace platform
