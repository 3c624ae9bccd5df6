#include "link/TForm5.h"

#include "state/MainState.h"
#include "assets/resource.h"
#include "ui/Colours.h"
#include "ui/ShowWindow.h"

TForm5* Form5 = nullptr;

namespace {

constexpr int kWidth = 524;
constexpr int kHeight = 365;
constexpr COLORREF kFormColour = 10068385;
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kCaption = ui::kLabelGreen; // readable on the dark panel

struct ImagePlace {
    int number, left, top;
    bool blank; // beneath a trackbar: no picture of its own, disabled
    bool on;    // the "Вкл." face, else "Выкл."
};
const ImagePlace kImages[] = {
    {4,  43,  63,  false, false},
    {12, 139, 63,  false, true }, // check-engine lamp
    {8,  293, 63,  false, false},
    {16, 389, 63,  false, true }, // fan
    {5,  43,  134, false, false},
    {13, 139, 134, false, true }, // shift lamp
    {9,  293, 134, false, false},
    {17, 389, 134, false, true }, // air-conditioning
    {6,  43,  205, false, false},
    {14, 139, 205, false, true }, // oxygen loop
    {10, 293, 205, false, true },
    {18, 389, 205, false, true }, // idle air control reset
    {7,  43,  276, true,  false},
    {15, 139, 276, true,  false}, // beneath TrackBar1
    {11, 293, 276, true,  false},
    {19, 389, 276, true,  false}, // beneath TrackBar2
};

struct LabelPlace {
    int number, left, top;
    const char* text;
};
// Row captions: 13-pixel underlined.
const LabelPlace kCaptions[] = {
    {3,  64,  40,  "Лампа неисправности"},
    {4,  352, 40,  "Вентилятор"                 },
    {6,  80,  112, "Лампа передачи"          },
    {5,  344, 112, "Кондиционер"               },
    {7,  96,  184, "Замкнуть ОС"                },
    {8,  352, 184, "Сброс РДВ"                    },
    {9,  96,  254, "Обороты ХХ"                  },
    {10, 344, 254, "Состав смеси"              },
};
// Value boxes: 37 wide, centred, bold.
const LabelPlace kValues[] = {
    {12, 100, 304, "0"  },
    {14, 144, 304, "0"  },
    {13, 350, 304, "0,0"},
    {15, 394, 304, "0,0"},
};
const int kGreyAtStart[] = {7, 8, 10, 13, 15};

} // namespace

TForm5::TForm5(MainState& state, HWND owner)
    : logic_(state.selection, state.ecu, state.requests, *this) {
    if (!create(owner, kWidth, kHeight, L"MOTOSKOP")) return;
    build();
    centreOnOwner();
    show();
    OnCloseRequest = [this] { logic_.imageReleased(3); };
    logic_.open();
}

