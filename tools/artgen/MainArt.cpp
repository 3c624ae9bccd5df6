// The main window: 800 x 572 background with the lit face of every button,
// the button pictures, the emblem and the START/STOP frames.
#include <cmath>
#include <string>
#include <vector>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/ImageFiles.h"
#include "tools/artgen/Look.h"

using namespace look;

namespace {

struct ButtonArt {
    const char* file; // picture file; nullptr when another entry already wrote it
    int x, y, w, h;
    Content content;
};

Content SetNumber(int n) {
    return Text(std::to_string(n), kCondensedBold, 9.5);
}

std::vector<ButtonArt> MainButtons() {
    std::vector<ButtonArt> buttons = {
        {"main_close.bmp",              776,            2,                              18,                             9,Cross()     },
        {"main_arrow_prev.bmp",         400,            16,                             23,                             13,ArrowLeft() },
        {"main_arrow_next.bmp",         424,            16,                             23,                             13,ArrowRight()},
        {nullptr,                       401,            143,                            23,                             13,ArrowLeft() },
        {nullptr,                       425,            143,                            23,                             13,ArrowRight()},
        {nullptr,                       401,            271,                            23,                             13,ArrowLeft() },
        {nullptr,                       425,            271,                            23,                             13,ArrowRight()},
        {nullptr,                       401,            399,                            23,                             13,ArrowLeft() },
        {nullptr,                       425,            399,                            23,                             13,ArrowRight()},
        {"main_colours.bmp",            485,            349,                            67,                             20,Text("Цвета",kBold, 10)},
        {"main_about.bmp",                          704,                                        349,                                                       67,                                                         20,Text("О программе",kCondensedBold, 9)},
        {"main_error.bmp", 581, 399,                             95,                                                           20,                              Text("ERROR",                                                                                                                                                                                                              kBold, 11)},
        {"main_test.bmp",                           677,                                       399,                             95,20,Text("TEST",kBold, 11)},
        {"main_next.bmp",103,548,26,      19,                                NextArrow()                                                                                                                                                                                                                                                                                                                                                                                                                     },
        {nullptr,                             255,                             548,                                                         26,                                                                                                                19, NextArrow()     },
        {nullptr,                             701,                                     548,                                    26,                                   19,NextArrow()},
    };
    for (int n = 1; n <= 12; ++n) {
        static std::string names[13];
        names[n] = "main_set_" + std::to_string(n) + ".bmp";
        buttons.push_back({names[n].c_str(), 484 + 24 * (n - 1), 16, 23, 13, SetNumber(n)});
    }
    return buttons;
}

// START/STOP face: the caption and an indicator lamp at the left.
void ConnectFace(Canvas& c, int x, const char* caption, Rgb lamp, bool lampLit, bool pressed) {
    Button(c, x, 0, 95, 20, pressed ? Face::Pressed : Face::Normal, Text(caption, kBold, 11));
    const Rgb dark = Mix(lamp, {0, 0, 0}, 0.78);
    c.ellipse(x + 12.5, 10.0, 4.6, 4.6, {8, 10, 12});
    c.ellipse(x + 12.5, 10.0, 3.6, 3.6, lampLit ? lamp : dark);
    if (lampLit) c.ellipse(x + 11.5, 9.0, 1.3, 1.3, Mix(lamp, {255, 255, 255}, 0.7));
}

Canvas StartStopStrip() {
    constexpr Rgb kStartLamp{70, 240, 90}, kStopLamp{255, 60, 40};
    Canvas strip(6 * 95, 20);
    ConnectFace(strip, 0 * 95, "START", kStartLamp, true, false);  // 0 lit
    ConnectFace(strip, 1 * 95, "START", kStartLamp, false, false); // 1 dark
    ConnectFace(strip, 2 * 95, "START", kStartLamp, true, true);   // 2 pressed
    ConnectFace(strip, 3 * 95, "STOP", kStopLamp, true, false);    // 3 lit
    ConnectFace(strip, 4 * 95, "STOP", kStopLamp, false, false);   // 4 dark
    ConnectFace(strip, 5 * 95, "STOP", kStopLamp, true, true);     // 5 pressed
    return strip;
}

// Drawn on the panel it sits on, so the picture blends into the background.
Canvas Emblem(const Canvas& background) {
    Canvas e = background.crop(568, 320, 115, 66);
    e.ring(57.5, 33, 52, 28, 4.0, {18, 20, 24});
    e.ring(57.5, 32, 51, 27, 3.0, {190, 198, 206});
    e.ring(57.5, 32, 48, 24, 1.0, {90, 96, 104});
    // A stylised open fan above the name.
    for (int i = -3; i <= 3; ++i) {
        const double a = i * 0.33;
        e.line(57.5, 30, 57.5 + 20 * std::sin(a), 30 - 18 * std::cos(a), {150, 160, 172}, 2.2);
    }
    e.fill(30, 31, 56, 14, {30, 34, 40});
    CentredText(e, "DAEWOO", kBold, 11, 30, 31, 56, 14, {215, 222, 230});
    return e;
}

void DragBar(Canvas& c) {
    c.verticalGradient(0, 0, 800, 13, {58, 66, 76}, {26, 30, 35});
    c.fill(0, 13, 800, 1, kEdgeDark);
    for (int x = 8; x < 300; x += 4)
        c.fill(x, 4, 2, 5, {20, 24, 28});
    for (int x = 500; x < 766; x += 4)
        c.fill(x, 4, 2, 5, {20, 24, 28});
    CentredText(c, "MOTOSKOP · диагностика DAEWOO", kBold, 9, 300, 0, 200, 13, {180, 190, 170});
    Well(c, 775, 1, 20, 11, {10, 12, 14});
}

void Background(Canvas& c) {
    Panel(c, 0, 0, 800, 572, 1234);
    DragBar(c);

    // The four graphs, each with its caption strip and arrows on top.
    for (int n = 1; n <= 4; ++n) {
        const int top = 13 + 128 * (n - 1);
        Frame(c, 3, top, 450, 127);
        Well(c, 12, 32 + 128 * (n - 1), 432, 105, {2, 6, 4});
        Grid(c, 12, 32 + 128 * (n - 1), 432, 105);
    }

    // Graph sets, readout, emblem, buttons, received data.
    Frame(c, 478, 12, 299, 20);
    Frame(c, 478, 30, 299, 262);
    for (int row = 1; row <= 14; ++row) {
        const int y = 48 + 16 * row;
        c.fill(484, y + 14, 287, 1, {46, 54, 60});
        if (row % 2 == 0) c.fill(484, y - 1, 287, 15, {30, 36, 40});
    }
    Frame(c, 478, 294, 299, 100);
    Screws(c, 478, 294, 299, 100);
    Frame(c, 478, 394, 299, 26);
    Frame(c, 478, 420, 299, 108);
    Well(c, 488, 440, 279, 81, {2, 6, 4});

    // Status strip: car, engine, status line, port.
    Frame(c, 3, 536, 794, 34);
    Well(c, 11, 548, 90, 16);
    Well(c, 131, 548, 122, 16);
    Well(c, 285, 548, 264, 16);
    Well(c, 731, 548, 62, 16);
    CentredText(c, "K-LINE  ·  ALDL  ·  8200", kCondensedBold, 9, 556, 548, 140, 16, {88, 98, 90});
}

} // namespace

void DrawMainWindow(const std::string& dir) {
    Canvas background(800, 572);
    Background(background);
    for (const ButtonArt& b : MainButtons()) {
        Button(background, b.x, b.y, b.w, b.h, Face::Lit, b.content);
        if (b.file) WriteBmp(ButtonPicture(b.w, b.h, b.content), dir + "/" + b.file);
    }
    // Under START/STOP: the dark START face (the picture is never hidden).
    Canvas strip = StartStopStrip();
    background.paste(strip.crop(95, 0, 95, 20), 485, 399);
    WriteBmp(strip, dir + "/main_startstop.bmp");
    WriteBmp(strip.crop(95, 0, 95, 20), dir + "/main_start.bmp");
    DrawRecordControl(background, dir);

    Canvas emblem = Emblem(background);
    background.paste(emblem, 568, 320);
    WriteBmp(emblem, dir + "/main_emblem.bmp");
    WriteJpeg(background, dir + "/main_background.jpg");
}
