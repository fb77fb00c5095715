// Start-up, the settings file and the desktop entry, through the program's own
// StartUp and close.
#include "window_session.h"

#include <cstring>

#include "converter/settings.h"
#include "platform/program_path.h"

namespace windowtest {
namespace {

uint32_t u32At(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

std::string stringAt(const std::vector<uint8_t>& b, size_t at)
{
    return std::string(reinterpret_cast<const char*>(b.data() + at));
}

TEST(BrisktuneStartUp, FirstStartUsesDefaultsWritesDesktopEntryAndTheCloseSavesTheRecord)
{
    Session s;
    ASSERT_TRUE(s.start());
    EXPECT_EQ(app().firstRun, 1u);
    EXPECT_STREQ(app().settings.outputFolder, s.home.c_str());
    EXPECT_STREQ(app().settings.lastAddFolder, s.home.c_str());
    EXPECT_EQ(app().settings.qualityIndex, 1u);
    EXPECT_EQ(textOf(kIdFolderBox), s.home);
    EXPECT_EQ(textOf(kIdStatus), " Status : Idle.");
    EXPECT_EQ(platform::comboSelection(control(kIdQuality)), 1);
    EXPECT_TRUE(platform::isMenuItemChecked(app().mainWindow, 5101));
    EXPECT_FALSE(platform::isChecked(control(kIdSameFolder)));
    EXPECT_FALSE(platform::isChecked(control(kIdStayOnTop)));
    EXPECT_TRUE(platform::isVisible(app().mainWindow));
    EXPECT_EQ(textOf(kIdConvert), "Convert");

    ASSERT_TRUE(testsupport::fileExists(s.desktopEntry()));
    std::vector<uint8_t> entry = testsupport::readFile(s.desktopEntry());
    std::string text(entry.begin(), entry.end());
    EXPECT_NE(text.find("Name=BRISKTUNE"), std::string::npos) << text;
    EXPECT_NE(text.find(std::string("Comment=") + kRightsLine), std::string::npos) << text;
    // Exec names the running program (here the test itself).
    EXPECT_NE(text.find("Exec=\"" + platform::executablePath() + "\""), std::string::npos) << text;
    EXPECT_FALSE(testsupport::fileExists(s.settingsFile())) << "written only when the window closes";

    s.closeAndEnd();
    std::vector<uint8_t> record = testsupport::readFile(s.settingsFile());
    ASSERT_EQ(record.size(), 2060u);
    EXPECT_EQ(stringAt(record, 0), s.home);
    EXPECT_EQ(stringAt(record, 1024), s.home);
    EXPECT_EQ(record[s.home.size()], 0) << "zero after the terminator";
    EXPECT_EQ(record[1023], 0);
    EXPECT_EQ(u32At(record, 2048), 1u);
    EXPECT_EQ(u32At(record, 2052), 0u);
    EXPECT_EQ(u32At(record, 2056), 0u);

    // The next start is no first start: no new desktop entry.
    std::remove(s.desktopEntry().c_str());
    ASSERT_TRUE(s.start());
    EXPECT_EQ(app().firstRun, 0u);
    EXPECT_FALSE(testsupport::fileExists(s.desktopEntry()));
    s.closeAndEnd();
}

TEST(BrisktuneStartUp, ChangedSettingsSurviveARestart)
{
    Session s;
    const std::string out = s.home + "Out \xC3\xA9 'x'/";
    makeFolder(out);
    ASSERT_TRUE(s.start());
    choose(5103);
    click(kIdSameFolder);
    click(kIdStayOnTop);
    std::memset(app().settings.outputFolder, 0, kPathBytes);
    std::strcpy(app().settings.outputFolder, out.c_str());
    std::strcpy(app().settings.lastAddFolder, out.c_str());
    s.closeAndEnd();

    ASSERT_TRUE(s.start());
    EXPECT_EQ(app().settings.qualityIndex, 3u);
    EXPECT_EQ(platform::comboSelection(control(kIdQuality)), 3);
    EXPECT_TRUE(platform::isMenuItemChecked(app().mainWindow, 5103));
    EXPECT_TRUE(platform::isChecked(control(kIdSameFolder)));
    EXPECT_TRUE(platform::isMenuItemChecked(app().mainWindow, kMenuSameFolder));
    EXPECT_TRUE(platform::isChecked(control(kIdStayOnTop)));
    EXPECT_TRUE(platform::isTopmost(app().mainWindow));
    EXPECT_EQ(textOf(kIdFolderBox), "(SAME FOLDER)");
    EXPECT_STREQ(app().settings.outputFolder, out.c_str());
    EXPECT_STREQ(app().settings.lastAddFolder, out.c_str());
    click(kIdSameFolder);
    EXPECT_EQ(textOf(kIdFolderBox), out);
    s.closeAndEnd();
}

TEST(BrisktuneStartUp, ADamagedSettingsFileIsCorrected)
{
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&, const std::string& home)> damage;
        std::function<void(const Settings&, const std::string& home)> check;
    };
    const std::vector<Case> cases = {
        {"quality and flags out of range",
         [](std::vector<uint8_t>& b, const std::string&) { b[2048] = 9; b[2052] = 7; b[2056] = 2; },
         [](const Settings& st, const std::string&) {
             EXPECT_EQ(st.qualityIndex, 1u);
             EXPECT_EQ(st.sameFolder, 0u);
             EXPECT_EQ(st.stayOnTop, 0u);
         }},
        {"folders without terminator",
         [](std::vector<uint8_t>& b, const std::string&) { std::memset(b.data(), 'A', 2048); },
         [](const Settings& st, const std::string& home) {
             EXPECT_STREQ(st.lastAddFolder, home.c_str());
             EXPECT_STREQ(st.outputFolder, home.c_str());
         }},
        {"a folder that is gone, one without its slash",
         [](std::vector<uint8_t>& b, const std::string& home) {
             std::memset(b.data(), 0, 2048);
             std::strcpy(reinterpret_cast<char*>(b.data()), "/no such folder/");
             std::string noSlash = home.substr(0, home.size() - 1);
             std::strcpy(reinterpret_cast<char*>(b.data()) + 1024, noSlash.c_str());
         },
         [](const Settings& st, const std::string& home) {
             EXPECT_STREQ(st.lastAddFolder, home.c_str());
             EXPECT_STREQ(st.outputFolder, home.c_str());
         }},
        {"a short file",
         [](std::vector<uint8_t>& b, const std::string&) { b.resize(2050); },
         [](const Settings& st, const std::string&) {
             EXPECT_LE(st.qualityIndex, 3u);
             EXPECT_EQ(st.sameFolder, 0u);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Session s;
        std::vector<uint8_t> bytes(2060, 0);
        unsigned char good[2060];
        Settings base = defaultSettings();
        base.qualityIndex = 2;
        serializeSettings(base, good);
        bytes.assign(good, good + 2060);
        c.damage(bytes, s.home);
        makeFolder(s.home + ".config/brisktune");
        testsupport::writeFile(s.settingsFile(), bytes);
        ASSERT_TRUE(s.start());
        EXPECT_EQ(app().firstRun, 0u);
        c.check(app().settings, s.home);
        EXPECT_EQ(platform::comboSelection(control(kIdQuality)), static_cast<int>(app().settings.qualityIndex));
        s.closeAndEnd();
        EXPECT_EQ(testsupport::readFile(s.settingsFile()).size(), 2060u);
    }
}

TEST(BrisktuneStartUp, AFailedSaveDoesNotKeepTheWindowFromClosing)
{
    Session s;
    ASSERT_TRUE(s.start());
    // The settings folder is replaced by a file: nothing can be written there.
    std::filesystem::remove_all(s.home + ".config/brisktune");
    testsupport::writeFile(s.home + ".config/brisktune", {1, 2, 3});
    s.closeAndEnd();
    EXPECT_EQ(testsupport::readFile(s.home + ".config/brisktune").size(), 3u);
}

}  // namespace
}  // namespace windowtest
