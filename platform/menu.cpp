// A dialog's menu bar from a table of rows. Items report their id as a Command;
// check marks and greying are set by id, never by the user's click (a menu here
// does not tick itself, the program decides what is checked).
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "platform/menu.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

QAction* actionOf(WindowHandle dialog, int id)
{
    auto* d = asDialog(widgetOf(dialog));
    return d ? d->menuAction(id) : nullptr;
}

}  // namespace

bool attachMenu(WindowHandle dialog, const MenuRow* rows, size_t rowCount)
{
    auto* d = asDialog(widgetOf(dialog));
    if (!d || (!rows && rowCount))
        return false;
    // Check the shape first, so that a bad table attaches nothing.
    int previousDepth = -1;
    bool previousOpens = true;
    for (size_t i = 0; i < rowCount; ++i) {
        const MenuRow& row = rows[i];
        if (row.depth < 0 || (row.depth == 0 && row.kind != MenuRowKind::Popup))
            return false;
        if (row.depth > previousDepth + 1 || (row.depth == previousDepth + 1 && !previousOpens))
            return false;
        previousDepth = row.depth;
        previousOpens = row.kind == MenuRowKind::Popup;
    }

    auto* bar = new QMenuBar(d);
    std::map<int, QAction*> actions;
    std::vector<QMenu*> open;  // open[depth] = the menu that rows of depth+1 go into
    DialogWindow* target = d;
    for (size_t i = 0; i < rowCount; ++i) {
        const MenuRow& row = rows[i];
        open.resize(static_cast<size_t>(row.depth));
        const QString caption = fromUtf8(row.caption);
        QMenu* parent = row.depth == 0 ? nullptr : open.back();
        switch (row.kind) {
        case MenuRowKind::Popup: {
            QMenu* menu = parent ? parent->addMenu(caption) : bar->addMenu(caption);
            open.push_back(menu);
            break;
        }
        case MenuRowKind::Separator:
            parent->addSeparator();
            break;
        case MenuRowKind::Item: {
            QAction* action = parent->addAction(caption);
            const int id = row.id;
            QObject::connect(action, &QAction::triggered, action, [action, id, target](bool) {
                // A checkable action flips itself when chosen; marks are the program's.
                if (action->isCheckable())
                    action->setChecked(action->property("brisktune.checked").toBool());
                target->sendCommand(nullptr, id, MenuItem);
            });
            if (id != 0 && !actions.count(id))
                actions[id] = action;
            break;
        }
        }
    }
    d->setMenuBar(bar, std::move(actions));
    bar->show();
    return true;
}

void setMenuItemChecked(WindowHandle dialog, int id, bool checked)
{
    if (QAction* action = actionOf(dialog, id)) {
        action->setProperty("brisktune.checked", checked);
        action->setCheckable(true);
        action->setChecked(checked);
    }
}

bool isMenuItemChecked(WindowHandle dialog, int id)
{
    QAction* action = actionOf(dialog, id);
    return action && action->isChecked();
}

void setMenuItemEnabled(WindowHandle dialog, int id, bool enabled)
{
    if (QAction* action = actionOf(dialog, id))
        action->setEnabled(enabled);
}

bool isMenuItemEnabled(WindowHandle dialog, int id)
{
    QAction* action = actionOf(dialog, id);
    return action && action->isEnabled();
}

bool triggerMenuItem(WindowHandle dialog, int id)
{
    QAction* action = actionOf(dialog, id);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

}  // namespace platform
