// The actuator window's logic against a recording view.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "state/MainState.h"
#include "link/ActuatorPanelLogic.h"
#include "link/DesiredIdle.h"

namespace {

struct FakeView : ActuatorView {
    std::map<int, bool> images, trackBarsEnabled, labelsActive;
    std::map<int, int> trackBars;
    std::map<int, std::string> labels;
    bool refreshTimer = false, statusTimer = false;
    int statusTimerStarts = 0;
    bool mainEnabled = false, closed = false;

    void setImageEnabled(int image, bool enabled) override { images[image] = enabled; }
    void setTrackBarEnabled(int bar, bool enabled) override { trackBarsEnabled[bar] = enabled; }
    void setTrackBarPosition(int bar, int position) override { trackBars[bar] = position; }
    void setLabelActive(int label, bool active) override { labelsActive[label] = active; }
    void setLabelText(int label, const std::string& text) override { labels[label] = text; }
    void setRefreshTimer(bool running) override { refreshTimer = running; }
    void setStatusTimer(bool running) override {
        if (running && !statusTimer) ++statusTimerStarts;
        statusTimer = running;
    }
    void enableMainWindow() override { mainEnabled = true; }
    void closeWindow() override { closed = true; }
};

struct Actuator : ::testing::Test {
    MainState state;
    FakeView view;
    ActuatorPanelLogic logic{state.selection, state.ecu, state.requests, view};

    void open(int family) {
        state.selection.ecuFamily = family;
        logic.open();
    }
    int flag(int slot) const { return state.requests.commandRequests[slot].load(); }
    void clearFlags() {
        for (auto& f : state.requests.commandRequests)
            f.store(0);
        state.requests.returnControlRequested = 0;
    }
    void storeGoodReply(int index, uint8_t value) {
        std::array<uint8_t, RawFrame::kSize> frame{};
        frame[0] = 0xF4;
        frame[1] = 0x56;
        frame[2] = 0x01;
        frame[3] = 0xB5;
        frame[index] = value;
        state.ecu.rawFrame.store(frame.data());
    }
};

} // namespace

TEST_F(Actuator, FamiliesOneToThreeServeTheShiftLampRowOnly) {
    open(2);
    EXPECT_TRUE(view.images[5] && view.images[13]);
    for (int image : {6, 10, 14, 18})
        EXPECT_FALSE(view.images[image]) << image;
    EXPECT_FALSE(view.trackBarsEnabled[2]);
    for (int label : {7, 8, 10, 13, 15})
        EXPECT_FALSE(view.labelsActive[label]) << label;
    EXPECT_TRUE(view.labelsActive[6]);
    EXPECT_TRUE(view.refreshTimer);

    // The family-4 controls do not react.
    for (int image : {6, 10, 14, 18, 7, 15})
        logic.imageReleased(image);
    logic.trackBarMoved(2, 100);
    for (int slot = 0; slot < kCommandSlots; ++slot)
        EXPECT_EQ(flag(slot), 0) << slot;
    EXPECT_EQ(state.requests.mixtureTarget.load(), 0);
    EXPECT_FALSE(view.statusTimer);

    logic.imageReleased(13);
    logic.imageReleased(5);
    EXPECT_EQ(flag(6), 1);
    EXPECT_EQ(flag(7), 1);
}

TEST_F(Actuator, FamilyFourServesTheOxygenLoopIdleResetAndMixture) {
    open(4);
    EXPECT_FALSE(view.images[5] || view.images[13]);
    for (int image : {6, 10, 14, 18})
        EXPECT_TRUE(view.images[image]) << image;
    EXPECT_TRUE(view.trackBarsEnabled[2]);
    for (int label : {7, 8, 10, 13, 15})
        EXPECT_TRUE(view.labelsActive[label]) << label;
    EXPECT_FALSE(view.labelsActive[6]);

    logic.imageReleased(13);
    EXPECT_EQ(flag(6), 0);
    logic.imageReleased(14);
    logic.imageReleased(6);
    logic.imageReleased(18);
    EXPECT_EQ(flag(6), 1);
    EXPECT_EQ(flag(7), 1);
    EXPECT_EQ(flag(10), 1);
}

TEST_F(Actuator, FamilyFiveKeepsTheDesignState) {
    open(5);
    EXPECT_TRUE(view.images.empty()); // nothing changed
    EXPECT_TRUE(view.labelsActive.empty());
    for (int image = 2; image <= 19; ++image)
        EXPECT_EQ(logic.imageEnabled(image),
                  image != 7 && image != 11 && image != 15 && image != 19)
            << image;
    EXPECT_TRUE(logic.trackBarEnabled(2));
}

