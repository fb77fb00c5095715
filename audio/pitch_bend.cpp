#include <cmath>
#include <cstdlib>
#include <cstring>

#include "audio/sample_convert.h"

namespace {

constexpr double kSlowestFactor = 0.01127;

int16_t sampleAt(const uint8_t* p)
{
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

void putSample(uint8_t* p, double value)
{
    // Truncation toward zero; the clamp only matters for a state that was not
    // carried from an earlier piece (interpolated values never leave the range).
    double v = std::trunc(value);
    if (v > 32767.0)
        v = 32767.0;
    if (v < -32768.0)
        v = -32768.0;
    const uint16_t bits = static_cast<uint16_t>(static_cast<int16_t>(v));
    p[0] = static_cast<uint8_t>(bits & 0xFF);
    p[1] = static_cast<uint8_t>(bits >> 8);
}

}  // namespace

void PitchBendAudioBuffer(const AudioBuffer* input, AudioBuffer* output, double startSpeed,
                          double endSpeed, PitchBendState* state)
{
    if (!output)
        return;
    output->data = nullptr;
    output->size = 0;
    if (!input)
        return;

    if (startSpeed == 1.0 && endSpeed == 1.0) {
        uint8_t* copy = static_cast<uint8_t*>(std::malloc(input->size ? input->size : 1));
        if (!copy)
            return;
        if (input->size)
            std::memcpy(copy, input->data, input->size);
        output->data = copy;
        output->size = input->size;
        return;
    }

    if (startSpeed < kSlowestFactor)
        startSpeed = kSlowestFactor;
    if (endSpeed < kSlowestFactor)
        endSpeed = kSlowestFactor;

    const uint32_t frames = input->data ? input->size / 4 : 0;
    if (frames < 2 || !state)
        return;
    double step = 1.0 / startSpeed;
    const double decrement = (1.0 / startSpeed - 1.0 / endSpeed) / frames;

    const double slowest = startSpeed < endSpeed ? startSpeed : endSpeed;
    const double scaled = static_cast<double>(input->size) * (1.0 / slowest);
    if (!(scaled < 4294967295.0 - 1024.0))
        return;  // no block of that size can be addressed by a 32-bit size
    uint32_t capacity = (static_cast<uint32_t>(scaled) & ~3u) + 4;
    if (capacity < 1024)
        capacity = 1024;
    uint8_t* block = static_cast<uint8_t*>(std::malloc(capacity));
    if (!block)
        return;

    const uint8_t* in = input->data;
    uint32_t written = 0;
    double pos = 0.0;
    uint32_t k = 0;
    for (uint32_t i = 0; i < frames; ++i) {
        state->curPos += step;
        step -= decrement;
        const double left = sampleAt(in + 4 * i);
        const double right = sampleAt(in + 4 * i + 2);
        while (state->curPos > pos) {
            // Rounding in the step sums could in theory add one frame beyond the
            // bound; the block is never written past its end.
            if (written + 4 > capacity)
                break;
            const double fraction = (pos - state->prevPos) / (state->curPos - state->prevPos);
            putSample(block + written, (left - state->prevLeft) * fraction + state->prevLeft);
            putSample(block + written + 2, (right - state->prevRight) * fraction + state->prevRight);
            written += 4;
            pos += 1.0;
            ++k;
        }
        state->prevLeft = left;
        state->prevRight = right;
        state->prevPos = state->curPos;
    }
    state->prevPos -= k;
    state->curPos -= k;

    output->data = block;
    output->size = written;
}
