// Trouble-code tables and the refresh tick of the trouble-code window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/MainState.h"
#include "codes/TroubleCodeList.h"
#include "codes/TroubleCodeMessages.h"

namespace {

ErrorCodeSnapshot Snapshot(uint8_t b1, uint8_t b2 = 0, uint8_t b3 = 0, uint8_t b4 = 0) {
    ErrorCodes codes;
    codes.storeGroup(1, b1);
    codes.storeGroup(2, b2);
    codes.storeGroup(3, b3);
    codes.storeGroup(4, b4);
    return codes.snapshot();
}

const char kAirConditionerPressure[] = "Датчик давления кондиционера.";

} // namespace

TEST(TroubleCodeMessages, TablesHaveTheirRowsInOrder) {
    EXPECT_EQ(TroubleCodeMessages(1).size, 14u);
    EXPECT_EQ(TroubleCodeMessages(2).rows, TroubleCodeMessages(1).rows);
    EXPECT_EQ(TroubleCodeMessages(3).size, 19u);
    EXPECT_EQ(TroubleCodeMessages(4).size, 32u);
    EXPECT_EQ(TroubleCodeMessages(5).size, 0u);
    EXPECT_EQ(TroubleCodeMessages(0).size, 0u);
    EXPECT_EQ(TroubleCodeMessages(-7).rows, nullptr);

    for (int family = 1; family <= 4; ++family) {
        const TroubleCodeTable table = TroubleCodeMessages(family);
        for (std::size_t i = 0; i < table.size; ++i) {
            const TroubleCodeRow& row = table.rows[i];
            EXPECT_GE(row.errorByte, 1);
            EXPECT_LE(row.errorByte, UsedErrorBytes(family));
            EXPECT_GE(row.bit, 0);
            EXPECT_LE(row.bit, 7);
            if (i > 0) { // strictly ascending (byte, bit)
                const TroubleCodeRow& prev = table.rows[i - 1];
                EXPECT_LT(prev.errorByte * 8 + prev.bit, row.errorByte * 8 + row.bit);
            }
        }
    }
    EXPECT_EQ(UsedErrorBytes(1), 2);
    EXPECT_EQ(UsedErrorBytes(2), 2);
    EXPECT_EQ(UsedErrorBytes(3), 3);
    EXPECT_EQ(UsedErrorBytes(4), 4);
    EXPECT_EQ(UsedErrorBytes(5), 0);
}

TEST(TroubleCodeMessages, MixedAlphabetTextsAreExact) {
    const TroubleCodeTable f4 = TroubleCodeMessages(4);
    // Cyrillic Х (D0 A5) after 58, Latin A, Cyrillic В (D0 92).
    EXPECT_STREQ(f4.rows[8].message, "58\xD0\xA5 EST A замкнут на +.");
    EXPECT_STREQ(f4.rows[9].message, "58\xD0\xA5 EST A замкнут на землю.");
    EXPECT_STREQ(f4.rows[19].message, "Ошибка датчика положения коленвала 58\xD0\xA5.");
    EXPECT_STREQ(f4.rows[22].message, "58\xD0\xA5 EST \xD0\x92 замкнут на +.");
    EXPECT_STREQ(f4.rows[23].message, "58\xD0\xA5 EST \xD0\x92 замкнут на землю.");
    EXPECT_STREQ(TroubleCodeMessages(1).rows[9].message, "Ошибка октан корректора.");
    EXPECT_STREQ(f4.rows[11].message, "Ошибка октанкорректора.");
}

TEST(TroubleCodeList, BitsWithoutARowGiveNothing) {
    TroubleCodeList list;
    // Families 1 and 2: byte 2 bits 0 and 1 have no message.
    for (int family : {1, 2}) {
        TroubleCodeList fresh;
        const TroubleCodeRefresh r = fresh.tick(Snapshot(0, 0x03), family);
        EXPECT_TRUE(r.rebuilt);
        EXPECT_TRUE(r.lines.empty());
        EXPECT_EQ(r.countText, "0");
    }
    // Family 3: byte 2 bits 1, 5, 6 and byte 3 bits 0, 1; plus one real row.
    const TroubleCodeRefresh r = list.tick(Snapshot(0, 0x62 | 0x04, 0x03), 3);
    ASSERT_TRUE(r.rebuilt);
    EXPECT_EQ(r.lines, std::vector<std::string>{"Ошибка холостого хода."});
    EXPECT_EQ(r.countText, "1");
}

