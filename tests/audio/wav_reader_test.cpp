// The WAV reader: which files it refuses, how blocks, positions and times move,
// and FileSize.
#include "audio/wav_reader.h"

#include "support/test_support.h"
#include "support/wav_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using testsupport::makeWav;
using testsupport::patternBytes;
using testsupport::TempDir;
using testsupport::WavChunk;
using testsupport::WavSpec;
using testsupport::writeFile;
using testsupport::writeWav;

namespace {

// A file name with a space, quotes and non-ASCII letters, as users have them.
const char kName[] = "d\xC3\xA9mo \"take\" 1.wav";

WavSpec stereo16(size_t dataBytes)
{
    WavSpec desc;
    desc.data = patternBytes(dataBytes);
    return desc;
}

int openDescriptors()
{
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count;
}

TEST(WavReader, AFileOf44BytesIsRefusedAndOneOf45BytesOpens)
{
    TempDir dir;
    WavSpec desc;
    desc.channels = 1;
    desc.bitsPerSample = 8;
    desc.sampleRate = 8000;
    ASSERT_EQ(makeWav(desc).size(), 44u);
    writeWav(dir.file(kName), desc);
    EXPECT_EQ(OpenWAV(dir.file(kName).c_str(), 0, 4096), nullptr);

    desc.data = {0x9A};
    desc.padData = false;
    ASSERT_EQ(makeWav(desc).size(), 45u);
    writeWav(dir.file(kName), desc);
    WAVHandle* h = OpenWAV(dir.file(kName).c_str(), 0, 4096);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->dataOffset, 44u);
    EXPECT_EQ(h->dataSize, 1u);
    EXPECT_EQ(h->fileSize, 45u);
    EXPECT_EQ(h->frameBytes, 1u);
    EXPECT_EQ(h->bufferSize, 4096u);
    EXPECT_EQ(h->lastRead, 0u);
    ASSERT_EQ(ReadWAV(h), 1);
    EXPECT_EQ(h->buffer[0], 0x9A);
    EXPECT_EQ(h->buffer[1], 0);
    EXPECT_EQ(ReadWAV(h), 0);
    CloseWAV(h);
}

TEST(WavReader, FormatChecks)
{
    struct Case {
        const char* what;
        uint16_t tag, channels, bits;
        uint32_t rate;
        int blockAlign;  // -1: channels * bits / 8
        bool accepted;
    } const cases[] = {
        {"16-bit stereo", 1, 2, 16, 44100, -1, true},
        {"16-bit mono", 1, 1, 16, 48000, -1, true},
        {"8-bit stereo", 1, 2, 8, 22050, -1, true},
        {"8-bit mono", 1, 1, 8, 11025, -1, true},
        {"lowest rate", 1, 2, 16, 2000, -1, true},
        {"highest rate", 1, 2, 16, 88200, -1, true},
        {"floating point", 3, 2, 32, 44100, -1, false},
        {"tag 3 with 16 bits", 3, 2, 16, 44100, -1, false},
        {"extensible", 0xFFFE, 2, 16, 44100, -1, false},
        {"24 bits", 1, 2, 24, 44100, -1, false},
        {"0 bits", 1, 2, 0, 44100, -1, false},
        {"3 channels", 1, 3, 16, 44100, -1, false},
        {"0 channels", 1, 0, 16, 44100, -1, false},
        {"1999 Hz", 1, 2, 16, 1999, -1, false},
        {"88201 Hz", 1, 2, 16, 88201, -1, false},
        {"0 Hz", 1, 2, 16, 0, -1, false},
        {"block align 0", 1, 2, 16, 44100, 0, false},
        {"block align 3 for 16-bit stereo", 1, 2, 16, 44100, 3, false},
        {"block align 8 for 16-bit stereo", 1, 2, 16, 44100, 8, false},
        {"block align 2 for 8-bit mono", 1, 1, 8, 44100, 2, false},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WavSpec desc;
        desc.formatTag = c.tag;
        desc.channels = c.channels;
        desc.bitsPerSample = c.bits;
        desc.sampleRate = c.rate;
        if (c.blockAlign >= 0)
            desc.blockAlign = uint16_t(c.blockAlign);
        desc.data = patternBytes(4000);
        writeWav(dir.file(kName), desc);
        WAVHandle* h = OpenWAV(dir.file(kName).c_str(), 0, 1024);
        EXPECT_EQ(h != nullptr, c.accepted);
        if (h) {
            EXPECT_EQ(h->format.wFormatTag, c.tag);
            EXPECT_EQ(h->format.nSamplesPerSec, c.rate);
            EXPECT_EQ(h->frameBytes, uint32_t(c.channels * c.bits / 8));
        }
        CloseWAV(h);
    }
}

