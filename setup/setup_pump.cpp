#include "setup/setup_pump.h"

#include "platform/event_pump.h"
#include "setup/setup_dialog.h"

namespace setup {

bool dropsInput(int controlId, platform::InputKind input)
{
    using platform::InputKind;
    if (controlId == kLicenceBoxId)
        return input == InputKind::KeyDown;
    if (controlId == kPathBoxId)
        return input == InputKind::KeyDown || input == InputKind::LeftPress ||
               input == InputKind::RightPress;
    return false;
}

int runUntilQuit()
{
    while (!platform::quitRequested())
        platform::waitForEvents();
    return platform::quitExitCode();
}

}  // namespace setup
