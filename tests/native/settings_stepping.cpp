// The graph parameter arrows.
#include "live/GraphStepping.h"

#include "settings/GraphSets.h"
#include "settings/SettingsStore.h"
#include "settings/VehicleSelection.h"
#include "settings_fixture.h"

namespace {

class SteppingTest : public SettingsTest {
  protected:
    void SetUp() override {
        LoadSettingsAtStartup(registry, state.selection, state.colours, view);
        registry.clearLogs();
    }

    // What an arrow's mouse-down and mouse-up do before the step.
    void arrow(int graph, bool next) {
        const std::string editedGraph = "Graf" + std::to_string(graph);
        const int editedParam = state.selection.graphParam[graph - 1];
        if (next)
            StepGraphNext(registry, state.selection, view, editedGraph, editedParam);
        else
            StepGraphPrevious(registry, state.selection, view, editedGraph, editedParam);
    }

    void selectCar(const char* label) {
        while (view.carLabel != label)
            SelectNextCar(registry, state.selection, view);
        registry.clearLogs();
    }
};

TEST_F(SteppingTest, WrapsAtBothEndsOfEveryFamily) {
    // ESPERO's engines give families 1, 2 and 3; LANOS gives family 4.
    const int enginePresses[] = {0, 2, 4, -1};
    const int rows[] = {34, 35, 35, 55};
    for (int family = 1; family <= 4; ++family) {
        if (enginePresses[family - 1] < 0) selectCar("LANOS");
        for (int i = 0; i < enginePresses[family - 1]; ++i)
            SelectNextEngine(registry, state.selection, view);
        ASSERT_EQ(state.selection.ecuFamily, family);
        const std::string set = state.selection.carKey + state.selection.engineKey + "SET_GRAF1";
        const int last = rows[family - 1] - 1;

        arrow(1, false);
        EXPECT_EQ(registry.dword(set, "Graf1"), static_cast<uint32_t>(last)) << family;
        EXPECT_EQ(state.selection.graphParam[0], last);
        arrow(1, true);
        EXPECT_EQ(registry.dword(set, "Graf1"), 0u) << family;
        EXPECT_EQ(view.captions[0], kFirstCaption);
    }
}

TEST_F(SteppingTest, WritesOnlyTheSteppedValueOfTheActiveSet) {
    selectCar("LANOS");
    registry.putDword(state.selection.carKey + state.selection.engineKey + "SET_GRAF7", "Graf3",
                      54);
    PressGraphSetButton(7, state.selection, view);
    LoadGraphSet(registry, state.selection, view);
    ASSERT_EQ(state.selection.graphParam[2], 54);
    arrow(3, true);
    arrow(2, true);
    ASSERT_EQ(registry.writes().size(), 2u);
    EXPECT_EQ(registry.writes()[0].path, "\\MOTOSKOP\\CARS\\Lanos\\ENGINE\\1.3_SOHC\\SET_GRAF7");
    EXPECT_EQ(registry.writes()[0].name, "Graf3");
    EXPECT_EQ(registry.writes()[0].value, 0u);
    EXPECT_EQ(registry.writes()[1].name, "Graf2");
    EXPECT_EQ(registry.writes()[1].value, 1u);
    EXPECT_EQ(view.captions[1], "2   A/C pres   Давление кондиционера.");

    // Coming back to the same car, engine and set shows the same rows.
    SelectNextCar(registry, state.selection, view);
    selectCar("LANOS");
    PressGraphSetButton(7, state.selection, view);
    LoadGraphSet(registry, state.selection, view);
    EXPECT_EQ(state.selection.graphParam, (std::array<int32_t, 4>{0, 1, 0, 0}));
    EXPECT_EQ(registry.dword("\\MOTOSKOP\\CARS\\Lanos\\ENGINE\\1.3_SOHC\\SET_GRAF1", "Graf2"), 0u);
}

TEST_F(SteppingTest, AfterSetFiveACarPressStoresIntoSetOneOfTheNewCar) {
    PressGraphSetButton(5, state.selection, view);
    LoadGraphSet(registry, state.selection, view);
    SelectNextCar(registry, state.selection, view);
    arrow(4, true);
    ASSERT_EQ(registry.writes().size(), 1u);
    EXPECT_EQ(registry.writes()[0].path, "\\MOTOSKOP\\CARS\\Lanos\\ENGINE\\1.3_SOHC\\SET_GRAF1");
}

TEST_F(SteppingTest, RecreatesADeletedSetWithOnlyTheEditedValue) {
    const std::string set = "\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF4";
    registry.deleteKey(set);
    PressGraphSetButton(4, state.selection, view);
    LoadGraphSet(registry, state.selection, view);
    arrow(2, true);
    EXPECT_EQ(registry.valueNames(set), std::vector<std::string>{"Graf2"});
    EXPECT_EQ(registry.dword(set, "Graf2"), 1u);
    EXPECT_TRUE(registry.keyExists(
        "\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF5")); // others untouched
}

TEST_F(SteppingTest, OutOfCatalogueRowsStepBackIntoTheCatalogue) {
    registry.putDword(kEsperoSet1, "Graf1", 40);          // beyond family 1
    registry.putDword(kEsperoSet1, "Graf2", 0x80000000u); // most negative
    registry.putDword(kEsperoSet1, "Graf3", 0x7FFFFFFFu);
    registry.putDword(kEsperoSet1, "Graf4", 0xFFFFFFFBu); // -5
    LoadGraphSet(registry, state.selection, view);
    arrow(1, false);
    arrow(2, false);
    arrow(3, true);
    arrow(4, true);
    EXPECT_EQ(state.selection.graphParam, (std::array<int32_t, 4>{33, 33, 0, 0}));
    EXPECT_EQ(view.captions[0], "34   Eer 2   Ошибки. Байт 2.");
}

TEST_F(SteppingTest, WithoutAWritableRegistryTheGraphKeepsItsRow) {
    registry.setReadOnly(true);
    arrow(1, true);
    EXPECT_EQ(state.selection.graphParam[0], 0);
    EXPECT_TRUE(registry.writes().empty());

    // No arrow pressed yet: no value name to write under.
    registry.setReadOnly(false);
    StepGraphNext(registry, state.selection, view, "", state.selection.graphParam[0]);
    EXPECT_TRUE(registry.writes().empty());
    EXPECT_FALSE(registry.dword(kEsperoSet1, "").has_value());
}

} // namespace
