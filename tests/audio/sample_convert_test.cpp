// Sample width and channel conversion, pitch bending and resampling.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "audio/sample_convert.h"

namespace {

// An input block of exactly the given bytes (malloc'ed, so that the sanitizers see
// any read past its end).
struct Input {
    explicit Input(const std::vector<uint8_t>& bytes)
    {
        buffer.data = static_cast<uint8_t*>(std::malloc(bytes.empty() ? 1 : bytes.size()));
        if (!bytes.empty())
            std::memcpy(buffer.data, bytes.data(), bytes.size());
        buffer.size = static_cast<uint32_t>(bytes.size());
        buffer.frameBytes = 0;
    }
    ~Input() { std::free(buffer.data); }
    AudioBuffer buffer{};
};

struct Output {
    ~Output() { std::free(buffer.data); }
    AudioBuffer buffer{reinterpret_cast<uint8_t*>(1), 12345, 77};  // garbage the call replaces
};

std::vector<uint8_t> s16(std::initializer_list<int> values)
{
    std::vector<uint8_t> bytes;
    for (int v : values) {
        const uint16_t u = static_cast<uint16_t>(static_cast<int16_t>(v));
        bytes.push_back(static_cast<uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<uint8_t>(u >> 8));
    }
    return bytes;
}

std::vector<int> values16(const AudioBuffer& b)
{
    std::vector<int> v;
    for (uint32_t i = 0; i + 1 < b.size; i += 2)
        v.push_back(static_cast<int16_t>(b.data[i] | (b.data[i + 1] << 8)));
    return v;
}

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

TEST(ConvertAudioBufferAlign, EightBitSamplesWidenToSixteen)
{
    const struct { uint8_t in; int out; } table[] = {{0, -32768}, {128, 0}, {255, 32512}, {1, -32512}};
    for (const auto& row : table) {
        Input in({row.in});
        Output out;
        ConvertAudioBufferAlign(&in.buffer, &out.buffer, 8, 16, 1, 1, nullptr);
        ASSERT_EQ(out.buffer.size, 2u);
        EXPECT_EQ(values16(out.buffer)[0], row.out) << "byte " << int(row.in);
        EXPECT_EQ(out.buffer.frameBytes, 2u);
    }
}

TEST(ConvertAudioBufferAlign, SixteenBitSamplesNarrowByDroppingTheLowByte)
{
    const struct { int in; uint8_t out; } table[] = {
        {-32768, 0}, {-1, 127}, {255, 128}, {32767, 255}, {256, 129}, {-256, 127}};
    for (const auto& row : table) {
        Input in(s16({row.in}));
        Output out;
        ConvertAudioBufferAlign(&in.buffer, &out.buffer, 16, 8, 1, 1, nullptr);
        ASSERT_EQ(out.buffer.size, 1u);
        EXPECT_EQ(out.buffer.data[0], row.out) << "value " << row.in;
    }
}

TEST(ConvertAudioBufferAlign, StereoMixesToMonoTruncatingTowardZero)
{
    Input in(s16({1000, 3001, -1000, -3001, 32767, 32767, -32768, -32768}));
    Output out;
    ConvertAudioBufferAlign(&in.buffer, &out.buffer, 16, 16, 2, 1, nullptr);
    EXPECT_EQ(values16(out.buffer), (std::vector<int>{2000, -2000, 32767, -32768}));
    EXPECT_EQ(out.buffer.frameBytes, 2u);
}

TEST(ConvertAudioBufferAlign, SizesFollowTheFrameRatio)
{
    {
        Input in(std::vector<uint8_t>(4000, 0));
        Output out;
        ConvertAudioBufferAlign(&in.buffer, &out.buffer, 16, 8, 2, 1, nullptr);
        EXPECT_EQ(out.buffer.size, 1000u);
        EXPECT_EQ(out.buffer.frameBytes, 1u);
    }
    std::vector<uint8_t> ramp(1000);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<uint8_t>(i * 7);
    Input in(ramp);
    Output out;
    ConvertAudioBufferAlign(&in.buffer, &out.buffer, 8, 16, 1, 2, nullptr);
    ASSERT_EQ(out.buffer.size, 4000u);
    EXPECT_EQ(out.buffer.frameBytes, 4u);
    const std::vector<int> v = values16(out.buffer);
    for (size_t i = 0; i < ramp.size(); ++i) {
        ASSERT_EQ(v[2 * i], (ramp[i] - 128) * 256) << i;
        ASSERT_EQ(v[2 * i + 1], v[2 * i]) << i;
    }
}

TEST(ConvertAudioBufferAlign, PeaksAreTheLargestSignedValuesOfTheLatestCall)
{
    Input loud(s16({500, -20000, 1200, 300, -7, 900}));
    Output a;
    AudioPeaks* peaks = ConvertAudioBufferAlign(&loud.buffer, &a.buffer, 16, 16, 2, 2, nullptr);
    EXPECT_EQ(peaks->peakLeft, 1200);
    EXPECT_EQ(peaks->peakRight, 900);

    Input negative(s16({-5, -32768, -1, -2}));
    Output b;
    AudioPeaks* again = ConvertAudioBufferAlign(&negative.buffer, &b.buffer, 16, 16, 2, 2, nullptr);
    EXPECT_EQ(again, peaks);  // one record for the library
    EXPECT_EQ(again->peakLeft, 0);
    EXPECT_EQ(again->peakRight, 0);
}

std::vector<std::vector<int>> g_hookFrames;

void recordAndDoubleLeft(int16_t* frame)
{
    g_hookFrames.push_back({frame[0], frame[1]});
    frame[0] = static_cast<int16_t>(frame[0] * 2);
}

TEST(ConvertAudioBufferAlign, FrameHookRunsOnUnpackedFramesBeforeMixAndPeaks)
{
    g_hookFrames.clear();
    Input in({128 + 4, 128 + 1, 128 - 2, 128 + 3});  // 8-bit stereo
    Output out;
    AudioPeaks* peaks = ConvertAudioBufferAlign(&in.buffer, &out.buffer, 8, 16, 2, 1, recordAndDoubleLeft);
    EXPECT_EQ(g_hookFrames, (std::vector<std::vector<int>>{{1024, 256}, {-512, 768}}));
    // (2048 + 256) / 2 and (-1024 + 768) / 2
    EXPECT_EQ(values16(out.buffer), (std::vector<int>{1152, -128}));
    EXPECT_EQ(peaks->peakLeft, 1152);  // the mixed value, not the hook's 2048
    EXPECT_EQ(peaks->peakRight, 768);  // right is left as it was
}

TEST(ConvertAudioBufferAlign, TrailingPartialFrameIsDropped)
{
    const struct { uint32_t bytes; int32_t bitsIn, chIn, bitsOut, chOut; uint32_t expected; } table[] = {
        {6, 16, 2, 16, 2, 4}, {7, 16, 2, 8, 1, 1}, {5, 16, 1, 16, 2, 8}, {3, 8, 2, 16, 2, 4}, {3, 16, 2, 16, 1, 0}};
    for (const auto& row : table) {
        Input in(std::vector<uint8_t>(row.bytes, 0x40));
        Output out;
        ConvertAudioBufferAlign(&in.buffer, &out.buffer, row.bitsIn, row.bitsOut, row.chIn, row.chOut, nullptr);
        EXPECT_EQ(out.buffer.size, row.expected) << row.bytes << " bytes " << row.bitsIn << "/" << row.chIn;
        EXPECT_NE(out.buffer.data, nullptr);
    }
}

TEST(PitchBendAudioBuffer, BothFactorsOneCopyEvenOneFrameAndLeaveTheState)
{
    Input in(s16({7, -7}));
    PitchBendState state = {-0.25, -0.5, 3, 4};
    Output out;
    PitchBendAudioBuffer(&in.buffer, &out.buffer, 1.0, 1.0, &state);
    ASSERT_EQ(out.buffer.size, 4u);
    EXPECT_NE(out.buffer.data, in.buffer.data);
    EXPECT_EQ(values16(out.buffer), (std::vector<int>{7, -7}));
    EXPECT_EQ(state.prevPos, -0.25);
    EXPECT_EQ(state.curPos, -0.5);

    Output bent;
    PitchBendAudioBuffer(&in.buffer, &bent.buffer, 1.0, 1.0000001, &state);
    EXPECT_EQ(bent.buffer.size, 0u);
    EXPECT_EQ(bent.buffer.data, nullptr);
    EXPECT_EQ(state.prevLeft, 3);  // untouched
}

TEST(PitchBendAudioBuffer, HalfAndDoubleSpeedInterpolateFromTheState)
{
    const std::vector<uint8_t> four = s16({100, -100, 200, -200, 300, -300, 400, -400});
    struct Row {
        double speed;
        std::vector<int> expected;
    } table[] = {
        {0.5, {0, 0, 50, -50, 100, -100, 150, -150, 200, -200, 250, -250, 300, -300, 350, -350}},
        {2.0, {0, 0, 200, -200}},
    };
    for (const Row& row : table) {
        Input in(four);
        PitchBendState state = {0, 0, 0, 0};
        Output out;
        PitchBendAudioBuffer(&in.buffer, &out.buffer, row.speed, row.speed, &state);
        EXPECT_EQ(values16(out.buffer), row.expected) << "speed " << row.speed;
        EXPECT_GT(state.prevPos, -1.0);
        EXPECT_LE(state.prevPos, 0.0);
        EXPECT_GT(state.curPos, -1.0);
        EXPECT_LE(state.curPos, 0.0);
        if (row.speed == 0.5) {
            EXPECT_EQ(state.prevPos, 0.0);
            EXPECT_EQ(state.curPos, 0.0);
        }
        EXPECT_EQ(state.prevLeft, 400);
        EXPECT_EQ(state.prevRight, -400);
    }
}

TEST(PitchBendAudioBuffer, FactorsBelowTheFloorBehaveAsTheFloor)
{
    Input in(s16({1000, -1000, -3000, 3000, 500, 20}));
    PitchBendState a = {0, 0, 0, 0};
    PitchBendState b = {0, 0, 0, 0};
    Output low, floor;
    PitchBendAudioBuffer(&in.buffer, &low.buffer, 0.001, 0.001, &a);
    PitchBendAudioBuffer(&in.buffer, &floor.buffer, 0.01127, 0.01127, &b);
    ASSERT_EQ(low.buffer.size, floor.buffer.size);
    EXPECT_GT(low.buffer.size, 3u * 88u * 4u);  // about 88.7 output frames per input frame
    EXPECT_EQ(std::memcmp(low.buffer.data, floor.buffer.data, low.buffer.size), 0);
    EXPECT_EQ(a.curPos, b.curPos);
    EXPECT_EQ(a.prevPos, b.prevPos);
}

TEST(PitchBendAudioBuffer, SmallBuffersStillGetTheMinimumBlock)
{
    Input in(s16({1, 2, 3, 4}));
    PitchBendState state = {0, 0, 0, 0};
    Output out;
    PitchBendAudioBuffer(&in.buffer, &out.buffer, 1.5, 1.5, &state);
    ASSERT_NE(out.buffer.data, nullptr);
    EXPECT_GE(malloc_usable_size(out.buffer.data), 1024u);
}

TEST(PitchBendAudioBuffer, GlideMovesFromStartToEndSpeed)
{
    // 2,000 frames gliding from 1 to 2: the output lies between the two lengths,
    // near the harmonic mean (the step falls linearly from 1 to 0.5).
    Input in(std::vector<uint8_t>(8000, 0));
    PitchBendState state = {0, 0, 0, 0};
    Output out;
    PitchBendAudioBuffer(&in.buffer, &out.buffer, 1.0, 2.0, &state);
    const double frames = out.buffer.size / 4.0;
    EXPECT_NEAR(frames, 1500.0, 2.0);
}

std::vector<uint8_t> sineStereo(size_t frames, double period)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < frames; ++i) {
        const int l = static_cast<int>(std::lround(12000 * std::sin(2 * M_PI * i / period)));
        const int r = static_cast<int>(std::lround(-9000 * std::cos(2 * M_PI * i / (period * 1.7))));
        const auto f = s16({l, r});
        bytes.insert(bytes.end(), f.begin(), f.end());
    }
    return bytes;
}

