#include "converter/startup.h"

#include <cstdio>
#include <string>

#include "converter/app_state.h"
#include "converter/control_ids.h"
#include "converter/decoder_process.h"
#include "converter/main_menu.h"
#include "converter/main_window.h"
#include "converter/status_pump.h"
#include "platform/bitmap.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/event_pump.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/program_path.h"
#include "platform/termination_signals.h"

namespace brisktune {

namespace {

constexpr int kBackgroundPicture = 6000;

// SIGTERM and SIGINT close the window as its close box does.
void onTerminationSignal(int /*signalNumber*/, void* /*context*/)
{
    if (app().mainWindow)
        CloseMainWindow();
    else
        platform::postQuit(0);
}

bool bindTonekit()
{
    AppState& st = app();
    std::string error;
    if (BindLibrary(st.binding, &error) && BindingComplete(st.binding))
        return true;
    if (!st.binding.library)
        std::fprintf(stderr, "brisktune: cannot load %s: %s\n", kTonekitLibraryName, error.c_str());
    else
        std::fprintf(stderr, "brisktune: %s lacks %s\n", kTonekitLibraryName,
                     st.binding.firstMissing ? st.binding.firstMissing : "a bound name");
    platform::messageBox(nullptr, "tonekit.so Missing or Corrupted", "ERROR", platform::MessageIcon::Error,
                         platform::MessageButtons::Ok);
    ReleaseLibrary(st.binding);
    return false;
}

}  // namespace

bool StartUp(ModuleHandle module)
{
    AppState& st = app();
    st.instance = module;
    if (!bindTonekit())
        return false;

    FindProgramFolder();
    std::string tempError;
    if (!CreatePrivateTemp(st.temp, &tempError))
        std::fprintf(stderr, "brisktune: %s; conversions will fail until it can be made.\n", tempError.c_str());

    st.backgroundBitmap = tk().LoadResourceJpeg(module, nullptr, kBackgroundPicture);
    if (st.backgroundBitmap)
        st.backgroundBrush = platform::createPatternBrush(st.backgroundBitmap);
    platform::FontSpec font;
    font.height = 15;
    font.width = 5;
    font.weight = 100;
    font.face = "ms sans serif";
    st.buttonFont = platform::createFont(font);

    LoadSettings();

    WindowHandle window = platform::createDialog(mainDialogTemplate(), MainDialogProc, nullptr, nullptr);
    if (!window) {
        std::fprintf(stderr, "brisktune: the main window could not be made\n");
        return false;
    }
    st.menuAttached = attachMainMenu(window) ? 1 : 0;
    ApplySettings();
    platform::showWindow(window);

    if (st.firstRun) {
        const std::string target = platform::executablePath();
        int32_t made = tk().CreateDesktopShortcut(window, "BRISKTUNE", kRightsLine, target.c_str());
        if (made < 0)
            std::fprintf(stderr, "brisktune: the desktop entry BRISKTUNE could not be written\n");
    }
    return true;
}

void WatchTerminationSignals()
{
    platform::watchTerminationSignals(onTerminationSignal, nullptr);
}

int RunMainLoop()
{
    while (!platform::quitRequested())
        platform::waitForEvents();
    return platform::quitExitCode();
}

void ShutDown()
{
    AppState& st = app();
    if (st.mainWindow) {
        platform::destroyDialog(st.mainWindow);
        st.mainWindow = nullptr;
    }
    // Deferred deletions of the window go before the brush and font it paints with.
    platform::processPendingEvents();
    if (st.backgroundBrush)
        platform::destroyBrush(st.backgroundBrush);
    if (st.backgroundBitmap)
        platform::destroyBitmap(st.backgroundBitmap);
    if (st.buttonFont)
        platform::destroyFont(st.buttonFont);
    st.backgroundBrush = nullptr;
    st.backgroundBitmap = nullptr;
    st.buttonFont = nullptr;
    RemovePrivateTemp(st.temp);
    ReleaseLibrary(st.binding);
    // Back to the state of a process that has not started, so that a later StartUp in
    // the same process begins afresh.
    st = AppState{};
}

}  // namespace brisktune