TEST(WavReader, ChunkLayouts)
{
    const WavChunk oddJunk{"junk", patternBytes(7), {}, true};
    const WavChunk list{"LIST", patternBytes(30), {}, true};
    struct Case {
        const char* what;
        WavSpec desc;
        bool accepted;
        uint32_t dataOffset;
    };
    std::vector<Case> cases;
    cases.push_back({"canonical", stereo16(400), true, 44});
    {
        WavSpec s = stereo16(400);
        s.beforeFmt = {oddJunk};
        s.betweenFmtAndData = {list, oddJunk};
        cases.push_back({"other chunks, odd ones padded", s, true, 12 + 16 + 24 + 38 + 16 + 8});
    }
    {
        WavSpec s = stereo16(400);
        s.fmtExtraSize = true;
        cases.push_back({"18-byte fmt", s, true, 46});
    }
    {
        WavSpec s = stereo16(400);
        s.dataBeforeFmt = true;
        cases.push_back({"data before fmt", s, false, 0});
    }
    {
        WavSpec s = stereo16(400);
        s.formType = "AVI ";
        cases.push_back({"another RIFF form", s, false, 0});
    }
    {
        WavSpec s = stereo16(400);
        s.riffId = "RIFX";
        cases.push_back({"not RIFF", s, false, 0});
    }
    {
        WavSpec s = stereo16(400);
        s.betweenFmtAndData = {WavChunk{"dat ", patternBytes(400), {}, true}};
        s.padData = true;
        cases.push_back({"a look-alike id is skipped", s, true, 44 + 408});
    }
    {
        // The "data" chunk lies outside the RIFF chunk that its size declares.
        WavSpec s = stereo16(400);
        s.riffDeclaredSize = 4 + 24;
        cases.push_back({"data outside RIFF", s, false, 0});
    }
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeWav(dir.file(kName), c.desc);
        WAVHandle* h = OpenWAV(dir.file(kName).c_str(), 0, 1024);
        ASSERT_EQ(h != nullptr, c.accepted);
        if (h) {
            EXPECT_EQ(h->dataOffset, c.dataOffset);
            EXPECT_EQ(h->dataSize, 400u);
            ASSERT_EQ(ReadWAV(h), 400);
            EXPECT_EQ(std::vector<uint8_t>(h->buffer, h->buffer + 400), patternBytes(400));
        }
        CloseWAV(h);
    }
}

