#pragma once
// Shared by the settings tests: a main-window stand-in that records what the
// selection logic shows, over an in-memory registry.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "state/MainState.h"
#include "platform/MemoryRegistry.h"
#include "settings/SelectionView.h"

class RecordingView : public SelectionView {
  public:
    // As the window description has them.
    std::string carLabel = "ESPERO";
    std::string engineLabel = "1.5 MPFI DOHC до 92г.";
    std::string portLabel = "Com-1";
    std::array<std::string, 4> captions{"P", "P", "P", "P"};
    std::array<bool, 12> setButtonVisible{false, true, true, true, true, true,
                                          true,  true, true, true, true, true};
    std::string setLabel = "Набор графиков 1";
    int repaints = 0;

    void setCarLabel(const std::string& text) override { carLabel = text; }
    void setEngineLabel(const std::string& text) override { engineLabel = text; }
    void setPortLabel(const std::string& text) override { portLabel = text; }
    void setGraphCaption(int graph, const std::string& text) override {
        captions.at(graph - 1) = text;
    }
    void setGraphSetButtonVisible(int set, bool visible) override {
        setButtonVisible.at(set - 1) = visible;
    }
    void setGraphSetLabel(const std::string& text) override { setLabel = text; }
    void repaintGraphs() override { ++repaints; }

    int hiddenSetButtons() const {
        int hidden = 0;
        for (bool visible : setButtonVisible)
            hidden += visible ? 0 : 1;
        return hidden;
    }
};

constexpr const char* kFirstCaption = "1   A/C REQ   Запрос кондиционера от водителя.";
constexpr const char* kEsperoSet1 = "\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF1";

class SettingsTest : public ::testing::Test {
  protected:
    // Every operation must have let go of its keys, and held one at a time.
    void TearDown() override {
        EXPECT_EQ(registry.openKeys(), 0);
        EXPECT_LE(registry.peakOpenKeys(), 1);
    }

    MemoryRegistry registry;
    std::unique_ptr<MainState> owned = std::make_unique<MainState>();
    MainState& state = *owned;
    RecordingView view;
};
