#include <gtest/gtest.h>

#include "startup/SystemChoices.h"

TEST(SystemChoices, DecimalSeparatorFromTheLocale) {
    EXPECT_EQ(ChooseDecimalSeparator(","), ',');
    EXPECT_EQ(ChooseDecimalSeparator("."), '.');
    EXPECT_EQ(ChooseDecimalSeparator("/"), '/');
    // Nothing usable as one byte of the readout text: the Russian comma.
    for (const char* odd : {"", " ", "٫", "..", "5", "-", "\t"})
        EXPECT_EQ(ChooseDecimalSeparator(odd), ',') << odd;
}

TEST(SystemChoices, FallbackStatusNamesTheFailure) {
    EXPECT_EQ(GlFallbackStatus("SetPixelFormat:2000"),
              "Графики рисуются через растр: OpenGL в окне недоступен (SetPixelFormat:2000).");
    EXPECT_EQ(GlFallbackStatus(""), "Графики рисуются через растр: OpenGL в окне недоступен.");
}
