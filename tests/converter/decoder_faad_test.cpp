// The decoder with the real faad from the program folder: the program folder, the
// fixtures decoded to WAV files that tonekit.so's reader accepts with the rate and
// channel count faad reports, the bad fixtures, a missing decoder and paths that do
// not fit.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "converter/decoder_process.h"
#include "platform/shared_library.h"
#include "support/test_support.h"
#include "tonekit/records.h"

namespace {

using OpenWAVFn = WAVHandle* (*)(const char*, int64_t, int32_t);
using ReadWAVFn = int32_t (*)(WAVHandle*);
using CloseWAVFn = void (*)(WAVHandle*);

// A folder name with blanks, both quote marks and non-ASCII letters, as users have.
const std::string kAwkwardFolder = "My \"Music\" it's – Ünïcödé 日本/";

std::string realPath(const std::string& path)
{
    char* resolved = realpath(path.c_str(), nullptr);
    std::string result = resolved ? resolved : "";
    free(resolved);
    return result;
}

struct ObserverLog {
    std::vector<int> states;
    std::string output;
};

int logStates(int state, const char* output, uint32_t size, void* context)
{
    auto* log = static_cast<ObserverLog*>(context);
    log->states.push_back(state);
    log->output.append(output, size);
    return 1;
}

class Decoder : public ::testing::Test {
protected:
    void SetUp() override
    {
        FindProgramFolder();
        memcpy(savedFolder, programFolder, sizeof savedFolder);
        std::string error;
        tonekit = platform::openLibrary(BRISKTUNE_BIN_DIR "/tonekit.so", &error);
        ASSERT_NE(tonekit, nullptr) << error;
        openWAV = reinterpret_cast<OpenWAVFn>(platform::findSymbol(tonekit, "OpenWAV"));
        readWAV = reinterpret_cast<ReadWAVFn>(platform::findSymbol(tonekit, "ReadWAV"));
        closeWAV = reinterpret_cast<CloseWAVFn>(platform::findSymbol(tonekit, "CloseWAV"));
        ASSERT_TRUE(openWAV && readWAV && closeWAV);
        folder = dir.path + kAwkwardFolder;
        ASSERT_TRUE(std::filesystem::create_directory(folder));
    }
    void TearDown() override
    {
        memcpy(programFolder, savedFolder, sizeof savedFolder);
        platform::closeLibrary(tonekit);
    }

    // Copies a fixture into the awkward folder under an awkward name of its own.
    std::string copyFixture(const std::string& name)
    {
        const std::string copy = folder + "Tón \"" + name + "\" it's";
        testsupport::writeFile(copy, testsupport::readFile(testsupport::fixture(name)));
        return copy;
    }

    char savedFolder[kPathBufferSize];
    platform::SharedLibrary* tonekit = nullptr;
    OpenWAVFn openWAV = nullptr;
    ReadWAVFn readWAV = nullptr;
    CloseWAVFn closeWAV = nullptr;
    testsupport::TempDir dir;
    std::string folder;
};

}  // namespace

TEST_F(Decoder, ProgramFolderIsTheRunningProgramsFolderAsItIsSpelt)
{
    EXPECT_EQ(std::string(modulePath), realPath("/proc/self/exe"));
    const std::string bin = realPath(BRISKTUNE_BIN_DIR) + "/";
    EXPECT_EQ(std::string(programFolder), bin);  // case kept, one trailing '/'
    EXPECT_EQ(DecoderPath(), bin + "faad");
    EXPECT_TRUE(DecoderPresent());
}

TEST_F(Decoder, FixturesDecodeToWavFilesOfTheFormatFaadReports)
{
    struct Case {
        const char* fixture;
        uint32_t rate;        // as `faad -i` reports it
        uint16_t channels;    // what faad writes (5.1 is mixed down to stereo)
        double seconds;       // length of the written data
        double toneHz;        // the fixture's tone
    };
    const Case cases[] = {
        {"tone-44100-stereo.m4a", 44100, 2, 2.508, 440.0},
        {"tone-48000-stereo.m4a", 48000, 2, 2.517, 523.25},
        // faad takes a plain ADTS stream for implicit SBR: twice the rate, and mono
        // comes out as two equal channels.
        {"tone-22050-mono.aac", 44100, 2, 2.508, 659.25},
        {"tone-48000-5.1.m4a", 48000, 2, 2.005, 880.0},
        {"tone-44100-video.mp4", 44100, 2, 2.020, 1000.0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.fixture);
        const std::string source = copyFixture(k.fixture);
        const std::string wav = folder + "tmp.000";
        ObserverLog log;
        ASSERT_TRUE(DecodeToWav(source.c_str(), wav.c_str(), logStates, &log));
        ASSERT_GE(log.states.size(), 3u);
        EXPECT_EQ(log.states.front(), 0);
        EXPECT_EQ(log.states.back(), 2);
        EXPECT_NE(log.output.find("decoding"), std::string::npos) << "faad's progress reaches the observer";

        WAVHandle* h = openWAV(wav.c_str(), 0, 65536);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->format.wFormatTag, 1);
        EXPECT_EQ(h->format.nSamplesPerSec, k.rate);
        EXPECT_EQ(h->format.nChannels, k.channels);
        EXPECT_EQ(h->format.wBitsPerSample, 16);
        EXPECT_NEAR(h->dataSize / (k.rate * 4.0), k.seconds, 0.05);

        // The left channel carries the tone: count its rising zero crossings in the
        // middle second (away from the encoder's start-up and fade).
        std::vector<int16_t> left;
        for (int32_t n; (n = readWAV(h)) > 0;)
            for (int32_t i = 0; i + 3 < n; i += 4)
                left.push_back(static_cast<int16_t>(h->buffer[i] | (h->buffer[i + 1] << 8)));
        closeWAV(h);
        ASSERT_GE(left.size(), static_cast<size_t>(k.rate * 1.5));
        int rises = 0;
        int peak = 0;
        for (size_t i = k.rate / 4; i < k.rate / 4 + k.rate; ++i) {
            rises += left[i - 1] < 0 && left[i] >= 0;
            peak = std::max(peak, std::abs(static_cast<int>(left[i])));
        }
        EXPECT_NEAR(rises, k.toneHz, k.toneHz * 0.01 + 1);
        EXPECT_GT(peak, 1500) << "a tone, not near-silence";
        std::filesystem::remove(wav);
    }
}

