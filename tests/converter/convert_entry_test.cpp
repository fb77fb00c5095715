// Converting one entry end to end: the real faad in the program folder, tonekit.so
// bound by name, lame_enc.so, and libmpg123 to check what was written.
#include "converter/convert_entry.h"

#include <gtest/gtest.h>

#include <string.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "convert_entry_mp3_probe.h"
#include "converter/decoder_process.h"
#include "converter/private_temp.h"
#include "converter/tonekit_binding.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using testsupport::fileExists;
using testsupport::fixture;
using testsupport::TempDir;

namespace {

// The encoder's delay and padding at 44.1 kHz: at most two frames of 1,152 samples.
constexpr double kEncoderSlack = 2 * 1152 / 44100.0;

// Progress functions: the encoder's callback has no context, so the tests keep
// their counters here.
int progressCalls = 0;
int stopAtCall = 0;  // 0: never stop
bool stopped = false;
int lastPercent = -1;

int32_t countingProgress(int32_t percent) {
    ++progressCalls;
    lastPercent = percent;
    if (stopAtCall && progressCalls >= stopAtCall) stopped = true;
    return stopped ? 0 : 1;
}

void resetProgress(int stopAt) {
    progressCalls = 0;
    stopAtCall = stopAt;
    stopped = false;
    lastPercent = -1;
}

class ConvertEntryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FindProgramFolder();
        std::string error;
        ASSERT_EQ(BindLibrary(binding, &error), 1) << error;
        // Completeness is the binding test's; converting needs the audio engine.
        ASSERT_TRUE(binding.OpenWAV && binding.ReadWAV && binding.CloseWAV && binding.RAM2MP3);
    }
    static void TearDownTestSuite() { ReleaseLibrary(binding); }

    void SetUp() override {
        ASSERT_TRUE(CreatePrivateTemp(temp));
        resetProgress(0);
    }
    void TearDown() override {
        RemovePrivateTemp(temp);
    }

    // Copies a fixture into a folder whose path has blanks, quotes and non-ASCII
    // letters, under `name`.
    std::string placeFixture(const std::string& fixtureName, const std::string& name) {
        std::string folder = dir.path + "in \"q\" 'é'/";
        fs::create_directories(folder);
        fs::copy_file(fixture(fixtureName), folder + name, fs::copy_options::overwrite_existing);
        return folder + name;
    }

    ConvertResult convert(const std::string& source, const std::string& output, int bitrate,
                          EntryProgress progress = countingProgress) {
        ConvertRequest request;
        request.binding = &binding;
        request.sourcePath = source.c_str();
        request.outputPath = output.c_str();
        request.bitrate = bitrate;
        request.tempWavPath = temp.wavPath.c_str();
        request.progress = progress;
        return ConvertEntry(request);
    }

    static TonekitBinding binding;
    TempDir dir;
    PrivateTemp temp;
};

TonekitBinding ConvertEntryTest::binding;

struct ToneCase {
    const char* fixture;
    int bitrate;
    double decodedSeconds;  // length of the WAV faad writes (tests/data/README.md)
    double tone;            // Hz
};

}  // namespace

