#include "cli_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

extern char** environ;

CliRun RunCli(const std::vector<std::string>& arguments, const std::string& tmpdir, const std::string& program,
              int interruptAfterMs, bool waitForFirst) {
    CliRun run;
    std::string path = program.empty() ? std::string(BRISKTUNE_BIN_DIR) + "/brisktune-cli" : program;
    std::vector<std::string> argv{path};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> argvPointers;
    for (std::string& a : argv) argvPointers.push_back(a.data());
    argvPointers.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("TMPDIR=", 0) != 0) env.push_back(*e);
    if (!tmpdir.empty()) env.push_back("TMPDIR=" + tmpdir);
    std::vector<char*> envPointers;
    for (std::string& e : env) envPointers.push_back(e.data());
    envPointers.push_back(nullptr);

    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argvPointers.data(), envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return run;
    }
    auto start = std::chrono::steady_clock::now();
    bool interrupted = interruptAfterMs < 0;
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[2] = {{outOpen ? outPipe[0] : -1, POLLIN, 0}, {errOpen ? errPipe[0] : -1, POLLIN, 0}};
        poll(fds, 2, 10);
        char block[4096];
        if (fds[0].revents) {
            ssize_t n = read(outPipe[0], block, sizeof block);
            if (n > 0) run.out.append(block, static_cast<size_t>(n));
            else outOpen = false;
        }
        if (fds[1].revents) {
            ssize_t n = read(errPipe[0], block, sizeof block);
            if (n > 0) run.err.append(block, static_cast<size_t>(n));
            else errOpen = false;
        }
        if (!interrupted) {
            auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
            bool due = waitForFirst ? run.out.find("converted:") != std::string::npos
                                    : elapsed.count() >= interruptAfterMs;
            if (due || elapsed.count() >= 20000) {
                kill(pid, SIGINT);
                interrupted = true;
            }
        }
    }
    close(outPipe[0]);
    close(errPipe[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

bool LooksLikeMp3(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[3] = {0, 0, 0};
    in.read(reinterpret_cast<char*>(head), 3);
    if (in.gcount() != 3) return false;
    if (head[0] == 'I' && head[1] == 'D' && head[2] == '3') return true;
    return head[0] == 0xFF && (head[1] & 0xE0) == 0xE0;
}