TEST_F(Decoder, BadFixturesLeaveNoUsableWav)
{
    // faad exits with 0 for all of them; only the output tells.
    struct Case {
        const char* fixture;
        bool headerOnlyWav;  // faad writes a 44-byte WAV with no data; else no file
    };
    const Case cases[] = {
        {"random-bytes.m4a", false},       // "Unexpected fill element with SBR data"
        {"cut-off.m4a", false},            // "Error opening file" (no sample table)
        {"interleaved-video.mp4", true},   // faad stops at the first video chunk
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.fixture);
        const std::string source = copyFixture(k.fixture);
        const std::string wav = folder + "tmp.000";
        ASSERT_TRUE(DecodeToWav(source.c_str(), wav.c_str(), nullptr, nullptr));
        if (k.headerOnlyWav) {
            ASSERT_TRUE(testsupport::fileExists(wav));
            EXPECT_EQ(testsupport::readFile(wav).size(), 44u);
            EXPECT_EQ(openWAV(wav.c_str(), 0, 65536), nullptr);
            std::filesystem::remove(wav);
        } else {
            EXPECT_FALSE(testsupport::fileExists(wav));
        }
    }
}

TEST_F(Decoder, MissingDecoderIsReportedAndWritesNothing)
{
    const std::string source = copyFixture("tone-44100-stereo.m4a");
    const std::string wav = folder + "tmp.000";

    // An empty folder, then one with a "faad" that may not be executed.
    for (bool withFile : {false, true}) {
        SCOPED_TRACE(withFile);
        testsupport::TempDir empty;
        if (withFile) {
            testsupport::writeFile(empty.file("faad"), {'x'});
            ASSERT_EQ(chmod(empty.file("faad").c_str(), 0644), 0);
        }
        ASSERT_LT(empty.path.size(), kPathBufferSize);
        strcpy(programFolder, empty.path.c_str());
        EXPECT_FALSE(DecoderPresent());
        ObserverLog log;
        EXPECT_FALSE(DecodeToWav(source.c_str(), wav.c_str(), logStates, &log));
        EXPECT_EQ(log.states, (std::vector<int>{0, 1, 2}));
        EXPECT_FALSE(testsupport::fileExists(wav));
    }

    programFolder[0] = '\0';
    EXPECT_EQ(DecoderPath(), "");
    EXPECT_FALSE(DecodeToWav(source.c_str(), wav.c_str(), nullptr, nullptr));
    EXPECT_FALSE(testsupport::fileExists(wav));
}

TEST_F(Decoder, PathsThatDoNotFitAreRefusedNotCut)
{
    const std::string wav = folder + "tmp.000";
    const std::string fits(1023, 'a');   // the longest path a buffer holds
    const std::string tooLong(1024, 'a');

    ObserverLog log;
    EXPECT_FALSE(DecodeToWav(tooLong.c_str(), wav.c_str(), logStates, &log));
    EXPECT_FALSE(DecodeToWav(testsupport::fixture("tone-44100-stereo.m4a").c_str(), tooLong.c_str(),
                             logStates, &log));
    EXPECT_TRUE(log.states.empty());
    EXPECT_FALSE(DecodeToWav(nullptr, wav.c_str(), nullptr, nullptr));
    EXPECT_FALSE(DecodeToWav("", wav.c_str(), nullptr, nullptr));

    // 1,023 bytes still go to the decoder, which finds no such file.
    EXPECT_TRUE(DecodeToWav(fits.c_str(), wav.c_str(), nullptr, nullptr));
    EXPECT_FALSE(testsupport::fileExists(wav));

    // A program folder that leaves no room for "faad" gives no decoder path.
    std::string longFolder(1020, 'f');
    longFolder.back() = '/';
    strcpy(programFolder, longFolder.c_str());
    EXPECT_EQ(DecoderPath(), "");
    EXPECT_FALSE(DecodeToWav(fits.c_str(), wav.c_str(), nullptr, nullptr));
}
