// The texts the selection part of the main window shows, typed out here as the
// user reads them: every graph caption of every family as LoadGraphSet puts it
// above a graph, the car and engine names as the buttons step through them,
// the graph-set label and the port label.
#include <string>
#include <vector>

#include "settings/GraphSets.h"
#include "settings/VehicleSelection.h"
#include "settings_fixture.h"

namespace {

// Rows are numbered from 1 on screen; a tab (\t) stands between mnemonic and
// description in a few rows, and some rows have odd spacing or no full stop.
// clang-format off
const std::vector<std::string> kFamily1 = {
    "1   A/C REQ   Запрос кондиционера от водителя.",
    "2   AIRCON   Реле кондиционера включено.",
    "3   AIRFUEL   Соотношение воздух/топливо.",
    "4   BARO   Атмосферное давление.",
    "5   BLMCELL   Номер ячейки памяти BLM, рег. подачу топлива.",
    "6   DEFR   Желаемая частота вращения коленвала.",
    "7   FAN   Реле вентилятора охлаждения включено.",
    "8   FAN REQ   Запрос вентилятора.",
    "9   FMDBYTE1   Байт 1 состояния FMD.",
    "10   FREQ   Частота вращения коленвала.",
    "11   FSM   Фактическое положение РДВ.",
    "12   INJ   Длительность импульса впрыска.",
    "13   INT   Переменная интегратора замкнутой петли топ.",
    "14   JUFRXX   Желаемая частота вращения коленвала на ХХ.",
    "15   LEARN   Обучение блока.",
    "16   JOOP   Обратная связь по кислороду (1-зам., 0-раз.).",
    "17   MAP   Давление во впускном коллекторе.",
    "18   MW1   Байт состояния MW1.",
    "19   OCTAN   Октановое число.",
    "20   PARK/N   Нейтральная передача.",
    "21   PROM id   Идентификация калибровки.",
    "22   RICH   Богатая/бедная смесь (1-богатая,0-бедная).",
    "23   SPEED   Скорость автомобиля.",
    "24   TAIR   Температура воздуха во впускном коллекторе.",
    "25   TCC/SHIFT    tcc/shift light ON.",
    "26   THR   Открытие дроссельной заслонки.",
    "27   TIME   Время с момента пуска автомобиля.",
    "28   TWAT   Температура охлаждающей жидкости.",
    "29   UBAT   Напряжение борт сети (питание ЭБУ).",
    "30   UO2SENS   Выходное напряжение датчика кислорода.",
    "31   UOZ   Угол опережения зажигания.",
    "32   UTHR   Напряжение ДПДЗ. ",
    "33   Eer 1   Ошибки. Байт 1.",
    "34   Eer 2   Ошибки. Байт 2.",
};

const std::vector<std::string> kFamily2 = {
    "1   A/C REQ   Запрос кондиционера от водителя.",
    "2   AIRCON   Реле кондиционера включено.",
    "3   AIRFUEL   Соотношение воздух/топливо.",
    "4   BARO    Атмосферное давление.",
    "5   BLMCELL   Номер ячейки памяти BLM, рег. подачу топлива.",
    "6   DEFR   Желаемая частота вращения коленвала.",
    "7   FAN   Реле вентилятора охлаждения включено.",
    "8   FAN REQ   Запрос вентилятора.",
    "9   FMDBYTE1   Байт 1 состояния FMD.",
    "10   FREQ   Частота вращения коленвала.",
    "11   FSM   Фактическое положение РДВ.",
    "12   INJ   Длительность импульса впрыска.",
    "13   INT   Переменная интегратора замкнутой петли топ.",
    "14   JUFRXX   Желаемая частота вращения коленвала на ХХ.",
    "15   LEARN   Обучение блока.",
    "16   JOOP   Обратная связь по кислороду (1-зам., 0-раз.).",
    "17   MAP   Давление во впускном коллекторе.",
    "18   MW1   Байт состояния MW1.",
    "19   OCTAN   Октановое число.",
    "20   PARK/N   Нейтральная передача.",
    "21   PROM id   Идентификация калибровки.",
    "22   RICH   Богатая/бедная смесь (1-богатая,0-бедная).",
    "23   SPEED   Скорость автомобиля.",
    "24   SSM   Желаемое положение РДВ",
    "25   TAIR   Температура воздуха во впускном коллекторе.",
    "26   TCC/SHIFT   tcc/shift light ON.",
    "27   THR   Открытие дроссельной заслонки.",
    "28   TIME   Время с момента пуска автомобиля.",
    "29   TWAT   Температура охлаждающей жидкости.",
    "30   UBAT   Напряжение борт сети (питание ЭБУ).",
    "31   UO2SENS   Выходное напряжение датчика кислорода.",
    "32   UOZ   Угол опережения зажигания.",
    "33   UTHR   Напряжение ДПДЗ.",
    "34   Eer 1   Ошибки. Байт 1.",
    "35   Eer 2   Ошибки. Байт 2.",
};

const std::vector<std::string> kFamily3 = {
    "1   A/C REQ   Запрос кондиционера от водителя.",
    "2   AIRCON   Реле кондиционера включено.",
    "3   AIRFUEL   Соотношение воздух/топливо.",
    "4   BARO   Атмосферное давление.",
    "5   BLMCELL   Номер ячейки памяти BLM, рег. подачу топлива.",
    "6   DEFR   Желаемая частота вращения коленвала.",
    "7   FAN   Реле вентилятора охлаждения включен.",
    "8   FAN REQ   Запрос вентилятора.",
    "9   FMDBYTE1   Байт 1 состояния FMD.",
    "10   FREQ   Частота вращения коленвала.",
    "11   FSM   Фактическое положение РДВ.",
    "12   INJ   Длительность импульса впрыска.",
    "13   INT   Переменная интегратора замкнутой петли топ.",
    "14   JUFRXX   Желаемая частота вращения коленвала на ХХ.",
    "15   LEARN   Обучение блока.",
    "16   JOOP   Обратная связь по кислороду (1-зам., 0-раз.).",
    "17   MAP   Давление во впускном коллекторе.",
    "18   MW1   Байт состояния MW1.",
    "19   PARK/N   Нейтральная передача.",
    "20   PROM id   Идентификация калибровки.",
    "21   RICH   Богатая/бедная смесь (1-богатая,0-бедная).",
    "22   SPEED   Скорость автомобиля.",
    "23   Steer   Рулевое управление с усилителем.",
    "24   TAIR   Температура воздуха во впускном коллекторе.",
    "25   TCC/SHIFT   tcc/shift light ON.",
    "26   THR   Открытие дроссельной заслонки.",
    "27   TIME   Время с момента пуска автомобиля.",
    "28   TWAT   Температура охлаждающей жидкости.",
    "29   UBAT   Напряжение борт сети (питание ЭБУ).",
    "30   UO2SENS   Выходное напряжение датчика кислорода.",
    "31   UOZ   Угол опережения зажигания.",
    "32   UTHR   Напряжение ДПДЗ.",
    "33   Eer 1   Ошибки. Байт 1.",
    "34   Eer 2   Ошибки. Байт 2.",
    "35   Eer 3   Ошибки. Байт 3.",
};

const std::vector<std::string> kFamily4 = {
    "1   A/C REQ   Запрос кондиционера от водителя.",
    "2   A/C pres   Давление кондиционера.",
    "3   A/C run   Кондиционер.",
    "4   A/C sol   Соленоид кондиционера.",
    "5   A/C sw   Выключатель кондиционера.",
    "6   AIRFUEL   Соотношение воздух/топливо.",
    "7   BARO   Атмосферное давление.",
    "8   BL Enabl   Обучение разрешено.",
    "9   BLMCELL   Номер ячейки памяти BLM, рег. подачу топлива.",
    "10   CO adi   Регулировка СО с разомкнутой петлей.",
    "11   CT Sw   Coolant temp. Switch.",
    "12   ClosedTHR   Дроссель закрыт.",
    "13   ConvOT   Перегрев дожигателя.",
    "14   DecCutOff   Отсечка топлива при торможении.",
    "15   FAN REQ   Запрос включения вентилятора.",
    "16   FCT   Температура наддува.",
    "17   FREQ   Частота вращения коленвала.",
    "18   FSM   Фактическое положение РДВ.",
    "19   FSMode   Режим field servise.",
    "20   IAC run   Двигатель РХХ.",
    "21   IACMRes   Сброс РХХ.",
    "22   IACRes   Запрос сброса РХХ.",
    "23   INJ   Длительность импульса впрыска.",
    "24   INT   Переменная интегратора замкнутой петли топ.",
    "25   Idle   Холостой ход.",
    "26   IntReset   Сброс перем. интегратора петли топ.",
    "27   JUFRXX   Желаемая частота вращения коленвала.",
    "28   LEARN   Обучение блока.",
    "29   LOOP   Обратная связь по кислороду (1-зам., 0-раз.).",
    "30   MAP   Давление во впускном коллекторе.",
    "31   O2ready   Датчик О2 готов к работе.",
    "32   OCTAN   Октановое число.",
    "33   PARK/N   Нейтральная передача.",
    "34   PROM id   Идентификация калибровки.",
    "35   PrgSol   Соленоид продувки вкл.",
    "36   RICH   Богатая/бедная смесь (1-богатая,0-бедная).",
    "37   RPM low   Низкие обороты.",
    "38   SPEED   Скорость автомобиля.",
    "39   SSM   Желаемое положение РДВ.",
    "40   TAIR   Температура воздуха.",
    "41   THR   Положение ДПДЗ заслонки (по R).",
    "42   TWAT   Температура охлаждающей жидкости.",
    "43   UBAT   Напряжение борт сети (питание ЭБУ).",
    "44   UO2SENS   Выходное напряжение датчика кислорода.",
    "45   UOZ   Угол опережения зажигания.",
    "46   UTHR   Напряжение ДПДЗ.",
    "47   VGIS   VGIS",
    "48   Eer 1\tОшибки. Байт 1.",
    "49   Eer 2\tОшибки. Байт 2.",
    "50   Eer 3\tОшибки. Байт 3.",
    "51   Eer 4\tОшибки. Байт 4.",
    "52   Fuel cutoff\tОтсечка топлива.",
    "53   Fuel pump   Топливный насос.",
    "54   High fan   Вентилятор выс.",
    "55   Low fan   Вентилятор низк.",
};

const std::vector<std::string> kFamily5 = {
    "1   A/C RELAY   Реле кондиционера.",
    "2   A/C SW   Выключатель кондиционера.",
    "3   A/F RATIO   Регулировка отношения воздух/топливо.",
    "4   BARO   Атмосферное давление.",
    "5   BLC IDL\tBLC (IDLE)",
    "6   BLC RUN\tBLC (run)",
    "7   FAN HI ACT   Высокая скорость охлаждающего вентилятора.",
    "8   FAN LO ACT   Низкая скорость охлаждающего вентилятора.",
    "9   FP RELAY   Реле топливного насоса.",
    "10   FREQ   Частота вращения коленвала.",
    "11   IAC   Регулятор холостого хода.",
    "12   IDLE SPD   Нормальная частота вращения на ХХ.",
    "13   INJ   Длительность импульса впрыска.",
    "14   MAP   Давление во впускном коллекторе.",
    "15   NRML TPS   Нормальное положение дроссельной заслонки.",
    "16   PROM id   Идентификатор.",
    "17   SPEED   Скорость автомобиля.",
    "18   TAIR   Температура воздуха во впускном коллекторе.",
    "19   THR   Открытие дроссельной заслонки.",
    "20   TWAT   Температура охлаждающей жидкости.",
    "21   UBAT   Напряжение аккумулятора.",
    "22   UO2SENS   Выходное напряжение датчика кислорода.",
    "23   UOZ   Угол опережения зажигания.",
};
// clang-format on

const std::vector<std::string>& Catalogue(int family) {
    static const std::vector<std::string>* const all[] = {&kFamily1, &kFamily2, &kFamily3,
                                                          &kFamily4, &kFamily5};
    return *all[family - 1];
}

// No settings in the registry: the captions follow graphParam alone.
using VisibleSelectionTexts = SettingsTest;

} // namespace