TEST(PitchBendAudioBuffer, PiecesWithCarriedStateMatchTheWhole)
{
    const std::vector<uint8_t> signal = sineStereo(50000, 37.3);
    for (double speed : {0.5, 0.73, 22050.0 / 44100.0, 1.37, 48000.0 / 44100.0}) {
        Input whole(signal);
        PitchBendState wholeState = {0, 0, 0, 0};
        Output wholeOut;
        PitchBendAudioBuffer(&whole.buffer, &wholeOut.buffer, speed, speed, &wholeState);

        std::vector<int> pieces;
        PitchBendState state = {0, 0, 0, 0};
        for (size_t at = 0; at < signal.size(); at += 65536) {
            const size_t n = std::min<size_t>(65536, signal.size() - at);
            Input piece(std::vector<uint8_t>(signal.begin() + at, signal.begin() + at + n));
            Output out;
            PitchBendAudioBuffer(&piece.buffer, &out.buffer, speed, speed, &state);
            const auto v = values16(out.buffer);
            pieces.insert(pieces.end(), v.begin(), v.end());
        }
        const auto w = values16(wholeOut.buffer);
        ASSERT_EQ(pieces.size(), w.size()) << "speed " << speed;
        int worst = 0;
        for (size_t i = 0; i < w.size(); ++i)
            worst = std::max(worst, std::abs(pieces[i] - w[i]));
        EXPECT_LE(worst, 1) << "speed " << speed;
    }
}

