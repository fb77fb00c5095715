// The event pump primitives and the quit request (a property of the QApplication).
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>

#include "platform/event_pump.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

constexpr const char* kQuitProperty = "brisktune.quitRequested";
constexpr const char* kExitCodeProperty = "brisktune.exitCode";

}  // namespace

void processPendingEvents()
{
    if (!QCoreApplication::instance())
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    deleteDestroyedDialogs();
}

void waitForEvents()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || quitRequested())
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    deleteDestroyedDialogs();
}

void postQuit(int exitCode)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    app->setProperty(kQuitProperty, true);
    app->setProperty(kExitCodeProperty, exitCode);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

bool quitRequested()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app && app->property(kQuitProperty).toBool();
}

int quitExitCode()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app ? app->property(kExitCodeProperty).toInt() : 0;
}

void clearQuitRequest()
{
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->setProperty(kQuitProperty, false);
        app->setProperty(kExitCodeProperty, 0);
    }
}

}  // namespace platform