TEST_F(VisibleSelectionTexts, EveryCatalogueRowAsAGraphCaption) {
    const size_t sizes[] = {34, 35, 35, 55, 23};
    for (int family = 1; family <= 5; ++family) {
        const std::vector<std::string>& rows = Catalogue(family);
        ASSERT_EQ(rows.size(), sizes[family - 1]);
        state.selection.ecuFamily = family;
        for (size_t k = 0; k < rows.size(); ++k) {
            // Each graph shows its own row: graph g the row k + g - 1, where there is one.
            for (int g = 0; g < 4; ++g)
                state.selection.graphParam[g] = int32_t(k) + g;
            view.captions = {"-", "-", "-", "-"};
            LoadGraphSet(registry, state.selection, view);
            for (size_t g = 0; g < 4; ++g) {
                const std::string expected = k + g < rows.size() ? rows[k + g] : "-";
                EXPECT_EQ(view.captions[g], expected)
                    << "family " << family << " row " << k + g << " graph " << g + 1;
            }
        }
    }
}

TEST_F(VisibleSelectionTexts, CarAndEngineNamesAsTheButtonsStepThroughThem) {
    struct Car {
        const char* name;
        std::vector<const char*> engines; // as the car press, then each engine press, shows them
    };
    // clang-format off
    const Car cars[] = {
        {"LANOS",       {"1.3 SOHC", "1.5 DOHC", "1.5 SOHC", "1.6 DOHC", "1.3 SOHC"}},
        {"LEGANZA",     {"1.8 DOHC", "1.8 SOHC", "2.0 DOHC", "2.0 SOHC", "2.2 DOHC", "1.8 DOHC"}},
        {"LEMAN_RACER", {"1.5 MPFI DOHC", "1.5 MPI SOHC", "1.5 MPI DOHC"}},
        {"MAGNUS",      {"2.0 DOHC (Delco)", "2.0 SOHC (Delco)", "2.0 DOHC (Delco)"}},
        {"NEXIA",       {"1.5 DOHC", "1.5 SOHC", "1.8 SOHC", "1.5 DOHC"}},
        {"NEXIA_UZ",    {"1.5 DOHC", "1.5 DOHC"}},
        {"NUBIRA",      {"1.5 DOHC", "1.5 SOHC", "1.6 DOHC", "1.8 DOHC", "2.0 DOHC", "1.5 DOHC"}},
        {"NUBIRA II",   {"2.0 SOHC", "2.0 SOHC"}},
        {"PRINCE",      {"1.8", "2.0", "2.2", "1.8"}},
        {"REZZO",       {"REZZO", "REZZO"}},
        {"ESPERO",      {"1.5 MPFI DOHC до 92г.", "1.5 MPFI DOHC c 92г.", "1.5 MPI DOHC",
                         "1.5 MPI SOHC", "1.8 MPI SOHC", "2.0 MPI SOHC", "2.0 TBI SOHC",
                         "1.5 MPFI DOHC до 92г."}},
    };
    // clang-format on
    for (const Car& car : cars) {
        SelectNextCar(registry, state.selection, view);
        EXPECT_EQ(view.carLabel, car.name);
        EXPECT_EQ(view.engineLabel, car.engines[0]) << car.name;
        for (size_t e = 1; e < car.engines.size(); ++e) {
            SelectNextEngine(registry, state.selection, view);
            EXPECT_EQ(view.engineLabel, car.engines[e]) << car.name << " press " << e;
        }
    }
}

