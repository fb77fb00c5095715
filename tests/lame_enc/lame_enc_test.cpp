// lame_enc.so as a host binds it: loaded from the program folder, entry points by
// name. The MP3s it makes are decoded with libmpg123.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <mpg123.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "mp3_decode.h"
#include "lame_enc/blade_enc.h"
#include "support/test_support.h"

extern char** environ;

namespace {

const char* kModule = BRISKTUNE_BIN_DIR "/lame_enc.so";

struct Module {
    Module()
    {
        handle = dlopen(kModule, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return;
        init = reinterpret_cast<BEINITSTREAM>(dlsym(handle, "beInitStream"));
        encode = reinterpret_cast<BEENCODECHUNK>(dlsym(handle, "beEncodeChunk"));
        deinit = reinterpret_cast<BEDEINITSTREAM>(dlsym(handle, "beDeinitStream"));
        close = reinterpret_cast<BECLOSESTREAM>(dlsym(handle, "beCloseStream"));
        version = reinterpret_cast<BEVERSION>(dlsym(handle, "beVersion"));
        vbrHeader = reinterpret_cast<BEWRITEVBRHEADER>(dlsym(handle, "beWriteVBRHeader"));
        infoTag = reinterpret_cast<BEWRITEINFOTAG>(dlsym(handle, "beWriteInfoTag"));
    }
    ~Module()
    {
        if (handle)
            dlclose(handle);
    }
    bool complete() const
    {
        return init && encode && deinit && close && version && vbrHeader && infoTag;
    }
    void* handle = nullptr;
    BEINITSTREAM init = nullptr;
    BEENCODECHUNK encode = nullptr;
    BEDEINITSTREAM deinit = nullptr;
    BECLOSESTREAM close = nullptr;
    BEVERSION version = nullptr;
    BEWRITEVBRHEADER vbrHeader = nullptr;
    BEWRITEINFOTAG infoTag = nullptr;
};

// The configuration the MP3 driver of tonekit makes.
BE_CONFIG driverConfig(uint32_t bitrate, int32_t header)
{
    BE_CONFIG c;
    std::memset(&c, 0, sizeof c);
    c.dwConfig = BE_CONFIG_LAME;
    c.dwStructVersion = 1;
    c.dwStructSize = 331;
    c.dwSampleRate = 44100;
    c.nMode = BE_MP3_MODE_STEREO;
    c.dwBitrate = bitrate;
    c.nPreset = LQP_CBR;
    c.dwMpegVersion = MPEG1;
    c.bOriginal = 1;
    c.bWriteVBRHeader = header;
    c.bNoRes = 1;
    return c;
}

class LameEnc : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(module.complete()) << kModule << ": " << dlerror(); }

    // Encodes the interleaved samples the way a host does; returns the file's path.
    std::string encodeFile(BE_CONFIG config, const std::vector<int16_t>& pcm, const std::string& name)
    {
        const std::string path = dir.file(name);
        uint32_t samples = 0, size = 0;
        HBE_STREAM stream = nullptr;
        EXPECT_EQ(module.init(&config, &samples, &size, &stream), BE_ERR_SUCCESSFUL);
        if (!stream)
            return path;
        FILE* f = std::fopen(path.c_str(), "wb+");
        EXPECT_NE(f, nullptr);
        std::vector<uint8_t> mp3(size);
        for (size_t at = 0; at < pcm.size(); at += samples) {
            const uint32_t n = static_cast<uint32_t>(std::min<size_t>(samples, pcm.size() - at));
            uint32_t made = 0;
            EXPECT_EQ(module.encode(stream, n, pcm.data() + at, mp3.data(), &made), BE_ERR_SUCCESSFUL);
            EXPECT_LE(made, size);
            std::fwrite(mp3.data(), 1, made, f);
        }
        uint32_t made = 0;
        EXPECT_EQ(module.deinit(stream, mp3.data(), &made), BE_ERR_SUCCESSFUL);
        std::fwrite(mp3.data(), 1, made, f);
        std::fclose(f);
        EXPECT_EQ(module.close(stream), BE_ERR_SUCCESSFUL);
        if (config.bWriteVBRHeader) {
            EXPECT_EQ(module.infoTag(stream, path.c_str()), BE_ERR_SUCCESSFUL);
        }
        return path;
    }

