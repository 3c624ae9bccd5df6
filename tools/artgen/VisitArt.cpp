// The window «Автомобиль и визит» (record/TFormVisit.cpp lays its fields and buttons
// out over these wells): a secondary window of 524 x 365 with its title, a well under
// each field, OK and "Отмена".
#include <string>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/ImageFiles.h"
#include "tools/artgen/Look.h"

using namespace look;

namespace {

constexpr int kW = 524, kH = 365;
constexpr Rgb kFieldGround{10, 16, 12};

// The fields' places, as record/TFormVisit.cpp puts them.
struct FieldWell {
    int x, y, w, h;
};
// clang-format off
const FieldWell kFields[] = {
    {160,  48, 150, 18}, // plate
    {160,  74, 190, 18}, // VIN
    {160, 114,  90, 18}, // odometer
    {160, 140, 344, 56}, // complaint
    {160, 204, 344, 56}, // work done
    {160, 270, 344, 18}, // workshop
};
// clang-format on

void PlaceButton(Canvas& background, const std::string& dir, const char* file, int x, int y, int w,
                 int h, const Content& content) {
    Button(background, x, y, w, h, Face::Lit, content);
    WriteBmp(ButtonPicture(w, h, content), dir + "/" + file);
}

} // namespace

void DrawVisitWindow(const std::string& dir) {
    Canvas c(kW, kH);
    Panel(c, 0, 0, kW, kH, 705);
    Frame(c, 0, 0, kW, kH);
    CentredText(c, "Автомобиль и визит", kBold, 14, 8, 8, kW - 16, 24, kGreen);
    Frame(c, 8, 36, kW - 16, 296);
    Screws(c, 8, 36, kW - 16, 296);
    for (const FieldWell& f : kFields)
        Well(c, f.x - 2, f.y - 2, f.w + 4, f.h + 4, kFieldGround);
    Frame(c, 4, 334, kW - 8, 28);
    PlaceButton(c, dir, "visit_ok.bmp", 348, 339, 80, 20, Text("OK", kBold, 11));
    PlaceButton(c, dir, "visit_cancel.bmp", 432, 339, 84, 20, Text("Отмена", kBold, 11));
    WriteBmp(c, dir + "/visit_background.bmp");
}
