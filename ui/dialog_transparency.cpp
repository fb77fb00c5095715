#include "platform/controls.h"
#include "platform/draw_context.h"
#include "ui/painting.h"

int32_t DoDialogTransparency(WindowHandle dialog, DrawContext dc, WindowHandle control)
{
    (void)dialog;  // a control's rectangle is given in its own dialog's client area
    platform::setBackgroundTransparent(dc, true);
    const TkRect where = platform::windowRect(control);
    return platform::setBrushOrigin(dc, -where.left, -where.top, nullptr) ? 1 : 0;
}
