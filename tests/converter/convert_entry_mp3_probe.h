// What an MP3 file holds, as libmpg123 decodes it: format, bitrate of every frame,
// length and the frequency of a pure tone.
#pragma once

#include <string>
#include <vector>

struct Mp3Probe {
    bool opened = false;
    long rate = 0;
    int channels = 0;
    bool anyMonoFrame = false;
    std::vector<int> bitrates;      // kbit/s of every decoded frame
    std::vector<short> left;        // the left channel's samples
    double seconds = 0;             // decoded samples / rate
};

Mp3Probe ProbeMp3(const std::string& path);

// Frequency of a pure tone in samples[from, to) at `rate`, from the spacing of its
// upward zero crossings (interpolated between samples). 0 when there are too few.
double ToneFrequency(const std::vector<short>& samples, size_t from, size_t to, long rate);
