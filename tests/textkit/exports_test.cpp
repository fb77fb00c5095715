// The export table of tonekit.so: exactly the names of cmake/tonekit_exports.txt,
// as the program binds them with dlsym, and nothing else.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const kLinkerSymbols[] = {"_init", "_fini", "__bss_start", "_edata", "_end"};

// The names of the defined dynamic symbols of a shared library, read with nm.
// Fails the test when nm cannot be run or reports an error.
std::set<std::string> definedDynamicSymbols(const std::string& library)
{
    std::set<std::string> names;
    int out[2];
    if (pipe(out) != 0) {
        ADD_FAILURE() << "pipe failed";
        return names;
    }
    const pid_t child = fork();
    if (child < 0) {
        ADD_FAILURE() << "fork failed";
        close(out[0]);
        close(out[1]);
        return names;
    }
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execlp("nm", "nm", "-D", "--defined-only", library.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char chunk[4096];
    for (ssize_t n; (n = read(out[0], chunk, sizeof chunk)) != 0;) {
        if (n < 0)
            break;
        text.append(chunk, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "nm -D failed on " << library;

    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        // "<address> <type> <name>"
        const auto space = line.rfind(' ');
        if (space == std::string::npos)
            continue;
        const std::string name = line.substr(space + 1);
        if (name.find('@') != std::string::npos)
            continue;
        bool linkerOwn = false;
        for (const char* own : kLinkerSymbols)
            linkerOwn = linkerOwn || name == own;
        if (!linkerOwn)
            names.insert(name);
    }
    return names;
}

std::set<std::string> listedExports()
{
    std::set<std::string> names;
    std::ifstream in(std::string(BRISKTUNE_SOURCE_DIR) + "/cmake/tonekit_exports.txt");
    EXPECT_TRUE(in.good()) << "cannot read cmake/tonekit_exports.txt";
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            names.insert(line);
    return names;
}

std::string library() { return std::string(BRISKTUNE_BIN_DIR) + "/tonekit.so"; }

TEST(Exports, TextHelpersAndWavReaderAreExported)
{
    const auto exported = definedDynamicSymbols(library());
    for (const char* name : {"revs", "cuts", "rights", "strslash", "strrslash", "mids", "sz2wide", "strcat5",
                             "dw2sz", "fp2sz", "lin2log", "ratio", "percent", "OpenWAV", "ReadWAV", "SeekWAV",
                             "CloseWAV", "FileSize"})
        EXPECT_EQ(exported.count(name), 1u) << name << " is not exported by " << library();
}

TEST(Exports, ExactlyTheListedNamesAreExported)
{
    const auto listed = listedExports();
    ASSERT_EQ(listed.size(), 43u);
    const auto exported = definedDynamicSymbols(library());
    std::string missing, unexpected;
    for (const auto& name : listed)
        if (!exported.count(name))
            missing += " " + name;
    for (const auto& name : exported)
        if (!listed.count(name))
            unexpected += " " + name;
    EXPECT_EQ(missing, "") << "listed but not exported by " << library();
    EXPECT_EQ(unexpected, "") << "exported by " << library() << " but not listed";
}

}  // namespace
