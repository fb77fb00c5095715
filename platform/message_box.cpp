#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <cstdio>

namespace platform {

MessageAnswer messageBox(WindowHandle owner, const char* text, const char* caption,
                         MessageIcon icon, MessageButtons buttons)
{
    const char* safeText = text ? text : "";
    const char* safeCaption = caption ? caption : "";
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s: %s\n", safeCaption, safeText);
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }

    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None: qtIcon = QMessageBox::NoIcon; break;
    case MessageIcon::Information: qtIcon = QMessageBox::Information; break;
    case MessageIcon::Question: qtIcon = QMessageBox::Question; break;
    case MessageIcon::Warning: qtIcon = QMessageBox::Warning; break;
    case MessageIcon::Error: qtIcon = QMessageBox::Critical; break;
    }
    QMessageBox::StandardButtons qtButtons =
        buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
    QMessageBox box(qtIcon, QString::fromUtf8(safeCaption), QString::fromUtf8(safeText), qtButtons,
                    reinterpret_cast<QWidget*>(owner));
    const int answer = box.exec();
    if (buttons == MessageButtons::YesNo)
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    return MessageAnswer::Ok;
}

}  // namespace platform
