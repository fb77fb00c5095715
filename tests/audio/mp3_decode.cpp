#include "mp3_decode.h"

#include <mpg123.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace mp3test {

DecodedMp3 decodeMp3(const std::string& path)
{
    DecodedMp3 result;
    int err = MPG123_OK;
    mpg123_handle* mh = mpg123_new(nullptr, &err);
    if (!mh) {
        result.error = "mpg123_new failed";
        return result;
    }
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    // 16-bit output at whatever rate and channel count the stream has.
    mpg123_format_none(mh);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(mh, path.c_str()) != MPG123_OK) {
        result.error = std::string("mpg123_open: ") + mpg123_strerror(mh);
        mpg123_delete(mh);
        return result;
    }
    for (;;) {
        off_t num = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        const int r = mpg123_decode_frame(mh, &num, &audio, &bytes);
        if (r == MPG123_NEW_FORMAT) {
            int encoding = 0;
            mpg123_getformat(mh, &result.rate, &result.channels, &encoding);
            continue;
        }
        if (r == MPG123_DONE)
            break;
        if (r != MPG123_OK) {
            result.error = std::string("mpg123_decode_frame: ") + mpg123_strerror(mh);
            mpg123_delete(mh);
            return result;
        }
        mpg123_frameinfo2 info = {};
        if (mpg123_info2(mh, &info) == MPG123_OK) {
            if (result.frameCount == 0) {
                result.mode = info.mode;
                result.version = info.version;
                result.bitrate = info.bitrate;
                result.flags = info.flags;
                result.vbr = info.vbr;
            } else if (info.mode != result.mode || info.version != result.version ||
                       info.bitrate != result.bitrate || info.flags != result.flags) {
                result.sameHeaderEverywhere = false;
            }
            ++result.frameCount;
        }
        const size_t count = bytes / 2;
        const size_t at = result.samples.size();
        result.samples.resize(at + count);
        if (count)
            std::memcpy(result.samples.data() + at, audio, count * 2);
    }
    mpg123_close(mh);
    mpg123_delete(mh);
    result.ok = result.rate != 0 && result.frameCount != 0;
    if (!result.ok)
        result.error = "no audio frames";
    return result;
}

double toneFrequency(const std::vector<int16_t>& interleaved, int channels, int channel,
                     size_t from, size_t to, long rate)
{
    size_t rising = 0;
    size_t first = 0;
    size_t last = 0;
    for (size_t f = from + 1; f < to; ++f) {
        const int16_t a = interleaved[(f - 1) * channels + channel];
        const int16_t b = interleaved[f * channels + channel];
        if (a < 0 && b >= 0) {
            if (rising == 0)
                first = f;
            last = f;
            ++rising;
        }
    }
    if (rising < 2)
        return 0.0;
    // Periods between the first and the last rising crossing.
    return static_cast<double>(rising - 1) * static_cast<double>(rate) /
           static_cast<double>(last - first);
}

bool startsWithInfoTag(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    unsigned char head[64] = {};
    const size_t n = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    // MPEG-1 layer III: the tag follows the 4-byte header and the side information
    // (32 bytes in stereo, 17 in mono).
    if (n < 64 || head[0] != 0xFF || (head[1] & 0xE0) != 0xE0)
        return false;
    for (size_t at : {size_t(36), size_t(21), size_t(13)}) {
        if (std::memcmp(head + at, "Info", 4) == 0 || std::memcmp(head + at, "Xing", 4) == 0)
            return true;
    }
    return false;
}

std::vector<uint8_t> stereoTone(double frequency, long rate, size_t frames)
{
    std::vector<uint8_t> bytes(frames * 4);
    for (size_t i = 0; i < frames; ++i) {
        const double phase = 2.0 * M_PI * frequency * static_cast<double>(i) / static_cast<double>(rate);
        const int16_t v = static_cast<int16_t>(std::lround(10000.0 * std::sin(phase)));
        const uint16_t u = static_cast<uint16_t>(v);
        for (int c = 0; c < 2; ++c) {
            bytes[i * 4 + c * 2] = static_cast<uint8_t>(u & 0xFF);
            bytes[i * 4 + c * 2 + 1] = static_cast<uint8_t>(u >> 8);
        }
    }
    return bytes;
}

}  // namespace mp3test
