// The settings record of brisktune and its file.
//
// The record lives in memory for the whole run (AppState::settings) and is stored as
// a raw 2,060-byte file: lastAddFolder (1,024 bytes), outputFolder (1,024 bytes),
// qualityIndex, sameFolder, stayOnTop (32-bit little-endian each), no header. The
// file is $XDG_CONFIG_HOME/brisktune/settings.dat, or ~/.config/brisktune/settings.dat
// when XDG_CONFIG_HOME is unset or empty. It is read once at start and written once
// when the main window closes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

namespace brisktune {

constexpr size_t kPathBytes = 1024;        // every path buffer: at most 1,023 bytes
constexpr size_t kSettingsFileBytes = 2060;

struct Settings {
    char lastAddFolder[kPathBytes];  // start folder of the open-file dialog; ends in '/'
    char outputFolder[kPathBytes];   // receives the MP3 files unless sameFolder; ends in '/'
    uint32_t qualityIndex;           // 0..3: 256, 128, 64, 32 kbit/s
    uint32_t sameFolder;             // 1 = each MP3 goes next to its source
    uint32_t stayOnTop;              // 1 = the main window stays above others
};

// The user's home folder with exactly one trailing '/' ("/" when HOME is unset).
std::string homeFolder();

// Full path of the settings file and of its folder (with a trailing '/').
std::string settingsFolderPath();
std::string settingsFilePath();

// The defaults of a first start: both folders the home folder, quality 1 (High),
// both flags 0. Bytes after each terminator are zero.
Settings defaultSettings();

// The record as it is stored (exactly kSettingsFileBytes bytes into `out`), and back.
// parseSettings reads `size` bytes; fields a short file does not reach stay zero,
// as a short file on disk leaves them.
void serializeSettings(const Settings& settings, unsigned char* out);
Settings parseSettings(const unsigned char* bytes, size_t size);

// Mends what a damaged file may hold: a quality outside 0..3 becomes 1, a flag other
// than 0 or 1 becomes 0 (1 stays), a string without terminator is cut, and a folder
// that is empty or does not exist becomes the home folder; a folder is given its
// trailing '/'. Returns true when anything was changed.
bool correctSettings(Settings& settings);

// Creates the settings folder (and its parents), then reads the file. *firstRun
// becomes 1 when there is no file to read (the defaults are used), else 0.
Settings loadSettingsFile(uint32_t* firstRun);

// Writes the record into a new file next to the old one and renames it over the old
// one, so an interrupted save never leaves a half-written settings file. Returns false
// (and leaves the old file as it was) when the folder or file cannot be written.
bool saveSettingsFile(const Settings& settings);

// The program's own operations on AppState::settings and AppState::firstRun:
// LoadSettings at start, SaveSettings when the main window closes (a failed save is
// reported on standard error and does not keep the window from closing).
void LoadSettings();
void SaveSettings();

}  // namespace brisktune
