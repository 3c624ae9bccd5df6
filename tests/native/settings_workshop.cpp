// The workshop's name in the registry: a REG_SZ text beside the DWORD settings.
#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"
#include "settings/RegistryPaths.h"
#include "settings/ReportSettings.h"

namespace {

TEST(WorkshopSetting, ATextValueRoundTripsAndAnythingElseReadsAsNone) {
    MemoryRegistry registry;
    EXPECT_EQ(LoadWorkshopName(registry), ""); // no key at all
    ASSERT_TRUE(SaveWorkshopName(registry, "СТО «Мотор», Казань"));
    EXPECT_EQ(registry.valueType(regpath::kRoot, "Workshop"), MemoryRegistry::ValueType::String);
    EXPECT_EQ(LoadWorkshopName(registry), "СТО «Мотор», Казань");
    EXPECT_EQ(registry.openKeys(), 0);

    // A long name is cut, never inside a letter.
    std::string longName, kept;
    for (int k = 0; k < 150; ++k)
        longName += "Ж"; // 300 bytes
    for (int k = 0; k < 100; ++k)
        kept += "Ж";
    ASSERT_TRUE(SaveWorkshopName(registry, "a" + longName));
    EXPECT_EQ(LoadWorkshopName(registry), "a" + kept.substr(2)); // 199 bytes: the 100th cut off

    // A value of another type under the name is no name; a read-only registry keeps the old one.
    registry.putDword(regpath::kRoot, "Workshop", 7);
    EXPECT_EQ(LoadWorkshopName(registry), "");
    registry.putString(regpath::kRoot, "Workshop", "Гараж");
    registry.setReadOnly(true);
    EXPECT_FALSE(SaveWorkshopName(registry, "Другой"));
    EXPECT_EQ(LoadWorkshopName(registry), "Гараж");
}

} // namespace
