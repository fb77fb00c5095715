// The process runner under the decoder: what the child gets (arguments, descriptors,
// standard input, niceness, one pipe for both outputs), how its output is drained,
// how it is ended, and the observer's course of states.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "converter/decoder_process.h"
#include "platform/process.h"
#include "support/test_support.h"

namespace {

const std::string kChild = BRISKTUNE_BIN_DIR "/decoder_test_child";

// Records what the runner reports; can ask it to stop after a number of reads.
struct Capture {
    std::vector<int> states;
    std::string output;
    uint32_t largestRead = 0;
    int stopAfterReads = -1;  // -1: never; 0: at state 0
    int reads = 0;
};

int capture(int state, const char* output, uint32_t size, void* context)
{
    auto* c = static_cast<Capture*>(context);
    c->states.push_back(state);
    if (state == 1) {
        c->output.append(output, size);
        c->largestRead = std::max(c->largestRead, size);
        ++c->reads;
    }
    if (c->stopAfterReads < 0)
        return 1;
    if (state == 0)
        return c->stopAfterReads > 0;
    return c->reads < c->stopAfterReads;
}

// The states a run reports: 0, then `reads` times 1, then 2.
std::vector<int> course(size_t reads)
{
    std::vector<int> states{0};
    states.insert(states.end(), reads, 1);
    states.push_back(2);
    return states;
}

std::string runChild(const std::vector<std::string>& arguments)
{
    Capture c;
    std::vector<std::string> argv{kChild};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    EXPECT_TRUE(RunPiped(argv, capture, &c));
    return c.output;
}

bool collect(void* context, platform::ProcessPhase phase, const char* data, size_t size)
{
    if (phase == platform::ProcessPhase::Read)
        static_cast<std::string*>(context)->append(data, size);
    return true;
}

}  // namespace

TEST(DecoderRunner, ChildThatWritesNothingEndsAtTheFirstRead)
{
    Capture c;
    ASSERT_TRUE(RunPiped({"/bin/true"}, capture, &c));
    EXPECT_EQ(c.states, course(1));
    EXPECT_EQ(c.output, "");
}

TEST(DecoderRunner, DrainsMoreThanAPipeHoldsInBlocksOfTheOutputBuffer)
{
    constexpr long kTotal = 8 * 1000 * 1000 + 123;
    Capture c;
    ASSERT_TRUE(RunPiped({kChild, "write", std::to_string(kTotal)}, capture, &c));
    ASSERT_EQ(c.output.size(), static_cast<size_t>(kTotal));
    long wrong = 0;
    for (long i = 0; i < kTotal; ++i)
        wrong += static_cast<unsigned char>(c.output[i]) != (i * 7 + i / 65536) % 256;
    EXPECT_EQ(wrong, 0);
    EXPECT_LE(c.largestRead, kDecoderOutputSize);
    EXPECT_GE(c.reads, kTotal / static_cast<long>(kDecoderOutputSize));
    EXPECT_EQ(c.states, course(static_cast<size_t>(c.reads)));
}