void TForm5::build() {
    setColour(kFormColour);
    setBackground(ui::Bitmap::FromResource(IDB_ACT_BACKGROUND));

    const ui::Bitmap off = ui::Bitmap::FromResource(IDB_ACT_OFF);
    const ui::Bitmap on = ui::Bitmap::FromResource(IDB_ACT_ON);
    const ui::Bitmap blank = ui::Bitmap::FromResource(IDB_ACT_BLANK);
    for (const ImagePlace& p : kImages) {
        ui::Picture& picture = *image(p.number);
        picture.setBounds(p.left, p.top, 95, 20);
        if (p.blank) {
            picture.setPicture(blank);
            picture.setEnabled(false);
        } else {
            picture.setPicture(p.on ? on : off);
            const int number = p.number;
            ui::MakePressButton(picture, [this, number] { logic_.imageReleased(number); });
        }
        add(picture);
    }

    Image2.setBounds(168, 342, 26, 19);
    Image2.setPicture(ui::Bitmap::FromResource(IDB_ACT_RETURN));
    ui::MakePressButton(Image2, [this] { logic_.imageReleased(2); });
    add(Image2);
    Image3.setBounds(493, 342, 26, 19);
    Image3.setPicture(ui::Bitmap::FromResource(IDB_ACT_EXIT));
    ui::MakePressButton(Image3, [this] { logic_.imageReleased(3); });
    add(Image3);

    for (const LabelPlace& p : kCaptions) {
        ui::Label& l = *label(p.number);
        l.setFontHeight(-13);
        l.setUnderline(true);
        l.setColour(ui::kLabelGreen);
        l.setText(p.text);
        l.place(p.left, p.top);
        add(l);
    }
    for (const LabelPlace& p : kValues) {
        ui::Label& l = *label(p.number);
        l.setBold(true);
        l.setColour(ui::kLabelGreen);
        l.setAlignment(ui::Align::Centre);
        l.place(p.left, p.top);
        l.setFixedWidth(37);
        l.setText(p.text);
        add(l);
    }
    for (int number : kGreyAtStart)
        label(number)->setColour(kGrey);

    Label1.setText("Вернуть упр. ЭБУ");
    Label1.place(200, 344);
    Label2.setText("Выход");
    Label2.place(448, 344);
    Label11.setAlignment(ui::Align::Centre);
    Label11.place(16, 343);
    Label11.setFixedWidth(145);
    Label11.setText("Состояние запроса.");
    for (ui::Label* l : {&Label1, &Label2, &Label11}) {
        l->setColour(kCaption);
        add(*l);
    }

    ui::TrackBar* bars[] = {&TrackBar1, &TrackBar2};
    const int lefts[] = {45, 295};
    for (int i = 0; i < 2; ++i) {
        bars[i]->create(*this, lefts[i], 277, 187, 17, 0, 255);
        bars[i]->setBackgroundColour(background().pixelAt(lefts[i] + 1, 278, kFormColour));
        const int number = i + 1;
        bars[i]->OnChange = [this, number] {
            logic_.trackBarMoved(number, trackBar(number)->position());
        };
    }

    Timer1.setInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.setInterval(2000);
    Timer2.OnTimer = [this] { Timer2Timer(); };
}

ui::Picture* TForm5::image(int number) {
    ui::Picture* images[] = {&Image2,  &Image3,  &Image4,  &Image5,  &Image6,  &Image7,
                             &Image8,  &Image9,  &Image10, &Image11, &Image12, &Image13,
                             &Image14, &Image15, &Image16, &Image17, &Image18, &Image19};
    return (number >= 2 && number <= 19) ? images[number - 2] : nullptr;
}

ui::Label* TForm5::label(int number) {
    ui::Label* labels[] = {&Label1,  &Label2,  &Label3,  &Label4,  &Label5,
                           &Label6,  &Label7,  &Label8,  &Label9,  &Label10,
                           &Label11, &Label12, &Label13, &Label14, &Label15};
    return (number >= 1 && number <= 15) ? labels[number - 1] : nullptr;
}

ui::TrackBar* TForm5::trackBar(int number) {
    return number == 1 ? &TrackBar1 : number == 2 ? &TrackBar2 : nullptr;
}

void TForm5::setImageEnabled(int number, bool enabled) {
    if (ui::Picture* p = image(number)) p->setEnabled(enabled);
}

void TForm5::setTrackBarEnabled(int number, bool enabled) {
    if (ui::TrackBar* t = trackBar(number)) t->setEnabled(enabled);
}

void TForm5::setTrackBarPosition(int number, int position) {
    if (ui::TrackBar* t = trackBar(number)) t->setPosition(position);
}

void TForm5::setLabelActive(int number, bool active) {
    if (ui::Label* l = label(number)) l->setColour(active ? ui::kLabelGreen : kGrey);
}

void TForm5::setLabelText(int number, const std::string& text) {
    if (ui::Label* l = label(number)) l->setText(text);
}

TForm5* ShowActuatorWindow(MainState& state, HWND owner) {
    return ui::ShowSecondaryWindow(Form5, owner, state);
}
