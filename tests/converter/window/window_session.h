// A brisktune session in one test: the program's own StartUp and ShutDown in a private
// home (HOME, XDG_CONFIG_HOME and the desktop inside a TempDir whose path holds
// blanks, quotes and non-ASCII letters), and the ways a user reaches the window:
// buttons, menu items, the combo box, drops, answers to modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "brisktune_resources_resources.h"
#include "converter/app_state.h"
#include "converter/control_ids.h"
#include "converter/startup.h"
#include "converter/status_pump.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/event_pump.h"
#include "platform/list_view.h"
#include "platform/menu.h"
#include "support/test_support.h"

namespace windowtest {

using namespace brisktune;

inline void makeFolder(const std::string& path)
{
    ASSERT_TRUE(std::filesystem::create_directories(path) || std::filesystem::is_directory(path)) << path;
}

struct Session {
    testsupport::TempDir dir;
    std::string home;     // ends in '/'
    std::string desktop;  // ends in '/'

    Session()
    {
        home = dir.path + "home \xC3\xA4 'q' \"x\"/";
        desktop = home + "Desktop/";
        std::filesystem::create_directories(desktop);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + ".config").c_str(), 1);
        unsetenv("XDG_DESKTOP_DIR");
        platform::clearQuitRequest();
    }
    ~Session()
    {
        if (app().binding.library)
            ShutDown();
        platform::clearQuitRequest();
    }

    std::string settingsFile() const { return home + ".config/brisktune/settings.dat"; }
    std::string desktopEntry() const { return desktop + "BRISKTUNE.desktop"; }

    bool start() { return StartUp(brisktune_resources_module()); }

    // The close box, then what the main loop and the program's end do.
    void closeAndEnd()
    {
        platform::requestClose(app().mainWindow);
        waitUntil([] { return platform::quitRequested(); }, 5000);
        EXPECT_TRUE(platform::quitRequested());
        EXPECT_EQ(platform::quitExitCode(), 0);
        ShutDown();
        platform::clearQuitRequest();
    }

    static void waitUntil(const std::function<bool()>& done, int limitMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < limitMs)
            platform::processPendingEvents();
    }
};

inline WindowHandle control(int id) { return platform::controlOf(app().mainWindow, id); }
inline QWidget* widget(int id) { return reinterpret_cast<QWidget*>(control(id)); }

inline std::string textOf(int id)
{
    char buffer[2048];
    platform::getText(control(id), buffer, sizeof buffer);
    return buffer;
}

// A user's click on a push button or check box (handled before it returns).
inline void click(int id)
{
    auto* button = qobject_cast<QAbstractButton*>(widget(id));
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isEnabled()) << id;
    button->click();
}

inline void choose(int menuId) { ASSERT_TRUE(platform::triggerMenuItem(app().mainWindow, menuId)) << menuId; }

inline void chooseQualityInCombo(int index)
{
    auto* combo = qobject_cast<QComboBox*>(widget(kIdQuality));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

inline int rows() { return platform::listRowCount(control(kIdFileList)); }

inline std::string cell(int row, int column)
{
    char buffer[2048];
    platform::getListCellText(control(kIdFileList), row, column, buffer, sizeof buffer);
    return buffer;
}

inline std::vector<std::string> paths()
{
    std::vector<std::string> out;
    for (int r = 0; r < rows(); ++r)
        out.push_back(cell(r, 4));
    return out;
}

// What a message box showed; filled when it is answered.
struct BoxSeen {
    bool shown = false;
    std::string text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Arms the answer to the next message box: presses `button` and records the box.
inline std::shared_ptr<BoxSeen> answerNextBox(QMessageBox::StandardButton button, int limitMs = 10000)
{
    auto seen = std::make_shared<BoxSeen>();
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, seen, button, limitMs]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible()) {
            timer->stop();
            timer->deleteLater();
            seen->shown = true;
            seen->text = box->text().toStdString();
            seen->caption = box->windowTitle().toStdString();
            seen->icon = box->icon();
            QAbstractButton* b = box->button(button);
            if (b)
                b->click();
            else
                box->reject();
            return;
        }
        if (clock->elapsed() > limitMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return seen;
}

// Calls `probe` at every pass of the event loop (every pump of the program) while it
// lives; the program's own pumps run it during long operations.
struct EveryPump {
    QTimer timer;
    explicit EveryPump(std::function<void()> probe)
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, probe);
        timer.start();
    }
};

// Files dropped from a file manager onto `target` (a control or its viewport).
inline void dropOn(QWidget* target, const std::vector<std::string>& files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& f : files)
        urls.push_back(QUrl::fromLocalFile(QString::fromStdString(f)));
    data.setUrls(urls);
    QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropEvent);
}

// The part of the file list that files are dropped on.
inline QWidget* listViewport()
{
    QWidget* list = widget(kIdFileList);
    auto* area = qobject_cast<QAbstractScrollArea*>(list);
    return area ? area->viewport() : list;
}

inline void dropOnList(const std::vector<std::string>& files) { dropOn(listViewport(), files); }

// Copies a fixture to `folder` + `name` (the folder is made).
inline std::string copyFixture(const std::string& fixtureName, const std::string& folder, const std::string& name)
{
    std::filesystem::create_directories(folder);
    std::string target = folder + name;
    std::filesystem::copy_file(testsupport::fixture(fixtureName), target,
                               std::filesystem::copy_options::overwrite_existing);
    return target;
}

}  // namespace windowtest
