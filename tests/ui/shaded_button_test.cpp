// Shaded push buttons, read back pixel by pixel from an image.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/bitmap.h"
#include "platform/draw_context.h"
#include "platform/draw_context_qt.h"
#include "platform/fonts.h"
#include "platform/image_list.h"
#include "ui/painting.h"

namespace {

const QRgb kUnpainted = qRgb(255, 0, 255);

struct ButtonCall {
    TkRect rect{0, 0, 80, 23};
    const char* caption = "";
    TkColour base = TK_RGB(255, 255, 255);
    uint32_t state = 0;
    FontHandle font = nullptr;
    ImageListHandle icons = nullptr;
    TkColour text = TK_RGB(0, 0, 0);
};

QImage paintButton(const ButtonCall& call, int width = 80, int height = 23)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kUnpainted);
    QPainter painter(&image);
    int32_t result = 0;
    {
        platform::ScopedDrawContext dc(&painter);
        result = ShadedButton(nullptr, dc.get(), &call.rect, call.caption, call.icons, call.base,
                              call.state, call.font, platform::kTextCenter, 0, call.text);
    }
    painter.end();
    EXPECT_EQ(result, 1);
    return image;
}

// Every pixel of row y from x0 to x1 inclusive has `colour`.
void expectRow(const QImage& image, int y, int x0, int x1, QRgb colour, const char* what)
{
    for (int x = x0; x <= x1; ++x)
        ASSERT_EQ(image.pixel(x, y), colour)
            << what << ": row " << y << " x " << x << " is " << std::hex << image.pixel(x, y);
}

QRgb grey(int level)
{
    return qRgb(level, level, level);
}