TEST(ResampleAudioBuffer, DoublingTheRateDoublesTheFrames)
{
    const std::vector<uint8_t> signal = sineStereo(1000, 20.0);
    Input in(signal);
    const WAVEFORMATEX from = format(22050, 16, 2);
    const WAVEFORMATEX to = format(44100, 16, 2);
    PitchBendState state = {0, 0, 0, 0};
    Output out;
    ResampleAudioBuffer(&in.buffer, &out.buffer, &from, &to, &state, 1.0, 1.0);
    ASSERT_EQ(out.buffer.size, 2u * signal.size());
    const auto v = values16(out.buffer);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], 0);
    // Odd output frames lie halfway between two input frames.
    const auto src = values16(in.buffer);
    EXPECT_EQ(v[2 * 3], static_cast<int>((src[2] - src[0]) * 0.5 + src[0]));
    EXPECT_EQ(out.buffer.frameBytes, 77u);  // only data and size are written
}

TEST(ResampleAudioBuffer, SameFormatAndSpeedOneIsAnExactCopy)
{
    const std::vector<uint8_t> signal = sineStereo(777, 13.0);
    Input in(signal);
    const WAVEFORMATEX f = format(44100, 16, 2);
    PitchBendState state = {0, 0, 0, 0};
    Output out;
    ResampleAudioBuffer(&in.buffer, &out.buffer, &f, &f, &state, 1.0, 1.0);
    ASSERT_EQ(out.buffer.size, signal.size());
    EXPECT_NE(out.buffer.data, in.buffer.data);
    EXPECT_EQ(std::memcmp(out.buffer.data, signal.data(), signal.size()), 0);
}

