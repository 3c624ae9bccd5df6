// The 524 x 365 secondary windows: about, trouble codes, actuators, colours.
// Each background carries the lit face of every button under its picture.
#include <string>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/ImageFiles.h"
#include "tools/artgen/Look.h"

using namespace look;

namespace {

constexpr int kW = 524, kH = 365;

// Panel, outer frame and the bottom button strip every secondary window has.
Canvas Window(uint32_t seed) {
    Canvas c(kW, kH);
    Panel(c, 0, 0, kW, kH, seed);
    Frame(c, 0, 0, kW, kH);
    Frame(c, 4, 334, kW - 8, 28);
    return c;
}

// Lit face in the background, normal face as the picture file.
void PlaceButton(Canvas& background, const std::string& dir, const char* file, int x, int y, int w,
                 int h, const Content& content) {
    Button(background, x, y, w, h, Face::Lit, content);
    if (file) WriteBmp(ButtonPicture(w, h, content), dir + "/" + file);
}

} // namespace

void DrawAboutWindow(const std::string& dir) {
    // The description lines run nearly the full width: the wells leave them room.
    Canvas c = Window(701);
    Frame(c, 4, 4, kW - 8, 328);
    Screws(c, 4, 4, kW - 8, 328);
    Well(c, 12, 58, kW - 22, 114, {10, 16, 12}); // description
    Well(c, 12, 174, kW - 22, 112, {18, 8, 8});  // disclaimer
    Well(c, 12, 292, kW - 22, 36, {10, 16, 12}); // authorship and contact
    PlaceButton(c, dir, "about_exit.bmp", 493, 342, 24, 18, ExitIcon());
    WriteBmp(c, dir + "/about_background.bmp");
}

void DrawTroubleCodeWindow(const std::string& dir) {
    Canvas c = Window(702);
    Frame(c, 14, 10, 510 - 14, 324);
    Well(c, 24, 20, 490, 305, {0, 0, 0});
    Well(c, 132, 342, 30, 15);
    // The reset caption is black: it sits on a light plate beside its button.
    Frame(c, 196, 341, 44, 19);
    c.fill(197, 342, 42, 17, {176, 196, 178});
    PlaceButton(c, dir, "codes_reset.bmp", 168, 342, 26, 19, ResetIcon());
    PlaceButton(c, dir, "codes_exit.bmp", 493, 342, 26, 19, ExitIcon());
    WriteJpeg(c, dir + "/codes_background.jpg");
}

void DrawActuatorWindow(const std::string& dir) {
    Canvas c = Window(703);
    const Content off = Text("Выкл.", kBold, 10.5), on = Text("Вкл.", kBold, 10.5);
    // Four rows of two groups; each group is a caption over two buttons.
    const int groupTop[4] = {36, 107, 178, 248};
    for (int row = 0; row < 4; ++row) {
        Frame(c, 34, groupTop[row], 214, row == 3 ? 80 : 64);
        Frame(c, 284, groupTop[row], 214, row == 3 ? 80 : 64);
    }
    const int rowY[3] = {63, 134, 205};
    for (int row = 0; row < 3; ++row) {
        PlaceButton(c, dir, row == 0 ? "act_off.bmp" : nullptr, 43, rowY[row], 95, 20, off);
        PlaceButton(c, dir, row == 0 ? "act_on.bmp" : nullptr, 139, rowY[row], 95, 20, on);
        // The idle-air-control row has two "on" buttons.
        PlaceButton(c, dir, nullptr, 293, rowY[row], 95, 20, row == 2 ? on : off);
        PlaceButton(c, dir, nullptr, 389, rowY[row], 95, 20, on);
    }
    // Beneath the trackbars: blank faces (disabled, never pressed).
    for (int x : {43, 139, 293, 389}) {
        Button(c, x, 276, 95, 20, Face::Normal, nullptr);
        c.fill(x + 2, 278, 91, 16, {36, 42, 48});
    }
    Canvas blank(95, 20);
    Button(blank, 0, 0, 95, 20, Face::Normal, nullptr);
    blank.fill(2, 2, 91, 16, {36, 42, 48});
    WriteBmp(blank, dir + "/act_blank.bmp");
    // Value boxes under the trackbars.
    for (int x : {100, 144, 350, 394})
        Well(c, x, 303, 37, 15);
    PlaceButton(c, dir, "act_return.bmp", 168, 342, 26, 19, ReturnIcon());
    PlaceButton(c, dir, "act_exit.bmp", 493, 342, 26, 19, ExitIcon());
    WriteBmp(c, dir + "/act_background.bmp");
}

void DrawColourWindow(const std::string& dir) {
    Canvas c = Window(704);
    Frame(c, 8, 8, kW - 16, 108);
    Screws(c, 8, 8, kW - 16, 108);
    CentredText(c, "Цвета графиков", kBold, 16, 8, 30, kW - 16, 30, kGreen);
    CentredText(c, "изменения видны сразу, сохраняются кнопкой внизу", kSans, 10, 8, 66, kW - 16,
                16, {120, 150, 122});
    // One frame per colour, a well behind each slider.
    for (int left : {26, 153, 281, 408}) {
        Frame(c, left - 6, 120, 103, 206);
        for (int top : {165, 211, 257, 303})
            Well(c, left, top, 91, 17, {28, 33, 38});
    }
    PlaceButton(c, dir, "colour_standard.bmp", 8, 342, 24, 18, ReturnIcon());
    PlaceButton(c, dir, "colour_save.bmp", 169, 342, 24, 18, SaveIcon());
    PlaceButton(c, dir, "colour_exit.bmp", 493, 342, 24, 18, ExitIcon());
    WriteBmp(c, dir + "/colour_background.bmp");
}
