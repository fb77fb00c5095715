// RAM2MP3 against the recording stand-in of lame_enc.so that lies next to this
// program: what reaches the encoder, in which calls, and in which order.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "audio/encoder_binding.h"
#include "audio/mp3_encoder.h"
#include "audio/sample_convert.h"
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

std::vector<uint8_t> noise(size_t bytes, uint32_t seed)
{
    std::vector<uint8_t> v(bytes);
    for (auto& b : v) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<uint8_t>(seed >> 16);
    }
    return v;
}

std::vector<int32_t> g_progress;
int g_stopAfter = -1;  // answer 0 on this call (0-based); -1 never
int32_t progress(int32_t percent)
{
    g_progress.push_back(percent);
    return static_cast<int>(g_progress.size()) - 1 == g_stopAfter ? 0 : 1;
}

class Recording : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(encoderBinding().library, nullptr) << "stand-in not bound from "
                                                     << encoderBinding().hostFolder;
        log = dir.file("calls.log");
        pcm = dir.file("samples.pcm");
        setenv("BRISKTUNE_RECORDING_LOG", log.c_str(), 1);
        setenv("BRISKTUNE_RECORDING_PCM", pcm.c_str(), 1);
        unsetenv("BRISKTUNE_RECORDING_FAIL");
        g_progress.clear();
        g_stopAfter = -1;
    }
    void TearDown() override { unsetenv("BRISKTUNE_RECORDING_FAIL"); }

    std::vector<std::string> calls() const
    {
        std::vector<std::string> lines;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    std::vector<uint8_t> samples() const
    {
        return testsupport::fileExists(pcm) ? testsupport::readFile(pcm) : std::vector<uint8_t>{};
    }

    testsupport::TempDir dir;
    std::string log;
    std::string pcm;
};

const char* kDriverConfig =
    "init config=256 version=1 size=331 rate=44100 resample=0 mode=0 bitrate=%u max=0 preset=12 "
    "mpeg=1 psy=0 emphasis=0 private=0 crc=0 copyright=0 original=1 vbrheader=%d vbr=0 vbrq=0 "
    "abr=0 vbrmethod=0 nores=1 strict=0 quality=0 reserved=clear";

std::string driverConfig(unsigned bitrate, int header)
{
    char line[512];
    std::snprintf(line, sizeof line, kDriverConfig, bitrate, header);
    return line;
}

TEST_F(Recording, SameFormatReachesTheEncoderByteForByteInFullBlocks)
{
    std::vector<uint8_t> input = noise(200000, 7);
    AudioBuffer in = {input.data(), 200000, 0};
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("out 'q' ü.mp3");
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 128, 0, out.c_str(), progress), 1);

    EXPECT_EQ(g_progress, (std::vector<int32_t>{0, 32, 65, 98, 100, 0}));
    EXPECT_EQ(samples(), input);

    // 200,000 bytes = 43 blocks of 2,304 samples and a last one of 928.
    std::vector<std::string> expected = {driverConfig(128, 0)};
    for (int i = 0; i < 43; ++i)
        expected.push_back("chunk 2304");
    expected.push_back("chunk 928");
    expected.push_back("deinit");
    expected.push_back("close");
    EXPECT_EQ(calls(), expected);

    std::string file;
    for (int i = 0; i < 44; ++i)
        file += "CHNK";
    file += "FLUSH";
    const auto bytes = testsupport::readFile(out);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), file);
}

TEST_F(Recording, OtherFormatsReachTheEncoderAsTheirResampledPieces)
{
    // 22,050 Hz 8-bit mono: 150,000 bytes are pieces of 65536, 65536 and 18928.
    std::vector<uint8_t> input = noise(150000, 11);
    AudioBuffer in = {input.data(), 150000, 0};
    const WAVEFORMATEX f = format(22050, 8, 1);
    const WAVEFORMATEX target = format(44100, 16, 2);
    ASSERT_EQ(RAM2MP3(&in, 0.8, &f, 64, 0, dir.file("mono.mp3").c_str(), nullptr), 1);

    std::vector<uint8_t> resampled;
    PitchBendState state = {0, 0, 0, 0};
    for (uint32_t at = 0; at < input.size(); at += 65536) {
        AudioBuffer piece = {input.data() + at, std::min<uint32_t>(65536, 150000 - at), 0};
        AudioBuffer r = {nullptr, 0, 0};
        ResampleAudioBuffer(&piece, &r, &f, &target, &state, 0.8, 0.8);
        resampled.insert(resampled.end(), r.data, r.data + r.size);
        std::free(r.data);
    }
    EXPECT_EQ(samples(), resampled);

    size_t total = 0;
    const auto lines = calls();
    for (size_t i = 1; i + 2 < lines.size(); ++i) {
        ASSERT_EQ(lines[i].rfind("chunk ", 0), 0u) << lines[i];
        const size_t n = std::stoul(lines[i].substr(6));
        if (i + 3 < lines.size()) {
            EXPECT_EQ(n, 2304u) << "only the last block may be short";
        }
        total += n;
    }
    EXPECT_EQ(total, resampled.size() / 2);
}

