// Text on drawing contexts: colour, background mode, measuring and drawing.
#include "platform/draw_context_internal.h"

#include <QFontMetrics>
#include <QString>
#include <cstring>

namespace platform {

static QString fromUtf8(const char* text, int length)
{
    if (!text)
        return QString();
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    return QString::fromUtf8(text, length);
}

TkColour setTextColour(DrawContext dc, TkColour colour)
{
    if (!dc)
        return 0;
    TkColour previous = dc->textColour;
    dc->textColour = colour;
    return previous;
}

void setBackgroundTransparent(DrawContext dc, bool transparent)
{
    if (dc)
        dc->transparent = transparent;
}

bool backgroundTransparent(DrawContext dc)
{
    return dc && dc->transparent;
}

TkPoint textExtent(DrawContext dc, const char* text, int length)
{
    if (!dc)
        return {0, 0};
    const QFontMetrics metrics(dc->painter->font());
    return {metrics.horizontalAdvance(fromUtf8(text, length)), metrics.height()};
}

int drawText(DrawContext dc, const char* text, int length, const TkRect& rect, unsigned flags)
{
    if (!dc || !text)
        return 0;
    const QString string = fromUtf8(text, length);
    const QRect area(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (string.isEmpty() || area.isEmpty())
        return 0;

    int qtFlags = 0;
    if (flags & kTextCenter)
        qtFlags |= Qt::AlignHCenter;
    else if (flags & kTextRight)
        qtFlags |= Qt::AlignRight;
    else
        qtFlags |= Qt::AlignLeft;
    // Centring down applies to a single line only; other text starts at the top.
    if ((flags & kTextSingleLine) && (flags & kTextVCenter))
        qtFlags |= Qt::AlignVCenter;
    else
        qtFlags |= Qt::AlignTop;
    if (flags & kTextSingleLine)
        qtFlags |= Qt::TextSingleLine;

    QPainter* p = dc->painter;
    const QRect bounds = p->fontMetrics().boundingRect(area, qtFlags, string);
    p->save();
    p->setClipRect(area, Qt::IntersectClip);
    if (!dc->transparent)
        p->fillRect(bounds.intersected(area), Qt::white);
    // Glyphs in whole pixels of the text colour, like the rest of the drawing.
    QFont font = p->font();
    font.setStyleStrategy(static_cast<QFont::StyleStrategy>(font.styleStrategy() | QFont::NoAntialias));
    p->setFont(font);
    p->setPen(toQColor(dc->textColour));
    p->drawText(area, qtFlags, string);
    p->restore();
    return bounds.height();
}

}  // namespace platform