    Module module;
    testsupport::TempDir dir;
};

std::vector<int16_t> tone(double frequency, size_t frames, int channels)
{
    const std::vector<uint8_t> bytes = mp3test::stereoTone(frequency, 44100, frames);
    std::vector<int16_t> stereo(frames * 2);
    std::memcpy(stereo.data(), bytes.data(), bytes.size());
    if (channels == 2)
        return stereo;
    std::vector<int16_t> mono(frames);
    for (size_t i = 0; i < frames; ++i)
        mono[i] = stereo[2 * i];
    return mono;
}

TEST(BeConfig, LayoutIsTheLhv1OneBytePacked)
{
    const struct { size_t offset, expected; const char* name; } table[] = {
        {offsetof(BE_CONFIG, dwConfig), 0, "dwConfig"},
        {offsetof(BE_CONFIG, dwStructVersion), 4, "dwStructVersion"},
        {offsetof(BE_CONFIG, dwStructSize), 8, "dwStructSize"},
        {offsetof(BE_CONFIG, dwSampleRate), 12, "dwSampleRate"},
        {offsetof(BE_CONFIG, dwReSampleRate), 16, "dwReSampleRate"},
        {offsetof(BE_CONFIG, nMode), 20, "nMode"},
        {offsetof(BE_CONFIG, dwBitrate), 24, "dwBitrate"},
        {offsetof(BE_CONFIG, dwMaxBitrate), 28, "dwMaxBitrate"},
        {offsetof(BE_CONFIG, nPreset), 32, "nPreset"},
        {offsetof(BE_CONFIG, dwMpegVersion), 36, "dwMpegVersion"},
        {offsetof(BE_CONFIG, dwPsyModel), 40, "dwPsyModel"},
        {offsetof(BE_CONFIG, dwEmphasis), 44, "dwEmphasis"},
        {offsetof(BE_CONFIG, bPrivate), 48, "bPrivate"},
        {offsetof(BE_CONFIG, bCRC), 52, "bCRC"},
        {offsetof(BE_CONFIG, bCopyright), 56, "bCopyright"},
        {offsetof(BE_CONFIG, bOriginal), 60, "bOriginal"},
        {offsetof(BE_CONFIG, bWriteVBRHeader), 64, "bWriteVBRHeader"},
        {offsetof(BE_CONFIG, bEnableVBR), 68, "bEnableVBR"},
        {offsetof(BE_CONFIG, nVBRQuality), 72, "nVBRQuality"},
        {offsetof(BE_CONFIG, dwVbrAbr_bps), 76, "dwVbrAbr_bps"},
        {offsetof(BE_CONFIG, nVbrMethod), 80, "nVbrMethod"},
        {offsetof(BE_CONFIG, bNoRes), 84, "bNoRes"},
        {offsetof(BE_CONFIG, bStrictIso), 88, "bStrictIso"},
        {offsetof(BE_CONFIG, nQuality), 92, "nQuality"},
        {offsetof(BE_CONFIG, btReserved), 94, "btReserved"},
    };
    for (const auto& row : table)
        EXPECT_EQ(row.offset, row.expected) << row.name;
    EXPECT_EQ(sizeof(BE_CONFIG), 331u);
}

