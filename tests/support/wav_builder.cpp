#include "support/wav_builder.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace testsupport {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void putId(std::vector<uint8_t>& out, const std::string& id)
{
    EXPECT_EQ(id.size(), 4u) << "chunk id '" << id << "' is not four characters";
    for (size_t i = 0; i < 4; ++i)
        out.push_back(i < id.size() ? uint8_t(id[i]) : uint8_t(' '));
}

}  // namespace

WavChunk fmtChunk(const WavSpec& desc)
{
    const uint16_t align = desc.blockAlign.value_or(uint16_t(uint32_t(desc.channels) * desc.bitsPerSample / 8));
    WavChunk c{"fmt ", {}, {}, true};
    put16(c.body, desc.formatTag);
    put16(c.body, desc.channels);
    put32(c.body, desc.sampleRate);
    put32(c.body, desc.bytesPerSecond.value_or(desc.sampleRate * align));
    put16(c.body, align);
    put16(c.body, desc.bitsPerSample);
    if (desc.fmtExtraSize)
        put16(c.body, 0);
    return c;
}

WavChunk dataChunk(const WavSpec& desc)
{
    return WavChunk{"data", desc.data, desc.dataDeclaredSize, desc.padData};
}

std::vector<uint8_t> makeRiff(const std::vector<WavChunk>& chunks, const std::string& formType,
                              std::optional<uint32_t> declaredSize, const std::string& riffId)
{
    std::vector<uint8_t> body;
    putId(body, formType);
    for (const WavChunk& c : chunks) {
        putId(body, c.id);
        put32(body, c.declaredSize.value_or(uint32_t(c.body.size())));
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.pad && (c.body.size() & 1))
            body.push_back(0);
    }
    std::vector<uint8_t> out;
    putId(out, riffId);
    put32(out, declaredSize.value_or(uint32_t(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<uint8_t> makeWav(const WavSpec& desc)
{
    std::vector<WavChunk> chunks = desc.beforeFmt;
    if (desc.dataBeforeFmt) {
        chunks.push_back(dataChunk(desc));
        chunks.insert(chunks.end(), desc.betweenFmtAndData.begin(), desc.betweenFmtAndData.end());
        chunks.push_back(fmtChunk(desc));
    } else {
        chunks.push_back(fmtChunk(desc));
        chunks.insert(chunks.end(), desc.betweenFmtAndData.begin(), desc.betweenFmtAndData.end());
        chunks.push_back(dataChunk(desc));
    }
    chunks.insert(chunks.end(), desc.afterData.begin(), desc.afterData.end());
    return makeRiff(chunks, desc.formType, desc.riffDeclaredSize, desc.riffId);
}

void writeWav(const std::string& path, const WavSpec& desc)
{
    writeFile(path, makeWav(desc));
}

std::vector<uint8_t> pcm16Bytes(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> out;
    out.reserve(samples.size() * 2);
    for (int16_t s : samples)
        put16(out, uint16_t(s));
    return out;
}

std::vector<uint8_t> patternBytes(size_t count)
{
    std::vector<uint8_t> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = uint8_t((i * 7 + 3) & 0xFF);
    return out;
}

}  // namespace testsupport
