// brisktune_window_bench: times the window's own operations, offscreen, in a private
// home. bench/window-benchmarks.sh runs it and writes the figures down.
//
//   brisktune_window_bench convert <source>   seconds of one Convert of <source>
//   brisktune_window_bench folder <count>     seconds to add a folder of <count> media
//                                             files, then to remove them all
#include <QApplication>
#include <QMessageBox>
#include <QAbstractButton>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "brisktune_resources_resources.h"
#include "converter/app_state.h"
#include "converter/control_ids.h"
#include "converter/conversion_job.h"
#include "converter/file_list.h"
#include "converter/startup.h"
#include "converter/status_pump.h"
#include "platform/list_view.h"
#include "platform/dialog.h"

namespace {

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s convert <source> | folder <count>\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    char pattern[] = "/tmp/brisktune-bench-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::string home = std::string(pattern) + "/";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + ".config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::filesystem::create_directories(home + "out");

    QApplication qt(argc, argv);
    int status = 1;
    if (brisktune::StartUp(brisktune_resources_module())) {
        brisktune::AppState& st = brisktune::app();
        std::snprintf(st.settings.outputFolder, sizeof st.settings.outputFolder, "%sout/", home.c_str());
        brisktune::ApplySettings();
        WindowHandle list = platform::controlOf(st.mainWindow, brisktune::kIdFileList);
        if (mode == "convert") {
            brisktune::AddMediaFile(argv[2], 0);
            auto start = std::chrono::steady_clock::now();
            brisktune::RunConversion();
            std::printf("convert %.3f\n", seconds(start));
            status = 0;
        } else if (mode == "folder") {
            const int count = std::atoi(argv[2]);
            const std::string folder = home + "many/";
            std::filesystem::create_directories(folder);
            for (int i = 0; i < count; ++i)
                std::ofstream(folder + "file " + std::to_string(i) + ".m4a");
            auto start = std::chrono::steady_clock::now();
            // Add Folder after its two questions: the walk of the chosen folder.
            brisktune::tk().SearchFiles(folder.c_str(), brisktune::OnFoundFile, 1);
            brisktune::SetStatus("Idle.");
            const double add = seconds(start);
            const int rows = platform::listRowCount(list);
            // Remove's question is answered Yes as soon as it shows.
            QTimer answer;
            answer.setInterval(1);
            QObject::connect(&answer, &QTimer::timeout, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    box->button(QMessageBox::Yes)->click();
            });
            answer.start();
            start = std::chrono::steady_clock::now();
            brisktune::RemoveCommand();
            const double remove = seconds(start);
            std::printf("add %d %.3f\nremove %d %.3f\n", rows, add, platform::listRowCount(list), remove);
            status = rows == count && platform::listRowCount(list) == 0 ? 0 : 1;
        }
    }
    brisktune::ShutDown();
    std::filesystem::remove_all(pattern);
    return status;
}
