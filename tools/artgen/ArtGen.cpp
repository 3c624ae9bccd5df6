// Draws the program's pictures into the assets folder:
//   artgen [assets-dir]     (default: ./assets)
#include <cstdio>
#include <exception>
#include <string>

#include "tools/artgen/Artwork.h"

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "assets";
    try {
        DrawMainWindow(dir);
        DrawAboutWindow(dir);
        DrawTroubleCodeWindow(dir);
        DrawActuatorWindow(dir);
        DrawColourWindow(dir);
        DrawReplayWindow(dir);
        DrawAnalysisWindow(dir);
        DrawChecksWindow(dir);
        DrawVisitWindow(dir);
        DrawProgramIcon(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
    std::printf("artgen: pictures written to %s\n", dir.c_str());
    return 0;
}