TEST(WavReader, OtherFilesAreRefused)
{
    TempDir dir;
    // No fmt chunk, only data.
    writeFile(dir.file("no fmt.wav"), testsupport::makeRiff({WavChunk{"data", patternBytes(100), {}, true}}));
    // No data chunk after fmt.
    WavSpec s = stereo16(0);
    writeFile(dir.file("no data.wav"),
              testsupport::makeRiff({testsupport::fmtChunk(s), WavChunk{"LIST", patternBytes(100), {}, true}}));
    // A RIFF chunk whose "fmt " is cut short by the end of the file.
    std::vector<uint8_t> cut = makeWav(stereo16(100));
    cut.resize(12 + 8 + 10);
    cut.insert(cut.begin(), 40, 0);  // long enough, behind a chunk of zeros before the RIFF
    writeFile(dir.file("cut fmt.wav"), cut);
    writeFile(dir.file("text.wav"), std::vector<uint8_t>(200, 'x'));
    ::mkdir(dir.file("folder.wav").c_str(), 0700);
    for (const char* name : {"no fmt.wav", "no data.wav", "cut fmt.wav", "text.wav", "folder.wav", "missing.wav"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(OpenWAV(dir.file(name).c_str(), 0, 1024), nullptr);
    }
    EXPECT_EQ(OpenWAV(nullptr, 0, 1024), nullptr);

    writeWav(dir.file(kName), stereo16(400));
    EXPECT_EQ(OpenWAV(dir.file(kName).c_str(), 0, 0), nullptr) << "a read buffer of no bytes";
    EXPECT_EQ(OpenWAV(dir.file(kName).c_str(), 0, -1), nullptr);
}

TEST(WavReader, RefusalsLeaveNothingOpen)
{
    TempDir dir;
    WavSpec bad = stereo16(400);
    bad.sampleRate = 100;
    writeWav(dir.file("bad.wav"), bad);
    WavSpec noData = stereo16(400);
    noData.dataBeforeFmt = true;
    writeWav(dir.file("late fmt.wav"), noData);
    writeWav(dir.file(kName), stereo16(400));
    const int before = openDescriptors();
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(OpenWAV(dir.file("bad.wav").c_str(), 0, 1024), nullptr);
        EXPECT_EQ(OpenWAV(dir.file("late fmt.wav").c_str(), 0, 1024), nullptr);
        EXPECT_EQ(OpenWAV(dir.file(kName).c_str(), 0, 0), nullptr);
        CloseWAV(OpenWAV(dir.file(kName).c_str(), 0, 1024));
    }
    EXPECT_EQ(openDescriptors(), before);
}

TEST(WavReader, SixteenByteFmtTakesTheNextTwoBytesAsExtraSize)
{
    TempDir dir;
    writeWav(dir.file(kName), stereo16(400));
    WAVHandle* h = OpenWAV(dir.file(kName).c_str(), 0, 1024);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->format.cbSize, uint16_t('d' | 'a' << 8));
    CloseWAV(h);
}

// 100000 bytes of data read in blocks of 65536, with or without a chunk after the data.
TEST(WavReader, BlockReadsStopAtTheEndOfTheData)
{
    const std::vector<uint8_t> data = patternBytes(100000);
    for (bool chunkAfter : {true, false}) {
        SCOPED_TRACE(chunkAfter ? "a LIST chunk after the data" : "the data ends the file");
        TempDir dir;
        WavSpec desc;
        desc.data = data;
        std::vector<uint8_t> listBody(200, 0xEE);
        if (chunkAfter)
            desc.afterData = {WavChunk{"LIST", listBody, {}, true}};
        writeWav(dir.file(kName), desc);
        WAVHandle* h = OpenWAV(dir.file(kName).c_str(), 0, 65536);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->fileSize, 44u + 100000u + (chunkAfter ? 208u : 0u));

        ASSERT_EQ(ReadWAV(h), 65536);
        EXPECT_EQ(h->lastRead, 65536u);
        EXPECT_EQ(h->position, 65536u);
        EXPECT_EQ(std::memcmp(h->buffer, data.data(), 65536), 0);

        ASSERT_EQ(ReadWAV(h), 34464);
        EXPECT_EQ(h->lastRead, chunkAfter ? 34464u + 208u : 34464u);
        EXPECT_EQ(h->position, 100000u);
        EXPECT_EQ(std::memcmp(h->buffer, data.data() + 65536, 34464), 0);
        // Past the returned count: what followed the data in the file, then zeros.
        const uint8_t* tail = h->buffer + 34464;
        size_t zerosFrom = 0;
        if (chunkAfter) {
            EXPECT_EQ(std::memcmp(tail, "LIST", 4), 0);
            EXPECT_EQ(tail[4], 200);
            EXPECT_EQ(std::vector<uint8_t>(tail + 8, tail + 208), listBody);
            zerosFrom = 208;
        }
        EXPECT_EQ(std::vector<uint8_t>(tail + zerosFrom, tail + (65536 - 34464)),
                  std::vector<uint8_t>(65536 - 34464 - zerosFrom, 0));
        EXPECT_EQ(h->time, 5668934);  // 25000 frames at 44100 Hz

        EXPECT_EQ(ReadWAV(h), 0);
        EXPECT_EQ(h->position, 100000u);
        EXPECT_EQ(ReadWAV(h), 0);
        CloseWAV(h);
    }
}

