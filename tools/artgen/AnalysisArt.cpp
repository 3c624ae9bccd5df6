// The analysis window's buttons. The window is resizable, so it has no
// background picture: each button comes as a normal and a lit picture.
#include <string>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/ImageFiles.h"
#include "tools/artgen/Look.h"

using namespace look;

namespace {

// A small window frame: maximise and restore.
Content FrameIcon() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const int bx = x + w / 2 - 6, by = y + h / 2 - 5;
        c.fill(bx, by, 12, 2, ink);
        c.fill(bx, by, 1, 10, ink);
        c.fill(bx + 11, by, 1, 10, ink);
        c.fill(bx, by + 9, 12, 1, ink);
    };
}

} // namespace

void DrawAnalysisWindow(const std::string& dir) {
    struct Row {
        const char* name;
        int width;
        const char* text;
    };
    // The widths are TFormAnalysis::build's.
    const Row rows[] = {
        {"analysis_all",     50,  "Всё"                   },
        {"analysis_replay",  86,  "К повтору"        },
        {"analysis_export",  108, "Экспорт CSV"       },
        {"analysis_lanes",   66,  "Лента"               },
        {"analysis_scatter", 76,  "Разброс"           },
        {"analysis_map",     66,  "Карта"               },
        {"analysis_checks",  86,  "Проверки"         },
        {"analysis_report",  66,  "Отчёт"               },
        {"analysis_second",  112, "Вторая запись"},
        {"analysis_align",   90,  "Выровнять"       },
    };
    for (const Row& r : rows)
        WriteButtonFaces(dir, r.name, r.width, 20, Text(r.text, kBold, 10.5));
    // Under the span's figures: a channel of the catalogue added to them.
    WriteButtonFaces(dir, "analysis_add_channel", 120, 18, Text("Добавить канал", kBold, 10));
    WriteButtonFaces(dir, "analysis_maximise", 26, 20, FrameIcon());
    WriteButtonFaces(dir, "analysis_exit", 26, 20, ExitIcon());
}
