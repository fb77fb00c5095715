// setup: installs Brisktune into a folder of the user's choice and starts it.
#include <cstdlib>
#include <cstring>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"
#include "setup/setup_dialog.h"
#include "setup/setup_pump.h"
#include "setup_resources.h"

int main(int argc, char** argv)
{
    // Command-line arguments mean nothing to setup; Qt's own are taken by startGui.
    // Without a window system the dialog could not be seen; offscreen only when asked.
    const char* qpa = std::getenv("QT_QPA_PLATFORM");
    const bool offscreen = qpa && std::strcmp(qpa, "offscreen") == 0;
    platform::GuiOptions options{"Brisktune Setup", offscreen};
    if ((!offscreen && !platform::displayAvailable()) || !platform::startGui(argc, argv, options)) {
        platform::messageBox(nullptr, "Setup needs a graphical desktop: no window system could be reached.",
                             "ERROR", platform::MessageIcon::Error, platform::MessageButtons::Ok);
        return 1;
    }
    setup::SetupState state;
    state.resources = setup_module();
    WindowHandle dialog = setup::createSetupDialog(&state);
    if (!dialog) {
        platform::stopGui();
        return 1;
    }
    platform::showWindow(dialog);
    const int exitCode = setup::runUntilQuit();
    // Lets the destroyed dialog's window go before what it painted with.
    platform::processPendingEvents();
    setup::releaseSetupState(&state);
    platform::stopGui();
    return exitCode;
}