TEST_F(Recording, StopOnTheFirstCallKeepsOnlyTheFlush)
{
    g_stopAfter = 0;
    std::vector<uint8_t> input = noise(100000, 3);
    AudioBuffer in = {input.data(), 100000, 0};
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("stopped.mp3");
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 256, 0, out.c_str(), progress), 1);
    EXPECT_EQ(g_progress, (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(calls(), (std::vector<std::string>{driverConfig(256, 0), "deinit", "close"}));
    const auto bytes = testsupport::readFile(out);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "FLUSH");
}

TEST_F(Recording, StopLaterFinishesTheSameWay)
{
    g_stopAfter = 2;  // before the third piece
    std::vector<uint8_t> input = noise(200000, 5);
    AudioBuffer in = {input.data(), 200000, 0};
    const WAVEFORMATEX f = format(44100, 16, 2);
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 128, 0, dir.file("later.mp3").c_str(), progress), 1);
    EXPECT_EQ(g_progress, (std::vector<int32_t>{0, 32, 65, 0}));
    // Whole blocks of the first two pieces only: 131072 bytes = 28 blocks + 2048 left.
    EXPECT_EQ(samples(), std::vector<uint8_t>(input.begin(), input.begin() + 28 * 4608));
    const auto lines = calls();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "deinit");
    EXPECT_EQ(lines.back(), "close");
}

TEST_F(Recording, InfoTagIsWrittenLastIntoTheClosedFile)
{
    std::vector<uint8_t> input = noise(10000, 9);
    AudioBuffer in = {input.data(), 10000, 0};
    const WAVEFORMATEX f = format(44100, 16, 2);
    const std::string out = dir.file("tagged \"x\".mp3");
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 32, 1, out.c_str(), nullptr), 1);
    const auto lines = calls();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front(), driverConfig(32, 1));
    EXPECT_EQ(lines[lines.size() - 3], "deinit");
    EXPECT_EQ(lines[lines.size() - 2], "close");
    EXPECT_EQ(lines.back(), "infotag " + out);
    const auto bytes = testsupport::readFile(out);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "TAG!");
    EXPECT_EQ(std::string(bytes.end() - 5, bytes.end()), "FLUSH");
}

TEST_F(Recording, EncoderThatRefusesOrFailsLeavesNoFile)
{
    const struct {
        const char* fail;
        int header;
        Ram2Mp3Outcome outcome;
        std::vector<std::string> tail;  // the calls after init and the chunks
    } table[] = {
        {"init", 0, Ram2Mp3Outcome::EncoderFailed, {}},
        {"zero", 1, Ram2Mp3Outcome::EncoderFailed, {"close", "infotag (none)"}},
        {"chunk3", 0, Ram2Mp3Outcome::EncoderFailed, {"close"}},
        {"chunk3", 1, Ram2Mp3Outcome::EncoderFailed, {"close", "infotag (none)"}},
    };
    std::vector<uint8_t> input = noise(100000, 1);
    AudioBuffer in = {input.data(), 100000, 0};
    const WAVEFORMATEX f = format(44100, 16, 2);
    for (const auto& row : table) {
        std::remove(log.c_str());
        setenv("BRISKTUNE_RECORDING_FAIL", row.fail, 1);
        const std::string out = dir.file(std::string("failed ") + row.fail + ".mp3");
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(ram2mp3Detailed(&in, 1.0, &f, 128, row.header, out.c_str(), nullptr), row.outcome);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "no message box";
        EXPECT_FALSE(testsupport::fileExists(out)) << row.fail;
        std::vector<std::string> lines = calls();
        ASSERT_FALSE(lines.empty());
        lines.erase(lines.begin());
        while (!lines.empty() && lines.front().rfind("chunk ", 0) == 0)
            lines.erase(lines.begin());
        EXPECT_EQ(lines, row.tail) << row.fail << " header " << row.header;
    }
    setenv("BRISKTUNE_RECORDING_FAIL", "init", 1);
    EXPECT_EQ(RAM2MP3(&in, 1.0, &f, 128, 0, dir.file("zero.mp3").c_str(), nullptr), 0);
}

TEST_F(Recording, ExistingFileIsReplaced)
{
    const std::string out = dir.file("old.mp3");
    testsupport::writeFile(out, std::vector<uint8_t>(50000, 0xAA));
    std::vector<uint8_t> input = noise(4608, 2);
    AudioBuffer in = {input.data(), 4608, 0};
    const WAVEFORMATEX f = format(44100, 16, 2);
    ASSERT_EQ(RAM2MP3(&in, 1.0, &f, 128, 0, out.c_str(), nullptr), 1);
    const auto bytes = testsupport::readFile(out);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "CHNKFLUSH");
}

}  // namespace
