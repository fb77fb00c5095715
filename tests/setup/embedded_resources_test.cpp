// The build-time resource embedding: exact bytes and sizes, look-up by type and id.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/resources.h"
#include "support/test_support.h"
#include "test_setup_embedded_resources.h"

namespace {

struct Expected {
    const char* type;
    int id;
    std::string path;
};

TEST(EmbeddedResources, HoldExactlyTheFilesBytes)
{
    const Expected table[] = {
        {"LICENSE", 111, EMBED_COPY_PATH},
        {"BINARY", 7, EMBED_EMPTY_PATH},
        {"BINARY", 6000, std::string(BRISKTUNE_SOURCE_DIR) + "/cmake/EmbedResources.cmake"},
        {"BINARY", 8, EMBED_TARGET_FILE},  // another target's build output
    };
    ModuleHandle module = test_setup_embedded_module();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->count, 4u);
    for (const Expected& e : table) {
        SCOPED_TRACE(e.path);
        const std::vector<uint8_t> want = testsupport::readFile(e.path);
        const platform::ResourceBytes got = platform::findResource(module, e.type, e.id);
        ASSERT_NE(got.data, nullptr);
        ASSERT_EQ(got.size, want.size());
        EXPECT_TRUE(want.empty() || std::memcmp(got.data, want.data(), want.size()) == 0);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(got.data) % 16, 0u);
    }
    // The empty file is there, with size 0 (not missing, no terminator counted).
    EXPECT_EQ(platform::findResource(module, "BINARY", 7).size, 0u);
}

TEST(EmbeddedResources, LookUpByTypeAndLow16BitsOfTheId)
{
    ModuleHandle module = test_setup_embedded_module();
    EXPECT_EQ(platform::findResource(module, "BINARY", 111).data, nullptr);  // wrong type
    EXPECT_EQ(platform::findResource(module, "LICENSE", 112).data, nullptr);
    EXPECT_EQ(platform::findResource(module, "license", 111).data, nullptr);
    EXPECT_EQ(platform::findResource(nullptr, "LICENSE", 111).data, nullptr);
    EXPECT_EQ(platform::findResource(module, "LICENSE", 0x10000 + 111).data,
              platform::findResource(module, "LICENSE", 111).data);
    EXPECT_EQ(test_setup_embedded_module(), module);  // one module for the process
}

}  // namespace
