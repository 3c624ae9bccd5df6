#include "app/TForm1.h"

#include "app/ReadoutCaptions.h"
#include "app/SystemChoices.h"
#include "assets/resource.h"
#include "link/ComPort.h"
#include "live/RawDataPanel.h"
#include "live/StripChart.h"
#include "settings/GraphSets.h"
#include "settings/PortChoice.h"
#include "settings/SettingsStore.h"
#include "settings/VehicleSelection.h"

TForm1* Form1 = nullptr;
Com_Port* linkThread = nullptr;
const ui::Bitmap blankBitmap; // an empty picture: clears the START/STOP button

namespace {

constexpr COLORREF kLightGreen = RGB(146, 218, 149);
constexpr COLORREF kAmber = RGB(253, 208, 55);

struct PictureSpot {
    int image; // ImageN
    int left, top, width, height;
    int resource; // 0: no picture of its own
};

// The picture buttons over the face, bottom to top.
// clang-format off
constexpr PictureSpot kPictures[] = {
    {19, 0,   0,   769, 12, 0                  }, // drag bar
    {13, 776, 2,   18,  9,  IDB_MAIN_CLOSE     },
    {5,  400, 16,  23,  13, IDB_MAIN_ARROW_PREV},
    {6,  424, 16,  23,  13, IDB_MAIN_ARROW_NEXT},
    {7,  401, 143, 23,  13, IDB_MAIN_ARROW_PREV},
    {8,  425, 143, 23,  13, IDB_MAIN_ARROW_NEXT},
    {9,  401, 271, 23,  13, IDB_MAIN_ARROW_PREV},
    {10, 425, 271, 23,  13, IDB_MAIN_ARROW_NEXT},
    {11, 401, 399, 23,  13, IDB_MAIN_ARROW_PREV},
    {12, 425, 399, 23,  13, IDB_MAIN_ARROW_NEXT},
    {18, 568, 320, 115, 66, IDB_MAIN_EMBLEM    },
    {32, 485, 349, 67,  20, IDB_MAIN_COLOURS   },
    {33, 704, 349, 67,  20, IDB_MAIN_ABOUT     },
    {15, 485, 399, 95,  20, IDB_MAIN_START     },
    {17, 581, 399, 95,  20, IDB_MAIN_ERROR     },
    {16, 677, 399, 95,  20, IDB_MAIN_TEST      },
    {3,  103, 548, 26,  19, IDB_MAIN_NEXT      },
    {4,  255, 548, 26,  19, IDB_MAIN_NEXT      },
    {2,  701, 548, 26,  19, IDB_MAIN_NEXT      },
};

struct LabelSpot {
    int label; // LabelN
    int left, top;
    COLORREF colour;
    int width; // 0: sized to the text
    ui::Align align;
    const char* text;
};

constexpr LabelSpot kLabels[] = {
    {4,  8,   17,  kLightGreen, 0,   ui::Align::Left,   "P"                    },
    {5,  8,   144, kLightGreen, 0,   ui::Align::Left,   "P"                    },
    {6,  8,   272, kLightGreen, 0,   ui::Align::Left,   "P"                    },
    {7,  8,   400, kLightGreen, 0,   ui::Align::Left,   "P"                    },
    {8,  579, 32,  kAmber,      99,  ui::Align::Left,   "Набор графиков 1"     },
    {9,  572, 48,  kAmber,      0,   ui::Align::Left,   "Основные параметры"   },
    {50, 564, 424, kAmber,      0,   ui::Align::Left,   "Поток полученных данных"},
    {2,  15,  550, kLightGreen, 85,  ui::Align::Centre, "ESPERO"               },
    {3,  132, 550, kLightGreen, 117, ui::Align::Centre, "1.5 MPFI DOHC до 92г."},
    {51, 288, 550, kLightGreen, 257, ui::Align::Centre, "Диагностика DAEWOO."  },
    {1,  736, 550, kLightGreen, 0,   ui::Align::Left,   "Com-1"                },
};
// clang-format on

constexpr int kReadoutNameLeft = 488;
constexpr int ReadoutTop(int row) {
    return 48 + 16 * row;
}
constexpr int ReadoutRightEdge(int row) {
    return row <= 11 ? 766 : 768;
}

struct PanelSpot {
    int left, top, width, height;
};
constexpr PanelSpot kPanels[5] = {
    {12,  32,  432, 105},
    {12,  160, 432, 105},
    {12,  288, 432, 105},
    {12,  416, 432, 105},
    {488, 440, 279, 81 },
};

} // namespace

