// The checks window «Проверки» (560 x 572, beside the main window) and the main window's
// "Проверки" button. The background carries the lit face of every button under its picture;
// the places are those checks/TFormChecks.cpp lays the controls out at.
#include <string>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/ImageFiles.h"
#include "tools/artgen/Look.h"

using namespace look;

namespace {

constexpr int kW = 560, kH = 572;
constexpr int kCloseX = 536, kCloseY = 2, kCloseW = 18, kCloseH = 9;
constexpr int kAdapterY = 16, kAdapterH = 86;
constexpr int kChecksY = 104, kChecksH = 430;
constexpr int kListX = 12, kListY = 126, kListW = 536, kListH = 400;
constexpr int kStripY = 536, kStripH = 33;
constexpr int kButtonY = 543, kUpX = 12, kDownX = 40, kExitX = 523;

// Triangles pointing up and down: a page of the list.
Content ArrowUp() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0;
        c.triangle(cx, cy - 4.5, cx - 4.5, cy + 3.5, cx + 4.5, cy + 3.5, ink);
    };
}

Content ArrowDown() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0;
        c.triangle(cx, cy + 4.5, cx - 4.5, cy - 3.5, cx + 4.5, cy - 3.5, ink);
    };
}

void PlaceButton(Canvas& background, const std::string& dir, const char* file, int x, int y, int w,
                 int h, const Content& content) {
    Button(background, x, y, w, h, Face::Lit, content);
    if (file) WriteBmp(ButtonPicture(w, h, content), dir + "/" + file);
}

} // namespace

void DrawChecksWindow(const std::string& dir) {
    Canvas c(kW, kH);
    Panel(c, 0, 0, kW, kH, 706);
    Frame(c, 0, 0, kW, kH);
    // The drag bar with the title, as the main window's.
    c.verticalGradient(1, 1, kW - 2, 13, {58, 66, 76}, {26, 30, 35});
    c.fill(1, 13, kW - 2, 1, kEdgeDark);
    for (int x = 8; x < 150; x += 4)
        c.fill(x, 4, 2, 5, {20, 24, 28});
    for (int x = 410; x < 530; x += 4)
        c.fill(x, 4, 2, 5, {20, 24, 28});
    CentredText(c, "MOTOSKOP · проверки двигателя", kBold, 9, 150, 0, 260, 13, {180, 190, 170});
    Well(c, kCloseX - 1, kCloseY - 1, kCloseW + 2, kCloseH + 2, {10, 12, 14});
    Button(c, kCloseX, kCloseY, kCloseW, kCloseH, Face::Lit, Cross()); // IDB_MAIN_CLOSE over it

    Frame(c, 3, kAdapterY, kW - 6, kAdapterH);
    Screws(c, 3, kAdapterY, kW - 6, kAdapterH);
    Well(c, kListX, 36, kListW, 60, {10, 14, 12});
    Frame(c, 3, kChecksY, kW - 6, kChecksH);
    Well(c, kListX, kListY, kListW, kListH, {2, 6, 4});
    Frame(c, 3, kStripY, kW - 6, kStripH);
    PlaceButton(c, dir, "checks_up.bmp", kUpX, kButtonY, 26, 19, ArrowUp());
    PlaceButton(c, dir, "checks_down.bmp", kDownX, kButtonY, 26, 19, ArrowDown());
    PlaceButton(c, dir, "checks_exit.bmp", kExitX, kButtonY, 26, 19, ExitIcon());
    WriteJpeg(c, dir + "/checks_background.jpg");

    // The main window's button, at the right of the readout's title: normal and lit.
    const Content caption = Text("Проверки", kCondensedBold, 10);
    WriteBmp(ButtonPicture(67, 20, caption), dir + "/main_checks.bmp");
    Canvas lit(67, 20);
    Button(lit, 0, 0, 67, 20, Face::Lit, caption);
    WriteBmp(lit, dir + "/main_checks_lit.bmp");
}