TEST_F(ConvertEntryTest, EveryFixtureBecomesA44100StereoMp3AtItsBitrateLengthAndTone) {
    const ToneCase cases[] = {
        {"tone-44100-stereo.m4a", 128, 442368 / 4 / 44100.0, 440},
        {"tone-44100-stereo.m4a", 256, 442368 / 4 / 44100.0, 440},
        {"tone-44100-stereo.m4a", 64, 442368 / 4 / 44100.0, 440},
        {"tone-44100-stereo.m4a", 32, 442368 / 4 / 44100.0, 440},
        {"tone-48000-stereo.m4a", 128, 483328 / 4 / 48000.0, 523.25},
        {"tone-22050-mono.aac", 128, 442368 / 4 / 44100.0, 659.25},
        {"tone-48000-5.1.m4a", 128, 385024 / 4 / 48000.0, 880},
        {"tone-44100-video.mp4", 64, 356352 / 4 / 44100.0, 1000},
    };
    for (const ToneCase& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + " at " + std::to_string(c.bitrate));
        std::string extension = std::string(c.fixture).substr(strlen(c.fixture) - 4);
        std::string source = placeFixture(c.fixture, "Tön \"1\"" + extension);
        std::string output = dir.path + "out é/" + std::to_string(c.bitrate) + " Tön.mp3";
        fs::create_directories(dir.path + "out é");
        resetProgress(0);
        ConvertResult result = convert(source, output, c.bitrate);
        ASSERT_EQ(result.outcome, ConvertOutcome::Converted) << result.reason;
        EXPECT_FALSE(fileExists(temp.wavPath)) << "the temporary WAV is removed after the entry";
        EXPECT_GT(progressCalls, 2);

        Mp3Probe probe = ProbeMp3(output);
        ASSERT_TRUE(probe.opened);
        EXPECT_EQ(probe.rate, 44100);
        EXPECT_EQ(probe.channels, 2);
        EXPECT_FALSE(probe.anyMonoFrame);
        ASSERT_FALSE(probe.bitrates.empty());
        for (int rate : probe.bitrates) ASSERT_EQ(rate, c.bitrate);
        EXPECT_NEAR(probe.seconds, c.decodedSeconds, 0.050 + kEncoderSlack);
        size_t n = probe.left.size();
        double measured = ToneFrequency(probe.left, n / 10, n * 9 / 10, probe.rate);
        EXPECT_NEAR(measured, c.tone, c.tone * 0.01);
    }
}

TEST_F(ConvertEntryTest, UndecodableSourcesFailWithAReasonAndLeaveNothingBehind) {
    for (const char* name : {"random-bytes.m4a", "cut-off.m4a", "interleaved-video.mp4"}) {
        SCOPED_TRACE(name);
        std::string extension = std::string(name).substr(strlen(name) - 4);
        std::string source = placeFixture(name, std::string("Bäd ") + extension);
        std::string output = dir.path + "Bäd.mp3";
        ConvertResult result = convert(source, output, 128);
        EXPECT_EQ(result.outcome, ConvertOutcome::Failed);
        EXPECT_EQ(result.reason, "Bäd " + extension +
                                     " could not be decoded: it is not an AAC, M4A or MP4 file, or it is damaged");
        EXPECT_FALSE(fileExists(output));
        EXPECT_FALSE(fileExists(temp.wavPath));
    }
}

