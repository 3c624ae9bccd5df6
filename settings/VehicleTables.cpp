#include "settings/VehicleTables.h"

#include <cstring>

namespace {

// clang-format off
const CarRow kCars[kCarCount] = {
    // Label2         car key     engine choice   Label3 on car selection   first engine key    family engines
    {"ESPERO",      "ESPERO",   "EngEspero",    "1.5 MPFI DOHC до 92г.", "1.5_MPFI_DOHC_1", 1, 7},
    {"LANOS",       "Lanos",    "EngLanos",     "1.3 SOHC",              "1.3_SOHC",        4, 4},
    {"LEGANZA",     "Leganza",  "EngLeganza",   "1.8 DOHC",              "1.8_DOHC",        4, 5},
    {"LEMAN_RACER", "Leman",    "EngLeman",     "1.5 MPFI DOHC",         "1.5_MPI_DOHC",    2, 2},
    {"MAGNUS",      "Magnus",   "EngMagnus",    "2.0 DOHC (Delco)",      "2.0_DOHC",        4, 2},
    {"MATIZ",       "Matiz",    "EngMatiz",     "0.8 MPFI",              "0.8_MPFI",        5, 1},
    {"NEXIA",       "Nexia",    "EngNexia",     "1.5 DOHC",              "1.5_DOHC",        2, 3},
    {"NEXIA_UZ",    "NexiaUZ",  "EngNexiaUZ",   "1.5 DOHC",              "1.5_DOHC",        4, 1},
    {"NUBIRA",      "Nubira",   "EngNubira",    "1.5 DOHC",              "1.5_DOHC",        4, 5},
    {"NUBIRA II",   "NubiraII", "EngNubiraII",  "2.0 SOHC",              "2.0_SOHC",        4, 1},
    {"PRINCE",      "Prince",   "EngPrince",    "1.8",                   "1.8",             2, 3},
    {"REZZO",       "Rezzo",    "EngRezzo",     "REZZO",                 "Rezzo",           4, 1},
};

// In "1.5 MPFI DOHC c 92г." the c is the Latin letter.
const EngineRow kEngines[] = {
    // car           pos  Label3                    engine key         family
    {"ESPERO",      0, "1.5 MPFI DOHC до 92г.", "1.5_MPFI_DOHC_1", 1},
    {"ESPERO",      1, "1.5 MPFI DOHC c 92г.",  "1.5_MPFI_DOHC_2", 1},
    {"ESPERO",      2, "1.5 MPI DOHC",          "1.5_MPI_DOHC",    2},
    {"ESPERO",      3, "1.5 MPI SOHC",          "1.5_MPI_SOHC",    2},
    {"ESPERO",      4, "1.8 MPI SOHC",          "1.8_MPI_SOHC",    2},
    {"ESPERO",      5, "2.0 MPI SOHC",          "2.0_MPI_SOHC",    2},
    {"ESPERO",      6, "2.0 TBI SOHC",          "2.0_TBI_SOHC",    3},
    {"LANOS",       0, "1.3 SOHC",              "1.3_SOHC",        4},
    {"LANOS",       1, "1.5 DOHC",              "1.5_DOHC",        4},
    {"LANOS",       2, "1.5 SOHC",              "1.5_SOHC",        4},
    {"LANOS",       3, "1.6 DOHC",              "1.6_DOHC",        4},
    {"LEGANZA",     0, "1.8 DOHC",              "1.8_DOHC",        4},
    {"LEGANZA",     1, "1.8 SOHC",              "1.8_SOHC",        4},
    {"LEGANZA",     2, "2.0 DOHC",              "2.0_DOHC",        4},
    {"LEGANZA",     3, "2.0 SOHC",              "2.0_SOHC",        4},
    {"LEGANZA",     4, "2.2 DOHC",              "2.2_DOHC",        4},
    {"LEMAN_RACER", 0, "1.5 MPI DOHC",          "1.5_MPI_DOHC",    2},
    {"LEMAN_RACER", 1, "1.5 MPI SOHC",          "1.5_MPI_SOHC",    2},
    {"MAGNUS",      0, "2.0 DOHC (Delco)",      "2.0_DOHC",        4},
    {"MAGNUS",      1, "2.0 SOHC (Delco)",      "2.0_SOHC",        4},
    {"MATIZ",       0, "0.8 MPFI",              "0.8_MPFI",        5},
    {"NEXIA",       0, "1.5 DOHC",              "1.5_DOHC",        2},
    {"NEXIA",       1, "1.5 SOHC",              "1.5_SOHC",        2},
    {"NEXIA",       2, "1.8 SOHC",              "1.8_SOHC",        2},
    {"NEXIA_UZ",    0, "1.5 DOHC",              "1.5_DOHC",        4},
    {"NUBIRA",      0, "1.5 DOHC",              "1.5_DOHC",        4},
    {"NUBIRA",      1, "1.5 SOHC",              "1.5_SOHC",        4},
    {"NUBIRA",      2, "1.6 DOHC",              "1.6_DOHC",        4},
    {"NUBIRA",      3, "1.8 DOHC",              "1.8_DOHC",        4},
    {"NUBIRA",      4, "2.0 DOHC",              "2.0_DOHC",        4},
    {"NUBIRA II",   0, "2.0 SOHC",              "2.0_SOHC",        4},
    {"PRINCE",      0, "1.8",                   "1.8",             2},
    {"PRINCE",      1, "2.0",                   "2.0",             2},
    {"PRINCE",      2, "2.2",                   "2.2",             2},
    {"REZZO",       0, "REZZO",                 "Rezzo",           4},
};

const PortRow kPorts[kPortCount] = {
    // portIndex  portName  Label1
    {0,         "COM1",   "Com-1"},
    {1,         "COM2",   "Com-2"},
    {2,         "COM3",   "Com-3"},
    {3,         "COM4",   "Com-4"},
    {4,         "COM5",   "Com-5"},
    {5,         "COM6",   "Com-6"},
    {6,         "COM7",   "Com-7"},
    {7,         "COM8",   "Com-8"},
};
// clang-format on

} // namespace

const CarRow* CarAt(int carIndex) {
    if (carIndex < 0 || carIndex >= kCarCount) return nullptr;
    return &kCars[carIndex];
}

int EngineCount(int carIndex) {
    const CarRow* car = CarAt(carIndex);
    return car ? car->engines : 0;
}

const EngineRow* EngineAt(int carIndex, int engineIndex) {
    const CarRow* car = CarAt(carIndex);
    if (car == nullptr) return nullptr;
    for (const EngineRow& row : kEngines)
        if (std::strcmp(row.car, car->label) == 0 && row.position == engineIndex) return &row;
    return nullptr;
}

const PortRow* PortAt(int portIndex) {
    if (portIndex < 0 || portIndex >= kPortCount) return nullptr;
    return &kPorts[portIndex];
}
