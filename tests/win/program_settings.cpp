// The main window built in-process against the real registry, with values
// prepared under HKEY_CURRENT_USER\MOTOSKOP as a user (or an earlier run) left
// them: the stored port and colours come back, the car, engine and graph set
// always start as ESPERO, its first engine and set 1. The suite leaves no tree
// behind, so the next program in the same prefix makes a first start.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/TForm1.h"
#include "settings/ColourSettings.h"
#include "settings/ParameterCatalogue.h"
#include "tests/win/ProgramDriver.h"

namespace {

using namespace program_driver;

const char* const kRoot = "MOTOSKOP";
const char* const kCom = "MOTOSKOP\\Com";
const char* const kEsperoSet1 = "MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF1";

void SetDword(const char* key, const char* name, DWORD value) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_DWORD, &value, sizeof(value)),
              ERROR_SUCCESS)
        << key << " " << name;
}

bool GetDword(const char* key, const char* name, DWORD& out) {
    DWORD type = 0, size = sizeof(out);
    return RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, &out, &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

DWORD ValueCount(const char* key) {
    HKEY h = nullptr;
    DWORD values = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(h);
    return values;
}

// A new main window, as a start of the program.
TForm1& Start() {
    return StartMainWindow();
}

class ProgramSettings : public ::testing::Test {
  protected:
    // The part of a complete tree that a start reads: the port, the sixteen
    // colours and set 1 of ESPERO's first engine.
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
        SetDword(kCom, "ComPort", 0);
        for (const ColourValue& c : ColourValues())
            SetDword(kCom, c.name, static_cast<DWORD>(c.standard));
        for (const char* graf : {"Graf1", "Graf2", "Graf3", "Graf4"})
            SetDword(kEsperoSet1, graf, 0);
    }
    // No tree: whatever starts next in this prefix is a first start.
    static void TearDownTestSuite() { RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }
};

TEST_F(ProgramSettings, StoredPortColoursAndGraphSetComeBack) {
    SetDword(kCom, "ComPort", 5);
    SetDword(kCom, "GRID_T", 0);
    SetDword(kCom, "GRAPHIC_G", 45);
    SetDword(kEsperoSet1, "Graf1", 9); // FREQ

    TForm1& f = Start();
    EXPECT_EQ(f.Label1.text(), "Com-6");
    EXPECT_EQ(f.state.selection.portName.get(), "COM6");
    EXPECT_EQ(f.state.selection.portIndex, 5);
    EXPECT_EQ(f.state.colours.gridColour.t, 0.0f); // the grid is invisible
    EXPECT_FLOAT_EQ(f.state.colours.gridColour.r, 0.5f);
    EXPECT_FLOAT_EQ(f.state.colours.graphicColour.g, 0.45f);
    EXPECT_FLOAT_EQ(f.state.colours.graphicColour.t, 0.99f);
    EXPECT_EQ(f.state.selection.graphParam[0], 9);
    EXPECT_EQ(f.Label4.text(), CatalogueCaption(1, 9));
    EXPECT_EQ(f.Label5.text(), CatalogueCaption(1, 0));
    EXPECT_EQ(f.Label2.text(), "ESPERO");
    EXPECT_EQ(f.Label3.text(), "1.5 MPFI DOHC до 92г.");
    EXPECT_EQ(f.Label8.text(), "Набор графиков 1");
    // Reading the settings stored nothing new.
    DWORD v = 99;
    ASSERT_TRUE(GetDword(kCom, "GRID_T", v));
    EXPECT_EQ(v, 0u);
    f.hide();
}

TEST_F(ProgramSettings, OutOfRangeValuesAreTakenAsTheyAre) {
    SetDword(kCom, "ComPort", 9);
    SetDword(kCom, "GRID_T", 200);

    TForm1& f = Start();
    // A port outside COM1..COM8 leaves the built-in name and label.
    EXPECT_EQ(f.Label1.text(), "Com-1");
    EXPECT_EQ(f.state.selection.portName.get(), "Com1");
    EXPECT_FLOAT_EQ(f.state.colours.gridColour.t, 2.0f);

    // The next port press stores and shows COM1.
    Click(f, f.Image2); // the port
    EXPECT_EQ(f.Label1.text(), "Com-1");
    EXPECT_EQ(f.state.selection.portName.get(), "COM1");
    DWORD port = 99;
    ASSERT_TRUE(GetDword(kCom, "ComPort", port));
    EXPECT_EQ(port, 0u);
    f.hide();
}

TEST_F(ProgramSettings, EmptyComKeyGetsTheSixteenDefaults) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kCom);
    HKEY h = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kCom, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(h);

    TForm1& f = Start();
    EXPECT_EQ(ValueCount(kCom), 16u); // ComPort is not written back
    for (const ColourValue& c : ColourValues()) {
        DWORD v = 0;
        ASSERT_TRUE(GetDword(kCom, c.name, v)) << c.name;
        EXPECT_EQ(v, static_cast<DWORD>(c.standard)) << c.name;
    }
    EXPECT_EQ(f.Label1.text(), "Com-1");
    EXPECT_FLOAT_EQ(f.state.colours.gridColour.t, 0.3f);
    EXPECT_FLOAT_EQ(f.state.colours.graphicColour.r, 0.99f);
    f.hide();
}

TEST_F(ProgramSettings, CarEngineAndGraphSetAreNotKeptOverARestart) {
    TForm1& before = Start();
    for (int i = 0; i < 7; ++i)
        Click(before, before.Image3); // car: ... NUBIRA
    for (int i = 0; i < 3; ++i)
        Click(before, before.Image4);         // engine: 1.8 DOHC
    Click(before, before.GraphSetButtons[4]); // graph set 5
    Click(before, before.Image2);             // port: COM2, stored
    ASSERT_EQ(before.Label2.text(), "NUBIRA");
    ASSERT_EQ(before.Label3.text(), "1.8 DOHC");
    ASSERT_EQ(before.Label8.text(), "Набор графиков 5");
    ASSERT_EQ(before.state.selection.ecuFamily.load(), 4);
    before.hide();

    TForm1& after = Start();
    EXPECT_EQ(after.Label2.text(), "ESPERO");
    EXPECT_EQ(after.Label3.text(), "1.5 MPFI DOHC до 92г.");
    EXPECT_EQ(after.Label8.text(), "Набор графиков 1");
    EXPECT_EQ(after.state.selection.ecuFamily.load(), 1);
    EXPECT_EQ(after.state.selection.currentGraphSet, "SET_GRAF1");
    EXPECT_EQ(after.state.selection.carKey, "\\MOTOSKOP\\CARS\\ESPERO");
    EXPECT_EQ(after.Label1.text(), "Com-2");
    EXPECT_FALSE(after.Image(20).visible()); // set 1 shows pressed
    EXPECT_TRUE(after.Image(24).visible());
    after.hide();
}

} // namespace