ui::Picture& TForm1::Image(int number) {
    switch (number) {
    case 2:
        return Image2;
    case 3:
        return Image3;
    case 4:
        return Image4;
    case 5:
        return Image5;
    case 6:
        return Image6;
    case 7:
        return Image7;
    case 8:
        return Image8;
    case 9:
        return Image9;
    case 10:
        return Image10;
    case 11:
        return Image11;
    case 12:
        return Image12;
    case 13:
        return Image13;
    case 15:
        return Image15;
    case 16:
        return Image16;
    case 17:
        return Image17;
    case 18:
        return Image18;
    case 19:
        return Image19;
    case 32:
        return Image32;
    case 33:
        return Image33;
    default:
        break;
    }
    if (number >= 20 && number <= 31) return GraphSetButtons[static_cast<size_t>(number - 20)];
    return Image19; // no such picture; the drag bar stands in harmlessly
}

TOpenGLPanel& TForm1::Panel(int n) {
    switch (n) {
    case 1:
        return OpenGLPanel1;
    case 2:
        return OpenGLPanel2;
    case 3:
        return OpenGLPanel3;
    case 4:
        return OpenGLPanel4;
    default:
        return OpenGLPanel5;
    }
}

TForm1::TForm1(const CommandLineOptions& options) : options_(options) {
    Form1 = this;
    // 1. The window and its controls.
    buildControls();
    // 2.-3. Texts start empty (MainState); the first car's engine is 0.
    state.ecuFamily = 1;
    state.engineIndex[0] = 0;
    // 4. The link thread, suspended until the first connect.
    linkThread = new Com_Port(state, *this);
    if (!linkThread->Created()) {
        MessageBoxW(handle(), L"Ошибка! Невозможно создать поток1.", L"MOTOSKOP",
                    MB_OK | MB_ICONERROR);
        PostQuitMessage(0);
    }
    // 5.-9.
    initialiseMembers();
    takeLocaleSettings();
    // 10. Readout captions.
    setReadoutCaptions();
    // 11.-13. Settings, then the port; the registry accessor is let go inside.
    loadSettings();
}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::buildControls() {
    create(nullptr, 800, 572, L"MOTOSKOP");
    setBackground(ui::Bitmap::FromJpegResource(IDJ_MAIN_BACKGROUND));

    for (const PictureSpot& spot : kPictures) {
        ui::Picture& p = Image(spot.image);
        p.setBounds(spot.left, spot.top, spot.width, spot.height);
        if (spot.resource) p.setPicture(ui::Bitmap::FromResource(spot.resource));
        add(p);
    }
    for (int n = 20; n <= 31; ++n) {
        ui::Picture& p = Image(n);
        p.setBounds(484 + 24 * (n - 20), 16, 23, 13);
        p.setPicture(ui::Bitmap::FromResource(IDB_MAIN_SET_1 + n - 20));
        add(p);
    }
    GraphSetButtons[0].setVisible(false);                           // Image20: set 1 is active
    Image19.cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32646)); // IDC_SIZEALL
    for (ui::Picture* p : {&Image2, &Image3, &Image4, &Image16, &Image17})
        p->setDimWhenDisabled(true);
    Image16.setEnabled(false);
    Image17.setEnabled(false);

    for (const LabelSpot& spot : kLabels) {
        ui::Label& l = spot.label == 1    ? Label1
                       : spot.label == 2  ? Label2
                       : spot.label == 3  ? Label3
                       : spot.label == 4  ? Label4
                       : spot.label == 5  ? Label5
                       : spot.label == 6  ? Label6
                       : spot.label == 7  ? Label7
                       : spot.label == 8  ? Label8
                       : spot.label == 9  ? Label9
                       : spot.label == 50 ? Label50
                                          : Label51;
        l.setColour(spot.colour);
        l.setAlignment(spot.align);
        l.place(spot.left, spot.top);
        if (spot.width) l.setFixedWidth(spot.width);
        l.setText(spot.text);
        add(l);
    }
    for (int row = 1; row <= kReadoutRows; ++row) {
        ui::Label& name = NParam_(row);
        name.setColour(kLightGreen);
        name.place(kReadoutNameLeft, ReadoutTop(row));
        add(name);
        ui::Label& value = Param_(row);
        value.setColour(kAmber);
        value.setBold(true);
        value.setAlignment(ui::Align::Right);
        value.placeRightEdge(ReadoutRightEdge(row), ReadoutTop(row));
        value.setText(Readout(row).initialValue);
        add(value);
    }
    NParam_(15).setVisible(false);
    Param_(15).setVisible(false);

    ImageList1.loadStrip(ui::Bitmap::FromResource(IDB_MAIN_STARTSTOP), 95, 20);
    Timer1.setEnabled(false);
    Timer1.setInterval(1000);

    buildPanels();
    wireHandlers();
}