// The outline, the grey frame and the shading of an 80 x 23 button, row by row.
TEST(ShadedButton, OutlineGreyFrameAndShadingRows)
{
    struct Case {
        const char* name;
        TkColour base;
        uint32_t state;
        std::vector<std::pair<int, QRgb>> rows;  // shaded rows and their colours
    };
    const Case cases[] = {
        {"normal", TK_RGB(255, 255, 255), 0,
         {{2, grey(254)}, {10, grey(215)}, {11, grey(193)}, {20, grey(154)}}},
        {"hot", TK_RGB(255, 255, 255), TK_ITEM_HOT,
         {{2, grey(255)}, {10, grey(232)}, {11, grey(206)}, {20, grey(183)}}},
        {"coloured", TK_RGB(200, 100, 0), 0, {{2, qRgb(199, 99, 0)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ButtonCall call;
        call.base = c.base;
        call.state = c.state;
        const QImage image = paintButton(call);
        const QRgb outline = qRgb(c.base & 0xFF, (c.base >> 8) & 0xFF, (c.base >> 16) & 0xFF);
        expectRow(image, 0, 0, 79, outline, "top outline");
        expectRow(image, 22, 0, 79, outline, "bottom outline");
        expectRow(image, 1, 1, 78, grey(128), "upper grey frame");
        expectRow(image, 21, 1, 78, grey(128), "lower grey frame");
        for (int y = 1; y <= 21; ++y) {
            ASSERT_EQ(image.pixel(0, y), outline) << "left outline, row " << y;
            ASSERT_EQ(image.pixel(79, y), outline) << "right outline, row " << y;
            ASSERT_EQ(image.pixel(1, y), grey(128)) << "left grey frame, row " << y;
            ASSERT_EQ(image.pixel(78, y), grey(128)) << "right grey frame, row " << y;
        }
        for (const auto& [y, colour] : c.rows)
            expectRow(image, y, 2, 77, colour, "shaded row");
        // Every shaded row is one colour across, and the halves darken downwards.
        for (int y = 2; y <= 20; ++y)
            expectRow(image, y, 2, 77, image.pixel(2, y), "one pen per row");
        for (int y = 3; y <= 20; ++y) {
            if (y != 11) {
                EXPECT_LE(qRed(image.pixel(2, y)), qRed(image.pixel(2, y - 1))) << "row " << y;
            }
        }
    }
}

TEST(ShadedButton, ShadingFollowsTheRectangleAnywhereInTheContext)
{
    ButtonCall call;
    call.rect = {10, 5, 90, 28};
    const QImage image = paintButton(call, 100, 40);
    expectRow(image, 4, 0, 99, kUnpainted, "above the button");
    expectRow(image, 5, 10, 89, grey(255), "top outline");
    expectRow(image, 7, 12, 87, grey(254), "first shaded row");
    expectRow(image, 25, 12, 87, grey(154), "last shaded row");
    EXPECT_EQ(image.pixel(9, 10), kUnpainted);
    EXPECT_EQ(image.pixel(90, 10), kUnpainted);
}

TEST(ShadedButton, FourRowsOrFewerGetNoShading)
{
    for (int height = 1; height <= 5; ++height) {
        SCOPED_TRACE(height);
        ButtonCall call;
        call.rect = {0, 0, 80, height};
        call.base = TK_RGB(255, 255, 255);
        const QImage image = paintButton(call, 80, height);
        expectRow(image, 0, 0, 79, grey(255), "top outline");
        expectRow(image, height - 1, 0, 79, grey(255), "bottom outline");
        for (int y = 1; y < height - 1; ++y) {
            if (height == 5 && y == 2)
                expectRow(image, y, 2, 77, grey(193), "the one shaded row of a 5-row button");
            else
                expectRow(image, y, 1, 78, grey(128), "grey inside");
        }
    }
}

// Pixels where `image` differs from `bare`, the button painted without caption or icon.
std::vector<QPoint> drawnOver(const QImage& image, const QImage& bare)
{
    std::vector<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != bare.pixel(x, y))
                points.emplace_back(x, y);
    return points;
}

struct Decorated : ::testing::Test {
    void SetUp() override
    {
        font = platform::createFont({15, 5, 100, false, "ms sans serif", platform::FontPitch::Default});
        // A 7 x 7 icon: an opaque blue square with transparent corners.
        BitmapHandle icon = platform::createBitmap(7, 7, TK_RGB(0, 0, 255));
        QImage pixels = platform::imageOf(icon).copy();
        platform::destroyBitmap(icon);
        for (QPoint corner : {QPoint(0, 0), QPoint(6, 0), QPoint(0, 6), QPoint(6, 6)})
            pixels.setPixel(corner, qRgba(0, 0, 0, 0));
        BitmapHandle withCorners = platform::bitmapFromImage(pixels);
        icons = platform::createImageList(7, 7);
        ASSERT_EQ(platform::addToImageList(icons, withCorners), 0);
        platform::destroyBitmap(withCorners);
    }
    void TearDown() override
    {
        platform::destroyImageList(icons);
        platform::destroyFont(font);
    }
    ButtonCall call(uint32_t state, bool withCaption, bool withIcon) const
    {
        ButtonCall c;
        c.caption = withCaption ? "Add Files" : "";
        c.icons = withIcon ? icons : nullptr;
        c.font = font;
        c.state = state;
        c.text = TK_RGB(255, 0, 0);
        return c;
    }
    FontHandle font = nullptr;
    ImageListHandle icons = nullptr;
};

TEST_F(Decorated, PressedMovesOnlyCaptionAndIconDownOnePixel)
{
    for (bool withIcon : {false, true}) {
        SCOPED_TRACE(withIcon ? "caption and icon" : "caption");
        const QImage bare = paintButton(call(0, false, false));
        const QImage pressedBare = paintButton(call(TK_ITEM_PRESSED, false, false));
        ASSERT_EQ(bare, pressedBare) << "pressing changes the box or the shading";
        const QImage up = paintButton(call(0, true, withIcon));
        const QImage down = paintButton(call(TK_ITEM_PRESSED, true, withIcon));
        const std::vector<QPoint> upDrawn = drawnOver(up, bare);
        const std::vector<QPoint> downDrawn = drawnOver(down, bare);
        ASSERT_GT(upDrawn.size(), 20u) << "no caption was drawn";
        ASSERT_EQ(upDrawn.size(), downDrawn.size());
        for (size_t i = 0; i < upDrawn.size(); ++i) {
            ASSERT_EQ(downDrawn[i], upDrawn[i] + QPoint(0, 1));
            ASSERT_EQ(down.pixel(downDrawn[i]), up.pixel(upDrawn[i]));
        }
    }
}

TEST_F(Decorated, CaptionIsInTheTextColourAndGreyWhenDisabled)
{
    const QImage bare = paintButton(call(0, false, false));
    const QImage enabled = paintButton(call(0, true, false));
    const QImage disabled = paintButton(call(TK_ITEM_DISABLED, true, false));
    const QImage focused = paintButton(call(0x10, true, false));
    EXPECT_EQ(focused, enabled) << "focus must change nothing";
    EXPECT_EQ(paintButton(call(TK_ITEM_DISABLED, false, false)), bare) << "disabled changes the shading";
    const std::vector<QPoint> caption = drawnOver(enabled, bare);
    ASSERT_GT(caption.size(), 20u);
    for (QPoint p : caption) {
        ASSERT_EQ(enabled.pixel(p), qRgb(255, 0, 0));
        ASSERT_EQ(disabled.pixel(p), grey(128));
    }
    EXPECT_EQ(drawnOver(disabled, bare), caption);
    // The caption is centred across and sits round the middle row.
    int left = 80, right = 0, top = 23, bottom = 0;
    for (QPoint p : caption) {
        left = std::min(left, p.x()), right = std::max(right, p.x());
        top = std::min(top, p.y()), bottom = std::max(bottom, p.y());
    }
    EXPECT_NEAR((left + right) / 2.0, 39.5, 2.0);
    EXPECT_LE(top, 11);
    EXPECT_GE(bottom, 11);
}

TEST_F(Decorated, IconIsCentredTransparentAndOnTopOfTheCaption)
{
    const QImage bare = paintButton(call(0, false, false));
    const QImage withIcon = paintButton(call(0, false, true));
    const std::vector<QPoint> icon = drawnOver(withIcon, bare);
    // 7 x 7 less 4 transparent corners, at CenterRect's offset (36, 8).
    ASSERT_EQ(icon.size(), 45u);
    for (QPoint p : icon) {
        EXPECT_GE(p.x(), 36);
        EXPECT_LE(p.x(), 42);
        EXPECT_GE(p.y(), 8);
        EXPECT_LE(p.y(), 14);
        EXPECT_EQ(withIcon.pixel(p), qRgb(0, 0, 255));
    }
    EXPECT_EQ(withIcon.pixel(36, 8), bare.pixel(36, 8)) << "transparent corner painted";
    const QImage both = paintButton(call(0, true, true));
    EXPECT_EQ(both.pixel(39, 11), qRgb(0, 0, 255)) << "icon is not drawn over the caption";
}

TEST(ShadedButtonFont, ClassicDialogFontBecomesTheSystemSansSerif)
{
    FontHandle font = platform::createFont({15, 5, 100, false, "ms sans serif", platform::FontPitch::Default});
    char family[64];
    ASSERT_TRUE(platform::fontFamily(font, family, sizeof family));
    EXPECT_STREQ(family, "DejaVu Sans");
    const int height = platform::fontLineHeight(font);
    EXPECT_LE(height, 15);
    EXPECT_GE(height, 13);
    platform::destroyFont(font);
}

// The four looks side by side, with captions, for a person to look at.
TEST(ShadedButtonArtifact, WritesNormalHotPressedAndDisabledButtons)
{
    FontHandle font = platform::createFont({15, 5, 100, false, "ms sans serif", platform::FontPitch::Default});
    struct Look {
        const char* caption;
        uint32_t state;
    };
    const Look looks[] = {{"Normal", 0}, {"Hot", TK_ITEM_HOT}, {"Pressed", TK_ITEM_PRESSED},
                          {"Disabled", TK_ITEM_DISABLED}};
    QImage sheet(4 * 90 + 10, 43, QImage::Format_RGB32);
    sheet.fill(qRgb(236, 240, 246));
    QPainter painter(&sheet);
    {
        platform::ScopedDrawContext dc(&painter);
        for (int i = 0; i < 4; ++i) {
            const TkRect rect{10 + 90 * i, 10, 90 + 90 * i, 33};
            EXPECT_EQ(ShadedButton(nullptr, dc.get(), &rect, looks[i].caption, nullptr,
                                   TK_RGB(255, 255, 255), looks[i].state, font,
                                   platform::kTextCenter, 0, TK_RGB(0, 0, 0)),
                      1);
        }
    }
    painter.end();
    platform::destroyFont(font);
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(BRISKTUNE_ARTIFACTS_DIR)));
    const QString path = QStringLiteral(BRISKTUNE_ARTIFACTS_DIR "/shaded-buttons.png");
    ASSERT_TRUE(sheet.save(path, "PNG"));
    EXPECT_FALSE(QImage(path).isNull());
}

TEST(CenterRect, CentresTheBoxRelativeToTheRectanglesCorner)
{
    struct Case {
        TkRect rect;
        int width, height;
        TkPoint expected;
    };
    const Case cases[] = {
        {{0, 0, 100, 20}, 16, 16, {42, 2}},
        {{300, 400, 400, 420}, 16, 16, {42, 2}},
        {{0, 0, 81, 23}, 16, 16, {32, 3}},
        // A box larger than the rectangle: the spare width halved as unsigned.
        {{0, 0, 10, 20}, 12, 16, {0x7FFFFFFF, 2}},
    };
    for (const Case& c : cases) {
        TkPoint offset{-1, -1};
        CenterRect(&c.rect, c.width, c.height, &offset);
        EXPECT_EQ(offset.x, c.expected.x);
        EXPECT_EQ(offset.y, c.expected.y);
    }
}

}  // namespace
