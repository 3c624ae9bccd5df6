// The readout's decimal separator follows the user's locale. Run by
// tests/e2e/locale_separator.sh under a Russian and an English locale, which says what to
// expect in MOTOSKOP_EXPECT_DECIMAL; without it (the plain Windows test run) the test
// checks only that the window took the separator the locale gives.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/TForm1.h"
#include "link/FormatFixed.h"

namespace {

std::string LocaleSeparator() {
    wchar_t text[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, 8);
    char narrow[16] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

} // namespace

TEST(LocaleSeparator, ReadoutNumbersUseTheUsersSeparator) {
    auto* f = new TForm1(); // never destroyed, as in the program
    const char taken = f->state.selection.decimalSeparator.load();
    const char* expected = std::getenv("MOTOSKOP_EXPECT_DECIMAL");
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    std::printf("locale %ls, separator '%s', taken '%c'\n", name, LocaleSeparator().c_str(), taken);
    if (expected != nullptr) {
        ASSERT_EQ(std::string(1, taken), expected);
    } else {
        ASSERT_EQ(LocaleSeparator().size(), 1u);
        EXPECT_EQ(taken, LocaleSeparator()[0]);
    }
    EXPECT_EQ(formatFixed(12.25f, 1, taken), std::string("12") + taken + "3");
}