void TForm1::buildPanels() {
    // The four strip charts and the received-data panel, each its own GL window.
    for (int n = 1; n <= 5; ++n) {
        TOpenGLPanel& panel = Panel(n);
        if (n <= 4) {
            ConfigureStripChartPanel(panel);
            BindStripChart(panel, state, n);
        } else {
            ConfigureRawDataPanel(panel);
            BindRawDataPanel(panel, state);
        }
        panel.PresentThroughDib =
            PanelsDrawThroughBitmap(options_.bitmapGl, TOpenGLPanel::RunningUnderWine());
        panel.OnFallback = [this](const std::string& failure) { reportGlFallback(failure); };
        const PanelSpot& spot = kPanels[n - 1];
        panel.CreateWindowIn(handle(), spot.left, spot.top, spot.width, spot.height);
    }
}

void TForm1::initialiseMembers() {
    state.clearCodesRequested = 0;
    state.returnControlRequested = 0;
    for (auto& request : state.commandRequests)
        request = 0;
    moveTo(0, 0);
    state.blinkPhase = 0;
    state.connectState = 0;
    state.carIndex = 0;
    state.portName.set("Com1");
    state.portIndex = 0;
    state.openRequested = 0;
    state.engineIndex.fill(0);
    state.graphParam.fill(0);
    state.gridColour = {0.5f, 0.7f, 0.7f, 0.3f};
    state.textColour = {0.4f, 0.6f, 0.9f, 0.8f};
    state.text3Colour = {0.8f, 0.7f, 0.3f, 0.8f};
    state.graphicColour = {0.99f, 0.0f, 0.0f, 0.99f};
    state.currentGraphSet = "SET_GRAF1";
    state.carKey = "\\MOTOSKOP\\CARS\\ESPERO";
    state.engineKey = "\\ENGINE\\1.5_MPFI_DOHC_1\\";
}

void TForm1::setReadoutCaptions() {
    for (int row = 1; row <= kReadoutRows; ++row)
        NParam_(row).setText(Readout(row).caption);
}

void TForm1::loadSettings() {
    LoadSettingsAtStartup(registry_, state, *this);
    const std::vector<int> present = presentPorts();
    ApplyPortIndexAmong(state, *this, present);
    ChoosePort(registry_, state, *this, options_.portIndex);
    showPortPresence();
}
