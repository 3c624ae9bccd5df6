// The replay window (800 x 190, under the main window) and the main window's
// "Открыть" button. Buttons whose face changes (play/pause, open) come as a
// normal and a lit picture; the others have their lit face in the background.
#include <string>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/ImageFiles.h"
#include "tools/artgen/Look.h"

using namespace look;

namespace {

constexpr int kW = 800, kH = 190;

void PlaceButton(Canvas& background, const std::string& dir, const char* file, int x, int y, int w,
                 int h, const Content& content) {
    Button(background, x, y, w, h, Face::Lit, content);
    if (file) WriteBmp(ButtonPicture(w, h, content), dir + "/" + file);
}

Content Play() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cy = y + h / 2.0;
        c.triangle(x + 12, cy - 5, x + 12, cy + 5, x + 20, cy, ink);
        CentredText(c, "Пуск", kBold, 10.5, x + 18, y, w - 18, h, ink);
    };
}

Content Pause() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const int cy = y + h / 2;
        c.fill(x + 12, cy - 5, 3, 10, ink);
        c.fill(x + 17, cy - 5, 3, 10, ink);
        CentredText(c, "Пауза", kBold, 10.5, x + 18, y, w - 18, h, ink);
    };
}

// A bar and an arrow: to the previous or next marker or event.
Content JumpArrow(bool forward) {
    return [forward](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0;
        if (forward) {
            c.triangle(cx + 2.5, cy, cx - 4.5, cy - 4, cx - 4.5, cy + 4, ink);
            c.fill(static_cast<int>(cx) + 3, static_cast<int>(cy) - 4, 2, 9, ink);
        } else {
            c.triangle(cx - 2.5, cy, cx + 4.5, cy - 4, cx + 4.5, cy + 4, ink);
            c.fill(static_cast<int>(cx) - 5, static_cast<int>(cy) - 4, 2, 9, ink);
        }
    };
}

} // namespace

void DrawReplayWindow(const std::string& dir) {
    Canvas c(kW, kH);
    Panel(c, 0, 0, kW, kH, 705);
    Frame(c, 0, 0, kW, kH);
    // Controls strip: play, step, speed, jump, time and date.
    Frame(c, 4, 4, kW - 8, 42);
    Well(c, 218, 22, 44, 19);  // speed
    Well(c, 372, 22, 204, 19); // elapsed / length
    Well(c, 582, 22, 206, 19); // recorded date-time
    // Position slider.
    Frame(c, 4, 48, kW - 8, 34);
    // Markers and events; export.
    Frame(c, 4, 84, 494, 102);
    Well(c, 12, 90, 478, 66, {0, 0, 0});
    Well(c, 98, 158, 294, 21, {10, 16, 12}); // a marker's text
    Frame(c, 500, 84, kW - 504, 102);
    Screws(c, 500, 84, kW - 504, 102);
    Well(c, 540, 92, 140, 19);
    Well(c, 540, 115, 140, 19);
    Well(c, 540, 138, 140, 19);

    PlaceButton(c, dir, "replay_left.bmp", 120, 22, 26, 19, ArrowLeft());
    PlaceButton(c, dir, "replay_right.bmp", 148, 22, 26, 19, ArrowRight());
    PlaceButton(c, dir, nullptr, 190, 22, 26, 19, ArrowLeft());
    PlaceButton(c, dir, nullptr, 264, 22, 26, 19, ArrowRight());
    PlaceButton(c, dir, "replay_jump_prev.bmp", 306, 22, 26, 19, JumpArrow(false));
    PlaceButton(c, dir, "replay_jump_next.bmp", 334, 22, 26, 19, JumpArrow(true));
    PlaceButton(c, dir, "replay_next.bmp", 684, 92, 26, 19, NextArrow());
    PlaceButton(c, dir, nullptr, 684, 115, 26, 19, NextArrow());
    PlaceButton(c, dir, nullptr, 684, 138, 26, 19, NextArrow());
    PlaceButton(c, dir, "replay_save.bmp", 398, 159, 26, 19, SaveIcon());
    PlaceButton(c, dir, "replay_export.bmp", 508, 161, 120, 20, Text("Экспорт CSV", kBold, 10.5));
    PlaceButton(c, dir, "replay_analyse.bmp", 716, 92, 72, 20, Text("Анализ", kBold, 10.5));
    PlaceButton(c, dir, "replay_exit.bmp", 764, 161, 26, 19, ExitIcon());
    WriteBmp(c, dir + "/replay_background.bmp");

    WriteButtonFaces(dir, "replay_play", 95, 20, Play());
    WriteButtonFaces(dir, "replay_pause", 95, 20, Pause());
    WriteButtonFaces(dir, "main_open", 67, 20, Text("Открыть", kBold, 10));
}
