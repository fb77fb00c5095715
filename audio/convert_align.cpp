#include "audio/sample_convert.h"

#include <cstdlib>

namespace {

// The library-wide peak record: it always describes the latest conversion.
AudioPeaks g_peaks;

bool handledLayout(int32_t bits, int32_t channels)
{
    return (bits == 8 || bits == 16) && (channels == 1 || channels == 2);
}

}  // namespace

AudioPeaks* ConvertAudioBufferAlign(const AudioBuffer* input, AudioBuffer* output,
                                    int32_t sourceBits, int32_t targetBits,
                                    int32_t sourceChannels, int32_t targetChannels,
                                    AudioFrameHook frameHook)
{
    g_peaks.peakLeft = 0;
    g_peaks.peakRight = 0;
    if (!output)
        return &g_peaks;
    output->data = nullptr;
    output->size = 0;
    if (!input || !handledLayout(sourceBits, sourceChannels) ||
        !handledLayout(targetBits, targetChannels)) {
        output->frameBytes = 0;
        return &g_peaks;
    }

    const uint32_t sourceSampleBytes = static_cast<uint32_t>(sourceBits) >> 3;
    const uint32_t targetSampleBytes = static_cast<uint32_t>(targetBits) >> 3;
    const uint32_t sourceFrame = sourceSampleBytes * static_cast<uint32_t>(sourceChannels);
    const uint32_t targetFrame = targetSampleBytes * static_cast<uint32_t>(targetChannels);
    output->frameBytes = targetFrame;

    // A trailing partial frame is dropped, so that neither block is read or written
    // past its end; for whole frames the size is the ratio product as always.
    const uint32_t wholeBytes = input->data ? input->size - input->size % sourceFrame : 0;
    const uint32_t outSize = static_cast<uint32_t>(
        static_cast<double>(wholeBytes) *
        (static_cast<double>(targetFrame) / static_cast<double>(sourceFrame)));

    const int sourceLayout = static_cast<int>((sourceSampleBytes & 2) | ((sourceChannels >> 1) & 1));
    const int targetLayout = static_cast<int>((targetSampleBytes & 2) | ((targetChannels >> 1) & 1));

    // One byte at least, so that a successful empty conversion still has a block.
    uint8_t* block = static_cast<uint8_t*>(std::malloc(outSize ? outSize : 1));
    if (!block)
        return &g_peaks;

    const uint8_t* in = input->data;
    uint8_t* out = block;
    for (uint32_t offset = 0; offset < wholeBytes; offset += sourceFrame) {
        const uint8_t* s = in + offset;
        int16_t frame[2];
        switch (sourceLayout) {
        case 0:
            frame[0] = frame[1] = static_cast<int16_t>((s[0] - 128) * 256);
            break;
        case 1:
            frame[0] = static_cast<int16_t>((s[0] - 128) * 256);
            frame[1] = static_cast<int16_t>((s[1] - 128) * 256);
            break;
        case 2:
            frame[0] = frame[1] = static_cast<int16_t>(s[0] | (s[1] << 8));
            break;
        default:
            frame[0] = static_cast<int16_t>(s[0] | (s[1] << 8));
            frame[1] = static_cast<int16_t>(s[2] | (s[3] << 8));
            break;
        }
        if (frameHook)
            frameHook(frame);
        if (targetChannels < sourceChannels)
            frame[0] = static_cast<int16_t>((static_cast<int32_t>(frame[0]) + frame[1]) / 2);
        if (frame[0] > g_peaks.peakLeft)
            g_peaks.peakLeft = frame[0];
        if (frame[1] > g_peaks.peakRight)
            g_peaks.peakRight = frame[1];

        const uint16_t left = static_cast<uint16_t>(frame[0]);
        const uint16_t right = static_cast<uint16_t>(frame[1]);
        switch (targetLayout) {
        case 0:
            *out++ = static_cast<uint8_t>((left >> 8) + 128);
            break;
        case 1:
            *out++ = static_cast<uint8_t>((left >> 8) + 128);
            *out++ = static_cast<uint8_t>((right >> 8) + 128);
            break;
        case 2:
            *out++ = static_cast<uint8_t>(left & 0xFF);
            *out++ = static_cast<uint8_t>(left >> 8);
            break;
        default:
            *out++ = static_cast<uint8_t>(left & 0xFF);
            *out++ = static_cast<uint8_t>(left >> 8);
            *out++ = static_cast<uint8_t>(right & 0xFF);
            *out++ = static_cast<uint8_t>(right >> 8);
            break;
        }
    }

    output->data = block;
    output->size = outSize;
    return &g_peaks;
}
