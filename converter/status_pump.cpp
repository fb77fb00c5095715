#include "converter/status_pump.h"

#include <chrono>

#include "converter/app_state.h"
#include "converter/control_ids.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/event_pump.h"
#include "platform/menu.h"

namespace brisktune {

void SetStatus(const char* text)
{
    WindowHandle window = app().mainWindow;
    if (!window)
        return;
    platform::setText(platform::controlOf(window, kIdStatus),
                      tk().strcat5(" Status : ", text, nullptr, nullptr, nullptr));
}

int PumpMessages()
{
    // Only what is waiting is handled; the main loop blocks in waitForEvents instead,
    // so neither idling nor a long operation spends time sleeping here.
    platform::processPendingEvents();
    return platform::quitRequested() ? 1 : 0;
}

int PumpMessagesAtFrameRate()
{
    using Clock = std::chrono::steady_clock;
    const int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
    AppState& st = app();
    if (now - st.lastFramePump < 15)
        return platform::quitRequested() ? 1 : 0;
    st.lastFramePump = now;
    return PumpMessages();
}

void ApplySettings()
{
    AppState& st = app();
    WindowHandle w = st.mainWindow;
    if (!w)
        return;
    const Settings& s = st.settings;

    platform::setMenuItemChecked(w, kMenuSameFolder, s.sameFolder == 1);
    for (int id = kMenuQualityFirst; id <= kMenuQualityLast; ++id)
        platform::setMenuItemChecked(w, id, false);
    platform::setMenuItemChecked(w, kMenuQualityFirst + static_cast<int>(s.qualityIndex), true);

    platform::setChecked(platform::controlOf(w, kIdSameFolder), s.sameFolder == 1);
    platform::setChecked(platform::controlOf(w, kIdStayOnTop), s.stayOnTop == 1);
    platform::setComboSelection(platform::controlOf(w, kIdQuality), static_cast<int>(s.qualityIndex));

    const bool same = s.sameFolder == 1;
    platform::setText(platform::controlOf(w, kIdFolderBox), same ? "(SAME FOLDER)" : s.outputFolder);
    platform::setEnabled(platform::controlOf(w, kIdChangeFolder), !same);
    platform::setEnabled(platform::controlOf(w, kIdExplore), !same);
    platform::setMenuItemEnabled(w, kMenuChangeFolder, !same);
    platform::setMenuItemEnabled(w, kMenuExplore, !same);

    // Changing the topmost state re-creates the window's frame on some desktops, so
    // it is changed only when it differs.
    const bool top = s.stayOnTop == 1;
    if (platform::isTopmost(w) != top)
        platform::setTopmost(w, top);
}

}  // namespace brisktune
