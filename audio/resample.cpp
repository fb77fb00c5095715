#include <cstdlib>

#include "audio/sample_convert.h"

namespace {

bool isStereo16(const WAVEFORMATEX* format)
{
    return format->wBitsPerSample == 16 && format->nChannels == 2;
}

}  // namespace

void ResampleAudioBuffer(const AudioBuffer* input, AudioBuffer* output,
                         const WAVEFORMATEX* sourceFormat, const WAVEFORMATEX* targetFormat,
                         PitchBendState* state, double startSpeed, double endSpeed)
{
    if (!output)
        return;
    output->data = nullptr;
    output->size = 0;
    if (!input || !sourceFormat || !targetFormat)
        return;

    AudioBuffer converted = {nullptr, 0, 0};
    const AudioBuffer* working = input;
    const bool convertSource = !isStereo16(sourceFormat);
    if (convertSource) {
        ConvertAudioBufferAlign(input, &converted, sourceFormat->wBitsPerSample, 16,
                                sourceFormat->nChannels, 2, nullptr);
        working = &converted;
    }

    const double rateRatio = static_cast<double>(sourceFormat->nSamplesPerSec) /
                             static_cast<double>(targetFormat->nSamplesPerSec);
    AudioBuffer bent = {nullptr, 0, 0};
    PitchBendAudioBuffer(working, &bent, startSpeed * rateRatio, endSpeed * rateRatio, state);
    if (convertSource)
        std::free(converted.data);

    if (isStereo16(targetFormat)) {
        output->data = bent.data;
        output->size = bent.size;
        return;
    }
    // Converted through a local record: this function hands back data and size only.
    AudioBuffer target = {nullptr, 0, 0};
    ConvertAudioBufferAlign(&bent, &target, 16, targetFormat->wBitsPerSample, 2,
                            targetFormat->nChannels, nullptr);
    std::free(bent.data);
    output->data = target.data;
    output->size = target.size;
}
