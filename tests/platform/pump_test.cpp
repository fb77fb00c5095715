// The pump primitives and the quit request: a quit posted inside a nested pump is
// still seen by the outer loop; waiting wakes on events and on a quit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "platform/application.h"
#include "platform/event_pump.h"

namespace {

TEST(EventPump, AQuitPostedInsideANestedPumpIsSeenByTheMainLoop)
{
    platform::clearQuitRequest();
    int handled = 0;
    // Three posted events: the first one runs a nested pump that posts the quit.
    QTimer::singleShot(0, qApp, [&] {
        ++handled;
        platform::postQuit(3);
        platform::processPendingEvents();  // a long operation's own pump
    });
    QTimer::singleShot(0, qApp, [&] { ++handled; });
    QTimer::singleShot(0, qApp, [&] { ++handled; });

    int rounds = 0;
    while (!platform::quitRequested() && rounds < 1000) {
        platform::waitForEvents();
        ++rounds;
    }
    EXPECT_TRUE(platform::quitRequested());
    EXPECT_EQ(platform::quitExitCode(), 3);
    platform::processPendingEvents();
    EXPECT_EQ(handled, 3);
    // Still set after more pumping: nothing consumes it.
    platform::processPendingEvents();
    EXPECT_TRUE(platform::quitRequested());
    platform::clearQuitRequest();
    EXPECT_FALSE(platform::quitRequested());
    EXPECT_EQ(platform::quitExitCode(), 0);
}

TEST(EventPump, WaitingReturnsForAnEventAndAtOnceOnceQuitIsPosted)
{
    platform::clearQuitRequest();
    bool fired = false;
    QTimer::singleShot(5, qApp, [&] { fired = true; });
    while (!fired)
        platform::waitForEvents();  // blocks until the timer's event arrives
    EXPECT_TRUE(fired);

    // A quit from a timer wakes the waiting loop.
    QTimer::singleShot(5, qApp, [] { platform::postQuit(0); });
    while (!platform::quitRequested())
        platform::waitForEvents();
    platform::waitForEvents();  // returns at once: the quit is set
    platform::clearQuitRequest();
}

TEST(EventPump, ProcessingPendingEventsHandlesAllWaitingAndReturns)
{
    int handled = 0;
    for (int i = 0; i < 3; ++i)
        QTimer::singleShot(0, qApp, [&] { ++handled; });
    platform::processPendingEvents();
    EXPECT_EQ(handled, 3);
    platform::processPendingEvents();  // nothing waiting: returns all the same
    EXPECT_EQ(handled, 3);
}

TEST(Application, TheGuiOfTheTestsIsRunningAndASecondOneIsRefused)
{
    EXPECT_TRUE(platform::guiRunning());
    int argc = 1;
    char name[] = "second";
    char* argv[] = {name, nullptr};
    EXPECT_FALSE(platform::startGui(argc, argv, platform::GuiOptions{"Second", true}));
    EXPECT_FALSE(platform::displayAvailable());  // QT_QPA_PLATFORM=offscreen
}

}  // namespace
