// The Win32 registry under HKEY_CURRENT_USER, in a key of its own.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/Win32Registry.h"

namespace {

const char* const kTestRoot = "\\MOTOSKOP_SMOKE_TEST";

class RegistrySmoke : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot + 1); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot + 1); }
    Win32Registry registry;
};

} // namespace

TEST_F(RegistrySmoke, DwordWrittenIsReadBackThroughANewKey) {
    const std::string path = std::string(kTestRoot) + "\\CARS\\ESPERO\\SET_GRAF1";
    EXPECT_FALSE(registry.keyExists(path));
    EXPECT_EQ(registry.openKey(path, false), nullptr);
    {
        auto key = registry.openKey(path, true);
        ASSERT_NE(key, nullptr);
        EXPECT_FALSE(key->valueExists("Graf1"));
        EXPECT_TRUE(key->writeDword("Graf1", 0xDEADBEEF));
    }
    EXPECT_TRUE(registry.keyExists(path));
    auto again = registry.openKey(path, false);
    ASSERT_NE(again, nullptr);
    uint32_t v = 0;
    EXPECT_TRUE(again->valueExists("Graf1"));
    EXPECT_TRUE(again->readDword("Graf1", v));
    EXPECT_EQ(v, 0xDEADBEEFu);
    EXPECT_FALSE(again->readDword("Graf2", v));
}

TEST_F(RegistrySmoke, ValuesOfAnotherTypeCountAsAbsent) {
    const std::string path = std::string(kTestRoot) + "\\Com";
    auto key = registry.openKey(path, true);
    ASSERT_NE(key, nullptr);
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str() + 1, 0, KEY_WRITE, &raw),
              ERROR_SUCCESS);
    const char text[] = "COM1";
    RegSetValueExA(raw, "Port", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
    const uint8_t two[2] = {1, 2};
    RegSetValueExA(raw, "Short", 0, REG_BINARY, two, sizeof(two));
    RegCloseKey(raw);
    uint32_t v = 7;
    EXPECT_TRUE(key->valueExists("Port"));
    EXPECT_FALSE(key->readDword("Port", v));
    EXPECT_FALSE(key->readDword("Short", v));
    EXPECT_EQ(v, 7u);
}

TEST_F(RegistrySmoke, TextsAreStoredAsUtf16AndComeBackAsUtf8) {
    const std::string path = std::string(kTestRoot);
    auto key = registry.openKey(path, true);
    ASSERT_NE(key, nullptr);
    const std::string name = "СТО «Мотор», Казань";
    ASSERT_TRUE(key->writeString("Workshop", name));
    ASSERT_TRUE(key->writeString("Empty", ""));
    ASSERT_TRUE(key->writeDword("Number", 5));
    // What another program sees: REG_SZ in UTF-16, with its terminator.
    wchar_t raw[64] = {};
    DWORD type = 0, size = sizeof raw;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"MOTOSKOP_SMOKE_TEST", L"Workshop", RRF_RT_ANY,
                           &type, raw, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(raw), L"СТО «Мотор», Казань");
    EXPECT_EQ(size, (std::wstring(raw).size() + 1) * sizeof(wchar_t));

    auto again = registry.openKey(path, false);
    std::string text = "unchanged";
    EXPECT_TRUE(again->readString("Workshop", text));
    EXPECT_EQ(text, name);
    EXPECT_TRUE(again->readString("Empty", text));
    EXPECT_EQ(text, "");
    text = "unchanged";
    EXPECT_FALSE(again->readString("Number", text)); // a DWORD is no text
    EXPECT_FALSE(again->readString("Missing", text));
    EXPECT_EQ(text, "unchanged");
}
