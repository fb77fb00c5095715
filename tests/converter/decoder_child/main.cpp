// A stand-in child for the decoder runner's tests: it does one thing the test asks
// for and reports on standard output.
//   write <bytes>     writes <bytes> bytes: byte i is (i * 7 + i / 65536) mod 256
//   forever           writes lines until it is killed
//   linger            prints its process id, closes its output, then sleeps 60 s
//   fds               prints the numbers of its open descriptors, blank-separated
//   stdin             prints "null" when standard input is /dev/null and reads as empty
//   nice              prints its niceness
//   same-pipe         prints "same" when standard output and error are one pipe
//   both              writes "out" to standard output and "err" to standard error
//   args <a>...       prints every argument after "args", each followed by a NUL byte
//   exit <code>       exits with <code>
#include <dirent.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

static int writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

static int say(const std::string& text) { return writeAll(1, text.data(), text.size()); }

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string mode = argv[1];
    if (mode == "write" && argc == 3) {
        const long total = atol(argv[2]);
        std::string block(65536, '\0');
        for (long done = 0; done < total;) {
            const long n = total - done < 65536 ? total - done : 65536;
            for (long i = 0; i < n; ++i)
                block[i] = static_cast<char>(((done + i) * 7 + (done + i) / 65536) % 256);
            if (writeAll(1, block.data(), static_cast<size_t>(n)) != 0)
                return 1;
            done += n;
        }
        return 0;
    }
    if (mode == "forever") {
        for (;;)
            if (say("decoding ...\n") != 0)
                return 1;
    }
    if (mode == "linger") {
        say(std::to_string(getpid()));
        close(1);
        close(2);
        sleep(60);
        return 0;
    }
    if (mode == "fds") {
        DIR* dir = opendir("/proc/self/fd");
        if (!dir)
            return 1;
        std::string list;
        while (const dirent* e = readdir(dir)) {
            if (e->d_name[0] == '.' || atoi(e->d_name) == dirfd(dir))
                continue;
            list += std::string(e->d_name) + " ";
        }
        closedir(dir);
        return say(list);
    }
    if (mode == "stdin") {
        struct stat in {}, null {};
        char c;
        const bool isNull = fstat(0, &in) == 0 && stat("/dev/null", &null) == 0 &&
                            S_ISCHR(in.st_mode) && in.st_rdev == null.st_rdev && read(0, &c, 1) == 0;
        return say(isNull ? "null" : "other");
    }
    if (mode == "nice") {
        errno = 0;
        const int n = getpriority(PRIO_PROCESS, 0);
        return say(errno ? "error" : std::to_string(n));
    }
    if (mode == "same-pipe") {
        struct stat out {}, err {};
        const bool same = fstat(1, &out) == 0 && fstat(2, &err) == 0 && S_ISFIFO(out.st_mode) &&
                          out.st_ino == err.st_ino && out.st_dev == err.st_dev;
        return say(same ? "same" : "different");
    }
    if (mode == "both") {
        if (say("out") != 0)
            return 1;
        return writeAll(2, "err", 3);
    }
    if (mode == "args") {
        for (int i = 2; i < argc; ++i)
            if (writeAll(1, argv[i], strlen(argv[i]) + 1) != 0)
                return 1;
        return 0;
    }
    if (mode == "exit" && argc == 3)
        return atoi(argv[2]);
    return 2;
}
