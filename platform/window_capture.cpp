#include "platform/window_capture.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace platform {

bool saveWindowPicture(WindowHandle window, const char* path)
{
    auto* widget = reinterpret_cast<QWidget*>(window);
    if (!widget || !path)
        return false;
    QPixmap picture = widget->grab();
    if (picture.isNull())
        return false;
    return picture.save(QString::fromUtf8(path), "PNG");
}

}  // namespace platform