TEST_F(Actuator, EachButtonRaisesItsSlot) {
    open(1);
    const std::pair<int, int> buttons[] = {
        {12, 0},
        {4,  1},
        {16, 2},
        {8,  3},
        {17, 4},
        {9,  5}
    };
    for (auto [image, slot] : buttons) {
        clearFlags();
        logic.imageReleased(image);
        for (int s = 0; s < kCommandSlots; ++s)
            EXPECT_EQ(flag(s), s == slot ? 1 : 0) << image;
    }
    clearFlags();
    logic.imageReleased(2);
    EXPECT_EQ(state.requests.returnControlRequested.load(), 1);
    EXPECT_FALSE(view.closed);
}

TEST_F(Actuator, OpeningFollowsTheEcuIdleInFamilyOne) {
    state.ecu.ecuIdleRaw = 128;
    open(1);
    EXPECT_EQ(view.trackBars[1], 128);
    EXPECT_EQ(view.labels[14], "800");
    EXPECT_EQ(state.requests.idleTarget.load(), 128);
    EXPECT_EQ(flag(9), 1);
    EXPECT_TRUE(view.statusTimer);

    logic.refreshTick();
    EXPECT_EQ(view.labels[12], "800");

    // The user drags to 100 while the ECU keeps 128: a frame with 100, then the
    // next tick pulls back to 128 and requests that.
    clearFlags();
    logic.trackBarMoved(1, 100);
    EXPECT_EQ(view.labels[14], "625");
    EXPECT_EQ(state.requests.idleTarget.load(), 100);
    EXPECT_EQ(flag(9), 1);
    clearFlags();
    logic.refreshTick();
    EXPECT_EQ(logic.trackBarPosition(1), 128);
    EXPECT_EQ(state.requests.idleTarget.load(), 128);
    EXPECT_EQ(flag(9), 1);

    // No change, no request.
    clearFlags();
    logic.refreshTick();
    logic.trackBarMoved(1, 128);
    EXPECT_EQ(flag(9), 0);
}

TEST_F(Actuator, OpeningWithZeroIdleRequestsNothing) {
    open(1);
    EXPECT_EQ(flag(9), 0);
    EXPECT_FALSE(view.statusTimer);
    EXPECT_EQ(view.trackBars.count(1), 0u);
}

TEST_F(Actuator, RequestedValueTexts) {
    open(4);
    const std::pair<int, const char*> idle[] = {
        {1,   "6"   },
        {3,   "18"  },
        {255, "1593"},
        {0,   "0"   }
    };
    for (auto [position, text] : idle) {
        logic.trackBarMoved(1, position);
        EXPECT_EQ(view.labels[14], text) << position;
    }
    const std::pair<int, const char*> mixture[] = {
        {147, "14,7"},
        {5,   "0,5" },
        {255, "25,5"}
    };
    for (auto [position, text] : mixture) {
        logic.trackBarMoved(2, position);
        EXPECT_EQ(view.labels[15], text) << position;
        EXPECT_EQ(state.requests.mixtureTarget.load(), position);
    }
    state.selection.decimalSeparator = '.';
    logic.trackBarMoved(2, 10);
    EXPECT_EQ(view.labels[15], "1.0");
}

TEST_F(Actuator, FamilyFourMixtureFollowsTheEcu) {
    state.ecu.ecuAirFuelRaw = 147;
    open(4);
    logic.refreshTick();
    EXPECT_EQ(logic.trackBarPosition(2), 147);
    EXPECT_EQ(view.labels[13], "14,7");
    EXPECT_EQ(flag(13), 1);
    clearFlags();
    logic.refreshTick();
    EXPECT_EQ(flag(13), 0);

    // Elsewhere the air/fuel label reads "0,0" and the mixture is left alone.
    MainState other;
    FakeView otherView;
    ActuatorPanelLogic f1(other.selection, other.ecu, other.requests, otherView);
    other.ecu.ecuAirFuelRaw = 147;
    f1.open();
    f1.refreshTick();
    EXPECT_EQ(otherView.labels[13], "0,0");
    EXPECT_EQ(f1.trackBarPosition(2), 0);
    EXPECT_EQ(other.requests.commandRequests[13].load(), 0);
}

