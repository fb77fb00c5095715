// Sample conversion and resampling of in-memory PCM data.
//
// Layouts handled: 8-bit unsigned (128 = silence) and 16-bit signed little-endian
// samples, mono or stereo interleaved left then right. Inside every conversion a
// frame is carried as two signed 16-bit values, left then right.
//
// Ownership: every output AudioBuffer receives a new malloc'ed block that belongs to
// the caller from then on (free() it). Inputs are only read, never freed. When an
// allocation fails the output is empty: data null, size 0.
#pragma once

#include <stdint.h>

#include "tonekit/export.h"
#include "tonekit/records.h"

#ifdef __cplusplus
extern "C" {
#endif

// Interpolation state of one stream cut into pieces. The caller owns it, zeroes all
// four values before the first piece and passes the same record with every later
// piece. Positions count output frames from the first output frame of the current
// call; between calls both lie in (-1, 0].
typedef struct PitchBendState {
    double prevPos;    // position of the previous input frame
    double curPos;     // position of the current input frame
    double prevLeft;   // left sample of the previous input frame
    double prevRight;  // right sample of the previous input frame
} PitchBendState;

// The largest left and right values (signed, not magnitude; never below 0) seen by
// the latest ConvertAudioBufferAlign call. One record for the whole library, reset
// and refilled by every call, so conversions run from one thread at a time.
typedef struct AudioPeaks {
    int16_t peakLeft;
    int16_t peakRight;
} AudioPeaks;

// Called with every frame (left, right) before mixing and peak tracking; it may
// change the frame in place.
typedef void (*AudioFrameHook)(int16_t* frame);

#ifdef __cplusplus
}
#endif

// Converts sample width (8 or 16 bits) and channel count (1 or 2) frame by frame.
// Writes all three fields of `output` (frameBytes = target bytes per frame) and
// returns the library's AudioPeaks record. A trailing partial source frame is
// dropped (never read). Other widths or channel counts give an empty output.
TONEKIT_API AudioPeaks* ConvertAudioBufferAlign(const AudioBuffer* input, AudioBuffer* output,
                                                int32_t sourceBits, int32_t targetBits,
                                                int32_t sourceChannels, int32_t targetChannels,
                                                AudioFrameHook frameHook);

// Changes the playback speed of 16-bit stereo data by linear interpolation; the
// speed glides linearly from startSpeed to endSpeed across the buffer (2 = twice as
// fast, half the frames). Factors below 0.01127 count as 0.01127. With both factors
// exactly 1 the output is a copy and the state is untouched. Fewer than two input
// frames give an empty output (data null). Writes only output->data and ->size.
TONEKIT_API void PitchBendAudioBuffer(const AudioBuffer* input, AudioBuffer* output,
                                      double startSpeed, double endSpeed, PitchBendState* state);

// Any handled layout to 16-bit stereo, a speed change that also converts the sample
// rate (from sourceFormat's to targetFormat's), then targetFormat's layout. Only the
// bits, channels and rate of the two formats are read. Writes only output->data and
// ->size.
TONEKIT_API void ResampleAudioBuffer(const AudioBuffer* input, AudioBuffer* output,
                                     const WAVEFORMATEX* sourceFormat,
                                     const WAVEFORMATEX* targetFormat, PitchBendState* state,
                                     double startSpeed, double endSpeed);
