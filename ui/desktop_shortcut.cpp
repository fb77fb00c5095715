#include <cerrno>
#include <cstring>
#include <string>

#include "platform/desktop.h"
#include "textkit/textkit.h"
#include "ui/file_helpers.h"

namespace {

constexpr size_t kPathBuffer = 1024;

// Desktop entries are UTF-8 text; a name or path in another encoding cannot be written.
bool isUtf8(const char* text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        int follow = 0;
        if (*p < 0x80)
            follow = 0;
        else if ((*p & 0xE0) == 0xC0 && *p >= 0xC2)
            follow = 1;
        else if ((*p & 0xF0) == 0xE0)
            follow = 2;
        else if ((*p & 0xF8) == 0xF0 && *p <= 0xF4)
            follow = 3;
        else
            return false;
        ++p;
        for (int i = 0; i < follow; ++i, ++p)
            if ((*p & 0xC0) != 0x80)
                return false;
    }
    return true;
}

// A value of type string or localestring: backslash and control characters escaped,
// and a leading space kept as "\s".
std::string escapeValue(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == ' ' && i == 0)
            out += "\\s";
        else
            out += c;
    }
    return out;
}

// The target as the one quoted argument of Exec: inside the quotes ", `, $ and \ take a
// backslash, a % is doubled (field codes), then the whole value is escaped as a string.
std::string execValue(const char* target)
{
    std::string quoted = "\"";
    for (const char* p = target; *p; ++p) {
        if (*p == '"' || *p == '`' || *p == '$' || *p == '\\')
            quoted += '\\';
        if (*p == '%')
            quoted += '%';
        quoted += *p;
    }
    quoted += '"';
    return escapeValue(quoted);
}

}  // namespace

int32_t CreateDesktopShortcut(WindowHandle owner, const char* name, const char* description,
                              const char* target)
{
    (void)owner;
    if (!name || !*name || std::strchr(name, '/') || !target || !*target)
        return -EINVAL;
    if (!description)
        description = "";
    if (!isUtf8(name) || !isUtf8(description) || !isUtf8(target))
        return -EILSEQ;

    std::string desktop;
    if (!platform::desktopFolder(&desktop))
        return 0;  // no desktop folder: the user has none to put a launcher on
    if (desktop.size() + std::strlen(name) + std::strlen(".desktop") >= kPathBuffer)
        return -ENAMETOOLONG;
    const std::string path = strcat5(desktop.c_str(), name, ".desktop", nullptr, nullptr);

    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Version=1.0\n";
    entry += "Name=" + escapeValue(name) + "\n";
    if (*description)
        entry += "Comment=" + escapeValue(description) + "\n";
    entry += "Exec=" + execValue(target) + "\n";
    entry += "Terminal=false\n";
    entry += "Categories=AudioVideo;Audio;\n";

    const int error = platform::writeExecutableFile(path.c_str(), entry.data(), entry.size());
    return error ? -error : 0;
}
