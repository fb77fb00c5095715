#include <cstdint>

#include "platform/bitmap.h"
#include "platform/resources.h"
#include "ui/painting.h"

namespace {

// a x b / c in 64 bits, rounded half away from zero; -1 when c is 0 or the result
// does not fit 32 bits.
int32_t mulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const uint64_t magnitude = static_cast<uint64_t>(product < 0 ? -product : product);
    const uint64_t divisor = static_cast<uint64_t>(c < 0 ? -static_cast<int64_t>(c) : c);
    const uint64_t quotient = (magnitude + divisor / 2) / divisor;
    if (quotient > INT32_MAX)
        return -1;
    return negative ? -static_cast<int32_t>(quotient) : static_cast<int32_t>(quotient);
}

}  // namespace

BitmapHandle LoadResourceJpeg(ModuleHandle module, WindowHandle window, int32_t resourceId)
{
    const platform::ResourceBytes bytes = platform::findResource(module, "BINARY", resourceId);
    if (!bytes.data)
        return nullptr;
    BitmapHandle picture = platform::decodeBitmap(bytes.data, bytes.size);
    if (!picture)
        return nullptr;

    int width = 0, height = 0;
    platform::bitmapSize(picture, &width, &height);
    // The picture states its size in 0.01 mm at 96 dpi; the screen's own resolution
    // turns that back into pixels.
    const int32_t himetricWidth = mulDiv(width, 2540, 96);
    const int32_t himetricHeight = mulDiv(height, 2540, 96);
    int dpiX = 96, dpiY = 96;
    platform::logicalDpi(window, &dpiX, &dpiY);
    const int32_t pixelWidth = mulDiv(himetricWidth, dpiX, 2540);
    const int32_t pixelHeight = mulDiv(himetricHeight, dpiY, 2540);

    BitmapHandle result = platform::scaleBitmap(picture, pixelWidth, pixelHeight);
    platform::destroyBitmap(picture);
    return result;
}
