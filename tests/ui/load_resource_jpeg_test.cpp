// The background picture decoded from a program's embedded resources.
#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/resources.h"
#include "ui/painting.h"

namespace {

QByteArray jpegOf(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG", 95));
    return bytes;
}

struct PictureModule : ::testing::Test {
    void SetUp() override
    {
        small = jpegOf(96, 96, qRgb(200, 210, 230));
        large = jpegOf(500, 300, qRgb(20, 40, 60));
        const auto* s = reinterpret_cast<const unsigned char*>(small.constData());
        const auto* l = reinterpret_cast<const unsigned char*>(large.constData());
        static const unsigned char garbage[] = {0xFF, 0xD8, 0xFF, 0x00, 'n', 'o', 't', ' ', 'j', 'p', 'g'};
        entries = {{"BINARY", 6000, s, static_cast<size_t>(small.size())},
                   {"BINARY", 6001, l, static_cast<size_t>(large.size())},
                   {"BINARY", 6002, garbage, sizeof garbage},
                   {"BITMAP", 6003, s, static_cast<size_t>(small.size())},
                   {"BINARY", 6004, s, 0}};
        module.entries = entries.data();
        module.count = entries.size();
    }
    QByteArray small, large;
    std::vector<EmbeddedResource> entries;
    PlatformModule module{};
};

TEST_F(PictureModule, MissingOrUndecodableResourcesGiveNull)
{
    EXPECT_EQ(LoadResourceJpeg(&module, nullptr, 7000), nullptr) << "no such id";
    EXPECT_EQ(LoadResourceJpeg(&module, nullptr, 6002), nullptr) << "bytes that are no picture";
    EXPECT_EQ(LoadResourceJpeg(&module, nullptr, 6003), nullptr) << "a picture of another type";
    EXPECT_EQ(LoadResourceJpeg(&module, nullptr, 6004), nullptr) << "an empty resource";
    EXPECT_EQ(LoadResourceJpeg(nullptr, nullptr, 6000), nullptr) << "no module";
}

TEST_F(PictureModule, PictureComesBackAtItsOwnSizeOnA96DpiScreen)
{
    int dpiX = 0, dpiY = 0;
    platform::logicalDpi(nullptr, &dpiX, &dpiY);
    ASSERT_EQ(dpiX, 96);
    ASSERT_EQ(dpiY, 96);
    struct Case {
        int id;
        int width, height;
        QRgb colour;
    };
    // Only the low 16 bits of the id count.
    const Case cases[] = {{6000, 96, 96, qRgb(200, 210, 230)},
                          {6000 + 0x10000, 96, 96, qRgb(200, 210, 230)},
                          {6001, 500, 300, qRgb(20, 40, 60)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        BitmapHandle bitmap = LoadResourceJpeg(&module, nullptr, c.id);
        ASSERT_NE(bitmap, nullptr);
        int w = 0, h = 0;
        ASSERT_TRUE(platform::bitmapSize(bitmap, &w, &h));
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        const TkColour centre = platform::bitmapPixel(bitmap, w / 2, h / 2);
        EXPECT_NEAR(static_cast<int>(centre & 0xFF), qRed(c.colour), 3);
        EXPECT_NEAR(static_cast<int>((centre >> 8) & 0xFF), qGreen(c.colour), 3);
        EXPECT_NEAR(static_cast<int>((centre >> 16) & 0xFF), qBlue(c.colour), 3);
        platform::destroyBitmap(bitmap);
    }
}

}  // namespace
