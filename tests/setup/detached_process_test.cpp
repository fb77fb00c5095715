// Starting a program detached: its working folder, its own session, no parent to
// reap it, clean signal state, and the failures reported.
#include <gtest/gtest.h>

#include <errno.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/detached_process.h"
#include "support/test_support.h"

namespace {

std::string procField(pid_t pid, const std::string& key)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0)
            return line.substr(key.size() + 1);
    return {};
}

TEST(DetachedProcess, RunsInItsFolderInItsOwnSessionWithNoSignalsBlocked)
{
    testsupport::TempDir temp;
    const std::string folder = temp.file("wörk 'dir' x/");
    std::filesystem::create_directory(folder);

    // A blocked SIGTERM, as a GUI program has it, must not reach the started program.
    sigset_t term, old;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    ASSERT_EQ(::sigprocmask(SIG_BLOCK, &term, &old), 0);
    const platform::DetachedStart start = platform::startDetached({"/bin/sleep", "30"}, folder.c_str());
    ASSERT_EQ(::sigprocmask(SIG_SETMASK, &old, nullptr), 0);
    ASSERT_TRUE(start.started) << start.error;
    ASSERT_GT(start.pid, 0);

    const std::string proc = "/proc/" + std::to_string(start.pid);
    EXPECT_EQ(std::filesystem::read_symlink(proc + "/cwd").string() + "/", folder);
    EXPECT_EQ(std::filesystem::read_symlink(proc + "/exe").string(),
              std::filesystem::canonical("/bin/sleep").string());
    EXPECT_NE(std::stoi(procField(start.pid, "PPid")), static_cast<int>(::getpid()));
    EXPECT_NE(::getsid(start.pid), ::getsid(0));
    EXPECT_EQ(std::stoull(procField(start.pid, "SigBlk"), nullptr, 16), 0u);
    EXPECT_EQ(std::filesystem::read_symlink(proc + "/fd/0").string(), "/dev/null");

    ASSERT_EQ(::kill(start.pid, SIGTERM), 0);
}

TEST(DetachedProcess, ReportsAProgramOrFolderThatIsNotThere)
{
    testsupport::TempDir temp;
    const platform::DetachedStart noProgram =
        platform::startDetached({temp.file("no such program")}, temp.path.c_str());
    EXPECT_FALSE(noProgram.started);
    EXPECT_EQ(noProgram.error, ENOENT);
    EXPECT_EQ(noProgram.pid, 0);

    const platform::DetachedStart noFolder =
        platform::startDetached({"/bin/true"}, temp.file("missing folder/").c_str());
    EXPECT_FALSE(noFolder.started);
    EXPECT_EQ(noFolder.error, ENOENT);

    const platform::DetachedStart nothing = platform::startDetached({}, nullptr);
    EXPECT_FALSE(nothing.started);
    EXPECT_EQ(nothing.error, EINVAL);
}

}  // namespace
