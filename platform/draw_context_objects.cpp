// Pens and brushes of drawing contexts.
#include "platform/draw_context_internal.h"

#include <QPixmap>

namespace platform {

PenHandle createSolidPen(TkColour colour)
{
    return new PlatformPen{toQColor(colour)};
}

void destroyPen(PenHandle pen)
{
    delete pen;
}

BrushHandle createSolidBrush(TkColour colour)
{
    auto* brush = new PlatformBrush;
    brush->colour = toQColor(colour);
    return brush;
}

BrushHandle createPatternBrush(BitmapHandle pattern)
{
    if (!pattern || pattern->image.isNull())
        return nullptr;
    auto* brush = new PlatformBrush;
    brush->pattern = true;
    brush->tile = pattern->image;
    return brush;
}

void destroyBrush(BrushHandle brush)
{
    delete brush;
}

QBrush toQBrush(BrushHandle brush)
{
    if (!brush)
        return QBrush(Qt::white);
    if (brush->pattern)
        return QBrush(brush->tile);
    return QBrush(brush->colour);
}

}  // namespace platform
