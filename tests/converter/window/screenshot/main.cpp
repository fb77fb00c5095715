// brisktune_screenshot: a picture of the real main window holding a few rows, for the
// README. Starts the window with the program's own start-up (offscreen, in a private
// home), adds and converts the bundled sample and three fixtures through the file
// list and the conversion job, and saves the window as PNG.
//
//   brisktune_screenshot <output.png>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "brisktune_resources_resources.h"
#include "converter/app_state.h"
#include "converter/control_ids.h"
#include "converter/conversion_job.h"
#include "converter/file_list.h"
#include "converter/startup.h"
#include "converter/status_pump.h"
#include "platform/application.h"
#include "platform/event_pump.h"
#include "platform/list_view.h"
#include "platform/dialog.h"
#include "platform/window_capture.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.png>\n", argv[0]);
        return 2;
    }
    const std::string output = std::filesystem::absolute(argv[1]).string();
    char pattern[] = "/tmp/brisktune-shot-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string home = std::string(pattern) + "/home/";
    const std::string music = home + "Music/";
    std::filesystem::create_directories(music + "Out");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + ".config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    const std::string source = BRISKTUNE_SOURCE_DIR;
    struct { const char* from; const char* name; } files[] = {
        {"/samples/sample.m4a", "Evening Arpeggio.m4a"},
        {"/tests/data/tone-44100-stereo.m4a", "Tuning Fork A440.m4a"},
        {"/tests/data/tone-48000-stereo.m4a", "Studio Tone C5.m4a"},
        {"/tests/data/tone-22050-mono.aac", "Voice Memo.aac"},
        {"/tests/data/tone-44100-video.mp4", "Holiday Clip.mp4"},
    };
    for (const auto& f : files)
        std::filesystem::copy_file(source + f.from, music + f.name);

    platform::GuiOptions options{"Brisktune", true};
    if (!platform::startGui(argc, argv, options))
        return 1;
    int status = 1;
    if (brisktune::StartUp(brisktune_resources_module())) {
        brisktune::AppState& st = brisktune::app();
        std::snprintf(st.settings.outputFolder, sizeof st.settings.outputFolder, "%sOut/", music.c_str());
        brisktune::ApplySettings();
        for (const auto& f : files)
            brisktune::AddMediaFile((music + f.name).c_str(), 0);
        WindowHandle list = platform::controlOf(st.mainWindow, brisktune::kIdFileList);
        platform::setListRowTicked(list, 4, false);
        brisktune::RunConversion();
        platform::processPendingEvents();
        status = platform::saveWindowPicture(st.mainWindow, output.c_str()) ? 0 : 1;
        if (status == 0)
            std::printf("Wrote %s\n", output.c_str());
    }
    brisktune::ShutDown();
    platform::stopGui();
    std::filesystem::remove_all(pattern);
    return status;
}