TEST(WavReader, AFileShorterThanItsDataChunkIsReadUntilItEnds)
{
    TempDir dir;
    WavSpec desc = stereo16(1000);
    desc.dataDeclaredSize = 100000;
    desc.riffDeclaredSize = 100036;
    writeWav(dir.file(kName), desc);
    WAVHandle* h = OpenWAV(dir.file(kName).c_str(), 0, 4096);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->dataSize, 100000u);
    EXPECT_EQ(ReadWAV(h), 1000);
    EXPECT_EQ(ReadWAV(h), 0);
    EXPECT_EQ(h->position, 1000u);
    CloseWAV(h);
}

TEST(WavReader, Seeks)
{
    TempDir dir;
    const std::vector<uint8_t> data = patternBytes(2 * 176400);
    WavSpec desc;
    desc.data = data;
    writeWav(dir.file(kName), desc);
    WAVHandle* h = OpenWAV(dir.file(kName).c_str(), 0, 4096);
    ASSERT_NE(h, nullptr);

    struct Case {
        int64_t time;
        int32_t position;
    } const cases[] = {
        {10000000, 176400},        // one second
        {5, 0},                    // less than a frame
        {400, 4},                  // 7.056 bytes, down to a whole frame
        {15000000, 264600},
        {-1, 0},                   // before the start
        {-10000000, 0},
        {20000000, 352800},        // exactly the end is accepted
        {20000001, 352800},        // still the end once rounded to a frame
        {20000227, 0},             // one frame past the end
        {30000000, 0},             // past the end
        // 2^32 + 400 bytes: the whole value counts, not its low 32 bits.
        {int64_t((4294967296.0 + 400.0) / 176400.0 * 10000000.0), 0},
        {INT64_MAX, 0},
        {INT64_MIN, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        EXPECT_EQ(SeekWAV(h, c.time), c.position);
        EXPECT_EQ(h->position, uint32_t(c.position));
        EXPECT_EQ(h->time, c.time) << "the requested time is kept";
        const int32_t got = ReadWAV(h);
        const int32_t left = 352800 - c.position;
        ASSERT_EQ(got, left < 4096 ? left : 4096);
        if (got > 0) {
            EXPECT_EQ(std::memcmp(h->buffer, data.data() + c.position, size_t(got)), 0);
        }
    }
    CloseWAV(h);
}

TEST(WavReader, OpenStartsAtTheGivenTime)
{
    TempDir dir;
    const std::vector<uint8_t> data = patternBytes(2 * 176400);
    WavSpec desc;
    desc.data = data;
    writeWav(dir.file(kName), desc);
    for (int64_t start : {int64_t(0), int64_t(10000000), int64_t(-5), int64_t(50000000)}) {
        SCOPED_TRACE(start);
        WAVHandle* h = OpenWAV(dir.file(kName).c_str(), start, 1000);
        ASSERT_NE(h, nullptr);
        const uint32_t expected = start == 10000000 ? 176400 : 0;
        EXPECT_EQ(h->position, expected);
        EXPECT_EQ(h->time, start);
        ASSERT_EQ(ReadWAV(h), 1000);
        EXPECT_EQ(std::memcmp(h->buffer, data.data() + expected, 1000), 0);
        CloseWAV(h);
    }
}

TEST(WavReader, DurationsAndTimes)
{
    // The duration is (1 / rate) x 10^7 x frames and the time (frames / rate) x 10^7,
    // both truncated: the two orders part by one unit for some lengths.
    struct Case {
        uint16_t channels, bits;
        uint32_t rate, dataBytes;
        int64_t duration, timeAtEnd;
    } const cases[] = {
        {2, 16, 44100, 176400, 10000000, 10000000},
        {1, 8, 8000, 8000, 10000000, 10000000},
        {1, 16, 22050, 1000, 226757, 226757},   // 500 frames: 226757.37 truncated
        {2, 8, 2000, 3, 5000, 5000},            // a part frame does not count
        {2, 16, 88200, 352803, 10000000, 10000000},
        {1, 16, 48000, 18, 1874, 1875},         // 9 frames
        {1, 8, 8000, 43, 53750, 53749},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << "ch " << c.bits << "bit " << c.rate << "Hz "
                                        << c.dataBytes << " bytes");
        WavSpec desc;
        desc.channels = c.channels;
        desc.bitsPerSample = c.bits;
        desc.sampleRate = c.rate;
        desc.data = patternBytes(c.dataBytes);
        writeWav(dir.file(kName), desc);
        WAVHandle* h = OpenWAV(dir.file(kName).c_str(), 0, 65536);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->duration, c.duration);
        while (ReadWAV(h) > 0) {
        }
        EXPECT_EQ(h->position, c.dataBytes);
        EXPECT_EQ(h->time, c.timeAtEnd);
        CloseWAV(h);
    }
}

