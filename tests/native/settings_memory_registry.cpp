// The in-memory registry behaves like the real one where the settings rely on it.
#include "platform/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryRegistry, KeysAndValuesIgnoreCaseAndKeepTheirType) {
    MemoryRegistry registry;
    EXPECT_FALSE(registry.keyExists("\\MOTOSKOP"));
    EXPECT_EQ(registry.openKey("\\MOTOSKOP\\Com", false), nullptr);
    {
        auto key = registry.openKey("\\MOTOSKOP\\Com", true);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(registry.openKeys(), 1);
        EXPECT_TRUE(key->writeDword("ComPort", 3));
    }
    EXPECT_EQ(registry.openKeys(), 0);
    EXPECT_TRUE(registry.keyExists("\\motoskop"));
    EXPECT_EQ(registry.keyCount(), 2);

    auto key = registry.openKey("\\Motoskop\\COM\\", false);
    ASSERT_NE(key, nullptr);
    uint32_t v = 0;
    EXPECT_TRUE(key->readDword("comport", v));
    EXPECT_EQ(v, 3u);

    registry.putString("\\MOTOSKOP\\Com", "ComPort", "3");
    EXPECT_TRUE(key->valueExists("ComPort"));
    EXPECT_FALSE(key->readDword("ComPort", v));
    EXPECT_TRUE(key->writeDword("COMPORT", 4)); // overwrites, keeps the first spelling
    EXPECT_EQ(registry.valueNames("\\MOTOSKOP\\Com"), std::vector<std::string>{"ComPort"});
    EXPECT_EQ(registry.dword("\\MOTOSKOP\\Com", "ComPort"), 4u);
}

TEST(MemoryRegistry, ReadOnlyAndDeletedKeys) {
    MemoryRegistry registry;
    registry.putDword("\\A\\B", "x", 1);
    registry.setReadOnly(true);
    EXPECT_EQ(registry.openKey("\\A\\C", true), nullptr);
    auto key = registry.openKey("\\A\\B", true);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->writeDword("x", 2));
    EXPECT_EQ(registry.dword("\\A\\B", "x"), 1u);

    registry.setReadOnly(false);
    EXPECT_TRUE(registry.deleteKey("\\a"));
    EXPECT_FALSE(registry.keyExists("\\A\\B"));
    uint32_t v = 0;
    EXPECT_FALSE(key->readDword("x", v));
    EXPECT_FALSE(key->writeDword("x", 2));
    key.reset();
    EXPECT_EQ(registry.openKeys(), 0);
    EXPECT_EQ(registry.peakOpenKeys(), 1);
}

} // namespace
