#include <cstring>

#include "platform/draw_context.h"
#include "platform/image_list.h"
#include "textkit/textkit.h"
#include "ui/painting.h"

namespace {

const TkColour kBoxGrey = TK_RGB(128, 128, 128);

// Brightness of the shading, as the parameter of a quarter sine, at the first line of
// each half and at the first line past it.
struct ShadeRange {
    double start, end;
};
const ShadeRange kUpperNormal{0.95, 0.6}, kUpperHot{1.0, 0.7};
const ShadeRange kLowerNormal{0.55, 0.4}, kLowerHot{0.6, 0.5};

struct Channels {
    float red, green, blue;
};

void shadeRow(DrawContext dc, const TkRect& rect, const Channels& base, float t, int y)
{
    const float f = lin2log(t, 1.0f, 2);
    const TkColour colour = TK_RGB(static_cast<int>(base.red * f) & 0xFF,
                                   static_cast<int>(base.green * f) & 0xFF,
                                   static_cast<int>(base.blue * f) & 0xFF);
    platform::moveTo(dc, rect.left + 2, y);
    PenHandle pen = platform::createSolidPen(colour);
    PenHandle previous = platform::selectPen(dc, pen);
    platform::lineTo(dc, rect.right - 2, y);
    platform::selectPen(dc, previous);
    platform::destroyPen(pen);
}

}  // namespace

int32_t ShadedButton(WindowHandle dialog, DrawContext dc, const TkRect* rect, const char* caption,
                     ImageListHandle imageList, TkColour baseColour, uint32_t itemState,
                     FontHandle font, uint32_t drawFormat, int32_t imageIndex, TkColour textColour)
{
    (void)dialog;  // the answer "painted fully" is this function's result
    if (!dc || !rect)
        return 1;
    const TkRect r = *rect;

    PenHandle outline = platform::createSolidPen(baseColour);
    BrushHandle fill = platform::createSolidBrush(kBoxGrey);
    PenHandle previousPen = platform::selectPen(dc, outline);
    BrushHandle previousBrush = platform::selectBrush(dc, fill);
    platform::drawRectangle(dc, r);
    platform::selectBrush(dc, previousBrush);
    platform::selectPen(dc, previousPen);
    platform::destroyBrush(fill);
    platform::destroyPen(outline);

    const Channels base{static_cast<float>(baseColour & 0xFF),
                        static_cast<float>((baseColour >> 8) & 0xFF),
                        static_cast<float>((baseColour >> 16) & 0xFF)};
    const bool hot = (itemState & TK_ITEM_HOT) != 0;
    const ShadeRange upper = hot ? kUpperHot : kUpperNormal;
    const ShadeRange lower = hot ? kLowerHot : kLowerNormal;

    // With 4 rows or fewer inner is 0 or negative; the division truncates toward zero,
    // so mid never lies above the first shaded row and both halves are empty.
    const int inner = r.bottom - r.top - 4;
    const int mid = r.top + inner / 2 + 2;
    for (int y = r.top + 2; y < mid; ++y) {
        const float t = static_cast<float>(ratio(r.top + 2, mid, upper.start, upper.end, y));
        shadeRow(dc, r, base, t, y);
    }
    for (int y = mid; y < r.bottom - 2; ++y) {
        const float t = static_cast<float>(ratio(mid, r.bottom - 2, lower.start, lower.end, y));
        shadeRow(dc, r, base, t, y);
    }

    platform::setTextColour(dc, (itemState & TK_ITEM_DISABLED) ? kBoxGrey : textColour);
    platform::setBackgroundTransparent(dc, true);
    if (font)
        platform::selectFont(dc, font);

    const int pressed = (itemState & TK_ITEM_PRESSED) ? 1 : 0;
    const int length = caption ? static_cast<int>(std::strlen(caption)) : 0;
    if (caption) {
        const TkPoint extent = platform::textExtent(dc, caption, length);
        TkRect textRect = r;
        textRect.top = r.top + (r.bottom - r.top) / 2 - extent.y / 2 + pressed;
        platform::drawText(dc, caption, length, textRect, drawFormat);
    }

    if (imageList) {
        int w = 0, h = 0;
        platform::imageListIconSize(imageList, &w, &h);
        TkPoint offset{0, 0};
        CenterRect(&r, w, h, &offset);
        platform::drawImageListIcon(imageList, imageIndex, dc, offset.x, offset.y + pressed);
    }
    return 1;
}
