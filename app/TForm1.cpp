#include "app/TForm1.h"

#include "app/ReadoutCaptions.h"
#include "app/RecordControl_win32.h"
#include "startup/SystemChoices.h"
#include "ui/Colours.h"
#include "ui/SystemIds.h"
#include "assets/resource.h"
#include "link/ComPort_win32.h"
#include "live/RawDataPanel_win32.h"
#include "live/StripChart_win32.h"
#include "settings/GraphSets.h"
#include "settings/PortChoice.h"
#include "settings/SettingsStore.h"
#include "settings/VehicleSelection.h"

TForm1* Form1 = nullptr;
Com_Port* linkThread = nullptr;
const ui::Bitmap blankBitmap; // an empty picture: clears the START/STOP button

namespace {

using PictureMember = ui::Picture TForm1::*;

struct PictureSpot {
    int image; // ImageN
    PictureMember picture;
    int left, top, width, height;
    int resource; // 0: no picture of its own
};

// The picture buttons over the face, bottom to top.
// clang-format off
constexpr PictureSpot kPictures[] = {
    {19, &TForm1::Image19, 0,   0,   769, 12, 0                  }, // drag bar
    {13, &TForm1::Image13, 776, 2,   18,  9,  IDB_MAIN_CLOSE     },
    {5,  &TForm1::Image5,  400, 16,  23,  13, IDB_MAIN_ARROW_PREV},
    {6,  &TForm1::Image6,  424, 16,  23,  13, IDB_MAIN_ARROW_NEXT},
    {7,  &TForm1::Image7,  401, 143, 23,  13, IDB_MAIN_ARROW_PREV},
    {8,  &TForm1::Image8,  425, 143, 23,  13, IDB_MAIN_ARROW_NEXT},
    {9,  &TForm1::Image9,  401, 271, 23,  13, IDB_MAIN_ARROW_PREV},
    {10, &TForm1::Image10, 425, 271, 23,  13, IDB_MAIN_ARROW_NEXT},
    {11, &TForm1::Image11, 401, 399, 23,  13, IDB_MAIN_ARROW_PREV},
    {12, &TForm1::Image12, 425, 399, 23,  13, IDB_MAIN_ARROW_NEXT},
    {18, &TForm1::Image18, 568, 320, 115, 66, IDB_MAIN_EMBLEM    },
    {32, &TForm1::Image32, 485, 349, 67,  20, IDB_MAIN_COLOURS   },
    {33, &TForm1::Image33, 704, 349, 67,  20, IDB_MAIN_ABOUT     },
    {15, &TForm1::Image15, 485, 399, 95,  20, IDB_MAIN_START     },
    {17, &TForm1::Image17, 581, 399, 95,  20, IDB_MAIN_ERROR     },
    {16, &TForm1::Image16, 677, 399, 95,  20, IDB_MAIN_TEST      },
    {3,  &TForm1::Image3,  103, 548, 26,  19, IDB_MAIN_NEXT      },
    {4,  &TForm1::Image4,  255, 548, 26,  19, IDB_MAIN_NEXT      },
    {2,  &TForm1::Image2,  701, 548, 26,  19, IDB_MAIN_NEXT      },
};
// clang-format on

// The graph-set buttons Image20..Image31 sit in a row.
constexpr int kFirstSetImage = 20;
constexpr int kSetButtonLeft = 484, kSetButtonStep = 24, kSetButtonTop = 16;

struct LabelSpot {
    ui::Label TForm1::*label;
    int left, top;
    COLORREF colour;
    int width; // 0: sized to the text
    ui::Align align;
    const char* text;
};

// clang-format off
constexpr LabelSpot kLabels[] = {
    {&TForm1::Label4,  8,   17,  ui::kLabelGreen, 0,   ui::Align::Left,   "P"                                           },
    {&TForm1::Label5,  8,   144, ui::kLabelGreen, 0,   ui::Align::Left,   "P"                                           },
    {&TForm1::Label6,  8,   272, ui::kLabelGreen, 0,   ui::Align::Left,   "P"                                           },
    {&TForm1::Label7,  8,   400, ui::kLabelGreen, 0,   ui::Align::Left,   "P"                                           },
    {&TForm1::Label8,  579, 32,  ui::kLabelAmber, 99,  ui::Align::Left,   "Набор графиков 1"               },
    {&TForm1::Label9,  572, 48,  ui::kLabelAmber, 0,   ui::Align::Left,   "Основные параметры"         },
    {&TForm1::Label50, 564, 424, ui::kLabelAmber, 0,   ui::Align::Left,   "Поток полученных данных"},
    {&TForm1::Label2,  15,  550, ui::kLabelGreen, 85,  ui::Align::Centre, "ESPERO"                                      },
    {&TForm1::Label3,  132, 550, ui::kLabelGreen, 117, ui::Align::Centre, "1.5 MPFI DOHC до 92г."                    },
    {&TForm1::Label51, 288, 550, ui::kLabelGreen, 257, ui::Align::Centre, "Диагностика DAEWOO."              },
    {&TForm1::Label1,  736, 550, ui::kLabelGreen, 0,   ui::Align::Left,   "Com-1"                                       },
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
    for (const PictureSpot& spot : kPictures)
        if (spot.image == number) return this->*spot.picture;
    const int set = number - kFirstSetImage;
    if (set >= 0 && set < static_cast<int>(GraphSetButtons.size()))
        return GraphSetButtons[static_cast<size_t>(set)];
    return Image19; // no such picture; the drag bar stands in harmlessly
}

TForm1::TForm1(const CommandLineOptions& options) : options_(options) {
    Form1 = this;
    // The window and its controls.
    buildControls();
    // Texts start empty (MainState); the first car's engine is 0.
    state.selection.ecuFamily = 1;
    state.selection.engineIndex[0] = 0;
    // The link thread, suspended until the first connect.
    linkThread = new Com_Port(state, *this);
    if (!linkThread->Created()) {
        MessageBoxW(handle(), L"Ошибка! Невозможно создать поток1.", L"MOTOSKOP",
                    MB_OK | MB_ICONERROR);
        PostQuitMessage(0);
    }
    // The window's own state, then the number format of this PC.
    initialiseMembers();
    takeLocaleSettings();
    // Readout captions.
    setReadoutCaptions();
    // Settings, then the port; the registry accessor is let go inside.
    loadSettings();
    // The record control taps the link thread before it first runs.
    recordControl = std::make_unique<RecordControl>(*this, state, linkThread, nullptr, &registry_);
    // The live checks' tap beside the recording's, before the link thread first runs too.
    checksHost.attach(*this, state, linkThread);
    Image15.setDimWhenDisabled(true); // START is out of use while a recording plays
    replay.attach(*this, *this, state, *this, *this, *this, registry_, options_.replayRecording);
    if (!options_.analyseRecording.empty())
        post([this] { replay.openAnalysis(options_.analyseRecording, options_.analyseSecond); });
}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::buildControls() {
    create(nullptr, 800, 572, L"MOTOSKOP");
    setBackground(ui::Bitmap::FromJpegResource(IDJ_MAIN_BACKGROUND));

    for (const PictureSpot& spot : kPictures) {
        ui::Picture& p = this->*spot.picture;
        p.setBounds(spot.left, spot.top, spot.width, spot.height);
        if (spot.resource) p.setPicture(ui::Bitmap::FromResource(spot.resource));
        add(p);
    }
    for (int set = 0; set < static_cast<int>(GraphSetButtons.size()); ++set) {
        ui::Picture& p = GraphSetButtons[static_cast<size_t>(set)];
        p.setBounds(kSetButtonLeft + kSetButtonStep * set, kSetButtonTop, 23, 13);
        p.setPicture(ui::Bitmap::FromResource(IDB_MAIN_SET_1 + set));
        add(p);
    }
    GraphSetButtons[0].setVisible(false); // Image20: set 1 is active
    Image19.cursor = LoadCursorW(nullptr, ui::kSizeAllCursor);
    for (ui::Picture* p : {&Image2, &Image3, &Image4, &Image16, &Image17})
        p->setDimWhenDisabled(true);
    Image16.setEnabled(false);
    Image17.setEnabled(false);

    for (const LabelSpot& spot : kLabels) {
        ui::Label& l = this->*spot.label;
        l.setColour(spot.colour);
        l.setAlignment(spot.align);
        l.place(spot.left, spot.top);
        if (spot.width) l.setFixedWidth(spot.width);
        l.setText(spot.text);
        add(l);
    }
    for (int row = 1; row <= kReadoutRows; ++row) {
        ui::Label& name = NParam_(row);
        name.setColour(ui::kLabelGreen);
        name.place(kReadoutNameLeft, ReadoutTop(row));
        add(name);
        ui::Label& value = Param_(row);
        value.setColour(ui::kLabelAmber);
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
            BindStripChart(panel, state.selection, state.ecu, state.colours, n);
        } else {
            ConfigureRawDataPanel(panel);
            BindRawDataPanel(panel, state.ecu, state.colours);
        }
        panel.PresentThroughDib =
            PanelsDrawThroughBitmap(options_.bitmapGl, TOpenGLPanel::RunningUnderWine());
        panel.OnFallback = [this](const std::string& failure) { reportGlFallback(failure); };
        const PanelSpot& spot = kPanels[n - 1];
        panel.CreateWindowIn(handle(), spot.left, spot.top, spot.width, spot.height);
    }
}

