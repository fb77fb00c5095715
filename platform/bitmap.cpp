#include "platform/bitmap.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/draw_context_internal.h"
#include "platform/draw_context_qt.h"

namespace platform {

static const QImage& nullImage()
{
    static const QImage none;  // immutable: the answer for a null handle
    return none;
}

const QImage& imageOf(BitmapHandle bitmap)
{
    return bitmap ? bitmap->image : nullImage();
}

BitmapHandle bitmapFromImage(const QImage& image)
{
    if (image.isNull())
        return nullptr;
    return new PlatformBitmap{image.convertToFormat(QImage::Format_ARGB32)};
}

BitmapHandle decodeBitmap(const unsigned char* data, size_t size)
{
    if (!data || size == 0 || size > static_cast<size_t>(INT_MAX))
        return nullptr;
    QImage image;
    if (!image.loadFromData(data, static_cast<int>(size)))
        return nullptr;
    return bitmapFromImage(image);
}

BitmapHandle createBitmap(int width, int height, TkColour colour)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return nullptr;
    image.fill(toQColor(colour));
    return new PlatformBitmap{image};
}

void destroyBitmap(BitmapHandle bitmap)
{
    delete bitmap;
}

bool bitmapSize(BitmapHandle bitmap, int* width, int* height)
{
    const QImage& image = imageOf(bitmap);
    if (width)
        *width = image.width();
    if (height)
        *height = image.height();
    return bitmap != nullptr;
}

TkColour bitmapPixel(BitmapHandle bitmap, int x, int y)
{
    const QImage& image = imageOf(bitmap);
    if (!image.valid(x, y))
        return 0;
    return fromQColor(image.pixelColor(x, y));
}

BitmapHandle scaleBitmap(BitmapHandle source, int width, int height)
{
    if (!source || width <= 0 || height <= 0)
        return nullptr;
    if (source->image.width() == width && source->image.height() == height)
        return new PlatformBitmap{source->image};
    QImage scaled = source->image.scaled(width, height, Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
    return bitmapFromImage(scaled);
}

void logicalDpi(WindowHandle window, int* dpiX, int* dpiY)
{
    int x = 96, y = 96;
    const QScreen* screen = nullptr;
    if (window)
        screen = reinterpret_cast<QWidget*>(window)->screen();
    if (!screen && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        x = qRound(screen->logicalDotsPerInchX());
        y = qRound(screen->logicalDotsPerInchY());
    }
    if (dpiX)
        *dpiX = x;
    if (dpiY)
        *dpiY = y;
}

}  // namespace platform
