#include "converter/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "converter/app_state.h"

namespace brisktune {

namespace {

constexpr size_t kOffsetOutput = 1024;
constexpr size_t kOffsetQuality = 2048;
constexpr size_t kOffsetSameFolder = 2052;
constexpr size_t kOffsetStayOnTop = 2056;

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

void putU32(unsigned char* out, uint32_t value)
{
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
    out[2] = static_cast<unsigned char>(value >> 16);
    out[3] = static_cast<unsigned char>(value >> 24);
}

uint32_t getU32(const unsigned char* bytes, size_t size, size_t offset)
{
    unsigned char b[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 4; ++i)
        if (offset + i < size)
            b[i] = bytes[offset + i];
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// Sets a 1,024-byte field to `text`, zero after the terminator. A text that does not
// fit leaves the field empty rather than cut into a different path.
void setField(char* field, const std::string& text)
{
    std::memset(field, 0, kPathBytes);
    if (text.size() < kPathBytes)
        std::memcpy(field, text.data(), text.size());
}

bool isFolder(const char* path)
{
    std::error_code ec;
    return path[0] != '\0' && std::filesystem::is_directory(path, ec);
}

// A folder field that is unusable (empty, missing, not a folder, too long with its
// '/') becomes the home folder.
bool correctFolder(char* field)
{
    bool changed = false;
    if (std::memchr(field, '\0', kPathBytes) == nullptr) {
        field[kPathBytes - 1] = '\0';
        changed = true;
    }
    std::string folder = field;
    if (!isFolder(field) || withSlash(folder).size() >= kPathBytes) {
        setField(field, homeFolder());
        return true;
    }
    if (folder.back() != '/') {
        setField(field, withSlash(folder));
        changed = true;
    }
    return changed;
}

}  // namespace

std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return "/";
    return withSlash(home);
}

std::string settingsFolderPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base = (config && *config) ? withSlash(config) : homeFolder() + ".config/";
    return base + "brisktune/";
}

std::string settingsFilePath()
{
    return settingsFolderPath() + "settings.dat";
}

Settings defaultSettings()
{
    Settings s;
    std::memset(&s, 0, sizeof s);
    setField(s.lastAddFolder, homeFolder());
    setField(s.outputFolder, homeFolder());
    s.qualityIndex = 1;
    s.sameFolder = 0;
    s.stayOnTop = 0;
    return s;
}

void serializeSettings(const Settings& settings, unsigned char* out)
{
    std::memcpy(out, settings.lastAddFolder, kPathBytes);
    std::memcpy(out + kOffsetOutput, settings.outputFolder, kPathBytes);
    putU32(out + kOffsetQuality, settings.qualityIndex);
    putU32(out + kOffsetSameFolder, settings.sameFolder);
    putU32(out + kOffsetStayOnTop, settings.stayOnTop);
}

Settings parseSettings(const unsigned char* bytes, size_t size)
{
    Settings s;
    std::memset(&s, 0, sizeof s);
    for (size_t i = 0; i < kPathBytes; ++i) {
        if (i < size)
            s.lastAddFolder[i] = static_cast<char>(bytes[i]);
        if (kOffsetOutput + i < size)
            s.outputFolder[i] = static_cast<char>(bytes[kOffsetOutput + i]);
    }
    s.qualityIndex = getU32(bytes, size, kOffsetQuality);
    s.sameFolder = getU32(bytes, size, kOffsetSameFolder);
    s.stayOnTop = getU32(bytes, size, kOffsetStayOnTop);
    return s;
}

bool correctSettings(Settings& settings)
{
    bool changed = correctFolder(settings.lastAddFolder);
    changed = correctFolder(settings.outputFolder) || changed;
    if (settings.qualityIndex > 3) {
        settings.qualityIndex = 1;
        changed = true;
    }
    if (settings.sameFolder > 1) {
        settings.sameFolder = 0;
        changed = true;
    }
    if (settings.stayOnTop > 1) {
        settings.stayOnTop = 0;
        changed = true;
    }
    return changed;
}

Settings loadSettingsFile(uint32_t* firstRun)
{
    std::error_code ec;
    // An existing folder is no error; a folder that cannot be made shows up as a
    // failed save at the close.
    std::filesystem::create_directories(settingsFolderPath(), ec);

    FILE* file = std::fopen(settingsFilePath().c_str(), "rb");
    if (!file) {
        *firstRun = 1;
        return defaultSettings();
    }
    unsigned char bytes[kSettingsFileBytes] = {};
    size_t got = std::fread(bytes, 1, sizeof bytes, file);
    if (std::ferror(file))
        got = 0;
    std::fclose(file);
    *firstRun = 0;
    Settings s = parseSettings(bytes, got);
    correctSettings(s);
    return s;
}

bool saveSettingsFile(const Settings& settings)
{
    std::error_code ec;
    std::filesystem::create_directories(settingsFolderPath(), ec);

    unsigned char bytes[kSettingsFileBytes];
    serializeSettings(settings, bytes);
    const std::string target = settingsFilePath();
    const std::string fresh = target + ".new";
    FILE* file = std::fopen(fresh.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
    ok = (std::fflush(file) == 0) && ok;
    ok = (::fsync(fileno(file)) == 0) && ok;
    ok = (std::fclose(file) == 0) && ok;
    if (ok)
        ok = std::rename(fresh.c_str(), target.c_str()) == 0;
    if (!ok)
        std::remove(fresh.c_str());
    return ok;
}

void LoadSettings()
{
    AppState& st = app();
    st.settings = loadSettingsFile(&st.firstRun);
}

void SaveSettings()
{
    if (!saveSettingsFile(app().settings))
        std::fprintf(stderr, "brisktune: cannot save the settings to %s; the changes of this run are lost.\n",
                     settingsFilePath().c_str());
}

}  // namespace brisktune
