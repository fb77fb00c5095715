// The one QApplication of a process: made by startGui, deleted by stopGui.
#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/application.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

bool offscreenRequested()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform && std::strcmp(platform, "offscreen") == 0;
}

bool hasValue(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool displayAvailable()
{
    return !offscreenRequested() && (hasValue("DISPLAY") || hasValue("WAYLAND_DISPLAY"));
}

bool startGui(int& argc, char** argv, const GuiOptions& options)
{
    if (QCoreApplication::instance())
        return false;
    if (options.offscreen || !displayAvailable())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* app = new QApplication(argc, argv);
    if (options.applicationName)
        QApplication::setApplicationName(QString::fromUtf8(options.applicationName));
    // Windows are hidden and destroyed by their programs; nothing quits behind them.
    QApplication::setQuitOnLastWindowClosed(false);
    // The bare "Windows" look is Qt's fallback when the desktop names no style.
    const QString style = app->style() ? app->style()->name() : QString();
    if (style.isEmpty() || style.compare(QStringLiteral("windows"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return true;
}

void stopGui()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    // Dialogs left for deletion go first, so that their destruction happens while
    // the application they belong to still exists.
    // Deleting a dialog deletes the top-level windows it owns (a combo box's pop-up)
    // that may come later in the list: every entry is guarded.
    std::vector<QPointer<QWidget>> tops;
    for (QWidget* top : QApplication::topLevelWidgets())
        tops.emplace_back(top);
    for (const QPointer<QWidget>& top : tops)
        if (auto* dialog = top ? asDialog(top.data()) : nullptr; dialog && dialog->destroyed())
            delete dialog;
    delete app;
}

bool guiRunning()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace platform
