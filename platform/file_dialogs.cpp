#include "platform/file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <QWidget>
#include <cstring>

namespace platform {

static QWidget* widgetOf(WindowHandle window)
{
    return reinterpret_cast<QWidget*>(window);
}

// "desc\0a;b\0...\0\0" -> {"desc (a b)", ...}. A description that already shows its
// patterns keeps them in the toolkit's form only once.
static QStringList nameFilters(const char* filter)
{
    QStringList filters;
    if (!filter)
        return filters;
    const char* p = filter;
    while (*p) {
        const QString description = QString::fromUtf8(p);
        p += std::strlen(p) + 1;
        if (!*p)
            break;  // a description without patterns ends the list
        QString patterns = QString::fromUtf8(p).trimmed();
        p += std::strlen(p) + 1;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.simplified());
    }
    return filters;
}

static std::string localBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

static void prepare(QFileDialog& dialog, const char* title, const char* startFolder)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (title)
        dialog.setWindowTitle(QString::fromUtf8(title));
    if (startFolder && *startFolder)
        dialog.setDirectory(QFile::decodeName(startFolder));
}

bool chooseFilesToOpen(WindowHandle owner, bool multiple, const char* title,
                       const char* startFolder, const char* filter,
                       std::vector<std::string>* paths)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    QFileDialog dialog(widgetOf(owner));
    prepare(dialog, title, startFolder);
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    const QStringList filters = nameFilters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return false;
    if (paths) {
        paths->clear();
        for (const QString& path : chosen)
            paths->push_back(localBytes(QFileInfo(path).absoluteFilePath()));
    }
    return true;
}

bool chooseFolder(WindowHandle owner, const char* title, std::string* folder,
                  std::string* displayName)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    QFileDialog dialog(widgetOf(owner));
    prepare(dialog, title, nullptr);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return false;
    const QString path = QDir::cleanPath(QFileInfo(chosen.first()).absoluteFilePath());
    if (folder)
        *folder = localBytes(path);
    if (displayName) {
        const QString name = QFileInfo(path).fileName();
        *displayName = localBytes(name.isEmpty() ? path : name);
    }
    return true;
}

}  // namespace platform
