#include <cfloat>
#include <cmath>

#include <gtest/gtest.h>

#include "link/FormatFixed.h"

TEST(FormatFixed, FixedDecimalsAndSeparator) {
    EXPECT_EQ(formatFixed(90.0f, 1, ','), "90,0");
    EXPECT_EQ(formatFixed(90.0f, 1, '.'), "90.0");
    EXPECT_EQ(formatFixed(12.0f, 2, ','), "12,00");
    EXPECT_EQ(formatFixed(0.0f, 2, ','), "0,00");
    EXPECT_EQ(formatFixed(3141.0f, 0, ','), "3141");
    EXPECT_EQ(formatFixed(0.52f, 2, ','), "0,52");
    EXPECT_EQ(formatFixed(123456.0f, 0, ','), "123456"); // no grouping
}

TEST(FormatFixed, HalvesRoundAwayFromZero) {
    EXPECT_EQ(formatFixed(0.5f, 0, ','), "1");
    EXPECT_EQ(formatFixed(1.5f, 0, ','), "2");
    EXPECT_EQ(formatFixed(2.5f, 0, ','), "3");
    EXPECT_EQ(formatFixed(-0.5f, 0, ','), "-1");
    EXPECT_EQ(formatFixed(-2.5f, 0, ','), "-3");
    EXPECT_EQ(formatFixed(0.25f, 1, ','), "0,3");
    EXPECT_EQ(formatFixed(-0.125f, 2, ','), "-0,13");
}

TEST(FormatFixed, RoundsTheFloatsExactValue) {
    // 0.15f is 0.1500000059..., 0.35f is 0.3499999940..., 2.675f is 2.6749999523...
    EXPECT_EQ(formatFixed(0.15f, 1, ','), "0,2");
    EXPECT_EQ(formatFixed(0.35f, 1, ','), "0,3");
    EXPECT_EQ(formatFixed(2.675f, 2, ','), "2,67");
    EXPECT_EQ(formatFixed(1.005f, 2, ','), "1,00");
    EXPECT_EQ(formatFixed(0.49999997f, 0, ','), "0");
}

TEST(FormatFixed, NoMinusSignOnAZeroResult) {
    EXPECT_EQ(formatFixed(-0.302f, 0, ','), "0");
    EXPECT_EQ(formatFixed(-0.04f, 1, ','), "0,0");
    EXPECT_EQ(formatFixed(-0.0f, 0, ','), "0");
    EXPECT_EQ(formatFixed(-FLT_TRUE_MIN, 2, ','), "0,00");
    EXPECT_EQ(formatFixed(-0.302f, 1, ','), "-0,3");
}

TEST(FormatFixed, ExtremesOfTheFloatRange) {
    EXPECT_EQ(formatFixed(16777216.0f, 2, ','), "16777216,00");
    EXPECT_EQ(formatFixed(1e10f, 0, ','), "10000000000");
    EXPECT_EQ(formatFixed(-FLT_MAX, 0, ','), "-340282346638528859811704183484516925440");
    EXPECT_EQ(formatFixed(FLT_MIN, 1, ','), "0,0");
    EXPECT_EQ(formatFixed(1.0f, -3, ','), "1");
    EXPECT_EQ(formatFixed(INFINITY, 1, ','), "INF");
    EXPECT_EQ(formatFixed(NAN, 1, ','), "NAN");
}
