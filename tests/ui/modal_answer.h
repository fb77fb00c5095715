// Answering a modal dialog from a test: a timer polls for the active modal widget and
// hands it to the test's action once. If no modal dialog appears within the time
// limit, the test fails and any modal widget still open is rejected.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <memory>

namespace modalanswer {

// Arms the answer before the call that opens the dialog. `action` gets the dialog
// (as a QFileDialog, null when the modal widget is something else).
inline void whenFileDialogOpens(std::function<void(QFileDialog*)> action, int limitMs = 10000)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, limitMs]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(qobject_cast<QFileDialog*>(modal));
            return;
        }
        if (clock->elapsed() > limitMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog appeared";
        }
    });
    timer->start();
}

// Presses the dialog's accept button, as a user would. Call from a test function (it
// uses gtest assertions).
inline void pressAccept(QFileDialog* dialog, const QString& what)
{
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    QPushButton* accept = nullptr;
    for (QAbstractButton* button : buttons->buttons())
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
            accept = qobject_cast<QPushButton*>(button);
    ASSERT_NE(accept, nullptr);
    ASSERT_TRUE(accept->isEnabled()) << "the dialog does not accept " << what.toStdString();
    accept->click();
}

// Types `text` (names without double quotes, or several "quoted" names) into the file
// dialog's name box and accepts.
inline void typeAndAccept(QFileDialog* dialog, const QString& text)
{
    ASSERT_NE(dialog, nullptr);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(text);
    pressAccept(dialog, text);
}

// Goes to `folder` in a folder dialog and accepts it (any name allowed, quotes too).
inline void openFolderAndAccept(QFileDialog* dialog, const QString& folder)
{
    ASSERT_NE(dialog, nullptr);
    dialog->setDirectory(folder);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    pressAccept(dialog, folder);
}

}  // namespace modalanswer
