#include "platform/draw_context_internal.h"
#include "platform/draw_context_qt.h"

#include <cstdlib>

namespace platform {

DrawContext wrapPainter(QPainter* painter)
{
    if (!painter)
        return nullptr;
    painter->save();
    // Raster semantics: whole pixels only. Every shape below is painted with
    // fillRect on integer rectangles, which Qt does not offset or blend when
    // antialiasing is off; text is aliased too so that captions are exact colours.
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::TextAntialiasing, false);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->setBackgroundMode(Qt::TransparentMode);
    auto* dc = new PlatformDrawContext;
    dc->painter = painter;
    dc->deviceFont = painter->font();
    return dc;
}

void releaseDrawContext(DrawContext dc)
{
    if (!dc)
        return;
    dc->painter->restore();
    delete dc;
}

QPainter* painterOf(DrawContext dc)
{
    return dc ? dc->painter : nullptr;
}

QColor penColour(DrawContext dc)
{
    return dc->pen ? dc->pen->colour : QColor(0, 0, 0);
}

PenHandle selectPen(DrawContext dc, PenHandle pen)
{
    if (!dc)
        return nullptr;
    PenHandle previous = dc->pen;
    dc->pen = pen;
    return previous;
}

BrushHandle selectBrush(DrawContext dc, BrushHandle brush)
{
    if (!dc)
        return nullptr;
    BrushHandle previous = dc->brush;
    dc->brush = brush;
    return previous;
}

FontHandle selectFont(DrawContext dc, FontHandle font)
{
    if (!dc)
        return nullptr;
    FontHandle previous = dc->font;
    dc->font = font;
    dc->painter->setFont(font ? font->font : dc->deviceFont);
    return previous;
}

// A texture brush tiles from the painter's brush origin, which the context keeps.
static void fillWith(DrawContext dc, const QRect& area, const QBrush& brush)
{
    if (area.isEmpty())
        return;
    dc->painter->setBrushOrigin(dc->brushOrigin.x, dc->brushOrigin.y);
    dc->painter->fillRect(area, brush);
}

void drawRectangle(DrawContext dc, const TkRect& rect)
{
    if (!dc || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    fillWith(dc, QRect(rect.left + 1, rect.top + 1, w - 2, h - 2), toQBrush(dc->brush));
    const QColor pen = penColour(dc);
    QPainter* p = dc->painter;
    p->fillRect(QRect(rect.left, rect.top, w, 1), pen);
    p->fillRect(QRect(rect.left, rect.bottom - 1, w, 1), pen);
    p->fillRect(QRect(rect.left, rect.top, 1, h), pen);
    p->fillRect(QRect(rect.right - 1, rect.top, 1, h), pen);
}

void fillRectangle(DrawContext dc, const TkRect& rect, BrushHandle brush)
{
    if (!dc)
        return;
    fillWith(dc, QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
             toQBrush(brush));
}

TkPoint moveTo(DrawContext dc, int x, int y)
{
    if (!dc)
        return {0, 0};
    TkPoint previous = dc->position;
    dc->position = {x, y};
    return previous;
}

void lineTo(DrawContext dc, int x, int y)
{
    if (!dc)
        return;
    const QColor colour = penColour(dc);
    QPainter* p = dc->painter;
    int x0 = dc->position.x, y0 = dc->position.y;
    dc->position = {x, y};
    if (y0 == y) {  // the common case, one run of pixels; the end point stays unpainted
        if (x > x0)
            p->fillRect(QRect(x0, y, x - x0, 1), colour);
        else if (x < x0)
            p->fillRect(QRect(x + 1, y, x0 - x, 1), colour);
        return;
    }
    if (x0 == x) {
        if (y > y0)
            p->fillRect(QRect(x, y0, 1, y - y0), colour);
        else
            p->fillRect(QRect(x, y + 1, 1, y0 - y), colour);
        return;
    }
    // Any other slope: Bresenham's walk, stopping one step short of the end point.
    const int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
    const int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    while (x0 != x || y0 != y) {
        p->fillRect(QRect(x0, y0, 1, 1), colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

bool setBrushOrigin(DrawContext dc, int x, int y, TkPoint* previous)
{
    if (!dc)
        return false;
    if (previous)
        *previous = dc->brushOrigin;
    dc->brushOrigin = {x, y};
    dc->painter->setBrushOrigin(x, y);
    return true;
}

TkPoint brushOrigin(DrawContext dc)
{
    return dc ? dc->brushOrigin : TkPoint{0, 0};
}

}  // namespace platform
