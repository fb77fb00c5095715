#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace testsupport {

TempDir::TempDir()
{
    const char* scratch = std::getenv("BRISKTUNE_TEST_SCRATCH");
    std::filesystem::path base = scratch ? scratch : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(base);
    std::string pattern = (base / "t-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (!made) {
        ADD_FAILURE() << "cannot make a temporary folder under " << base;
        path = "/nonexistent/";
        return;
    }
    path = std::string(made) + "/";
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests make read-only files and folders; give the owner access back first.
    for (auto it = std::filesystem::recursive_directory_iterator(path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink())
            chmod(it->path().c_str(), 0700);
    }
    chmod(path.c_str(), 0700);
    std::filesystem::remove_all(path, ec);
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        ADD_FAILURE() << "cannot write " << path;
}

bool fileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::string fixture(const std::string& name)
{
    return std::string(BRISKTUNE_TEST_DATA_DIR) + "/" + name;
}

}  // namespace testsupport
