// Small helpers shared by the test executables.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A fresh, empty folder for one test, removed with everything in it when the
// object goes. Its path ends in '/'.
struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path;  // ends in '/'
    std::string file(const std::string& name) const { return path + name; }
};

// Whole-file helpers; they fail the current test on an I/O error.
std::vector<uint8_t> readFile(const std::string& path);
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool fileExists(const std::string& path);

// Path of a committed fixture under tests/data/.
std::string fixture(const std::string& name);

}  // namespace testsupport
