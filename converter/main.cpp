// brisktune: the converter's window program.
#include "brisktune_resources_resources.h"
#include "converter/startup.h"
#include "platform/application.h"

int main(int argc, char** argv)
{
    platform::GuiOptions options{"Brisktune", false};
    if (!platform::startGui(argc, argv, options))
        return 1;
    int status = 1;
    if (brisktune::StartUp(brisktune_resources_module())) {
        brisktune::WatchTerminationSignals();
        status = brisktune::RunMainLoop();
    }
    brisktune::ShutDown();
    platform::stopGui();
    return status;
}
