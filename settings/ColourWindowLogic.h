#pragma once
// What the colour window does with its sixteen sliders: which slider edits
// which component of which display colour, the positions it opens with, and
// its two buttons (standard colours, store). TForm6 implements ColourWindowView.
#include <array>

struct GraphColour;
struct DisplayColours;
class Registry;

constexpr int kColourSliders = 16;

class ColourWindowView {
  public:
    virtual ~ColourWindowView() = default;
    // Moves slider 1..16; it must not report this back as a user move.
    virtual void setSliderPosition(int slider, int position) = 0;
    // Panel 1..4: the strip charts, 5: the received-data panel.
    virtual void repaintPanel(int panel) = 0;
};

// The component slider 1..16 edits: columns text3Colour, graphicColour,
// textColour, gridColour; rows r, g, b, t. Null outside 1..16.
float* SliderComponent(DisplayColours& colours, int slider);
// The slider position a component opens with: x 100, rounded, clamped to 0..255.
int SliderPosition(float component);

class ColourWindowLogic {
  public:
    ColourWindowLogic(DisplayColours& colours, Registry& registry, ColourWindowView& view);

    // Sets the sliders from the current colours, slider 1 to 16.
    void open();
    // Slider 1..16 now stands at `position`.
    void sliderMoved(int slider, int position);
    void restoreStandardColours(); // "Стандртные настройки"
    void storeColours();           // "Сохранить настройки"

    int sliderPosition(int slider) const;

  private:
    void setSlider(int slider, int position);
    void repaintPanels();

    DisplayColours& colours_;
    Registry& registry_;
    ColourWindowView& view_;
    std::array<int, kColourSliders + 1> positions_{}; // every slider starts at 0
};