TEST_F(Actuator, StatusLineShowsTheOutcomeForTwoSeconds) {
    open(1);
    state.requests.requestStatus = 1;
    logic.refreshTick(); // no request pending: the line is left alone
    EXPECT_EQ(view.labels.count(11), 0u);

    logic.imageReleased(16);
    logic.imageReleased(8); // within the same two seconds
    EXPECT_EQ(view.statusTimerStarts, 1);
    logic.refreshTick();
    EXPECT_EQ(view.labels[11], "ЭБУ принял запрос.");
    state.requests.requestStatus = 2;
    logic.refreshTick();
    EXPECT_EQ(view.labels[11], "ЭБУ отклонил запрос.");
    state.requests.requestStatus = 7;
    logic.refreshTick();
    EXPECT_EQ(view.labels[11], "ЭБУ отклонил запрос.");

    logic.statusTick();
    EXPECT_EQ(view.labels[11], "");
    EXPECT_FALSE(view.statusTimer);
    state.requests.requestStatus = 1;
    logic.refreshTick();
    EXPECT_EQ(view.labels[11], "");

    logic.imageReleased(12); // a new request starts a new window
    EXPECT_EQ(view.statusTimerStarts, 2);
}

TEST_F(Actuator, ExitHandsControlBack) {
    open(1);
    logic.imageReleased(12);
    logic.imageReleased(3);
    EXPECT_FALSE(view.refreshTimer);
    EXPECT_TRUE(view.mainEnabled);
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(state.requests.returnControlRequested.load(), 1);
    EXPECT_EQ(flag(0), 1); // the pending request stays for the link thread

    clearFlags();
    state.ecu.ecuIdleRaw = 50;
    logic.refreshTick();
    logic.imageReleased(16);
    EXPECT_EQ(flag(9), 0);
    EXPECT_EQ(flag(2), 0);
}

TEST_F(Actuator, StaleIdleOfAnotherFamilyDoesNotPullTheTrackbar) {
    state.ecu.ecuIdleRaw = 128; // left by a family-1 engine before
    for (int family : {3, 4, 5}) {
        MainState s;
        s.ecu.ecuIdleRaw = 128;
        s.selection.ecuFamily = family;
        FakeView v;
        ActuatorPanelLogic l(s.selection, s.ecu, s.requests, v);
        l.open();
        l.refreshTick();
        l.trackBarMoved(1, 40);
        s.requests.commandRequests[9] = 0;
        l.refreshTick();
        EXPECT_EQ(l.trackBarPosition(1), 40) << family;
        EXPECT_EQ(s.requests.commandRequests[9].load(), 0) << family;
        EXPECT_EQ(v.labels[12], "0") << family;
    }
}

TEST_F(Actuator, FamilyTwoFollowsReplyByteThirtyOfAGoodReply) {
    state.ecu.ecuIdleRaw = 128;
    state.selection.ecuFamily = 2;
    // No good reply held: nothing to follow.
    DesiredIdle idle = ReadDesiredIdle(state.selection, state.ecu);
    EXPECT_FALSE(idle.follow);
    EXPECT_EQ(idle.text, "0");

    storeGoodReply(30, 120);
    logic.open();
    EXPECT_EQ(logic.trackBarPosition(1), 120);
    EXPECT_EQ(state.requests.idleTarget.load(), 120);
    logic.refreshTick();
    EXPECT_EQ(view.labels[12], "750");

    // The link lost the ECU: RawFrame is zero and the trackbar stays put.
    state.ecu.rawFrame.clear();
    logic.trackBarMoved(1, 90);
    clearFlags();
    logic.refreshTick();
    EXPECT_EQ(logic.trackBarPosition(1), 90);
    EXPECT_EQ(flag(9), 0);
}

TEST_F(Actuator, CoarseFamiliesShowTheDecodedDesiredIdle) {
    state.selection.ecuFamily = 3;
    storeGoodReply(30, 64); // 64 x 12.501 = 800.064
    EXPECT_EQ(ReadDesiredIdle(state.selection, state.ecu).text, "800");
    EXPECT_FALSE(ReadDesiredIdle(state.selection, state.ecu).follow);
    state.selection.ecuFamily = 4;
    storeGoodReply(32, 65); // 812.565
    EXPECT_EQ(ReadDesiredIdle(state.selection, state.ecu).text, "813");
    EXPECT_FALSE(ReadDesiredIdle(state.selection, state.ecu).follow);
}
