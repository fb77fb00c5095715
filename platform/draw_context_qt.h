// Platform-internal: making a DrawContext for a QPainter, and reaching the Qt objects
// behind the drawing handles. Only files in platform/ include this header.
#pragma once

#include <QFont>
#include <QImage>

#include "platform/draw_context.h"

class QPainter;

namespace platform {

// A DrawContext over `painter`, which must be active (begun on its device) and stay so
// until releaseDrawContext. Antialiasing is turned off and the painter's state is
// saved; releaseDrawContext restores it and frees the context. The painter stays the
// caller's.
DrawContext wrapPainter(QPainter* painter);
void releaseDrawContext(DrawContext dc);

// The same as a scope: the context lives as long as the holder.
class ScopedDrawContext {
public:
    explicit ScopedDrawContext(QPainter* painter) : dc_(wrapPainter(painter)) {}
    ~ScopedDrawContext() { releaseDrawContext(dc_); }
    ScopedDrawContext(const ScopedDrawContext&) = delete;
    ScopedDrawContext& operator=(const ScopedDrawContext&) = delete;
    DrawContext get() const { return dc_; }

private:
    DrawContext dc_;
};

// The painter behind a context (null for a null context).
QPainter* painterOf(DrawContext dc);

// Qt objects behind fonts and bitmaps (see fonts.h, bitmap.h). The references are valid
// while the handle lives. fontOf(null) is the application's default font.
QFont fontOf(FontHandle font);
const QImage& imageOf(BitmapHandle bitmap);  // a null image for a null handle
// A new bitmap owning a copy of `image` (null handle for a null image).
BitmapHandle bitmapFromImage(const QImage& image);

}  // namespace platform
