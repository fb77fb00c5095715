// The list box that a file dialog's chosen paths may be collected in.
#include <QListWidget>
#include <QString>

#include "platform/file_dialogs.h"

namespace platform {

static QListWidget* listOf(WindowHandle window)
{
    return qobject_cast<QListWidget*>(reinterpret_cast<QWidget*>(window));
}

int findListBoxPrefix(WindowHandle listBox, const char* text)
{
    QListWidget* list = listOf(listBox);
    if (!list || !text)
        return -1;
    const QString prefix = QString::fromUtf8(text);
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}

int addListBoxEntry(WindowHandle listBox, const char* text)
{
    QListWidget* list = listOf(listBox);
    if (!list || !text)
        return -1;
    list->addItem(QString::fromUtf8(text));
    return list->count() - 1;
}

}  // namespace platform
