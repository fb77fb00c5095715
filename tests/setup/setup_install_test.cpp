// Writing the payloads: bytes, order, modes, replacement and failures.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/resources.h"
#include "setup/install.h"
#include "setup_resources.h"
#include "support/test_support.h"

namespace {

using setup::InstallOutcome;
using testsupport::fileExists;
using testsupport::readFile;

struct Expected {
    const char* name;
    unsigned mode;
};
const Expected kFiles[4] = {
    {"brisktune", 0755}, {"tonekit.so", 0644}, {"lame_enc.so", 0644}, {"faad", 0755}};

std::string builtFile(const char* name)
{
    return std::string(BRISKTUNE_BIN_DIR) + "/" + name;
}

unsigned modeOf(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// A chosen folder whose path has spaces, quotes and non-ASCII letters.
std::string chosenFolderIn(const testsupport::TempDir& temp)
{
    const std::string folder = temp.file("Pro 'gram' \"Fä\"/");
    std::filesystem::create_directory(folder);
    return folder;
}

TEST(SetupInstall, WritesTheBuildsFourFilesByteForByteWithTheirModes)
{
    testsupport::TempDir temp;
    const std::string chosen = chosenFolderIn(temp);
    const setup::InstallResult result = setup::installPayloads(setup_module(), chosen);
    ASSERT_EQ(result.outcome, InstallOutcome::Installed) << result.path;
    EXPECT_EQ(result.path, chosen + "BRISKTUNE/");
    for (const Expected& f : kFiles) {
        SCOPED_TRACE(f.name);
        const std::string installed = result.path + f.name;
        const std::vector<uint8_t> want = readFile(builtFile(f.name));
        ASSERT_FALSE(want.empty());
        EXPECT_TRUE(readFile(installed) == want);
        EXPECT_EQ(modeOf(installed), f.mode);
    }
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(result.path))
        ++entries;
    EXPECT_EQ(entries, 4u);
}

// The order shows where a write is refused: a folder in the way of one file stops
// the install there, with the files before it written and those after it not.
TEST(SetupInstall, WritesInOrderAndStopsAtTheFirstFileThatCannotBeWritten)
{
    for (int blocked = 0; blocked < 4; ++blocked) {
        SCOPED_TRACE(kFiles[blocked].name);
        testsupport::TempDir temp;
        const std::string chosen = chosenFolderIn(temp);
        const std::string folder = chosen + "BRISKTUNE/";
        std::filesystem::create_directories(folder + kFiles[blocked].name);
        const setup::InstallResult result = setup::installPayloads(setup_module(), chosen);
        EXPECT_EQ(result.outcome, InstallOutcome::CannotWrite);
        EXPECT_EQ(result.path, folder + kFiles[blocked].name);
        for (int i = 0; i < 4; ++i) {
            if (i == blocked)
                continue;
            const std::string path = folder + kFiles[i].name;
            if (i < blocked)
                EXPECT_TRUE(readFile(path) == readFile(builtFile(kFiles[i].name))) << path;
            else
                EXPECT_FALSE(fileExists(path)) << path;
        }
    }
}

TEST(SetupInstall, SecondInstallReplacesTheFourFilesAndLeavesOthersAlone)
{
    testsupport::TempDir temp;
    const std::string chosen = chosenFolderIn(temp);
    ASSERT_EQ(setup::installPayloads(setup_module(), chosen).outcome, InstallOutcome::Installed);
    const std::string folder = chosen + "BRISKTUNE/";
    // An older, larger brisktune with a narrower mode, and a file of the user's.
    testsupport::writeFile(folder + "brisktune", std::vector<uint8_t>(20 << 20, 0xAB));
    ASSERT_EQ(::chmod((folder + "brisktune").c_str(), 0600), 0);
    testsupport::writeFile(folder + "tonekit.so", {1, 2, 3});
    const std::vector<uint8_t> notes = {'m', 'i', 'n', 'e', '\n'};
    testsupport::writeFile(folder + "my notes.txt", notes);

    ASSERT_EQ(setup::installPayloads(setup_module(), chosen).outcome, InstallOutcome::Installed);
    for (const Expected& f : kFiles) {
        EXPECT_TRUE(readFile(folder + f.name) == readFile(builtFile(f.name))) << f.name;
        EXPECT_EQ(modeOf(folder + f.name), f.mode) << f.name;
    }
    EXPECT_TRUE(readFile(folder + "my notes.txt") == notes);
}

TEST(SetupInstall, FolderThatCannotBeMadeIsReportedAndNothingIsWritten)
{
    testsupport::TempDir temp;
    // Tests run as root, so permissions stop nothing: a regular file in the way does.
    testsupport::writeFile(temp.file("plain file"), {'x'});
    const std::string chosen = temp.file("plain file") + "/";
    const setup::InstallResult result = setup::installPayloads(setup_module(), chosen);
    EXPECT_EQ(result.outcome, InstallOutcome::CannotWrite);
    EXPECT_EQ(result.path, chosen + "BRISKTUNE/");

    // A path that does not fit is refused whole, not cut into another folder's path.
    const std::string longFolder = temp.path + std::string(setup::kPathCapacity, 'a') + "/";
    const setup::InstallResult tooLong = setup::installPayloads(setup_module(), longFolder);
    EXPECT_EQ(tooLong.outcome, InstallOutcome::CannotWrite);
    EXPECT_EQ(tooLong.path, longFolder + "BRISKTUNE/");
}

TEST(SetupInstall, InstallFolderIsPlainJoining)
{
    EXPECT_EQ(setup::installFolderFor("/home/user/"), "/home/user/BRISKTUNE/");
    EXPECT_EQ(setup::installFolderFor("/srv/Apps"), "/srv/AppsBRISKTUNE/");
    EXPECT_EQ(setup::installFolderFor("/"), "/BRISKTUNE/");
}

TEST(SetupInstall, ResourcesHoldTheLicenceExactlyAndThePictures)
{
    const std::vector<uint8_t> licence = readFile(std::string(BRISKTUNE_SOURCE_DIR) + "/setup/LICENSE.txt");
    const platform::ResourceBytes stored = platform::findResource(setup_module(), "LICENSE", 111);
    ASSERT_EQ(stored.size, licence.size());
    EXPECT_TRUE(std::equal(licence.begin(), licence.end(), stored.data));
    // Every line ends in CRLF; about 5 KB.
    std::size_t lf = 0;
    for (std::size_t i = 0; i < licence.size(); ++i)
        if (licence[i] == '\n') {
            ++lf;
            EXPECT_TRUE(i > 0 && licence[i - 1] == '\r') << "line end at byte " << i;
        }
    EXPECT_GT(lf, 50u);
    EXPECT_GT(licence.size(), 4000u);
    EXPECT_LT(licence.size(), 7000u);
    // The pictures at their sizes, 24 bits per pixel (PNG: bit depth 8, colour type 2).
    const struct {
        const char* type;
        int id, width, height;
        bool rgb;
    } pictures[] = {{"BITMAP", 112, 481, 58, true}, {"BITMAP", 104, 44, 17, true},
                    {"ICON", 102, 16, 16, false}};
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.id);
        const platform::ResourceBytes bytes = platform::findResource(setup_module(), p.type, p.id);
        ASSERT_GT(bytes.size, 26u);
        BitmapHandle bitmap = platform::decodeBitmap(bytes.data, bytes.size);
        int w = 0, h = 0;
        EXPECT_TRUE(platform::bitmapSize(bitmap, &w, &h));
        EXPECT_EQ(w, p.width);
        EXPECT_EQ(h, p.height);
        platform::destroyBitmap(bitmap);
        if (p.rgb) {
            EXPECT_EQ(bytes.data[24], 8);
            EXPECT_EQ(bytes.data[25], 2);
        }
    }
}

}  // namespace
