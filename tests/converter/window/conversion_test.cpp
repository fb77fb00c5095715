// Convert and Stop through the window, with the real faad, tonekit.so and lame_enc.so;
// the MP3s are read back with libmpg123.
#include "window_session.h"


#include <cmath>
#include <cstring>
#include <map>
#include <regex>

#include "convert_entry_mp3_probe.h"
#include "converter/decoder_process.h"

namespace windowtest {
namespace {

struct Batch {
    Session s;
    std::string in, out;
    Batch()
    {
        in = s.home + "In \xC3\xA4 'q'/";
        out = s.home + "Out \"mp3\" \xC3\xB8/";
        makeFolder(out);
    }
    void useOutputFolder()
    {
        std::memset(app().settings.outputFolder, 0, kPathBytes);
        std::strcpy(app().settings.outputFolder, out.c_str());
        ApplySettings();
    }
};

// Status and cell texts as the window showed them at its pumps, without repeats.
struct Recorder {
    std::vector<std::string> statuses, cells;
    EveryPump pump{[this] {
        std::string st = textOf(kIdStatus);
        if (statuses.empty() || statuses.back() != st)
            statuses.push_back(st);
        if (app().jobRunning && rows() > 0) {
            std::string c = std::to_string(app().currentRow) + ":" + cell(int(app().currentRow), 2);
            if (cells.empty() || cells.back() != c)
                cells.push_back(c);
        }
    }};
};

TEST(BrisktuneConversion, ThreeFixturesBecomeMp3sOfTheirLength)
{
    Batch b;
    struct Entry {
        const char* fixture;
        const char* name;
        double seconds;  // of the decoded WAV
    };
    const std::vector<Entry> entries = {
        {"tone-44100-stereo.m4a", "Stereo.M4A", 442368.0 / 176400},
        {"tone-48000-stereo.m4a", "forty eight.m4a", 483328.0 / 192000},
        {"tone-22050-mono.aac", "mono 'adts'.aac", 442368.0 / 176400},
    };
    std::vector<std::string> files;
    for (const Entry& e : entries)
        files.push_back(copyFixture(e.fixture, b.in, e.name));
    ASSERT_TRUE(b.s.start());
    b.useOutputFolder();
    choose(5101);
    dropOnList(files);
    ASSERT_EQ(rows(), 3);

    Recorder rec;
    click(kIdConvert);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(cell(r, 2), "Complete") << r;
    EXPECT_EQ(textOf(kIdStatus), " Status : Idle.");
    EXPECT_EQ(platform::progress(control(kIdProgress)), 0);
    EXPECT_EQ(textOf(kIdConvert), "Convert");
    EXPECT_TRUE(platform::isEnabled(control(kIdAddFiles)));
    EXPECT_TRUE(platform::isEnabled(control(kIdFileList)));
    EXPECT_TRUE(platform::isMenuItemEnabled(app().mainWindow, kMenuAbout));

    for (size_t i = 0; i < entries.size(); ++i) {
        std::string name = entries[i].name;
        std::string mp3 = b.out + name.substr(0, name.size() - 4) + ".mp3";
        SCOPED_TRACE(mp3);
        Mp3Probe probe = ProbeMp3(mp3);
        ASSERT_TRUE(probe.opened);
        EXPECT_EQ(probe.rate, 44100);
        EXPECT_EQ(probe.channels, 2);
        EXPECT_NEAR(probe.seconds, entries[i].seconds, 0.1);
        for (int kbps : probe.bitrates)
            EXPECT_EQ(kbps, 128);
    }
    // The status line and the cells, word for word. The window repaints at most once
    // a frame while it encodes, so not every percentage shows; the ones that did show
    // read exactly so.
    auto has = [](const std::vector<std::string>& v, const std::string& t) {
        return std::find(v.begin(), v.end(), t) != v.end();
    };
    EXPECT_TRUE(has(rec.statuses, " Status : Preparing To Convert ..."));
    std::string names = "(";
    for (const Entry& e : entries) {
        EXPECT_TRUE(has(rec.statuses, std::string(" Status : Preparing To Convert ") + e.name + " ...")) << e.name;
        names += std::regex_replace(std::string(e.name), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") + "|";
    }
    names.back() = ')';
    const std::regex converting(" Status : Converting " + names + " to MP3 \\.\\.\\. ([0-9]|[1-9][0-9]|100) % Complete");
    const std::regex preparing(" Status : Preparing To Convert " + names + " \\.\\.\\.");
    for (const std::string& st : rec.statuses)
        EXPECT_TRUE(st == " Status : Idle." || st == " Status : Preparing To Convert ..." ||
                    std::regex_match(st, preparing) || std::regex_match(st, converting))
            << st;
    const std::regex cellText("[0-2]:(preparing \\.\\.\\.|([0-9]|[1-9][0-9]|100) %|Complete)");
    for (const std::string& c : rec.cells)
        EXPECT_TRUE(std::regex_match(c, cellText)) << c;
    EXPECT_TRUE(has(rec.cells, "0:preparing ..."));
    EXPECT_TRUE(has(rec.cells, "2:preparing ..."));
    b.s.closeAndEnd();
}

TEST(BrisktuneConversion, AnUnreadableEntryFailsAndTheBatchGoesOn)
{
    Batch b;
    std::vector<std::string> files = {
        copyFixture("tone-44100-stereo.m4a", b.in, "first.m4a"),
        copyFixture("random-bytes.m4a", b.in, "noise.m4a"),
        copyFixture("tone-44100-stereo.m4a", b.in + "other/", "first.m4a"),  // same name
    };
    ASSERT_TRUE(b.s.start());
    b.useOutputFolder();
    dropOnList(files);
    Recorder rec;
    click(kIdConvert);
    EXPECT_EQ(cell(0, 2), "Complete");
    EXPECT_EQ(cell(1, 2), "Failed");
    EXPECT_EQ(cell(2, 2), "Complete");
    EXPECT_FALSE(testsupport::fileExists(b.out + "noise.mp3"));
    // Two sources of one name in one batch do not overwrite each other.
    EXPECT_TRUE(ProbeMp3(b.out + "first.mp3").opened);
    EXPECT_TRUE(ProbeMp3(b.out + "first (2).mp3").opened);
    bool reason = false;
    for (const std::string& st : rec.statuses)
        reason = reason || st.rfind(" Status : Failed To Convert noise.m4a : noise.m4a could not be decoded", 0) == 0;
    EXPECT_TRUE(reason);
    EXPECT_EQ(textOf(kIdStatus), " Status : Idle.");
    b.s.closeAndEnd();
}

TEST(BrisktuneConversion, SameFolderAndUntickedRows)
{
    Batch b;
    std::vector<std::string> files = {
        copyFixture("tone-44100-stereo.m4a", b.in, "Song.M4A"),
        copyFixture("tone-44100-video.mp4", b.in, "video.mp4"),
    };
    ASSERT_TRUE(b.s.start());
    click(kIdSameFolder);
    dropOnList(files);
    platform::setListRowTicked(control(kIdFileList), 1, false);
    platform::setListCellText(control(kIdFileList), 1, 2, "kept");
    click(kIdConvert);
    EXPECT_EQ(cell(0, 2), "Complete");
    EXPECT_EQ(cell(1, 2), "kept");
    EXPECT_TRUE(ProbeMp3(b.in + "Song.mp3").opened);
    EXPECT_FALSE(testsupport::fileExists(b.in + "video.mp3"));
    // Same folder stays in force after the batch.
    EXPECT_FALSE(platform::isEnabled(control(kIdChangeFolder)));
    EXPECT_FALSE(platform::isMenuItemEnabled(app().mainWindow, kMenuExplore));

    // Nothing ticked: the controls come back, the status ends at Idle, no cell changes.
    click(kIdSelectNone);
    click(kIdConvert);
    EXPECT_EQ(cell(0, 2), "Complete");
    EXPECT_EQ(textOf(kIdStatus), " Status : Idle.");
    b.s.closeAndEnd();
}

TEST(BrisktuneConversion, StopDuringTheSecondEntry)
{
    Batch b;
    std::vector<std::string> files = {
        copyFixture("tone-44100-stereo.m4a", b.in, "one.m4a"),
        copyFixture("tone-48000-stereo.m4a", b.in, "two.m4a"),
        copyFixture("tone-44100-stereo.m4a", b.in, "three.m4a"),
    };
    ASSERT_TRUE(b.s.start());
    b.useOutputFolder();
    dropOnList(files);
    bool pressed = false;
    bool greyedWhileRunning = false;
    EveryPump stopper([&] {
        if (!pressed && app().jobRunning && app().currentRow == 1 && cell(1, 2) == "preparing ...") {
            greyedWhileRunning = !platform::isEnabled(control(kIdAddFiles)) &&
                                 !platform::isMenuItemEnabled(app().mainWindow, kMenuAbout) &&
                                 platform::isMenuItemEnabled(app().mainWindow, kMenuMoreSoftware) &&
                                 textOf(kIdConvert) == "Stop";
            pressed = true;
            click(kIdConvert);
            EXPECT_FALSE(platform::isEnabled(control(kIdConvert)));
        }
    });
    click(kIdConvert);
    ASSERT_TRUE(pressed);
    EXPECT_TRUE(greyedWhileRunning);
    EXPECT_EQ(cell(0, 2), "Complete");
    EXPECT_EQ(cell(1, 2), "0 %");
    EXPECT_EQ(cell(2, 2), "0 %");
    EXPECT_FALSE(testsupport::fileExists(b.out + "three.mp3"));
    EXPECT_EQ(textOf(kIdStatus), " Status : Idle.");
    EXPECT_EQ(textOf(kIdConvert), "Convert");
    EXPECT_TRUE(platform::isEnabled(control(kIdConvert)));
    EXPECT_EQ(app().stopRequested, 0u);
    b.s.closeAndEnd();
}

TEST(BrisktuneConversion, ClosingDuringAConversionStopsSavesAndEnds)
{
    Batch b;
    std::vector<std::string> files = {
        // The bundled 10-second sample: long enough to be caught while it is encoded.
        copyFixture("../../samples/sample.m4a", b.in, "one.m4a"),
        copyFixture("tone-44100-stereo.m4a", b.in, "two.m4a"),
    };
    ASSERT_TRUE(b.s.start());
    b.useOutputFolder();
    choose(5100);
    dropOnList(files);
    bool closed = false;
    EveryPump closer([&] {
        const std::string c = cell(0, 2);
        const int percent = std::atoi(c.c_str());
        if (!closed && app().jobRunning && c.size() > 2 && c.substr(c.size() - 2) == " %" && percent > 0 &&
            percent < 100) {
            closed = true;
            platform::requestClose(app().mainWindow);
        }
    });
    click(kIdConvert);
    EXPECT_TRUE(closed);
    EXPECT_EQ(app().mainWindow, nullptr) << "the window is gone once the batch has unwound";
    EXPECT_TRUE(platform::quitRequested());
    EXPECT_EQ(platform::quitExitCode(), 0);
    std::vector<uint8_t> record = testsupport::readFile(b.s.settingsFile());
    ASSERT_EQ(record.size(), 2060u);
    EXPECT_EQ(record[2048], 0) << "the quality chosen before the close";
    // The MP3 being written was finished early and is readable; the second never began.
    Mp3Probe probe = ProbeMp3(b.out + "one.mp3");
    EXPECT_TRUE(probe.opened);
    EXPECT_GT(probe.seconds, 0.0);
    EXPECT_LT(probe.seconds, 10.0);
    EXPECT_FALSE(testsupport::fileExists(b.out + "two.mp3"));
    ShutDown();
}

TEST(BrisktuneConversion, AMissingDecoderStopsTheBatchBeforeItStarts)
{
    Batch b;
    std::vector<std::string> files = {copyFixture("tone-44100-stereo.m4a", b.in, "one.m4a")};
    ASSERT_TRUE(b.s.start());
    b.useOutputFolder();
    dropOnList(files);
    // The program folder as seen by the job, pointed at a folder without faad.
    const std::string saved = programFolder;
    const std::string empty = b.s.home + "no decoder/";
    makeFolder(empty);
    std::strcpy(programFolder, empty.c_str());
    auto box = answerNextBox(QMessageBox::Ok);
    click(kIdConvert);
    std::strcpy(programFolder, saved.c_str());
    ASSERT_TRUE(box->shown);
    EXPECT_EQ(box->caption, "ERROR");
    EXPECT_EQ(box->text, "The decoder (faad) is missing from " + empty);
    EXPECT_EQ(box->icon, QMessageBox::Critical);
    EXPECT_EQ(cell(0, 2), "0 %");
    EXPECT_FALSE(testsupport::fileExists(b.out + "one.mp3"));
    EXPECT_TRUE(platform::isEnabled(control(kIdAddFiles)));
    b.s.closeAndEnd();
}

}  // namespace
}  // namespace windowtest
