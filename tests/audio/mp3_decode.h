// Decoding an MP3 file with libmpg123 for the encoder tests: the PCM and what every
// frame header said.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mp3test {

struct DecodedMp3 {
    bool ok = false;
    std::string error;
    long rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;  // interleaved
    size_t frameCount = 0;         // MPEG audio frames decoded
    bool sameHeaderEverywhere = true;  // mode, version, bitrate, flags alike in every frame
    int mode = -1;                 // MPG123_M_* of the first frame
    int version = -1;              // MPG123_1_0 ...
    int bitrate = 0;               // kbit/s of the first frame
    int flags = 0;                 // MPG123_ORIGINAL ...
    int vbr = -1;                  // MPG123_CBR ...

    size_t frames() const { return channels ? samples.size() / static_cast<size_t>(channels) : 0; }
};

DecodedMp3 decodeMp3(const std::string& path);

// Rising zero crossings of one channel over [from, to) frames, as a frequency.
double toneFrequency(const std::vector<int16_t>& interleaved, int channels, int channel,
                     size_t from, size_t to, long rate);

// True when the file's first MPEG frame is an Info or Xing tag frame.
bool startsWithInfoTag(const std::string& path);

// Interleaved 16-bit stereo sine, amplitude 10000, as little-endian bytes.
std::vector<uint8_t> stereoTone(double frequency, long rate, size_t frames);

}  // namespace mp3test
