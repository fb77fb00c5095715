// RAM2MP3 with the real encoder module (lame_enc.so next to this test program):
// the MP3 is decoded again and checked for rate, channels, length and pitch.
#include <gtest/gtest.h>
#include <mpg123.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cmath>
#include <vector>

#include "audio/encoder_binding.h"
#include "audio/mp3_encoder.h"
#include "mp3_decode.h"
#include "support/test_support.h"

namespace {

WAVEFORMATEX format(uint32_t rate, uint16_t bits, uint16_t channels)
{
    WAVEFORMATEX f = {};
    f.wFormatTag = 1;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.nBlockAlign = static_cast<uint16_t>(bits / 8 * channels);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    f.wBitsPerSample = bits;
    return f;
}

AudioBuffer bufferOf(std::vector<uint8_t>& bytes)
{
    return AudioBuffer{bytes.data(), static_cast<uint32_t>(bytes.size()), 0};
}

std::vector<int32_t> g_progress;
int32_t recordProgress(int32_t percent)
{
    g_progress.push_back(percent);
    return 1;
}

class Ram2Mp3Real : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(encoderBinding().library, nullptr)
            << "lame_enc.so was not bound from " << encoderBinding().hostFolder;
        g_progress.clear();
    }
    testsupport::TempDir dir;
};

TEST_F(Ram2Mp3Real, ToneAt44100StereoDecodesToTheSameToneAndLength)
{
    const size_t frames = 2 * 44100;
    std::vector<uint8_t> pcm = mp3test::stereoTone(1000.0, 44100, frames);
    AudioBuffer in = bufferOf(pcm);
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("tone \"1 kHz\" ä.mp3");
    for (uint32_t bitrate : {128u, 32u}) {
        ASSERT_EQ(RAM2MP3(&in, 1.0, &f, bitrate, 0, out.c_str(), recordProgress), 1);
        const mp3test::DecodedMp3 mp3 = mp3test::decodeMp3(out);
        ASSERT_TRUE(mp3.ok) << mp3.error;
        EXPECT_EQ(mp3.rate, 44100);
        EXPECT_EQ(mp3.channels, 2);
        EXPECT_EQ(mp3.mode, MPG123_M_STEREO);
        EXPECT_EQ(mp3.version, MPG123_1_0);
        EXPECT_EQ(mp3.bitrate, static_cast<int>(bitrate));
        EXPECT_TRUE(mp3.sameHeaderEverywhere);
        EXPECT_TRUE(mp3.flags & MPG123_ORIGINAL);
        EXPECT_FALSE(mp3test::startsWithInfoTag(out));
        // Encoder delay and padding add at most a few frames of 1152.
        EXPECT_GE(mp3.frames(), frames);
        EXPECT_LE(mp3.frames(), frames + 3 * 1152);
        EXPECT_NEAR(mp3test::toneFrequency(mp3.samples, 2, 0, 4410, frames - 4410, 44100), 1000.0, 10.0);
        EXPECT_NEAR(mp3test::toneFrequency(mp3.samples, 2, 1, 4410, frames - 4410, 44100), 1000.0, 10.0);
    }
}

TEST_F(Ram2Mp3Real, LowRateMonoEightBitIsBroughtToStereoAt44100)
{
    const size_t frames = 22050;  // one second
    std::vector<uint8_t> pcm(frames);
    for (size_t i = 0; i < frames; ++i)
        pcm[i] = static_cast<uint8_t>(128 + std::lround(90 * std::sin(2 * M_PI * 440.0 * i / 22050.0)));
    AudioBuffer in = bufferOf(pcm);
    const WAVEFORMATEX f = format(22050, 8, 1);
    const std::string out = dir.file("mono 8-bit.mp3");
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 128, 0, out.c_str(), nullptr), 1);
    const mp3test::DecodedMp3 mp3 = mp3test::decodeMp3(out);
    ASSERT_TRUE(mp3.ok) << mp3.error;
    EXPECT_EQ(mp3.rate, 44100);
    EXPECT_EQ(mp3.channels, 2);
    EXPECT_GE(mp3.frames(), 44100u);
    EXPECT_LE(mp3.frames(), 44100u + 3 * 1152);
    EXPECT_NEAR(mp3test::toneFrequency(mp3.samples, 2, 0, 4410, 44100 - 4410, 44100), 440.0, 4.4);
}