TEST(TroubleCodeList, QuestionMarkRowsAndDuplicatesCount) {
    TroubleCodeList f3;
    TroubleCodeRefresh r = f3.tick(Snapshot(0, 0, 0x88), 3); // byte 3 bits 3 and 7
    EXPECT_EQ(r.lines, (std::vector<std::string>{"?", "?"}));
    EXPECT_EQ(r.countText, "2");

    TroubleCodeList f4;
    r = f4.tick(Snapshot(0, 0, 0, 0x30), 4); // byte 4 bits 4 and 5
    EXPECT_EQ(r.lines,
              (std::vector<std::string>{kAirConditionerPressure, kAirConditionerPressure}));
    EXPECT_EQ(r.countText, "2");
}

TEST(TroubleCodeList, AllBitsOfFamily4GiveThirtyTwoLinesInTableOrder) {
    TroubleCodeList list;
    const TroubleCodeRefresh r = list.tick(Snapshot(0xFF, 0xFF, 0xFF, 0xFF), 4);
    ASSERT_EQ(r.lines.size(), 32u);
    EXPECT_EQ(r.countText, "32");
    EXPECT_EQ(r.lines.front(), "Ошибка EST (управление моментом зажигания).");
    EXPECT_EQ(r.lines.back(), "Высокая температура воздуха во впускном коллекторе.");
    EXPECT_EQ(list.codeCount(), 0); // reset at the end of every tick
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(list.lastErrorByte(k), 0xFF);

    // Family 1 with the same bytes: 14 lines from bytes 1 and 2 only.
    TroubleCodeList f1;
    EXPECT_EQ(f1.tick(Snapshot(0xFF, 0xFF, 0xFF, 0xFF), 1).countText, "14");
}

TEST(TroubleCodeList, RebuildsOnlyWhenAUsedByteChanges) {
    TroubleCodeList list;
    // First tick with no codes: nothing to rebuild, the list stays empty.
    EXPECT_FALSE(list.tick(Snapshot(0), 1).rebuilt);

    TroubleCodeRefresh r = list.tick(Snapshot(0x01), 1);
    ASSERT_TRUE(r.rebuilt);
    EXPECT_EQ(r.countText, "1");
    // Same bytes again: untouched, although the count was reset internally.
    EXPECT_FALSE(list.tick(Snapshot(0x01), 1).rebuilt);
    // Byte 3 is not used by family 1.
    EXPECT_FALSE(list.tick(Snapshot(0x01, 0, 0x40), 1).rebuilt);
    EXPECT_EQ(list.lastErrorByte(3), 0);
    // Codes cleared by the ECU: the list empties and the count is 0.
    r = list.tick(Snapshot(0), 1);
    EXPECT_TRUE(r.rebuilt);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.countText, "0");
}

TEST(TroubleCodeList, FamilyFiveNeverBuildsAList) {
    TroubleCodeList list;
    EXPECT_FALSE(list.tick(Snapshot(0xFF, 0xFF, 0xFF, 0xFF), 5).rebuilt);
    EXPECT_FALSE(list.tick(Snapshot(0xFF, 0xFF, 0xFF, 0xFF), 0).rebuilt);
}

TEST(TroubleCodeList, ResetOnlyRaisesTheFlag) {
    MainState state;
    state.ecu.errors.storeGroup(1, 0x80);
    TroubleCodeList list;
    ASSERT_TRUE(list.tick(state.ecu.errors.snapshot(), 1).rebuilt);

    RequestClearCodes(state.requests);
    EXPECT_EQ(state.requests.clearCodesRequested.load(), 1);
    // The ECU still reports the code: the list is left as it is.
    EXPECT_FALSE(list.tick(state.ecu.errors.snapshot(), 1).rebuilt);
    // The following reply carries the cleared byte.
    state.ecu.errors.storeGroup(1, 0);
    const TroubleCodeRefresh r = list.tick(state.ecu.errors.snapshot(), 1);
    EXPECT_TRUE(r.rebuilt);
    EXPECT_TRUE(r.lines.empty());
}
