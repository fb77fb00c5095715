#include "platform/image_list.h"

#include "platform/draw_context_internal.h"

namespace platform {

ImageListHandle createImageList(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    auto* list = new PlatformImageList;
    list->width = width;
    list->height = height;
    return list;
}

void destroyImageList(ImageListHandle list)
{
    delete list;
}

int addToImageList(ImageListHandle list, BitmapHandle icon)
{
    if (!list || !icon || icon->image.isNull())
        return -1;
    QImage image = icon->image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.width() != list->width || image.height() != list->height)
        image = image.scaled(list->width, list->height, Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    list->icons.push_back(image);
    return static_cast<int>(list->icons.size()) - 1;
}

int imageListCount(ImageListHandle list)
{
    return list ? static_cast<int>(list->icons.size()) : 0;
}

bool imageListIconSize(ImageListHandle list, int* width, int* height)
{
    if (width)
        *width = list ? list->width : 0;
    if (height)
        *height = list ? list->height : 0;
    return list != nullptr;
}

bool drawImageListIcon(ImageListHandle list, int index, DrawContext dc, int x, int y)
{
    if (!list || !dc || index < 0 || index >= static_cast<int>(list->icons.size()))
        return false;
    // Source-over composition: transparent icon pixels leave the device as it is.
    dc->painter->drawImage(QPoint(x, y), list->icons[static_cast<size_t>(index)]);
    return true;
}

}  // namespace platform