TEST(ResampleAudioBuffer, ConvertsLayoutsOnBothSides)
{
    // 8-bit mono at 44.1 kHz to 16-bit stereo: widened, duplicated, same length.
    Input mono8({0, 64, 128, 192, 255});
    const WAVEFORMATEX m8 = format(44100, 8, 1);
    const WAVEFORMATEX s16f = format(44100, 16, 2);
    PitchBendState state = {0, 0, 0, 0};
    Output wide;
    ResampleAudioBuffer(&mono8.buffer, &wide.buffer, &m8, &s16f, &state, 1.0, 1.0);
    EXPECT_EQ(values16(wide.buffer),
              (std::vector<int>{-32768, -32768, -16384, -16384, 0, 0, 16384, 16384, 32512, 32512}));

    // And back to 8-bit mono at half the rate: every second frame, mixed.
    Input stereo(s16({1000, 3000, 5000, 7000, -3000, -5000, 9000, 11000}));
    const WAVEFORMATEX target = format(22050, 8, 1);
    PitchBendState s2 = {0, 0, 0, 0};
    Output narrow;
    ResampleAudioBuffer(&stereo.buffer, &narrow.buffer, &s16f, &target, &s2, 1.0, 1.0);
    ASSERT_EQ(narrow.buffer.size, 2u);
    EXPECT_EQ(narrow.buffer.data[0], 128);  // (0 + 0) / 2 from the zero state
    EXPECT_EQ(narrow.buffer.data[1], static_cast<uint8_t>((5000 + 7000) / 2 / 256 + 128));
}

}  // namespace
