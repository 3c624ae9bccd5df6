// The trouble-code window's lines as the technician reads them: one set bit at
// a time through the refresh tick, every line of every family typed out here,
// and the count beside the list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/MainState.h"
#include "codes/TroubleCodeList.h"

namespace {

struct Line {
    int errorByte; // 1..4
    int bit;
    const char* text;
};

// In every "58Х" the letter after 58 is Cyrillic; in "EST A" the A is Latin and
// in "EST В" the В is Cyrillic.
// clang-format off
const std::vector<Line> kFamily1And2 = {
    {1, 0, "Ошибка синхронизации искрообразования."},
    {1, 1, "Ошибка датчика разряжения во впускном коллекторе."},
    {1, 2, "Ошибка рециркулятора."},
    {1, 3, "Отсутствие сигнала датчика скорости."},
    {1, 4, "Ошибка датчика температуры всасываемого воздуха."},
    {1, 5, "Ошибка ДПДЗ."},
    {1, 6, "Ошибка датчика температуры охлаждающей жидкости."},
    {1, 7, "Ошибка датчика кислорода."},
    {2, 2, "Ошибка связи с иммобилизатором."},
    {2, 3, "Ошибка октан корректора."},
    {2, 4, "Ошибка датчика детонации."},
    {2, 5, "Ошибка запоминающего устройства."},
    {2, 6, "Обогащенный датчик кислорода."},
    {2, 7, "Обедненный датчик кислорода."},
};

const std::vector<Line> kFamily3 = {
    {1, 0, "Отсутствие сигнала датчика скорости автомобиля."},
    {1, 1, "Ошибка датчика температуры всасываемого воздуха."},
    {1, 2, "Низкий сигнал ДПДЗ."},
    {1, 3, "Высокий сигнал ДПДЗ."},
    {1, 4, "Низкая температура охл. жидкости."},
    {1, 5, "Высокая температура охл. жидкости."},
    {1, 6, "Ошибка датчика кислорода."},
    {1, 7, "Нет сигнала зажигания."},
    {2, 0, "Ошибка синхронизации искрообразования."},
    {2, 2, "Ошибка холостого хода."},
    {2, 3, "Низкое давление в коллекторе."},
    {2, 4, "Высокое давление в коллекторе."},
    {2, 7, "Высокая температура воздуха на впуске."},
    {3, 2, "Высокое напряжение бортсети."},
    {3, 3, "?"},
    {3, 4, "Ошибка запоминающего устройства."},
    {3, 5, "Обогащенный датчик кислорода."},
    {3, 6, "Обедненный датчик кислорода."},
    {3, 7, "?"},
};

const std::vector<Line> kFamily4 = {
    {1, 0, "Ошибка EST (управление моментом зажигания)."},
    {1, 1, "Высокое давление в коллекторе."},
    {1, 2, "Ошибка рециркулятора."},
    {1, 3, "Отсутствие сигнала датчика скорости автомобиля."},
    {1, 4, "Высокая температура воздуха на впуске."},
    {1, 5, "Высокий уровень ДПДЗ."},
    {1, 6, "Низкий уровень датчика температуры охл. жидкости."},
    {1, 7, "Ошибка датчика кислорода."},
    {2, 0, "58Х EST A замкнут на +."},
    {2, 1, "58Х EST A замкнут на землю."},
    {2, 2, "Ошибка связи с иммобилизатором."},
    {2, 3, "Ошибка октанкорректора."},
    {2, 4, "Ошибка датчика детонации."},
    {2, 5, "Ошибка ЭБУ."},
    {2, 6, "Обогащенный датчик кислорода."},
    {2, 7, "Обедненный датчик кислорода."},
    {3, 0, "Низкий уровень ДПДЗ."},
    {3, 1, "Высокий уровень датчика температуры охлаждающей жидкости."},
    {3, 2, "Ошибка регулятора холостого хода."},
    {3, 3, "Ошибка датчика положения коленвала 58Х."},
    {3, 4, "Ошибка ЭБУ."},
    {3, 5, "Форсунка неисправна."},
    {3, 6, "58Х EST В замкнут на +."},
    {3, 7, "58Х EST В замкнут на землю."},
    {4, 0, "?"},
    {4, 1, "?"},
    {4, 2, "?"},
    {4, 3, "?"},
    {4, 4, "Датчик давления кондиционера."},
    {4, 5, "Датчик давления кондиционера."},
    {4, 6, "Низкое давление во впускном коллекторе."},
    {4, 7, "Высокая температура воздуха во впускном коллекторе."},
};
// clang-format on

const std::vector<Line>& LinesOf(int family) {
    return family <= 2 ? kFamily1And2 : family == 3 ? kFamily3 : kFamily4;
}

ErrorCodeSnapshot WithBytes(const uint8_t (&bytes)[4]) {
    ErrorCodes codes;
    for (int k = 1; k <= 4; ++k)
        codes.storeGroup(k, bytes[k - 1]);
    return codes.snapshot();
}

} // namespace

TEST(TroubleCodeTexts, EachBitAloneShowsItsLine) {
    for (int family = 1; family <= 4; ++family) {
        const int usedBytes = family <= 2 ? 2 : family;
        for (int k = 1; k <= usedBytes; ++k) {
            for (int bit = 0; bit < 8; ++bit) {
                TroubleCodeList list; // a fresh window
                uint8_t bytes[4] = {};
                bytes[k - 1] = uint8_t(1u << bit);
                const TroubleCodeRefresh r = list.tick(WithBytes(bytes), family);
                ASSERT_TRUE(r.rebuilt) << family << " " << k << "/" << bit;
                std::vector<std::string> expected;
                for (const Line& line : LinesOf(family))
                    if (line.errorByte == k && line.bit == bit) expected.push_back(line.text);
                EXPECT_EQ(r.lines, expected)
                    << "family " << family << " byte " << k << " bit " << bit;
                EXPECT_EQ(r.countText, expected.empty() ? "0" : "1");
            }
        }
    }
}

TEST(TroubleCodeTexts, AllBitsSetListsEveryLineInOrder) {
    const char* counts[5] = {"", "14", "14", "19", "32"};
    for (int family = 1; family <= 4; ++family) {
        TroubleCodeList list;
        const uint8_t all[4] = {0xFF, 0xFF, 0xFF, 0xFF};
        const TroubleCodeRefresh r = list.tick(WithBytes(all), family);
        std::vector<std::string> expected;
        for (const Line& line : LinesOf(family))
            expected.push_back(line.text);
        EXPECT_EQ(r.lines, expected) << "family " << family;
        EXPECT_EQ(r.countText, counts[family]) << "family " << family;
    }
}
