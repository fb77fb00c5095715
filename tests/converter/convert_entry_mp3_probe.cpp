#include "convert_entry_mp3_probe.h"

#include <mpg123.h>

Mp3Probe ProbeMp3(const std::string& path) {
    Mp3Probe probe;
#if MPG123_API_VERSION < 46
    mpg123_init();
#endif
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (!handle) return probe;
    mpg123_format_none(handle);
    for (long rate : {8000L, 11025L, 12000L, 16000L, 22050L, 24000L, 32000L, 44100L, 48000L})
        mpg123_format(handle, rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(handle, path.c_str()) != MPG123_OK) {
        mpg123_delete(handle);
        return probe;
    }
    int encoding = 0;
    if (mpg123_getformat(handle, &probe.rate, &probe.channels, &encoding) != MPG123_OK) {
        mpg123_close(handle);
        mpg123_delete(handle);
        return probe;
    }
    probe.opened = true;
    size_t frames = 0;
    for (;;) {
        off_t number = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        int result = mpg123_decode_frame(handle, &number, &audio, &bytes);
        if (result == MPG123_NEW_FORMAT) continue;
        if (result != MPG123_OK) break;
        mpg123_frameinfo info;
        if (mpg123_info(handle, &info) == MPG123_OK) {
            probe.bitrates.push_back(info.bitrate);
            if (info.mode == MPG123_M_MONO) probe.anyMonoFrame = true;
        }
        const short* samples = reinterpret_cast<const short*>(audio);
        size_t count = bytes / sizeof(short);
        for (size_t i = 0; i < count; i += static_cast<size_t>(probe.channels)) probe.left.push_back(samples[i]);
        frames += count / static_cast<size_t>(probe.channels);
    }
    probe.seconds = probe.rate ? static_cast<double>(frames) / probe.rate : 0;
    mpg123_close(handle);
    mpg123_delete(handle);
    return probe;
}

double ToneFrequency(const std::vector<short>& samples, size_t from, size_t to, long rate) {
    if (to > samples.size()) to = samples.size();
    double first = -1, last = -1;
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            double at = (i - 1) + static_cast<double>(-samples[i - 1]) / (samples[i] - samples[i - 1]);
            if (first < 0) first = at;
            else ++crossings;
            last = at;
        }
    }
    if (crossings < 10) return 0;
    return crossings * static_cast<double>(rate) / (last - first);
}
