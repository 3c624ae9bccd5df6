// The colour window's sliders and buttons against the in-memory registry.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "state/MainState.h"
#include "platform/MemoryRegistry.h"
#include "settings/ColourSettings.h"
#include "settings/ColourWindowLogic.h"

namespace {

const char kCom[] = "\\MOTOSKOP\\Com";

struct FakeView : ColourWindowView {
    std::map<int, int> sliders;
    std::vector<int> repaints;
    void setSliderPosition(int slider, int position) override { sliders[slider] = position; }
    void repaintPanel(int panel) override { repaints.push_back(panel); }
};

struct ColourWindow : ::testing::Test {
    MainState state;
    MemoryRegistry registry;
    FakeView view;
    ColourWindowLogic logic{state.colours, registry, view};
    ColourWindow() { registry.createKey(kCom); }
};

const int kDefaultPositions[16] = {80, 70, 30, 80, 99, 0, 0, 99, 40, 60, 90, 80, 50, 70, 70, 30};

} // namespace

TEST(ColourSliders, ColumnsAndRowsMapToTheirComponents) {
    MainState state;
    EXPECT_EQ(SliderComponent(state.colours, 1), &state.colours.text3Colour.r);
    EXPECT_EQ(SliderComponent(state.colours, 4), &state.colours.text3Colour.t);
    EXPECT_EQ(SliderComponent(state.colours, 5), &state.colours.graphicColour.r);
    EXPECT_EQ(SliderComponent(state.colours, 11), &state.colours.textColour.b);
    EXPECT_EQ(SliderComponent(state.colours, 14), &state.colours.gridColour.g);
    EXPECT_EQ(SliderComponent(state.colours, 16), &state.colours.gridColour.t);
    EXPECT_EQ(SliderComponent(state.colours, 0), nullptr);
    EXPECT_EQ(SliderComponent(state.colours, 17), nullptr);

    EXPECT_EQ(SliderPosition(0.29f), 29);
    EXPECT_EQ(SliderPosition(0.7f), 70);
    EXPECT_EQ(SliderPosition(2.55f), 255);
    EXPECT_EQ(SliderPosition(3.0f), 255);
    EXPECT_EQ(SliderPosition(-0.5f), 0);
}

TEST_F(ColourWindow, OpensAtTheStandardPositionsAndStoresExactlyTheDefaults) {
    logic.open();
    for (int slider = 1; slider <= 16; ++slider) {
        EXPECT_EQ(logic.sliderPosition(slider), kDefaultPositions[slider - 1]) << slider;
        EXPECT_EQ(view.sliders.count(slider), kDefaultPositions[slider - 1] ? 1u : 0u) << slider;
    }
    // Each of the 14 non-zero sliders ran its change once: five repaints, in order.
    ASSERT_EQ(view.repaints.size(), 14u * 5u);
    EXPECT_EQ(std::vector<int>(view.repaints.begin(), view.repaints.begin() + 5),
              (std::vector<int>{1, 2, 3, 4, 5}));

    logic.storeColours();
    for (const ColourValue& value : ColourValues())
        EXPECT_EQ(registry.dword(kCom, value.name), static_cast<uint32_t>(value.standard))
            << value.name;
}

TEST_F(ColourWindow, OpeningAndStoringRepeatedlyChangesNothing) {
    // Odd stored values, as loaded at start-up.
    int stored = 1;
    for (const ColourValue& value : ColourValues()) {
        stored = (stored * 37 + 11) % 256;
        registry.putDword(kCom, value.name, stored);
    }
    {
        auto key = registry.openKey(kCom, false);
        LoadColours(*key, state.colours);
    }
    std::map<std::string, uint32_t> before;
    for (const ColourValue& value : ColourValues())
        before[value.name] = *registry.dword(kCom, value.name);

    for (int round = 0; round < 3; ++round) {
        FakeView v;
        ColourWindowLogic again(state.colours, registry, v);
        again.open();
        again.storeColours();
    }
    for (const ColourValue& value : ColourValues())
        EXPECT_EQ(registry.dword(kCom, value.name), before[value.name]) << value.name;
}

TEST_F(ColourWindow, SlidersSetTheirComponentAndRepaint) {
    logic.open();
    view.repaints.clear();
    logic.sliderMoved(16, 0); // grid brightness off
    EXPECT_EQ(state.colours.gridColour.t, 0.0f);
    EXPECT_EQ(view.repaints, (std::vector<int>{1, 2, 3, 4, 5}));

    view.repaints.clear();
    logic.sliderMoved(16, 0); // same position: no change
    EXPECT_TRUE(view.repaints.empty());

    logic.sliderMoved(5, 255);
    EXPECT_FLOAT_EQ(state.colours.graphicColour.r, 2.55f);
    logic.sliderMoved(0, 10);
    logic.sliderMoved(17, 10);
    EXPECT_EQ(view.repaints.size(), 5u);

    // Nothing is stored by moving.
    EXPECT_FALSE(registry.dword(kCom, "GRID_T").has_value());
}

TEST_F(ColourWindow, ComponentAboveTheSliderRangeOpensAt255) {
    state.colours.textColour.g = 3.0f;
    logic.open();
    EXPECT_EQ(logic.sliderPosition(10), 255);
    EXPECT_FLOAT_EQ(state.colours.textColour.g, 2.55f);
}

TEST_F(ColourWindow, StandardColoursAreWrittenAndTakenButSlidersStay) {
    logic.open();
    logic.sliderMoved(1, 10);
    logic.sliderMoved(13, 200);
    view.repaints.clear();
    logic.restoreStandardColours();
    EXPECT_FLOAT_EQ(state.colours.text3Colour.r, 0.8f);
    EXPECT_FLOAT_EQ(state.colours.gridColour.r, 0.5f);
    EXPECT_EQ(view.repaints, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(logic.sliderPosition(1), 10);
    for (const ColourValue& value : ColourValues())
        EXPECT_EQ(registry.dword(kCom, value.name), static_cast<uint32_t>(value.standard));
}

TEST(ColourWindowWithoutSettingsKey, RestoreRepaintsOnlyAndStoreDoesNothing) {
    MainState state;
    MemoryRegistry registry; // no \MOTOSKOP\Com
    FakeView view;
    ColourWindowLogic logic(state.colours, registry, view);
    logic.open();
    logic.sliderMoved(1, 10);
    view.repaints.clear();
    logic.restoreStandardColours();
    EXPECT_FLOAT_EQ(state.colours.text3Colour.r, 0.1f);
    EXPECT_EQ(view.repaints.size(), 5u);
    logic.storeColours();
    EXPECT_EQ(registry.valueCount(), 0);
    EXPECT_EQ(registry.keyCount(), 0);
    EXPECT_EQ(registry.openKeys(), 0);
}
