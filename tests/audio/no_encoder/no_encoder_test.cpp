// A host program whose folder holds no usable lame_enc.so: tonekit.so still loads,
// and RAM2MP3 reports the missing encoder once per call and makes no file.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "tonekit/records.h"

namespace {

typedef int32_t (*Ram2Mp3Fn)(const AudioBuffer*, double, const WAVEFORMATEX*, uint32_t, int32_t,
                             const char*, int32_t (*)(int32_t));

int g_progressCalls = 0;
int32_t progress(int32_t)
{
    ++g_progressCalls;
    return 1;
}

size_t count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(NoEncoder, TonekitLoadsAndRam2Mp3ReportsTheMissingEncoderOncePerCall)
{
    void* tonekit = dlopen(BRISKTUNE_BIN_DIR "/tonekit.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(tonekit, nullptr) << dlerror();
    // libgomp, one of tonekit's indirect dependencies, leaves a start-up allocation
    // behind when it is unloaded; holding it to the end of the process keeps the
    // leak checker of the sanitizer build to our own memory.
    dlopen("libgomp.so.1", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    auto ram2mp3 = reinterpret_cast<Ram2Mp3Fn>(dlsym(tonekit, "RAM2MP3"));
    ASSERT_NE(ram2mp3, nullptr);

    testsupport::TempDir dir;
    uint8_t pcm[4096] = {};
    AudioBuffer in = {pcm, sizeof pcm, 0};
    WAVEFORMATEX f = {1, 2, 44100, 176400, 4, 16, 0};
    const std::string message =
        "ERROR: lame_enc.so Missing: This Function (RAM2MP3) requires lame_enc.so\n"
        "to be present in the Working Directory\n";
    for (int call = 1; call <= 2; ++call) {
        const std::string out = dir.file("never made " + std::to_string(call) + ".mp3");
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(ram2mp3(&in, 1.0, &f, 128, 0, out.c_str(), progress), 0);
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(count(err, message), 1u) << err;
        EXPECT_FALSE(testsupport::fileExists(out));
    }
    EXPECT_EQ(g_progressCalls, 0);
    EXPECT_EQ(dlclose(tonekit), 0);
}

}  // namespace
