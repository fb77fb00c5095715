#include "platform/desktop.h"

#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QUrl>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool openWithDesktop(const char* target)
{
    if (!target || !*target || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QString text = QString::fromUtf8(target);
    QUrl url;
    static const char* const schemes[] = {"http://", "https://", "file://", "mailto:", "ftp://"};
    for (const char* scheme : schemes)
        if (text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            url = QUrl(text, QUrl::StrictMode);
    if (!url.isValid())
        url = QUrl::fromLocalFile(QFile::decodeName(target));
    return QDesktopServices::openUrl(url);
}

static std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

static std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The XDG_DESKTOP_DIR line of user-dirs.dirs: a quoted absolute path, or one starting
// with "$HOME". Empty when the file or the line is missing or malformed.
static std::string desktopFromUserDirs(const std::string& home)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string configFolder =
        config && config[0] == '/' ? std::string(config) : home + "/.config";
    FILE* file = std::fopen((configFolder + "/user-dirs.dirs").c_str(), "r");
    if (!file)
        return {};
    std::string found;
    char line[4096];
    while (std::fgets(line, sizeof line, file)) {
        const char* p = line;
        while (*p == ' ' || *p == '\t')
            ++p;
        static const char key[] = "XDG_DESKTOP_DIR=\"";
        if (std::strncmp(p, key, sizeof key - 1) != 0)
            continue;
        p += sizeof key - 1;
        std::string value;
        for (; *p && *p != '"'; ++p) {
            if (*p == '\\' && p[1])
                ++p;
            value += *p;
        }
        if (*p != '"')
            continue;
        if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
            found = home + value.substr(5);
        else if (!value.empty() && value[0] == '/')
            found = value;
    }
    std::fclose(file);
    return found;
}

bool desktopFolder(std::string* folder)
{
    const std::string home = homeFolder();
    if (home.empty())
        return false;
    std::string desktop = desktopFromUserDirs(home);
    if (desktop.empty())
        desktop = home + "/Desktop";
    desktop = withoutTrailingSlashes(desktop);
    if (desktop == withoutTrailingSlashes(home))
        return false;
    struct stat info;
    if (stat(desktop.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    if (folder)
        *folder = desktop == "/" ? desktop : desktop + "/";
    return true;
}

int writeExecutableFile(const char* path, const char* data, size_t size)
{
    if (!path || !*path || (!data && size))
        return EINVAL;
    std::string temporary = std::string(path) + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    int error = 0;
    // mkstemp makes the file 0600; the launcher must be executable for the desktop.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0755 & ~mask) != 0)
        error = errno;
    for (size_t done = 0; !error && done < size;) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n < 0) {
            if (errno != EINTR)
                error = errno;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    if (!error && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && !error)
        error = errno;
    if (!error && rename(temporary.c_str(), path) != 0)
        error = errno;
    if (error)
        unlink(temporary.c_str());
    return error;
}

}  // namespace platform
