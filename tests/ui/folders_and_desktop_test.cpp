// Creating folders and the desktop launcher.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/test_support.h"
#include "ui/file_helpers.h"

namespace {

mode_t currentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

mode_t modeOf(const std::string& path)
{
    struct stat info;
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::string text(const std::string& path)
{
    const std::vector<uint8_t> bytes = testsupport::readFile(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(CreateFolder, CreatesOneLevelOnlyAndRefusesAnExistingFolder)
{
    testsupport::TempDir temp;
    const std::string folder = temp.path + "Neuer Ordner \"ü\"";
    EXPECT_NE(CreateFolder(folder.c_str()), 0);
    EXPECT_EQ(modeOf(folder), 0777 & ~currentUmask() & 07777);
    testsupport::writeFile(folder + "/keep", {'k'});
    EXPECT_EQ(CreateFolder(folder.c_str()), 0) << "an existing folder";
    EXPECT_TRUE(testsupport::fileExists(folder + "/keep")) << "the existing folder was touched";
    EXPECT_EQ(CreateFolder((temp.path + "missing/child").c_str()), 0) << "a missing parent";
    EXPECT_FALSE(testsupport::fileExists(temp.path + "missing"));
    EXPECT_EQ(CreateFolder(""), 0);
}

// HOME and XDG_CONFIG_HOME point into a temporary folder for the test's duration.
struct Desktop : ::testing::Test {
    void SetUp() override
    {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
            const char* value = std::getenv(name);
            saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        }
        home = temp.path + "home ü";
        ASSERT_EQ(mkdir(home.c_str(), 0755), 0);
        ASSERT_EQ(mkdir((home + "/.config").c_str(), 0755), 0);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void userDirs(const std::string& line)
    {
        testsupport::writeFile(home + "/.config/user-dirs.dirs",
                               std::vector<uint8_t>(line.begin(), line.end()));
    }
    testsupport::TempDir temp;
    std::string home;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

// The Exec value read back: the string escapes undone, then the one quoted argument.
std::string execArgument(const std::string& entry)
{
    const size_t at = entry.find("\nExec=");
    if (at == std::string::npos)
        return "(no Exec)";
    const std::string raw = entry.substr(at + 6, entry.find('\n', at + 6) - at - 6);
    std::string value;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            const char c = raw[++i];
            value += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
        } else {
            value += raw[i];
        }
    }
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return "(not quoted)";
    std::string argument;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size())
            argument += value[++i];
        else if (value[i] == '"' || value[i] == '`' || value[i] == '$' || value[i] == '\\')
            return "(reserved character not escaped)";
        else if (value[i] == '%' && value[i + 1] == '%')
            argument += value[++i];
        else
            argument += value[i];
    }
    return argument;
}

TEST_F(Desktop, WritesAValidLauncherThatReplacesAnOlderOne)
{
    const std::string desktop = home + "/Desktop";
    ASSERT_EQ(mkdir(desktop.c_str(), 0755), 0);
    const std::string launcher = desktop + "/BRISKTUNE.desktop";
    testsupport::writeFile(launcher, {'o', 'l', 'd'});
    ASSERT_EQ(chmod(launcher.c_str(), 0600), 0);

    const std::string target =
        temp.path + "Pro gram \"ü\" $HOME `x` back\\slash 100%/brisktune";
    ASSERT_EQ(CreateDesktopShortcut(nullptr, "BRISKTUNE", "Brisktune \xC2\xA9 the makers", target.c_str()), 0);

    const std::string entry = text(launcher);
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u) << entry;
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(entry.find("\nName=BRISKTUNE\n"), std::string::npos);
    EXPECT_NE(entry.find("\nComment=Brisktune \xC2\xA9 the makers\n"), std::string::npos);
    EXPECT_EQ(execArgument(entry), target);
    EXPECT_EQ(modeOf(launcher), 0755 & ~currentUmask() & 07777);

    QProcess validate;
    validate.start(QStringLiteral(DESKTOP_FILE_VALIDATE), {QString::fromStdString(launcher)});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString()
                                      << validate.readAllStandardError().toStdString();
    EXPECT_TRUE(validate.readAllStandardOutput().trimmed().isEmpty()) << "warnings from the validator";

    // The launcher replaced the old file in one step: no temporary file is left.
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(desktop))
        names.push_back(item.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"BRISKTUNE.desktop"});
}

TEST_F(Desktop, FollowsTheUserDirsEntryAndWritesNothingWithoutADesktop)
{
    const std::string target = "/opt/brisktune/brisktune";
    // No desktop folder at all: nothing written, nothing failed.
    EXPECT_EQ(CreateDesktopShortcut(nullptr, "BRISKTUNE", "d", target.c_str()), 0);
    EXPECT_FALSE(testsupport::fileExists(home + "/Desktop"));

    // The user's own desktop folder, named in user-dirs.dirs.
    ASSERT_EQ(mkdir((home + "/Schreibtisch").c_str(), 0755), 0);
    userDirs("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    EXPECT_EQ(CreateDesktopShortcut(nullptr, "BRISKTUNE", "d", target.c_str()), 0);
    EXPECT_TRUE(testsupport::fileExists(home + "/Schreibtisch/BRISKTUNE.desktop"));

    // A desktop switched off (the home folder itself): no launcher in the home folder.
    userDirs("XDG_DESKTOP_DIR=\"$HOME/\"\n");
    EXPECT_EQ(CreateDesktopShortcut(nullptr, "BRISKTUNE", "d", target.c_str()), 0);
    EXPECT_FALSE(testsupport::fileExists(home + "/BRISKTUNE.desktop"));

    // Unusable arguments are refused with a negative code.
    EXPECT_LT(CreateDesktopShortcut(nullptr, "", "d", target.c_str()), 0);
    EXPECT_LT(CreateDesktopShortcut(nullptr, "a/b", "d", target.c_str()), 0);
    EXPECT_LT(CreateDesktopShortcut(nullptr, "BRISKTUNE", "d", "/bad\xFF" "path"), 0);
}

TEST_F(Desktop, AnUnwritableDesktopGivesANegativeCode)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes any folder";
    const std::string desktop = home + "/Desktop";
    ASSERT_EQ(mkdir(desktop.c_str(), 0555), 0);
    EXPECT_LT(CreateDesktopShortcut(nullptr, "BRISKTUNE", "d", "/opt/b/brisktune"), 0);
    EXPECT_FALSE(testsupport::fileExists(desktop + "/BRISKTUNE.desktop"));
    chmod(desktop.c_str(), 0755);
}

}  // namespace
