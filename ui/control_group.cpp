// Enabling or disabling a group of up to ten dialog controls at once.
#include "platform/controls.h"
#include "platform/dialog.h"
#include "ui/list_helpers.h"

void EnableWindows10(WindowHandle dialog, int32_t enable, int32_t id1, int32_t id2, int32_t id3,
                     int32_t id4, int32_t id5, int32_t id6, int32_t id7, int32_t id8, int32_t id9,
                     int32_t id10)
{
    const int32_t ids[] = {id1, id2, id3, id4, id5, id6, id7, id8, id9, id10};
    for (int32_t id : ids)
        if (id != 0)
            platform::setEnabled(platform::controlOf(dialog, id), enable != 0);
}