TEST(WavReader, NullHandles)
{
    EXPECT_EQ(ReadWAV(nullptr), 0);
    EXPECT_EQ(SeekWAV(nullptr, 10000000), 0);
    CloseWAV(nullptr);
}

TEST(FileSize, SizesOfFiles)
{
    TempDir dir;
    writeFile(dir.file("empty file"), {});
    writeFile(dir.file(kName), patternBytes(12345));
    ::mkdir(dir.file("a folder").c_str(), 0700);
    EXPECT_EQ(FileSize(dir.file("empty file").c_str()), 0u);
    EXPECT_EQ(FileSize(dir.file("missing").c_str()), 0u);
    EXPECT_EQ(FileSize(dir.file("a folder").c_str()), 0u);
    EXPECT_EQ(FileSize(dir.file(kName).c_str()), 12345u);
    EXPECT_EQ(FileSize(nullptr), 0u);
}

// Sparse files stand for files too large for 32-bit sizes.
TEST(FileSize, FilesOf4GiBAndMoreAreRefused)
{
    TempDir dir;
    const std::string path = dir.file(kName);
    writeWav(path, stereo16(400));
    struct Case {
        off_t size;
        uint32_t fileSize;
    } const cases[] = {
        {off_t(0xFFFFFFFFll), 0xFFFFFFFFu},
        {off_t(0x100000000ll), 0},
        {off_t(0x100000000ll + 44 + 400), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        if (::truncate(path.c_str(), c.size) != 0)
            GTEST_SKIP() << "this file system cannot make a sparse file of " << c.size << " bytes";
        EXPECT_EQ(FileSize(path.c_str()), c.fileSize);
        WAVHandle* h = OpenWAV(path.c_str(), 0, 1024);
        EXPECT_EQ(h != nullptr, c.fileSize != 0);
        CloseWAV(h);
    }
}

// Opening for reading and updating is what refuses them; root may do that anyway.
TEST(ReadOnlyFiles, AReadOnlyWavIsRefused)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, which may open a read-only file for updating";
    TempDir dir;
    const std::string path = dir.file(kName);
    writeWav(path, stereo16(400));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(OpenWAV(path.c_str(), 0, 1024), nullptr);
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    WAVHandle* h = OpenWAV(path.c_str(), 0, 1024);
    EXPECT_NE(h, nullptr) << "the same file opens once it is writable";
    CloseWAV(h);
}

TEST(ReadOnlyFiles, FileSizeOfAReadOnlyFileIs0)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, which may open a read-only file for updating";
    TempDir dir;
    const std::string path = dir.file(kName);
    writeFile(path, patternBytes(500));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(FileSize(path.c_str()), 0u);
}

}  // namespace
