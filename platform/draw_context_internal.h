// Platform-internal: the records behind the drawing handles, shared by the files that
// implement drawing contexts, pens, brushes, fonts, bitmaps and image lists.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <vector>

#include "platform/draw_context.h"

struct PlatformPen {
    QColor colour;
};

struct PlatformBrush {
    bool pattern = false;
    QColor colour;     // a solid brush
    QImage tile;       // a pattern brush: its own copy of the bitmap
};

struct PlatformFont {
    QFont font;
};

struct PlatformBitmap {
    QImage image;  // Format_ARGB32
};

struct PlatformImageList {
    int width = 0;
    int height = 0;
    std::vector<QImage> icons;  // each width x height, Format_ARGB32_Premultiplied
};

struct PlatformDrawContext {
    QPainter* painter = nullptr;
    QFont deviceFont;          // the painter's font when the context was made
    PenHandle pen = nullptr;   // null = black, one pixel wide
    BrushHandle brush = nullptr;  // null = white
    FontHandle font = nullptr;    // null = deviceFont
    TkColour textColour = 0;      // black
    bool transparent = false;
    TkPoint brushOrigin{0, 0};
    TkPoint position{0, 0};
};

namespace platform {

inline QColor toQColor(TkColour colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

inline TkColour fromQColor(const QColor& colour)
{
    return TK_RGB(colour.red(), colour.green(), colour.blue());
}

// The Qt brush a handle paints with (null = the default white brush).
QBrush toQBrush(BrushHandle brush);

// The colour of the context's current pen.
QColor penColour(DrawContext dc);

}  // namespace platform
