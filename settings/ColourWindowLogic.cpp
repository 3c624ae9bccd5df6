#include "settings/ColourWindowLogic.h"

#include <algorithm>
#include <cmath>

#include "state/DisplayColours.h"
#include "settings/ColourSettings.h"

namespace {

// The four columns of sliders, left to right; each has r, g, b, t from the top.
GraphColour DisplayColours::*const kColumns[4] = {
    &DisplayColours::text3Colour,   // "Параметр"   TrackBar1..4
    &DisplayColours::graphicColour, // "График"     TrackBar5..8
    &DisplayColours::textColour,    // "Предел шк." TrackBar9..12
    &DisplayColours::gridColour,    // "Сетка"      TrackBar13..16
};

float GraphColour::*const kRows[4] = {&GraphColour::r, &GraphColour::g, &GraphColour::b,
                                      &GraphColour::t};

constexpr double kSliderFactor = 0.01;
constexpr int kPanels = 5;

} // namespace

float* SliderComponent(DisplayColours& colours, int slider) {
    if (slider < 1 || slider > kColourSliders) return nullptr;
    GraphColour& colour = colours.*kColumns[(slider - 1) / 4];
    return &(colour.*kRows[(slider - 1) % 4]);
}

int SliderPosition(float component) {
    const double scaled = std::round(static_cast<double>(component) * 100.0);
    if (!(scaled > 0.0)) return 0; // also NaN
    return scaled >= 255.0 ? 255 : static_cast<int>(scaled);
}

ColourWindowLogic::ColourWindowLogic(DisplayColours& colours, Registry& registry,
                                     ColourWindowView& view)
    : colours_(colours), registry_(registry), view_(view) {}

void ColourWindowLogic::open() {
    for (int slider = 1; slider <= kColourSliders; ++slider)
        setSlider(slider, SliderPosition(*SliderComponent(colours_, slider)));
}

void ColourWindowLogic::sliderMoved(int slider, int position) {
    if (slider < 1 || slider > kColourSliders) return;
    setSlider(slider, std::clamp(position, 0, 255));
}

// A slider set to the position it already has is no change.
void ColourWindowLogic::setSlider(int slider, int position) {
    if (positions_[slider] == position) return;
    positions_[slider] = position;
    view_.setSliderPosition(slider, position);
    *SliderComponent(colours_, slider) = static_cast<float>(position * kSliderFactor);
    repaintPanels();
}

void ColourWindowLogic::restoreStandardColours() {
    RestoreStandardColours(registry_, colours_);
    repaintPanels();
}

void ColourWindowLogic::storeColours() {
    StoreColours(registry_, colours_);
}

int ColourWindowLogic::sliderPosition(int slider) const {
    return (slider >= 1 && slider <= kColourSliders) ? positions_[slider] : 0;
}

void ColourWindowLogic::repaintPanels() {
    for (int panel = 1; panel <= kPanels; ++panel)
        view_.repaintPanel(panel);
}