void TForm1::initialiseMembers() {
    LinkRequests& requests = state.requests;
    Selection& selection = state.selection;
    DisplayColours& colours = state.colours;
    requests.clearCodesRequested = 0;
    requests.returnControlRequested = 0;
    for (auto& request : requests.commandRequests)
        request = 0;
    moveTo(0, 0);
    blinkPhase = 0;
    connectState = 0;
    selection.carIndex = 0;
    selection.portName.set("Com1");
    selection.portIndex = 0;
    requests.openRequested = 0;
    selection.engineIndex.fill(0);
    selection.graphParam.fill(0);
    colours.gridColour = {0.5f, 0.7f, 0.7f, 0.3f};
    colours.textColour = {0.4f, 0.6f, 0.9f, 0.8f};
    colours.text3Colour = {0.8f, 0.7f, 0.3f, 0.8f};
    colours.graphicColour = {0.99f, 0.0f, 0.0f, 0.99f};
    selection.currentGraphSet = "SET_GRAF1";
    selection.carKey = "\\MOTOSKOP\\CARS\\ESPERO";
    selection.engineKey = "\\ENGINE\\1.5_MPFI_DOHC_1\\";
}

void TForm1::setReadoutCaptions() {
    for (int row = 1; row <= kReadoutRows; ++row)
        NParam_(row).setText(Readout(row).caption);
}

void TForm1::loadSettings() {
    LoadSettingsAtStartup(registry_, state.selection, state.colours, *this);
    const std::vector<int> present = presentPorts();
    ApplyPortIndexAmong(state.selection, *this, present);
    ChoosePort(registry_, state.selection, *this, options_.portIndex);
    showPortPresence();
}
