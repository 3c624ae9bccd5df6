#pragma once
// The main readout: the caption of each row (NParam_1..NParam_15) and the
// value each row shows before the first reply (Param_1..Param_15).

struct ReadoutRow {
    const char* caption;
    const char* initialValue;
};

constexpr int kReadoutRows = 15;

// clang-format off
constexpr ReadoutRow kReadoutRows_[kReadoutRows] = {
    {"Частота вращения коленвала, об/мин.",      "0"     },
    {"Длительность импульса впрыска, мс.",       "0,0"   },
    {"Давление во впускном коллекторе, КПа.",    "0"     },
    {"Соотношение воздух/топливо.",              "0,0"   },
    {"Открытие дроссельной заслонки, %.",        "0"     },
    {"Напряжение ДПДЗ, В.",                      "0,0"   },
    {"Угол опережения зажигания, °ПКВ.",         "0"     },
    {"Температура охлаждающей жидкости, °С.",    "0"     },
    {"Температура воздуха, °С.",                 "0"     },
    {"Напряжение датчика кислорода / RCO, мВ.",  "0"     },
    {"Ячейкиа памяти BLM, рег. подачу топлива.", "0"     },
    {"Скорость автомобиля, км/ч.",               "0"     },
    {"Напряжение борт сети (питание ЭБУ), В.",   "0,0"   },
    {"Идентификатор.",                           "0x0000"},
    {"Количество ошибок.",                       "0"     },
};
// clang-format on

inline const ReadoutRow& Readout(int row) {
    return kReadoutRows_[row - 1];
} // row 1..15