TEST_F(VisibleSelectionTexts, GraphSetAndPortLabels) {
    const char* sets[] = {"Набор графиков 1",  "Набор графиков 2",  "Набор графиков 3",
                          "Набор графиков 4",  "Набор графиков 5",  "Набор графиков 6",
                          "Набор графиков 7",  "Набор графиков 8",  "Набор графиков 9",
                          "Набор графиков 10", "Набор графиков 11", "Набор графиков 12"};
    for (int set = 12; set >= 1; --set) {
        PressGraphSetButton(set, state.selection, view);
        EXPECT_EQ(view.setLabel, sets[set - 1]);
    }
    PressGraphSetButton(7, state.selection, view);
    SelectNextCar(registry, state.selection, view);
    EXPECT_EQ(view.setLabel, "Набор графиков 1");

    const char* ports[] = {"Com-1", "Com-2", "Com-3", "Com-4", "Com-5", "Com-6", "Com-7", "Com-8"};
    for (int index = 7; index >= 0; --index) {
        state.selection.portIndex = index;
        ApplyPortIndex(state.selection, view);
        EXPECT_EQ(view.portLabel, ports[index]);
    }
    for (int press = 1; press <= 8; ++press) {
        SelectNextPort(registry, state.selection, view);
        EXPECT_EQ(view.portLabel, ports[press % 8]);
    }
}
