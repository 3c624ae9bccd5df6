// The port button beyond COM8, the start-up choice of a stored port, and the names used.
#include "settings/PortChoice.h"

#include "settings/SettingsStore.h"
#include "settings/VehicleSelection.h"
#include "settings_fixture.h"

namespace {

const char* kCom = "\\MOTOSKOP\\Com";

class PortChoiceTest : public SettingsTest {
  protected:
    void startWith(uint32_t stored, const std::vector<int>& present) {
        registry.putDword(kCom, "ComPort", stored);
        LoadSettingsAtStartup(registry, state.selection, state.colours, view);
        ApplyPortIndexAmong(state.selection, view, present);
        registry.clearLogs();
    }
};

} // namespace

TEST(PortNames, SystemNamesToNumbers) {
    EXPECT_EQ(PresentComNumbers({"COM12", "COM3", "com3", "COM10", "COM0", "COM", "LPT1", "COM1x",
                                 "COM257", "COM256", "\\Device\\Serial0", "COM9"}),
              (std::vector<int>{3, 9, 10, 12, 256}));
    EXPECT_TRUE(PresentComNumbers({}).empty());
}

TEST(PortNames, TwoDigitPortsOpenInTheDeviceNamespace) {
    EXPECT_EQ(PortDeviceName(0), "COM1");
    EXPECT_EQ(PortDeviceName(8), "COM9");
    EXPECT_EQ(PortDeviceName(9), "\\\\.\\COM10");
    EXPECT_EQ(PortDeviceName(11), "\\\\.\\COM12");
    EXPECT_EQ(PortLabelText(11), "Com-12");
    EXPECT_EQ(PortLabelText(0), "Com-1");
    for (int index : {0, 8, 9, 11, 255})
        EXPECT_EQ(PortNumberOfDeviceName(PortDeviceName(index)), index + 1);
    EXPECT_EQ(PortNumberOfDeviceName("Com1"), 1); // the name before any port was applied
    EXPECT_EQ(PortNumberOfDeviceName("\\\\.\\"), 0);
}

TEST(PortCycleOrder, FirstEightThenPresentOnesInNumberOrder) {
    // Present ports among COM1..8 add nothing; the others follow in number order.
    EXPECT_EQ(PortCycle({12, 2, 9, 30}), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 29}));
    EXPECT_EQ(PortCycle({}).size(), 8u);
    EXPECT_EQ(NextPortIndex(7, {12}), 11);
    EXPECT_EQ(NextPortIndex(11, {12}), 0);
    EXPECT_EQ(NextPortIndex(7, {}), 0);
    // A port that went away, or nonsense, restarts at COM1.
    EXPECT_EQ(NextPortIndex(14, {12, 20}), 0);
    EXPECT_EQ(NextPortIndex(-1, {12}), 0);
    EXPECT_TRUE(IsPortPresent(11, {3, 12}));
    EXPECT_FALSE(IsPortPresent(0, {3, 12}));
}

TEST_F(PortChoiceTest, ButtonReachesComTwelveStoresItAndComesBack) {
    startWith(6, {1, 12});
    SelectNextPresentPort(registry, state.selection, view, {1, 12});
    EXPECT_EQ(view.portLabel, "Com-8");
    SelectNextPresentPort(registry, state.selection, view, {1, 12});
    EXPECT_EQ(view.portLabel, "Com-12");
    EXPECT_EQ(state.selection.portName.get(), "\\\\.\\COM12");
    EXPECT_EQ(registry.dword(kCom, "ComPort"), 11u);
    SelectNextPresentPort(registry, state.selection, view, {1, 12});
    EXPECT_EQ(view.portLabel, "Com-1");
    EXPECT_EQ(state.selection.portName.get(), "COM1");
    EXPECT_EQ(registry.dword(kCom, "ComPort"), 0u);
}

TEST_F(PortChoiceTest, StoredHighPortKeptOnlyWhenPresentAtStartUp) {
    startWith(11, {12});
    EXPECT_EQ(view.portLabel, "Com-12");
    EXPECT_EQ(state.selection.portName.get(), "\\\\.\\COM12");
    EXPECT_EQ(state.selection.portIndex, 11);
}

TEST_F(PortChoiceTest, StoredHighPortGoneLeavesComOneAndNextPressStoresIt) {
    startWith(11, {3});
    EXPECT_EQ(view.portLabel, "Com-1");
    EXPECT_EQ(state.selection.portName.get(), "Com1");
    SelectNextPresentPort(registry, state.selection, view, {3});
    EXPECT_EQ(view.portLabel, "Com-1");
    EXPECT_EQ(registry.dword(kCom, "ComPort"), 0u);
}

TEST_F(PortChoiceTest, StoredLowPortNeedsNoPresence) {
    startWith(4, {});
    EXPECT_EQ(view.portLabel, "Com-5");
    EXPECT_EQ(state.selection.portName.get(), "COM5");
}

TEST_F(PortChoiceTest, ChosenPortIsStoredAsAPressWould) {
    startWith(0, {});
    ChoosePort(registry, state.selection, view, 11); // not present: still chosen for this run
    EXPECT_EQ(view.portLabel, "Com-12");
    EXPECT_EQ(state.selection.portName.get(), "\\\\.\\COM12");
    EXPECT_EQ(registry.dword(kCom, "ComPort"), 11u);
    ChoosePort(registry, state.selection, view, -1);
    EXPECT_EQ(state.selection.portIndex, 11);
    EXPECT_EQ(registry.writes().size(), 1u);
}
