// The brisktune program itself, run as a child process offscreen.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/test_support.h"

namespace {

struct Child {
    pid_t pid = -1;
    int status = -1;
};

Child startBrisktune(const std::string& home)
{
    Child c;
    c.pid = fork();
    if (c.pid == 0) {
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + ".config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::string program = std::string(BRISKTUNE_BIN_DIR) + "/brisktune";
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return c;
}

bool waitFor(Child& c, int limitMs)
{
    for (int waited = 0; waited < limitMs; waited += 20) {
        pid_t done = waitpid(c.pid, &c.status, WNOHANG);
        if (done == c.pid)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(c.pid, SIGKILL);
    waitpid(c.pid, &c.status, 0);
    return false;
}

TEST(BrisktuneProgram, SigtermAndSigintCloseTheWindowAsTheCloseBoxDoes)
{
    for (int signalNumber : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        testsupport::TempDir dir;
        const std::string home = dir.path + "home \xC3\xA4 'q'/";
        std::filesystem::create_directories(home + "Desktop");
        Child c = startBrisktune(home);
        ASSERT_GT(c.pid, 0);
        // The desktop entry of a first start is the last step before the main loop.
        const std::string entry = home + "Desktop/BRISKTUNE.desktop";
        for (int i = 0; i < 500 && !testsupport::fileExists(entry); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(testsupport::fileExists(entry));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ASSERT_EQ(kill(c.pid, signalNumber), 0);
        ASSERT_TRUE(waitFor(c, 10000)) << "brisktune did not end";
        ASSERT_TRUE(WIFEXITED(c.status)) << "ended by a signal";
        EXPECT_EQ(WEXITSTATUS(c.status), 0);
        EXPECT_EQ(testsupport::readFile(home + ".config/brisktune/settings.dat").size(), 2060u);
    }
}

}  // namespace
