// Car, engine and port buttons, and the graph-set buttons.
#include "settings/VehicleSelection.h"

#include "settings/GraphSets.h"
#include "settings/SettingsStore.h"
#include "settings_fixture.h"

namespace {

const char* kCom = "\\MOTOSKOP\\Com";

class SelectionTest : public SettingsTest {
  protected:
    void SetUp() override {
        LoadSettingsAtStartup(registry, state.selection, state.colours, view);
        ApplyPortIndex(state.selection, view);
        registry.clearLogs();
    }
};

TEST_F(SelectionTest, ElevenCarPressesSkipMatizAndComeBack) {
    const char* expected[] = {"LANOS",  "LEGANZA",   "LEMAN_RACER", "MAGNUS", "NEXIA", "NEXIA_UZ",
                              "NUBIRA", "NUBIRA II", "PRINCE",      "REZZO",  "ESPERO"};
    const int families[] = {4, 4, 2, 4, 2, 4, 4, 4, 2, 4, 1};
    for (int press = 0; press < 11; ++press) {
        SelectNextCar(registry, state.selection, view);
        EXPECT_EQ(view.carLabel, expected[press]);
        EXPECT_EQ(state.selection.ecuFamily, families[press]) << expected[press];
    }
    EXPECT_EQ(state.selection.carIndex, 0);
    EXPECT_EQ(view.engineLabel, "1.5 MPFI DOHC до 92г.");
    EXPECT_EQ(state.selection.carKey, "\\MOTOSKOP\\CARS\\ESPERO");
    EXPECT_EQ(state.selection.engineKey, "\\ENGINE\\1.5_MPFI_DOHC_1\\");
    EXPECT_TRUE(registry.writes().empty());
}

TEST_F(SelectionTest, CarSelectionKeysAndTheTwoLemanSpellings) {
    for (int press = 0; press < 3; ++press)
        SelectNextCar(registry, state.selection, view);
    EXPECT_EQ(view.engineLabel, "1.5 MPFI DOHC");
    EXPECT_EQ(state.selection.carKey, "\\MOTOSKOP\\CARS\\Leman");
    EXPECT_EQ(state.selection.engineKey, "\\ENGINE\\1.5_MPI_DOHC\\");
    SelectNextEngine(registry, state.selection, view);
    SelectNextEngine(registry, state.selection, view);
    EXPECT_EQ(view.engineLabel, "1.5 MPI DOHC");
    EXPECT_EQ(state.selection.engineKey, "\\ENGINE\\1.5_MPI_DOHC\\");
}

TEST_F(SelectionTest, EsperoEnginesWrapAndCarPressResetsTheEngine) {
    const char* labels[] = {"1.5 MPFI DOHC c 92г.", "1.5 MPI DOHC", "1.5 MPI SOHC",
                            "1.8 MPI SOHC",         "2.0 MPI SOHC", "2.0 TBI SOHC",
                            "1.5 MPFI DOHC до 92г."};
    const int families[] = {1, 2, 2, 2, 2, 3, 1};
    for (int press = 0; press < 7; ++press) {
        SelectNextEngine(registry, state.selection, view);
        EXPECT_EQ(view.engineLabel, labels[press]);
        EXPECT_EQ(state.selection.ecuFamily, families[press]);
    }
    EXPECT_EQ(state.selection.engineKey, "\\ENGINE\\1.5_MPFI_DOHC_1\\");

    for (int press = 0; press < 3; ++press)
        SelectNextEngine(registry, state.selection, view);
    EXPECT_EQ(state.selection.ecuFamily, 2);
    for (int press = 0; press < 11; ++press)
        SelectNextCar(registry, state.selection, view);
    EXPECT_EQ(view.carLabel, "ESPERO");
    EXPECT_EQ(view.engineLabel, "1.5 MPFI DOHC до 92г.");
    EXPECT_EQ(state.selection.ecuFamily, 1);
    SelectNextEngine(registry, state.selection, view);
    EXPECT_EQ(view.engineLabel, "1.5 MPFI DOHC c 92г.");
}

TEST_F(SelectionTest, SingleEngineCarReloadsItsSetOne) {
    for (int press = 0; press < 10; ++press)
        SelectNextCar(registry, state.selection, view);
    ASSERT_EQ(view.carLabel, "REZZO");
    registry.putDword("\\MOTOSKOP\\CARS\\Rezzo\\ENGINE\\Rezzo\\SET_GRAF1", "Graf4", 54);
    PressGraphSetButton(3, state.selection, view);
    SelectNextEngine(registry, state.selection, view);
    EXPECT_EQ(view.engineLabel, "REZZO");
    EXPECT_EQ(state.selection.engineIndex[11], 0);
    EXPECT_EQ(state.selection.currentGraphSet, "SET_GRAF1");
    EXPECT_EQ(view.captions[3], "55   Low fan   Вентилятор низк.");
}

TEST_F(SelectionTest, SameStoredIndexMeansDifferentRowsPerFamily) {
    registry.putDword("\\MOTOSKOP\\CARS\\Lanos\\ENGINE\\1.3_SOHC\\SET_GRAF1", "Graf2", 40);
    SelectNextCar(registry, state.selection, view);
    EXPECT_EQ(view.captions[1], "41   THR   Положение ДПДЗ заслонки (по R).");

    registry.putDword(kEsperoSet1, "Graf2", 40);
    for (int press = 0; press < 9; ++press)
        SelectNextCar(registry, state.selection, view);
    view.captions[1] = "before";
    SelectNextCar(registry, state.selection, view);
    ASSERT_EQ(view.carLabel, "ESPERO");
    EXPECT_EQ(state.selection.graphParam[1], 40);
    EXPECT_EQ(view.captions[1], "before"); // 34 rows in family 1: left as it was
}

TEST_F(SelectionTest, MissingSetOneKeepsTheIndexesForTheNewFamily) {
    registry.deleteKey("\\MOTOSKOP\\CARS\\Lanos\\ENGINE\\1.3_SOHC\\SET_GRAF1");
    state.selection.graphParam = {2, 0, 0, 0};
    SelectNextCar(registry, state.selection, view);
    EXPECT_EQ(view.carLabel, "LANOS");
    EXPECT_EQ(state.selection.ecuFamily, 4);
    EXPECT_EQ(view.captions[0], "3   A/C run   Кондиционер.");
}

TEST_F(SelectionTest, GraphSetButtons) {
    registry.putDword("\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF12", "Graf3", 31);
    PressGraphSetButton(12, state.selection, view);
    EXPECT_EQ(view.setLabel, "Набор графиков 12");
    EXPECT_EQ(state.selection.currentGraphSet, "SET_GRAF12");
    EXPECT_FALSE(view.setButtonVisible[11]);
    EXPECT_EQ(view.hiddenSetButtons(), 1);
    LoadGraphSet(registry, state.selection, view);
    EXPECT_EQ(view.captions[2], "32   UTHR   Напряжение ДПДЗ. ");

    PressGraphSetButton(0, state.selection, view); // no such button
    PressGraphSetButton(13, state.selection, view);
    EXPECT_EQ(state.selection.currentGraphSet, "SET_GRAF12");

    PressGraphSetButton(5, state.selection, view);
    LoadGraphSet(registry, state.selection, view);
    SelectNextCar(registry, state.selection, view);
    EXPECT_EQ(view.setLabel, "Набор графиков 1");
    EXPECT_EQ(state.selection.currentGraphSet, "SET_GRAF1");
    EXPECT_FALSE(view.setButtonVisible[0]);
    EXPECT_EQ(view.hiddenSetButtons(), 1);
}

TEST_F(SelectionTest, EightPortPressesComeBackAndStoreEachStep) {
    const char* labels[] = {"Com-2", "Com-3", "Com-4", "Com-5", "Com-6", "Com-7", "Com-8", "Com-1"};
    for (int press = 0; press < 8; ++press) {
        SelectNextPort(registry, state.selection, view);
        EXPECT_EQ(view.portLabel, labels[press]);
        EXPECT_EQ(registry.dword(kCom, "ComPort"), static_cast<uint32_t>((press + 1) % 8));
    }
    EXPECT_EQ(state.selection.portName.get(), "COM1");
    EXPECT_EQ(registry.writes().size(), 8u);
}

TEST_F(SelectionTest, PortPressFromStrangeStoredValues) {
    for (uint32_t stored : {8u, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u}) {
        registry.putDword(kCom, "ComPort", stored);
        SelectNextPort(registry, state.selection, view);
        EXPECT_EQ(registry.dword(kCom, "ComPort"), 0u) << stored;
        EXPECT_EQ(state.selection.portName.get(), "COM1");
    }
    // The stored value wins over memory; a wrong-typed one is ignored.
    registry.putString(kCom, "ComPort", "6");
    state.selection.portIndex = 3;
    SelectNextPort(registry, state.selection, view);
    EXPECT_EQ(view.portLabel, "Com-5");
    EXPECT_EQ(registry.dword(kCom, "ComPort"), 4u);
}

TEST_F(SelectionTest, PortPressWithoutAWritableRegistry) {
    registry.deleteKey(kCom);
    registry.setReadOnly(true);
    SelectNextPort(registry, state.selection, view);
    SelectNextPort(registry, state.selection, view);
    EXPECT_EQ(view.portLabel, "Com-3");
    EXPECT_EQ(state.selection.portName.get(), "COM3");
    EXPECT_FALSE(registry.keyExists(kCom));
}

} // namespace
