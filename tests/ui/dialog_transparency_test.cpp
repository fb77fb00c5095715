// Control backgrounds that continue the dialog's pattern brush.
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/draw_context.h"
#include "platform/draw_context_qt.h"
#include "ui/painting.h"

namespace {

intptr_t quietProcedure(WindowHandle, platform::DialogEvent&, void*)
{
    return 0;
}

TEST(DoDialogTransparency, BrushOriginLinesThePatternUpWithTheDialog)
{
    const platform::ControlTemplate controls[] = {
        {1020, platform::ControlKind::StaticText, 0, "label", 20, 30, 40, 12}};
    const platform::DialogTemplate form{"Transparency", 200, 150, 0, controls, 1};
    WindowHandle dialog = platform::createDialog(form, quietProcedure, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    WindowHandle control = platform::controlOf(dialog, 1020);
    ASSERT_NE(control, nullptr);
    reinterpret_cast<QWidget*>(control)->move(30, 50);

    // A 7 x 5 pattern whose every pixel differs, so any misalignment shows.
    QImage tile(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            tile.setPixel(x, y, qRgb(30 * x, 40 * y, 100));
    BitmapHandle bitmap = platform::bitmapFromImage(tile);
    BrushHandle pattern = platform::createPatternBrush(bitmap);
    platform::destroyBitmap(bitmap);

    QImage background(200, 150, QImage::Format_RGB32);
    {
        QPainter painter(&background);
        platform::ScopedDrawContext dc(&painter);
        platform::fillRectangle(dc.get(), {0, 0, 200, 150}, pattern);
    }
    QImage label(60, 20, QImage::Format_RGB32);
    {
        QPainter painter(&label);
        platform::ScopedDrawContext dc(&painter);
        EXPECT_FALSE(platform::backgroundTransparent(dc.get()));
        EXPECT_NE(DoDialogTransparency(dialog, dc.get(), control), 0);
        EXPECT_TRUE(platform::backgroundTransparent(dc.get()));
        const TkPoint origin = platform::brushOrigin(dc.get());
        EXPECT_EQ(origin.x, -30);
        EXPECT_EQ(origin.y, -50);
        platform::fillRectangle(dc.get(), {0, 0, 60, 20}, pattern);
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(label.pixel(x, y), background.pixel(x + 30, y + 50)) << x << ", " << y;

    platform::destroyBrush(pattern);
    platform::destroyDialog(dialog);
}

}  // namespace