TEST_F(Ram2Mp3Real, SpeedTwoHalvesTheLengthAndDoublesThePitch)
{
    const size_t frames = 3 * 44100;
    std::vector<uint8_t> pcm = mp3test::stereoTone(500.0, 44100, frames);
    AudioBuffer in = bufferOf(pcm);
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("fast.mp3");
    ASSERT_EQ(RAM2MP3(&in, 2.0, &f, 128, 0, out.c_str(), nullptr), 1);
    const mp3test::DecodedMp3 mp3 = mp3test::decodeMp3(out);
    ASSERT_TRUE(mp3.ok) << mp3.error;
    EXPECT_GE(mp3.frames(), frames / 2);
    EXPECT_LE(mp3.frames(), frames / 2 + 3 * 1152);
    EXPECT_NEAR(mp3test::toneFrequency(mp3.samples, 2, 0, 4410, frames / 2 - 4410, 44100), 1000.0, 10.0);
}

TEST_F(Ram2Mp3Real, InfoTagOnlyWhenAskedAndTheMp3StillDecodes)
{
    std::vector<uint8_t> pcm = mp3test::stereoTone(1000.0, 44100, 44100);
    AudioBuffer in = bufferOf(pcm);
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string tagged = dir.file("tagged.mp3");
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 128, 1, tagged.c_str(), nullptr), 1);
    EXPECT_TRUE(mp3test::startsWithInfoTag(tagged));
    const mp3test::DecodedMp3 mp3 = mp3test::decodeMp3(tagged);
    ASSERT_TRUE(mp3.ok) << mp3.error;
    // With the tag the decoder trims the encoder's delay and padding exactly.
    EXPECT_EQ(mp3.frames(), 44100u);
}

TEST_F(Ram2Mp3Real, ProgressOfA200000ByteInput)
{
    std::vector<uint8_t> pcm = mp3test::stereoTone(700.0, 44100, 50000);
    AudioBuffer in = bufferOf(pcm);
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("progress.mp3");
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 64, 0, out.c_str(), recordProgress), 1);
    EXPECT_EQ(g_progress, (std::vector<int32_t>{0, 32, 65, 98, 100, 0}));
}

TEST_F(Ram2Mp3Real, OutputThatCannotBeCreatedGivesZeroWithoutAMessage)
{
    std::vector<uint8_t> pcm(4000, 0);
    AudioBuffer in = bufferOf(pcm);
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("no such folder/x.mp3");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ram2mp3Detailed(&in, 1.0, &f, 128, 0, out.c_str(), recordProgress),
              Ram2Mp3Outcome::CannotCreateOutput);
    EXPECT_EQ(RAM2MP3(&in, 1.0, &f, 128, 0, out.c_str(), recordProgress), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(g_progress.empty());
}

TEST_F(Ram2Mp3Real, BitrateTheEncoderRefusesLeavesNoFile)
{
    std::vector<uint8_t> pcm(4000, 0);
    AudioBuffer in = bufferOf(pcm);
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("refused.mp3");
    EXPECT_EQ(ram2mp3Detailed(&in, 1.0, &f, 100, 0, out.c_str(), recordProgress),
              Ram2Mp3Outcome::EncoderFailed);
    EXPECT_FALSE(testsupport::fileExists(out));
    EXPECT_TRUE(g_progress.empty());
}

// Runs in a child process: a file-size limit makes the writes fail the way a full
// disk does. Exits 0 when RAM2MP3 reported the failed write and left no file.
void encodeIntoFullDisk(const AudioBuffer* in, const WAVEFORMATEX* f, const std::string& out)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = {};
    limit.rlim_cur = 20000;
    limit.rlim_max = 20000;
    setrlimit(RLIMIT_FSIZE, &limit);
    const Ram2Mp3Outcome outcome = ram2mp3Detailed(in, 1.0, f, 128, 1, out.c_str(), nullptr);
    const bool gone = access(out.c_str(), F_OK) != 0;
    _exit(outcome == Ram2Mp3Outcome::WriteFailed && gone ? 0 : 1);
}

TEST_F(Ram2Mp3Real, FullDiskRemovesThePartialFile)
{
    std::vector<uint8_t> pcm = mp3test::stereoTone(1000.0, 44100, 10 * 44100);
    AudioBuffer in = bufferOf(pcm);
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("full disk.mp3");
    EXPECT_EXIT(encodeIntoFullDisk(&in, &f, out), ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(testsupport::fileExists(out));
}

TEST_F(Ram2Mp3Real, EmptyInputGivesAValidShortFile)
{
    const WAVEFORMATEX f = format(44100, 16, 2);
    AudioBuffer in = {nullptr, 0, 0};
    const std::string out = dir.file("empty.mp3");
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 128, 0, out.c_str(), recordProgress), 1);
    EXPECT_EQ(g_progress, (std::vector<int32_t>{0, 100, 0}));
    EXPECT_TRUE(testsupport::fileExists(out));
}

}  // namespace
