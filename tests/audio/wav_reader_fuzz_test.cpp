// Thousands of random and mutated WAV headers (fixed seed): whatever the file, the
// reader either refuses it or keeps its positions, counts and buffer within bounds.
// Run under AddressSanitizer this also shows that nothing reads or writes astray.
#include "audio/wav_reader.h"

#include "support/test_support.h"
#include "support/wav_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using testsupport::makeWav;
using testsupport::TempDir;
using testsupport::WavChunk;
using testsupport::WavSpec;

namespace {

struct Random {
    std::mt19937 engine{20240611u};
    uint32_t below(uint32_t n) { return n == 0 ? 0 : uint32_t(engine() % n); }
    bool chance(uint32_t percent) { return below(100) < percent; }
    template <typename T>
    T pick(std::initializer_list<T> values) { return *(values.begin() + below(uint32_t(values.size()))); }
    std::vector<uint8_t> bytes(size_t n)
    {
        std::vector<uint8_t> out(n);
        for (auto& b : out)
            b = uint8_t(engine());
        return out;
    }
};

WavSpec randomSpec(Random& r)
{
    WavSpec s;
    s.formatTag = r.chance(80) ? 1 : r.pick<uint16_t>({0, 3, 2, 0xFFFE, 0xFFFF});
    s.channels = r.chance(80) ? r.pick<uint16_t>({1, 2}) : r.pick<uint16_t>({0, 3, 6, 0xFFFF});
    s.bitsPerSample = r.chance(80) ? r.pick<uint16_t>({8, 16}) : r.pick<uint16_t>({0, 1, 24, 32, 0xFFFF});
    s.sampleRate = r.chance(80) ? r.pick<uint32_t>({2000, 8000, 11025, 22050, 44100, 48000, 88200})
                                : r.pick<uint32_t>({0, 1, 1999, 88201, 0xFFFFFFFFu});
    if (r.chance(15))
        s.blockAlign = r.pick<uint16_t>({0, 1, 2, 3, 4, 8, 0xFFFF});
    s.fmtExtraSize = r.chance(30);
    s.data = r.bytes(r.below(3000));
    s.padData = r.chance(70);
    if (r.chance(20))
        s.dataDeclaredSize = r.pick<uint32_t>({0, 1, 3, 0x7FFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFEu, r.below(6000)});
    if (r.chance(15))
        s.riffDeclaredSize = r.pick<uint32_t>({0, 3, 4, 0xFFFFFFFFu, r.below(4000)});
    s.dataBeforeFmt = r.chance(5);
    for (auto* list : {&s.beforeFmt, &s.betweenFmtAndData, &s.afterData}) {
        while (r.chance(20)) {
            WavChunk c{r.pick<std::string>({"LIST", "junk", "fact", "fmt ", "data", std::string(4, '\0')}),
                       r.bytes(r.below(40)), {}, r.chance(80)};
            if (r.chance(20))
                c.declaredSize = r.pick<uint32_t>({0xFFFFFFFFu, 0x80000000u, r.below(100)});
            list->push_back(c);
        }
    }
    return s;
}

// Flips, overwrites, cuts or lengthens the bytes of a file, mostly in its header.
void mutate(Random& r, std::vector<uint8_t>& file)
{
    const uint32_t edits = r.below(4);
    for (uint32_t k = 0; k < edits && !file.empty(); ++k) {
        const size_t at = r.chance(80) ? r.below(uint32_t(std::min<size_t>(file.size(), 80)))
                                       : r.below(uint32_t(file.size()));
        switch (r.below(5)) {
        case 0:
            file[at] ^= uint8_t(1u << r.below(8));
            break;
        case 1:
            file[at] = r.pick<uint8_t>({0x00, 0xFF, 0x7F, 0x80, 0x01});
            break;
        case 2:
            file.resize(at);
            break;
        case 3:
            file.insert(file.begin() + long(at), r.below(5), uint8_t(r.below(256)));
            break;
        default:
            if (at + 4 <= file.size()) {
                const uint32_t v = r.pick<uint32_t>({0, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, r.below(200)});
                std::memcpy(&file[at], &v, 4);
            }
        }
    }
}

bool acceptedFormat(const WAVEFORMATEX& f)
{
    return f.wFormatTag == 1 && (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) &&
           (f.nChannels == 1 || f.nChannels == 2) && f.nSamplesPerSec >= 2000 && f.nSamplesPerSec <= 88200 &&
           f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

void exercise(Random& r, WAVHandle* h, size_t fileSize)
{
    ASSERT_TRUE(acceptedFormat(h->format));
    ASSERT_EQ(h->frameBytes, h->format.nBlockAlign);
    ASSERT_LE(h->position, h->dataSize);
    ASSERT_LE(size_t(h->dataOffset), fileSize);
    ASSERT_EQ(h->fileSize, fileSize);
    for (int round = 0; round < 3; ++round) {
        uint64_t total = 0;
        const uint32_t start = h->position;
        // Each read moves on; a file can only deliver what it holds.
        for (int reads = 0; reads < 10000; ++reads) {
            const int32_t got = ReadWAV(h);
            ASSERT_GE(got, 0);
            ASSERT_LE(uint32_t(got), h->bufferSize);
            ASSERT_LE(h->lastRead, h->bufferSize);
            ASSERT_LE(uint32_t(got), h->lastRead);
            ASSERT_LE(h->position, h->dataSize);
            ASSERT_GE(h->time, 0);
            total += uint32_t(got);
            if (got == 0)
                break;
        }
        ASSERT_LE(total, fileSize);
        ASSERT_LE(uint64_t(start) + total, h->dataSize);
        const int64_t time = r.pick<int64_t>({0, -1, INT64_MAX, INT64_MIN, int64_t(r.below(30000000)),
                                              h->duration, h->duration + 1});
        const int32_t pos = SeekWAV(h, time);
        ASSERT_EQ(uint32_t(pos), h->position);
        ASSERT_LE(h->position, h->dataSize);
        ASSERT_EQ(h->position % h->frameBytes, 0u);
        ASSERT_EQ(h->time, time);
    }
}

TEST(WavReaderFuzz, RandomAndMutatedHeaders)
{
    TempDir dir;
    const std::string path = dir.file("fuzz \"case\" \xC3\xB8.wav");
    Random r;
    int opened = 0, refused = 0;
    for (int n = 0; n < 3000; ++n) {
        SCOPED_TRACE(n);
        std::vector<uint8_t> file = makeWav(randomSpec(r));
        if (r.chance(60))
            mutate(r, file);
        testsupport::writeFile(path, file);
        const int32_t blockSize = int32_t(r.pick<uint32_t>({1, 2, 3, 4, 7, 64, 1000, 4096, 65536}));
        const int64_t start = r.pick<int64_t>({0, 0, 0, -1, 5, 10000000, INT64_MAX});
        WAVHandle* h = OpenWAV(path.c_str(), start, blockSize);
        if (!h) {
            ++refused;
            continue;
        }
        ++opened;
        exercise(r, h, file.size());
        CloseWAV(h);
        if (HasFatalFailure())
            return;
    }
    // Both outcomes must be common, or the cases prove little.
    EXPECT_GT(opened, 500);
    EXPECT_GT(refused, 500);
}

}  // namespace
