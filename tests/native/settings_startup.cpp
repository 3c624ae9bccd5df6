// Start-up load: the first-start tree, later starts, colours and bad stored values.
#include "settings/SettingsStore.h"

#include "settings/ColourSettings.h"
#include "settings/VehicleSelection.h"
#include "settings_fixture.h"

namespace {

const char* kCom = "\\MOTOSKOP\\Com";

void start(MemoryRegistry& registry, MainState& state, RecordingView& view) {
    LoadSettingsAtStartup(registry, state.selection, state.colours, view);
    ApplyPortIndex(state.selection, view);
}

TEST_F(SettingsTest, FirstStartBuildsTheWholeTreeInOrder) {
    start(registry, state, view);

    const auto& keys = registry.createdKeys();
    const auto& writes = registry.writes();
    ASSERT_EQ(keys.size(), 434u);
    ASSERT_EQ(writes.size(), 1694u);
    EXPECT_EQ(registry.valueCount(), 1694);

    EXPECT_EQ(keys[0], "\\MOTOSKOP\\CARS");
    EXPECT_EQ(writes[0].path, "\\MOTOSKOP\\CARS");
    EXPECT_EQ(writes[0].name, "Cars");
    EXPECT_EQ(writes[1].path, kCom);
    EXPECT_EQ(writes[1].name, "ComPort");
    EXPECT_EQ(keys[2], "\\MOTOSKOP\\CARS\\ESPERO\\ENGINE");
    EXPECT_EQ(writes[2].name, "EngEspero");
    EXPECT_EQ(keys[3], kEsperoSet1);
    EXPECT_EQ(writes[3].name, "Graf1");
    EXPECT_EQ(writes[6].name, "Graf4");
    EXPECT_EQ(keys[4], "\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF2");
    EXPECT_EQ(keys[14], "\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF12");
    EXPECT_EQ(keys[15], "\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_2\\SET_GRAF1");
    EXPECT_EQ(keys[3 + 7 * 12], "\\MOTOSKOP\\CARS\\Lanos\\ENGINE");
    EXPECT_EQ(keys.back(), "\\MOTOSKOP\\CARS\\Rezzo\\ENGINE\\Rezzo\\SET_GRAF12");
    for (const auto& w : writes)
        EXPECT_EQ(w.value, 0u) << w.path << " " << w.name;
    EXPECT_TRUE(registry.keyExists("\\MOTOSKOP\\CARS\\Matiz\\ENGINE\\0.8_MPFI\\SET_GRAF7"));
    EXPECT_EQ(registry.valueNames("\\MOTOSKOP\\CARS\\Matiz\\ENGINE"),
              std::vector<std::string>{"EngMatiz"});
    // No colour value on the first start.
    EXPECT_EQ(registry.valueNames(kCom), std::vector<std::string>{"ComPort"});

    for (const auto& caption : view.captions)
        EXPECT_EQ(caption, kFirstCaption);
    EXPECT_EQ(state.selection.portName.get(), "COM1");
    EXPECT_EQ(view.portLabel, "Com-1");
    EXPECT_FLOAT_EQ(state.colours.gridColour.t, 0.3f);
}

TEST_F(SettingsTest, SecondStartWritesColourDefaultsThenLaterStartsReadThem) {
    start(registry, state, view);
    registry.clearLogs();

    auto second = std::make_unique<MainState>();
    RecordingView secondView;
    start(registry, *second, secondView);
    EXPECT_TRUE(registry.createdKeys().empty());
    ASSERT_EQ(registry.writes().size(), 16u);
    for (int i = 0; i < kColourValueCount; ++i) {
        const ColourValue& v = ColourValues()[i];
        EXPECT_EQ(registry.writes()[i].name, v.name);
        EXPECT_EQ(registry.writes()[i].value, static_cast<uint32_t>(v.standard));
    }
    // The built-in defaults are exactly the stored defaults × 0.01.
    for (const ColourValue& v : ColourValues())
        EXPECT_EQ(ColourFromStored(v.standard), second->colours.*(v.colour).*(v.component))
            << v.name;

    registry.clearLogs();
    registry.putDword(kCom, "GRID_T", 0);
    registry.putDword(kCom, "text3_b", 200); // value names ignore case
    registry.putDword(kCom, "ComPort", 5);
    auto third = std::make_unique<MainState>();
    RecordingView thirdView;
    start(registry, *third, thirdView);
    EXPECT_TRUE(registry.writes().empty());
    EXPECT_EQ(third->colours.gridColour.t, 0.0f);
    EXPECT_FLOAT_EQ(third->colours.text3Colour.b, 2.0f);
    EXPECT_FLOAT_EQ(third->colours.graphicColour.r, 0.99f);
    EXPECT_EQ(third->selection.portIndex, 5);
    EXPECT_EQ(third->selection.portName.get(), "COM6");
    EXPECT_EQ(thirdView.portLabel, "Com-6");
}

TEST_F(SettingsTest, LaterStartReadsOnlySetOneOfTheFirstEsperoEngine) {
    registry.putDword(kEsperoSet1, "Graf1", 9);
    registry.putDword(kEsperoSet1, "Graf3", 33);
    registry.putDword("\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF2", "Graf2", 5);
    start(registry, state, view);
    EXPECT_EQ(state.selection.graphParam, (std::array<int32_t, 4>{9, 0, 33, 0}));
    EXPECT_EQ(view.captions[0], "10   FREQ   Частота вращения коленвала.");
    EXPECT_EQ(view.captions[1], kFirstCaption);
    EXPECT_EQ(view.captions[2], "34   Eer 2   Ошибки. Байт 2.");
    EXPECT_EQ(state.selection.currentGraphSet, "SET_GRAF1");
    // No \MOTOSKOP\Com: port and colours stay as built, nothing is written or created.
    EXPECT_TRUE(registry.writes().empty());
    EXPECT_FALSE(registry.keyExists(kCom));
    EXPECT_EQ(state.selection.portName.get(), "COM1");
}

TEST_F(SettingsTest, LaterStartWithoutSetOneKeepsTheCaptions) {
    registry.putDword(kCom, "ComPort", 2);
    start(registry, state, view);
    for (const auto& caption : view.captions)
        EXPECT_EQ(caption, "P");
    EXPECT_EQ(view.repaints, 0);
    EXPECT_EQ(state.selection.portName.get(), "COM3");
}

TEST_F(SettingsTest, StoredValuesTheProgramDidNotWrite) {
    registry.putDword(kEsperoSet1, "Graf1", 0xFFFFFFFFu); // -1
    registry.putDword(kEsperoSet1, "Graf2", 40);          // beyond family 1
    registry.putString(kEsperoSet1, "Graf3", "7");        // wrong type: absent
    registry.putBinary(kEsperoSet1, "Graf4", {1, 0, 0, 0});
    registry.putQword(kCom, "ComPort", 3);
    registry.putString(kCom, "GRID_R", "50");
    registry.putBinary(kCom, "GRID_G", {1, 2, 3});
    registry.putDword(kCom, "GRID_B", 300);
    registry.putDword(kCom, "GRID_T", 0x80000000u);
    state.selection.graphParam = {1, 2, 3, 4};
    start(registry, state, view);

    EXPECT_EQ(state.selection.graphParam, (std::array<int32_t, 4>{-1, 40, 3, 4}));
    EXPECT_EQ(view.captions[0], "P");
    EXPECT_EQ(view.captions[1], "P");
    EXPECT_EQ(view.captions[2], "4   BARO   Атмосферное давление.");
    EXPECT_EQ(view.captions[3], "5   BLMCELL   Номер ячейки памяти BLM, рег. подачу топлива.");

    EXPECT_EQ(state.selection.portIndex, 0);
    // Wrong-typed colours are overwritten with their defaults and stay at them.
    EXPECT_EQ(registry.dword(kCom, "GRID_R"), 50u);
    EXPECT_EQ(registry.dword(kCom, "GRID_G"), 70u);
    EXPECT_FLOAT_EQ(state.colours.gridColour.r, 0.5f);
    EXPECT_FLOAT_EQ(state.colours.gridColour.g, 0.7f);
    EXPECT_FLOAT_EQ(state.colours.gridColour.b, 3.0f);
    EXPECT_LT(state.colours.gridColour.t, 0.0f); // a negative percentage stays what it says
    EXPECT_EQ(registry.valueType(kCom, "ComPort"), MemoryRegistry::ValueType::Qword);
}

TEST_F(SettingsTest, ComPortOutsideTheTableLeavesThePortAsBuilt) {
    registry.putDword(kCom, "ComPort", 8);
    start(registry, state, view);
    EXPECT_EQ(state.selection.portIndex, 8);
    EXPECT_EQ(state.selection.portName.get(), "Com1");
    EXPECT_EQ(view.portLabel, "Com-1");
}

TEST_F(SettingsTest, ReadOnlyRegistryRunsOnBuiltInValues) {
    registry.setReadOnly(true);
    start(registry, state, view);
    EXPECT_EQ(registry.keyCount(), 0);
    EXPECT_EQ(view.captions[0], kFirstCaption);
    EXPECT_EQ(state.selection.portName.get(), "COM1");

    // A read-only later start with missing colour values.
    registry.setReadOnly(false);
    registry.putDword(kCom, "ComPort", 1);
    registry.putString(kCom, "Text_R", "x");
    registry.setReadOnly(true);
    auto later = std::make_unique<MainState>();
    start(registry, *later, view);
    EXPECT_EQ(later->selection.portName.get(), "COM2");
    EXPECT_FLOAT_EQ(later->colours.textColour.r, 0.4f);
    EXPECT_EQ(registry.valueType(kCom, "Text_R"), MemoryRegistry::ValueType::String);
}

TEST(ColourConversion, RoundTripsEveryPercentage) {
    for (uint32_t v = 0; v <= 255; ++v)
        EXPECT_EQ(StoredFromColour(ColourFromStored(v)), v);
    EXPECT_EQ(StoredFromColour(0.994f), 99u);
    EXPECT_EQ(StoredFromColour(0.996f), 100u);
    EXPECT_EQ(StoredFromColour(-0.5f), static_cast<uint32_t>(-50));
    EXPECT_EQ(StoredFromColour(1e30f), 0x7FFFFFFFu);
}

TEST_F(SettingsTest, RestoreAndStoreColours) {
    // No \MOTOSKOP\Com: neither changes anything.
    state.colours.gridColour.r = 0.1f;
    RestoreStandardColours(registry, state.colours);
    StoreColours(registry, state.colours);
    EXPECT_FLOAT_EQ(state.colours.gridColour.r, 0.1f);
    EXPECT_EQ(registry.keyCount(), 0);

    registry.createKey(kCom);
    StoreColours(registry, state.colours);
    EXPECT_EQ(registry.dword(kCom, "GRID_R"), 10u);
    EXPECT_EQ(registry.dword(kCom, "GRAPHIC_T"), 99u);
    EXPECT_EQ(registry.valueCount(), 16);

    state.colours.graphicColour.g = 2.55f;
    registry.setReadOnly(true);
    RestoreStandardColours(registry, state.colours); // components still follow
    EXPECT_FLOAT_EQ(state.colours.gridColour.r, 0.5f);
    EXPECT_EQ(state.colours.graphicColour.g, 0.0f);
    EXPECT_EQ(registry.dword(kCom, "GRID_R"), 10u);

    registry.setReadOnly(false);
    state.colours.gridColour.r = 0.1f;
    RestoreStandardColours(registry, state.colours);
    EXPECT_EQ(registry.dword(kCom, "GRID_R"), 50u);
    EXPECT_FLOAT_EQ(state.colours.gridColour.r, 0.5f);
}

} // namespace