TEST_F(ConvertEntryTest, AFailedEntryLeavesAnOlderFileAtItsOutputAlone) {
    std::string output = dir.path + "kept.mp3";
    testsupport::writeFile(output, {'o', 'l', 'd'});
    ConvertResult result = convert(placeFixture("random-bytes.m4a", "kept.m4a"), output, 128);
    EXPECT_EQ(result.outcome, ConvertOutcome::Failed);
    EXPECT_EQ(testsupport::readFile(output), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST_F(ConvertEntryTest, AStaleTemporaryWavIsNeverEncodedForAnotherEntry) {
    // The WAV of a good file lies in the temporary folder when a bad one comes next.
    std::string good = placeFixture("tone-44100-stereo.m4a", "good.m4a");
    ASSERT_TRUE(DecodeToWav(good.c_str(), temp.wavPath.c_str(), nullptr, nullptr));
    ASSERT_TRUE(fileExists(temp.wavPath));
    std::string output = dir.path + "bad.mp3";
    ConvertResult result = convert(placeFixture("random-bytes.m4a", "bad.m4a"), output, 128);
    EXPECT_EQ(result.outcome, ConvertOutcome::Failed);
    EXPECT_FALSE(fileExists(output));
}

TEST_F(ConvertEntryTest, AnOutputThatCannotBeWrittenFailsBeforeDecoding) {
    testsupport::writeFile(dir.path + "a file", {'x'});
    std::string output = dir.path + "a file/out.mp3";
    ConvertResult result = convert(placeFixture("tone-44100-stereo.m4a", "t.m4a"), output, 128);
    EXPECT_EQ(result.outcome, ConvertOutcome::Failed);
    EXPECT_EQ(result.reason, "Cannot write " + output + ": Not a directory");
    EXPECT_EQ(progressCalls, 0);
    EXPECT_FALSE(fileExists(temp.wavPath));
}

TEST_F(ConvertEntryTest, AMissingSourceFailsWithNoSuchFile) {
    std::string output = dir.path + "none.mp3";
    ConvertResult result = convert(dir.path + "not there.m4a", output, 128);
    EXPECT_EQ(result.outcome, ConvertOutcome::Failed);
    EXPECT_EQ(result.reason, "No such file");
    EXPECT_FALSE(fileExists(output));
}

TEST_F(ConvertEntryTest, AMissingDecoderFailsNamingTheFolder) {
    // The decoder is looked for in the program folder; point it at one without faad.
    char saved[kPathBufferSize];
    memcpy(saved, programFolder, sizeof saved);
    TempDir empty;
    ASSERT_LT(empty.path.size(), sizeof programFolder);
    strcpy(programFolder, empty.path.c_str());
    std::string output = dir.path + "t.mp3";
    ConvertResult result = convert(placeFixture("tone-44100-stereo.m4a", "t.m4a"), output, 128);
    memcpy(programFolder, saved, sizeof saved);
    EXPECT_EQ(result.outcome, ConvertOutcome::Failed);
    EXPECT_EQ(result.reason, "The decoder (faad) is missing from " + empty.path);
    EXPECT_FALSE(fileExists(output));
}

TEST_F(ConvertEntryTest, AStopDuringEncodingKeepsAShorterFlushedMp3) {
    std::string source = placeFixture("tone-44100-stereo.m4a", "s.m4a");
    std::string full = dir.path + "full.mp3";
    ASSERT_EQ(convert(source, full, 128).outcome, ConvertOutcome::Converted);
    std::string cut = dir.path + "stopped.mp3";
    resetProgress(4);  // the check before encoding, then the encoder's 0 and one piece
    ConvertResult result = convert(source, cut, 128);
    EXPECT_EQ(result.outcome, ConvertOutcome::Stopped);
    Mp3Probe probe = ProbeMp3(cut);
    ASSERT_TRUE(probe.opened);
    EXPECT_LT(probe.seconds, ProbeMp3(full).seconds - 0.5);
    EXPECT_FALSE(fileExists(temp.wavPath));
}

TEST_F(ConvertEntryTest, AStopBeforeEncodingWritesNoMp3) {
    std::string output = dir.path + "never.mp3";
    resetProgress(1);
    ConvertResult result = convert(placeFixture("tone-44100-stereo.m4a", "n.m4a"), output, 128);
    EXPECT_EQ(result.outcome, ConvertOutcome::Stopped);
    EXPECT_EQ(progressCalls, 1);
    EXPECT_FALSE(fileExists(output));
    EXPECT_FALSE(fileExists(temp.wavPath));
}

TEST(PrivateTempFolder, IsPrivateAndRemovedWithItsContents) {
    PrivateTemp first, second;
    ASSERT_TRUE(CreatePrivateTemp(first));
    ASSERT_TRUE(CreatePrivateTemp(second));
    EXPECT_NE(first.folder, second.folder);
    EXPECT_EQ(first.wavPath, first.folder + "tmp.000");
    EXPECT_EQ(fs::status(first.folder).permissions() & fs::perms::all, fs::perms::owner_all);
    testsupport::writeFile(first.wavPath, {1, 2, 3});
    std::string folder = first.folder;
    RemovePrivateTemp(first);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(first.folder.empty());
    RemovePrivateTemp(second);
    RemovePrivateTemp(second);  // a second removal is harmless
}

TEST(TonekitBinding, BindsAllFortyTwoNames) {
    TonekitBinding binding;
    ASSERT_EQ(BindLibrary(binding), 1);
    EXPECT_TRUE(BindingComplete(binding)) << binding.firstMissing;
    EXPECT_EQ(binding.missingCount, 0);
    ASSERT_NE(binding.strcat5, nullptr);
    EXPECT_STREQ(binding.strcat5("a", "/", "b", nullptr, ".mp3"), "a/b.mp3");
    ReleaseLibrary(binding);
    EXPECT_EQ(binding.library, nullptr);
    EXPECT_EQ(binding.strcat5, nullptr);
}
