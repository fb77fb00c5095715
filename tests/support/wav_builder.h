// Builds WAV files in memory for tests: a canonical PCM file by default, with the
// format fields, chunk order, declared sizes and extra chunks all controllable, so
// that broken and unusual files can be made as easily as good ones.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// One chunk: four-character id, contents, and optionally a size header that lies.
struct WavChunk {
    std::string id;                        // exactly four characters
    std::vector<uint8_t> body;
    std::optional<uint32_t> declaredSize;  // written instead of body.size()
    bool pad = true;                       // a zero pad byte after an odd-sized body
};

struct WavSpec {
    uint16_t formatTag = 1;
    uint16_t channels = 2;
    uint32_t sampleRate = 44100;
    uint16_t bitsPerSample = 16;
    std::optional<uint16_t> blockAlign;      // default channels * bits / 8
    std::optional<uint32_t> bytesPerSecond;  // default rate * block align
    bool fmtExtraSize = false;               // 18-byte "fmt " chunk (extra size 0)
    std::vector<uint8_t> data;               // the sample bytes
    std::optional<uint32_t> dataDeclaredSize;
    bool padData = true;                     // pad an odd data chunk
    std::vector<WavChunk> beforeFmt;         // chunks inside RIFF before "fmt "
    std::vector<WavChunk> betweenFmtAndData;
    std::vector<WavChunk> afterData;
    bool dataBeforeFmt = false;              // "data" first, then "fmt "
    std::optional<uint32_t> riffDeclaredSize;  // default: the real contents size
    std::string riffId = "RIFF";
    std::string formType = "WAVE";
};

// The "fmt " and "data" chunks that makeWav uses for desc.
WavChunk fmtChunk(const WavSpec& desc);
WavChunk dataChunk(const WavSpec& desc);

// A RIFF file of the given chunks, in order.
std::vector<uint8_t> makeRiff(const std::vector<WavChunk>& chunks, const std::string& formType = "WAVE",
                              std::optional<uint32_t> declaredSize = {}, const std::string& riffId = "RIFF");

// The whole WAV file that desc describes (44 bytes of header + data by default).
std::vector<uint8_t> makeWav(const WavSpec& desc);

// Writes makeWav(desc) to path; fails the current test on an I/O error.
void writeWav(const std::string& path, const WavSpec& desc);

// Little-endian bytes of 16-bit samples (interleaved as given).
std::vector<uint8_t> pcm16Bytes(const std::vector<int16_t>& samples);

// count bytes of a recognisable pattern (byte i is (i * 7 + 3) & 0xFF).
std::vector<uint8_t> patternBytes(size_t count);

}  // namespace testsupport
