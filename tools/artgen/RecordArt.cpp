// The record control on the main window's lower-right panel: the status row
// (lamp, a well for the elapsed time and the file name, the marker button), the
// "Запись" toggle above "Цвета" and "Визит" under it.
#include <string>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/ImageFiles.h"
#include "tools/artgen/Look.h"

using namespace look;

namespace {

// The places, as app/RecordControl_win32.cpp lays the controls out.
constexpr int kLampX = 489, kLampY = 302, kLampSize = 12;
constexpr int kWellX = 506, kWellY = 300, kWellW = 205, kWellH = 16;
constexpr int kMarkX = 717, kMarkY = 299, kMarkW = 48, kMarkH = 18;
constexpr int kRecordX = 485, kRecordY = 322, kRecordW = 67, kRecordH = 20;
constexpr int kVisitX = 485, kVisitY = 372, kVisitW = 67, kVisitH = 16;

constexpr Rgb kRecordRed{255, 46, 36};

void Lamp(Canvas& c, double cx, double cy, double r, Rgb colour, bool lit) {
    c.ellipse(cx, cy, r + 1.0, r + 1.0, {8, 10, 12});
    c.ellipse(cx, cy, r, r, lit ? colour : Mix(colour, {0, 0, 0}, 0.75));
    if (lit) c.ellipse(cx - 1.0, cy - 1.0, r * 0.35, r * 0.35, Mix(colour, {255, 255, 255}, 0.7));
}

// "Запись" with a round lamp at the left: idle, idle pressed, recording (lit),
// recording pressed.
void RecordFace(Canvas& c, int x, bool recording, bool pressed) {
    const Face face = pressed ? Face::Pressed : recording ? Face::Lit : Face::Normal;
    Button(c, x, 0, kRecordW, kRecordH, face, nullptr);
    const int shift = pressed || recording ? 1 : 0;
    const Rgb ink = recording ? kAmber : pressed ? Mix(kGreen, {0, 0, 0}, 0.35) : kGreen;
    CentredText(c, "Запись", kBold, 10, x + 17 + shift, shift, kRecordW - 19, kRecordH, ink);
    Lamp(c, x + 10.5 + shift, 10.0 + shift, 3.4, kRecordRed, recording && !pressed);
}

Canvas RecordStrip() {
    Canvas strip(4 * kRecordW, kRecordH);
    RecordFace(strip, 0 * kRecordW, false, false);
    RecordFace(strip, 1 * kRecordW, false, true);
    RecordFace(strip, 2 * kRecordW, true, false);
    RecordFace(strip, 3 * kRecordW, true, true);
    return strip;
}

} // namespace

void DrawRecordControl(Canvas& background, const std::string& dir) {
    Well(background, kWellX, kWellY, kWellW, kWellH, {10, 14, 12});

    // The lamp: lit and dark, each on the panel it sits on.
    Canvas lamps(2 * kLampSize, kLampSize);
    for (int frame = 0; frame < 2; ++frame) {
        Canvas one = background.crop(kLampX, kLampY, kLampSize, kLampSize);
        Lamp(one, kLampSize / 2.0, kLampSize / 2.0, 4.2, kRecordRed, frame == 0);
        lamps.paste(one, frame * kLampSize, 0);
    }
    background.paste(lamps.crop(kLampSize, 0, kLampSize, kLampSize), kLampX, kLampY);
    WriteBmp(lamps, dir + "/main_rec_lamp.bmp");

    const Content mark = Text("Метка", kCondensedBold, 9);
    Button(background, kMarkX, kMarkY, kMarkW, kMarkH, Face::Lit, mark);
    WriteBmp(ButtonPicture(kMarkW, kMarkH, mark), dir + "/main_mark.bmp");

    const Content visit = Text("Визит", kCondensedBold, 9);
    Button(background, kVisitX, kVisitY, kVisitW, kVisitH, Face::Lit, visit);
    WriteBmp(ButtonPicture(kVisitW, kVisitH, visit), dir + "/main_visit.bmp");

    // Under the toggle, which is never hidden: its idle face.
    const Canvas strip = RecordStrip();
    background.paste(strip.crop(0, 0, kRecordW, kRecordH), kRecordX, kRecordY);
    WriteBmp(strip, dir + "/main_record.bmp");
}
