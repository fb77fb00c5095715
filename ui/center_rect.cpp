#include "ui/painting.h"

void CenterRect(const TkRect* rect, int32_t width, int32_t height, TkPoint* offset)
{
    if (!rect || !offset)
        return;
    // Halved as unsigned 32-bit numbers, as the buttons have always done: a box larger
    // than the rectangle ends up far outside it rather than centred over it.
    const uint32_t spareX = static_cast<uint32_t>(rect->right) - static_cast<uint32_t>(rect->left) -
                            static_cast<uint32_t>(width);
    const uint32_t spareY = static_cast<uint32_t>(rect->bottom) - static_cast<uint32_t>(rect->top) -
                            static_cast<uint32_t>(height);
    offset->x = static_cast<int32_t>(spareX / 2);
    offset->y = static_cast<int32_t>(spareY / 2);
}
