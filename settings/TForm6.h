#pragma once
// The colour window: sixteen sliders for the four display colours of the graph
// panels, with the standard colours and storing. What the sliders and buttons
// do is in ColourWindowLogic; this class is the window and its controls.
#include <array>
#include <functional>
#include <memory>

#include "settings/ColourWindowLogic.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Picture.h"
#include "ui/TrackBar.h"

struct DisplayColours;
class Registry;

class TForm6 : public ui::Form, private ColourWindowView {
  public:
    // repaint(panel) repaints panel 1..4 (graphs) or 5 (received data). The
    // registry is where the colours are stored.
    TForm6(DisplayColours& colours, std::unique_ptr<Registry> registry,
           std::function<void(int panel)> repaint, HWND owner);

    // Image1 is the form's background picture.
    ui::Picture Image2, Image3, Image4;
    std::array<ui::TrackBar, 16> TrackBars; // TrackBar1..TrackBar16
    std::array<ui::Label, 4> Headings; // "Параметр", "График", "Предел шк.", "Сетка"
    std::array<ui::Label, 16> RowLabels; // "Красный", "Зеленый", "Синий", "Яркость" per column
    ui::Label Label1, Label2, Label3; // button captions

    void Image2MouseUp() { logic_.restoreStandardColours(); }
    void Image3MouseUp() { logic_.storeColours(); }
    void Image4MouseUp();

    ui::TrackBar& TrackBar(int number) { return TrackBars[number - 1]; }

  private:
    void build();
    void setSliderPosition(int slider, int position) override;
    void repaintPanel(int panel) override;

    std::unique_ptr<Registry> registry_;
    std::function<void(int)> repaint_;
    ColourWindowLogic logic_;
};

extern TForm6* Form6;

// A new colour window over `owner` (the one before, closed by now, is freed)
// and the owner disabled.
TForm6* ShowColourWindow(DisplayColours& colours, std::unique_ptr<Registry> registry,
                         std::function<void(int panel)> repaint, HWND owner);