TEST(LameEncModule, ExportsOnlyTheEntryPoints)
{
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    char nm[] = "nm";
    char dynamic[] = "-D";
    char defined[] = "--defined-only";
    char format[] = "--format=posix";
    std::string module = kModule;
    char* argv[] = {nm, dynamic, defined, format, module.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawnp(&pid, "nm", &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << text;

    std::set<std::string> names;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        const size_t space = line.find(' ');
        // Absolute symbols (the version node) are not functions or data.
        if (space != std::string::npos && line.compare(space, 3, " A ") != 0)
            names.insert(line.substr(0, space));
    }
    EXPECT_EQ(names, (std::set<std::string>{"beCloseStream", "beDeinitStream", "beEncodeChunk",
                                            "beInitStream", "beVersion", "beWriteInfoTag",
                                            "beWriteVBRHeader"}));
}

TEST_F(LameEnc, InitReportsChunkAndBufferSizes)
{
    const struct { int32_t mode; uint32_t samples; uint32_t buffer; } table[] = {
        {BE_MP3_MODE_STEREO, 2304, 10080}, {BE_MP3_MODE_JSTEREO, 2304, 10080}, {BE_MP3_MODE_MONO, 1152, 8640}};
    for (const auto& row : table) {
        BE_CONFIG c = driverConfig(128, 0);
        c.nMode = row.mode;
        uint32_t samples = 1, size = 1;
        HBE_STREAM stream = nullptr;
        ASSERT_EQ(module.init(&c, &samples, &size, &stream), BE_ERR_SUCCESSFUL) << row.mode;
        EXPECT_EQ(samples, row.samples);
        EXPECT_EQ(size, row.buffer);
        EXPECT_NE(stream, nullptr);
        EXPECT_EQ(module.close(stream), BE_ERR_SUCCESSFUL);
    }
}

TEST_F(LameEnc, DriverSettingsReachTheMp3)
{
    const std::vector<int16_t> pcm = tone(1000.0, 44100, 2);
    for (uint32_t bitrate : {32u, 64u, 128u, 256u}) {
        for (int32_t header : {0, 1}) {
            const std::string path = encodeFile(driverConfig(bitrate, header), pcm,
                                                "tone " + std::to_string(bitrate) + "-" + std::to_string(header) + ".mp3");
            const mp3test::DecodedMp3 mp3 = mp3test::decodeMp3(path);
            ASSERT_TRUE(mp3.ok) << mp3.error;
            EXPECT_EQ(mp3.rate, 44100);
            EXPECT_EQ(mp3.channels, 2);
            EXPECT_EQ(mp3.mode, MPG123_M_STEREO) << "plain stereo, not joint";
            EXPECT_EQ(mp3.version, MPG123_1_0);
            EXPECT_EQ(mp3.bitrate, static_cast<int>(bitrate));
            EXPECT_EQ(mp3.vbr, MPG123_CBR);
            EXPECT_TRUE(mp3.sameHeaderEverywhere);
            EXPECT_TRUE(mp3.flags & MPG123_ORIGINAL);
            EXPECT_FALSE(mp3.flags & MPG123_COPYRIGHT);
            EXPECT_FALSE(mp3.flags & MPG123_CRC);
            // A 104-byte frame (32 kbit/s at 44.1 kHz) cannot hold LAME's tag: LAME
            // leaves it out there, and the module writes none.
            const bool tagged = header != 0 && bitrate > 32;
            EXPECT_EQ(mp3test::startsWithInfoTag(path), tagged) << bitrate;
            EXPECT_NEAR(mp3test::toneFrequency(mp3.samples, 2, 0, 4410, 39690, 44100), 1000.0, 10.0);
            if (tagged) {
                EXPECT_EQ(mp3.frames(), 44100u);  // the tag lets the decoder trim exactly
            } else {
                EXPECT_GE(mp3.frames(), 44100u);
                EXPECT_LE(mp3.frames(), 44100u + 3 * 1152);
            }
        }
    }
}

TEST_F(LameEnc, OtherFieldsReachTheMp3Too)
{
    BE_CONFIG c = driverConfig(128, 0);
    c.nMode = BE_MP3_MODE_MONO;
    c.bOriginal = 0;
    c.bCopyright = 1;
    c.bCRC = 1;
    const mp3test::DecodedMp3 mono = mp3test::decodeMp3(encodeFile(c, tone(440.0, 44100, 1), "mono.mp3"));
    ASSERT_TRUE(mono.ok) << mono.error;
    EXPECT_EQ(mono.channels, 1);
    EXPECT_EQ(mono.mode, MPG123_M_MONO);
    EXPECT_FALSE(mono.flags & MPG123_ORIGINAL);
    EXPECT_TRUE(mono.flags & MPG123_COPYRIGHT);
    EXPECT_TRUE(mono.flags & MPG123_CRC);
    EXPECT_NEAR(mp3test::toneFrequency(mono.samples, 1, 0, 4410, 39690, 44100), 440.0, 4.4);

    BE_CONFIG j = driverConfig(128, 0);
    j.nMode = BE_MP3_MODE_JSTEREO;
    const mp3test::DecodedMp3 joint = mp3test::decodeMp3(encodeFile(j, tone(440.0, 44100, 2), "joint.mp3"));
    ASSERT_TRUE(joint.ok) << joint.error;
    EXPECT_EQ(joint.mode, MPG123_M_JOINT);

    BE_CONFIG v = driverConfig(32, 1);
    v.bEnableVBR = 1;
    v.nPreset = LQP_NOPRESET;
    v.nVBRQuality = 4;
    v.nVbrMethod = VBR_METHOD_NEW;
    v.dwMaxBitrate = 320;
    const mp3test::DecodedMp3 vbr = mp3test::decodeMp3(encodeFile(v, tone(440.0, 44100, 2), "vbr.mp3"));
    ASSERT_TRUE(vbr.ok) << vbr.error;
    EXPECT_EQ(vbr.vbr, MPG123_VBR);
}

TEST_F(LameEnc, BadConfigurationsAreRefusedWithTheirCodes)
{
    struct Row {
        const char* what;
        void (*change)(BE_CONFIG&);
        BE_ERR expected;
    } table[] = {
        {"old MP3 layout", [](BE_CONFIG& c) { c.dwConfig = BE_CONFIG_MP3; }, BE_ERR_INVALID_FORMAT},
        {"unknown layout", [](BE_CONFIG& c) { c.dwConfig = 7; }, BE_ERR_INVALID_FORMAT},
        {"struct size", [](BE_CONFIG& c) { c.dwStructSize = 100; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"struct version", [](BE_CONFIG& c) { c.dwStructVersion = 0; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"no sample rate", [](BE_CONFIG& c) { c.dwSampleRate = 0; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"mode", [](BE_CONFIG& c) { c.nMode = 9; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"bitrate not in MPEG-1", [](BE_CONFIG& c) { c.dwBitrate = 100; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"bitrate MPEG-2 only", [](BE_CONFIG& c) { c.dwBitrate = 8; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"no bitrate", [](BE_CONFIG& c) { c.dwBitrate = 0; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"MPEG version", [](BE_CONFIG& c) { c.dwMpegVersion = 5; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"MPEG-2 at 44.1 kHz", [](BE_CONFIG& c) { c.dwMpegVersion = MPEG2; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"preset", [](BE_CONFIG& c) { c.nPreset = 999; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"CBR preset with VBR", [](BE_CONFIG& c) { c.bEnableVBR = 1; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"quality 10", [](BE_CONFIG& c) { c.nQuality = 0xF50A; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
        {"emphasis", [](BE_CONFIG& c) { c.dwEmphasis = 2; }, BE_ERR_INVALID_FORMAT_PARAMETERS},
    };
    for (const Row& row : table) {
        BE_CONFIG c = driverConfig(128, 0);
        row.change(c);
        uint32_t samples = 1, size = 1;
        HBE_STREAM stream = reinterpret_cast<HBE_STREAM>(&c);
        EXPECT_EQ(module.init(&c, &samples, &size, &stream), row.expected) << row.what;
        EXPECT_EQ(samples, 0u) << row.what;
        EXPECT_EQ(size, 0u) << row.what;
        EXPECT_EQ(stream, nullptr) << row.what;
    }
    uint32_t samples = 0, size = 0;
    HBE_STREAM stream = nullptr;
    EXPECT_EQ(module.init(nullptr, &samples, &size, &stream), BE_ERR_INVALID_FORMAT_PARAMETERS);
    // A valid quality byte is taken.
    BE_CONFIG q = driverConfig(128, 0);
    q.nQuality = 0xFD02;
    ASSERT_EQ(module.init(&q, &samples, &size, &stream), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(module.close(stream), BE_ERR_SUCCESSFUL);
}

TEST_F(LameEnc, StreamCallsCheckTheirArguments)
{
    BE_CONFIG c = driverConfig(128, 0);
    uint32_t samples = 0, size = 0;
    HBE_STREAM stream = nullptr;
    ASSERT_EQ(module.init(&c, &samples, &size, &stream), BE_ERR_SUCCESSFUL);
    std::vector<int16_t> pcm(samples + 2, 0);
    std::vector<uint8_t> mp3(size);
    uint32_t made = 99;
    EXPECT_EQ(module.encode(nullptr, samples, pcm.data(), mp3.data(), &made), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(made, 0u);
    EXPECT_EQ(module.encode(stream, samples + 2, pcm.data(), mp3.data(), &made), BE_ERR_BUFFER_TOO_SMALL);
    EXPECT_EQ(module.encode(stream, 3, pcm.data(), mp3.data(), &made), BE_ERR_INVALID_FORMAT_PARAMETERS)
        << "half a stereo frame";
    EXPECT_EQ(module.encode(stream, samples, pcm.data(), nullptr, &made), BE_ERR_INVALID_FORMAT_PARAMETERS);
    EXPECT_EQ(module.encode(stream, samples, pcm.data(), mp3.data(), &made), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(module.deinit(stream, mp3.data(), &made), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(module.deinit(stream, mp3.data(), &made), BE_ERR_INVALID_FORMAT_PARAMETERS) << "flushed twice";
    EXPECT_EQ(module.encode(stream, samples, pcm.data(), mp3.data(), &made), BE_ERR_INVALID_FORMAT_PARAMETERS)
        << "encoding after the flush";
    EXPECT_EQ(module.close(stream), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(module.close(nullptr), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(module.infoTag(nullptr, "x.mp3"), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(module.vbrHeader("x.mp3"), BE_ERR_INVALID_HANDLE);
}

TEST_F(LameEnc, TaggedStreamOutlivesCloseUntilTheTagIsWritten)
{
    BE_CONFIG c = driverConfig(128, 1);
    uint32_t samples = 0, size = 0;
    HBE_STREAM stream = nullptr;
    ASSERT_EQ(module.init(&c, &samples, &size, &stream), BE_ERR_SUCCESSFUL);
    std::vector<uint8_t> mp3(size);
    uint32_t made = 0;
    EXPECT_EQ(module.deinit(stream, mp3.data(), &made), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(module.close(stream), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(module.close(stream), BE_ERR_INVALID_HANDLE) << "closed once already";
    // A file that cannot be opened: the stream is freed all the same.
    EXPECT_NE(module.infoTag(stream, dir.file("missing/x.mp3").c_str()), BE_ERR_SUCCESSFUL);

    ASSERT_EQ(module.init(&c, &samples, &size, &stream), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(module.close(stream), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(module.infoTag(stream, nullptr), BE_ERR_SUCCESSFUL) << "freed without a file";
}

TEST_F(LameEnc, VersionNamesLame)
{
    BE_VERSION v;
    std::memset(&v, 0xEE, sizeof v);
    module.version(&v);
    EXPECT_EQ(v.byDLLMajorVersion, 1);
    EXPECT_EQ(v.byMajorVersion, 3);
    EXPECT_GE(v.byMinorVersion, 97);
    EXPECT_GE(v.wYear, 2023);
    EXPECT_GE(v.byMonth, 1);
    EXPECT_LE(v.byMonth, 12);
    EXPECT_NE(std::string(v.zHomepage).find("lame"), std::string::npos) << v.zHomepage;
}

}  // namespace