TEST(DecoderRunner, ChildThatLivesOnAfterClosingItsOutputIsKilledAndReaped)
{
    std::string output;
    const auto begin = std::chrono::steady_clock::now();
    const platform::ProcessResult r =
        platform::runProcess({kChild, "linger"}, std::vector<char>(16384).data(), 16384, collect, &output);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    ASSERT_TRUE(r.started);
    EXPECT_LT(seconds, 10.0);  // it would sleep 60 s
    EXPECT_TRUE(r.killed);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.signal, SIGKILL);
    const pid_t pid = static_cast<pid_t>(std::stol(output));
    ASSERT_GT(pid, 0);
    // Reaped: no zombie of it is left to signal.
    EXPECT_EQ(kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST(DecoderRunner, ObserverCanStopTheChild)
{
    struct Case {
        int stopAfterReads;
        std::vector<int> states;
    };
    for (const Case& k : {Case{3, course(3)}, Case{1, course(1)}, Case{0, {0, 2}}}) {
        SCOPED_TRACE(k.stopAfterReads);
        Capture c;
        c.stopAfterReads = k.stopAfterReads;
        ASSERT_TRUE(RunPiped({kChild, "forever"}, capture, &c));  // returns: the child is gone
        EXPECT_EQ(c.states, k.states);
        if (k.stopAfterReads > 0) {
            EXPECT_NE(c.output.find("decoding ..."), std::string::npos);
        }
    }

    // Underneath, the child is killed and reaped.
    std::vector<char> buffer(16384);
    int reads = 0;
    const platform::ProcessResult r = platform::runProcess(
        {kChild, "forever"}, buffer.data(), buffer.size(),
        [](void* context, platform::ProcessPhase phase, const char*, size_t) {
            return phase == platform::ProcessPhase::Started || ++*static_cast<int*>(context) < 2;
        },
        &reads);
    EXPECT_TRUE(r.started);
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(r.killed);
    EXPECT_EQ(r.signal, SIGKILL);
    EXPECT_EQ(reads, 2);
}

TEST(DecoderRunner, ArgumentsReachTheChildUntouched)
{
    const std::vector<std::string> args{
        "/tmp/My Music/Song one.m4a", "it's \"quoted\"", "Ünïcödé ñame – 日本.m4a", "",
        "$HOME * ; rm -rf x | `true`", "-o", "back\\slash", "line\nbreak"};
    std::vector<std::string> argv{"args"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::string expected;
    for (const std::string& a : args)
        expected += a + '\0';
    EXPECT_EQ(runChild(argv), expected);
}

TEST(DecoderRunner, ChildGetsOnlyStandardDescriptorsDevNullAndOnePipe)
{
    // Descriptors of the parent that are not close-on-exec must not reach the child.
    const int file = open("/dev/null", O_RDONLY);
    int leakyPipe[2];
    ASSERT_GE(file, 0);
    ASSERT_EQ(pipe(leakyPipe), 0);

    std::istringstream fds(runChild({"fds"}));
    std::vector<int> numbers;
    for (int n; fds >> n;)
        numbers.push_back(n);
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2}));

    EXPECT_EQ(runChild({"stdin"}), "null");
    EXPECT_EQ(runChild({"same-pipe"}), "same");
    EXPECT_EQ(runChild({"both"}), "outerr");

    close(file);
    close(leakyPipe[0]);
    close(leakyPipe[1]);
}

TEST(DecoderRunner, ChildRunsTenNiceLevelsLower)
{
    errno = 0;
    const int own = getpriority(PRIO_PROCESS, 0);
    ASSERT_EQ(errno, 0);
    EXPECT_EQ(runChild({"nice"}), std::to_string(std::min(own + 10, 19)));
}

TEST(DecoderRunner, ReportsStartFailuresAndExitStatus)
{
    testsupport::TempDir dir;
    const std::string notExecutable = dir.file("faad");
    testsupport::writeFile(notExecutable, {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'});
    ASSERT_EQ(chmod(notExecutable.c_str(), 0644), 0);

    struct Case {
        std::vector<std::string> argv;
        bool searchPath;
        bool started;
        int startError;
        int exitCode;
    };
    const Case cases[] = {
        {{kChild, "exit", "3"}, false, true, 0, 3},
        {{"/bin/false"}, false, true, 0, 1},
        {{dir.file("no such program")}, false, false, ENOENT, 0},
        {{notExecutable}, false, false, EACCES, 0},
        {{dir.path}, false, false, EACCES, 0},
        {{"true"}, false, false, ENOENT, 0},  // a bare name is not looked up in PATH ...
        {{"true"}, true, true, 0, 0},         // ... unless asked
        {{}, false, false, EINVAL, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.argv.empty() ? "(none)" : k.argv[0]);
        std::vector<char> buffer(16384);
        platform::ProcessOptions options;
        options.searchPath = k.searchPath;
        const platform::ProcessResult r =
            platform::runProcess(k.argv, buffer.data(), buffer.size(), nullptr, nullptr, options);
        EXPECT_EQ(r.started, k.started);
        EXPECT_EQ(r.startError, k.startError);
        if (k.started) {
            EXPECT_TRUE(r.exited);
            EXPECT_EQ(r.exitCode, k.exitCode);
            EXPECT_FALSE(r.killed);
        }
    }

    // The decoder's runner says so too, and its observer still sees a whole course.
    Capture c;
    EXPECT_FALSE(RunPiped({dir.file("no such program")}, capture, &c));
    EXPECT_EQ(c.states, course(1));
}
