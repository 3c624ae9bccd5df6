#include "settings/TForm6.h"

#include "state/DisplayColours.h"
#include "assets/resource.h"
#include "ui/Colours.h"
#include "ui/ShowWindow.h"
#include "platform/Registry.h"

TForm6* Form6 = nullptr;

namespace {

constexpr int kWidth = 524;
constexpr int kHeight = 365;

const int kColumnLefts[4] = {26, 153, 281, 408};
const char* const kHeadings[4] = {"Параметр", "График", "Предел шк.", "Сетка"};

struct Row {
    const char* label;
    int labelTop, sliderTop;
};
const Row kRows[4] = {
    {"Красный", 145, 165},
    {"Зеленый", 191, 211},
    {"Синий",     237, 257},
    {"Яркость", 283, 303},
};

struct Button {
    int left;
    const char* caption;
    int captionLeft;
    int picture;
};
const Button kButtons[3] = {
    {8,   "Стандртные настройки", 40,  IDB_COLOUR_STANDARD},
    {169, "Сохранить настройки",   200, IDB_COLOUR_SAVE    },
    {493, "Выход",                              456, IDB_COLOUR_EXIT    },
};

} // namespace

TForm6::TForm6(DisplayColours& colours, std::unique_ptr<Registry> registry,
               std::function<void(int)> repaint, HWND owner)
    : registry_(std::move(registry)), repaint_(std::move(repaint)),
      logic_(colours, *registry_, *this) {
    if (!create(owner, kWidth, kHeight, L"MOTOSKOP")) return;
    build();
    centreOnOwner();
    show();
    // Closed by the system rather than by "Выход": the main window gets its input back.
    OnCloseRequest = [this] { Image4MouseUp(); };
    logic_.open();
}

void TForm6::build() {
    setBackground(ui::Bitmap::FromResource(IDB_COLOUR_BACKGROUND));

    for (int column = 0; column < 4; ++column) {
        const int left = kColumnLefts[column];
        ui::Label& heading = Headings[column];
        heading.setFontHeight(-12);
        heading.setUnderline(true);
        heading.setColour(ui::kLabelGreen);
        heading.setAlignment(ui::Align::Centre);
        heading.place(left, 126);
        heading.setFixedWidth(91);
        heading.setText(kHeadings[column]);
        add(heading);

        for (int row = 0; row < 4; ++row) {
            ui::Label& label = RowLabels[column * 4 + row];
            label.setColour(ui::kLabelGreen);
            label.setAlignment(ui::Align::Centre);
            label.place(left, kRows[row].labelTop);
            label.setFixedWidth(91);
            label.setText(kRows[row].label);
            add(label);

            const int number = column * 4 + row + 1;
            ui::TrackBar& bar = TrackBar(number);
            bar.create(*this, left, kRows[row].sliderTop, 91, 17, 0, 255);
            bar.setBackgroundColour(
                background().pixelAt(left + 1, kRows[row].sliderTop + 1, colour()));
            bar.OnChange = [this, number] {
                logic_.sliderMoved(number, TrackBar(number).position());
            };
        }
    }

    ui::Picture* pictures[3] = {&Image2, &Image3, &Image4};
    ui::Label* captions[3] = {&Label1, &Label2, &Label3};
    const std::function<void()> actions[3] = {
        [this] { Image2MouseUp(); }, [this] { Image3MouseUp(); }, [this] { Image4MouseUp(); }};
    for (int i = 0; i < 3; ++i) {
        pictures[i]->setBounds(kButtons[i].left, 342, 24, 18);
        pictures[i]->setPicture(ui::Bitmap::FromResource(kButtons[i].picture));
        ui::MakePressButton(*pictures[i], actions[i]);
        add(*pictures[i]);
        captions[i]->setText(kButtons[i].caption);
        captions[i]->place(kButtons[i].captionLeft, 344);
        add(*captions[i]);
    }
}

void TForm6::Image4MouseUp() {
    SetWindowEnabled(owner(), true);
    close();
}

void TForm6::setSliderPosition(int slider, int position) {
    TrackBar(slider).setPosition(position);
}

void TForm6::repaintPanel(int panel) {
    if (repaint_) repaint_(panel);
}

TForm6* ShowColourWindow(DisplayColours& colours, std::unique_ptr<Registry> registry,
                         std::function<void(int)> repaint, HWND owner) {
    return ui::ShowSecondaryWindow(Form6, owner, colours, std::move(registry), std::move(repaint));
}
