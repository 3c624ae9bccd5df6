// The catalogues and the car, engine and port tables hang together.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "settings/ParameterCatalogue.h"
#include "settings/VehicleTables.h"

namespace {

TEST(ParameterCatalogue, SizesNumberingAndOddRows) {
    const int sizes[] = {34, 35, 35, 55, 23};
    for (int family = 1; family <= 5; ++family) {
        ASSERT_EQ(CatalogueSize(family), sizes[family - 1]);
        EXPECT_EQ(CatalogueCaption(family, -1), nullptr);
        EXPECT_EQ(CatalogueCaption(family, sizes[family - 1]), nullptr);
        for (int k = 0; k < sizes[family - 1]; ++k) {
            const std::string prefix = std::to_string(k + 1) + "   ";
            EXPECT_EQ(std::string(CatalogueCaption(family, k)).rfind(prefix, 0), 0u)
                << family << " " << k;
        }
    }
    EXPECT_EQ(CatalogueSize(0), 0);
    EXPECT_EQ(CatalogueSize(6), 0);
    EXPECT_EQ(CatalogueCaption(6, 0), nullptr);

    EXPECT_STREQ(CatalogueCaption(1, 24), "25   TCC/SHIFT    tcc/shift light ON.");
    EXPECT_STREQ(CatalogueCaption(1, 31), "32   UTHR   Напряжение ДПДЗ. ");
    EXPECT_STREQ(CatalogueCaption(2, 3), "4   BARO    Атмосферное давление.");
    EXPECT_STREQ(CatalogueCaption(2, 23), "24   SSM   Желаемое положение РДВ");
    EXPECT_STREQ(CatalogueCaption(3, 6), "7   FAN   Реле вентилятора охлаждения включен.");
    EXPECT_STREQ(CatalogueCaption(4, 46), "47   VGIS   VGIS");
    EXPECT_STREQ(CatalogueCaption(4, 51), "52   Fuel cutoff\tОтсечка топлива.");
    EXPECT_STREQ(CatalogueCaption(5, 5), "6   BLC RUN\tBLC (run)");
    int tabs = 0;
    for (int family = 1; family <= 5; ++family)
        for (int k = 0; k < CatalogueSize(family); ++k)
            tabs += std::strchr(CatalogueCaption(family, k), '\t') != nullptr;
    EXPECT_EQ(tabs, 7);
}

TEST(VehicleTables, EnginesMatchTheirCars) {
    int total = 0;
    std::set<std::string> carKeys;
    for (int car = 0; car < kCarCount; ++car) {
        const CarRow& row = *CarAt(car);
        carKeys.insert(row.key);
        ASSERT_EQ(EngineCount(car), row.engines);
        EXPECT_EQ(EngineAt(car, row.engines), nullptr);
        const EngineRow& first = *EngineAt(car, 0);
        EXPECT_STREQ(first.key, row.firstEngineKey);
        EXPECT_EQ(first.ecuFamily, row.ecuFamily);
        for (int e = 0; e < row.engines; ++e) {
            ASSERT_NE(EngineAt(car, e), nullptr) << row.label << " " << e;
            EXPECT_STREQ(EngineAt(car, e)->car, row.label);
        }
        total += row.engines;
    }
    EXPECT_EQ(total, 35);
    EXPECT_EQ(carKeys.size(), 12u);
    EXPECT_STREQ(CarAt(kSkippedCar)->label, "MATIZ");
    EXPECT_EQ(CarAt(12), nullptr);
    // The one Latin letter among the Cyrillic ones, and the two Leman spellings.
    EXPECT_STREQ(EngineAt(0, 1)->label, "1.5 MPFI DOHC \x63 92\xD0\xB3.");
    EXPECT_STREQ(CarAt(3)->firstEngine, "1.5 MPFI DOHC");
    EXPECT_STREQ(EngineAt(3, 0)->label, "1.5 MPI DOHC");
}

} // namespace
