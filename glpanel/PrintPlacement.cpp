#include "glpanel/PrintPlacement.h"

#include <algorithm>

int PrintMargin(int dpi) {
    return int(dpi * 0.18);
}

PrintPlacement PlacePrint(TOpenGLPrintScale mode, int picW, int picH, int& pixelsPerInch,
                          const PrintPageMetrics& page) {
    PrintPlacement p;
    p.left = PrintMargin(page.dpiX);
    p.top = PrintMargin(page.dpiY);
    switch (mode) {
    case pglProportional:
        if (pixelsPerInch < 1) pixelsPerInch = 96;
        p.width = int(double(picW) / pixelsPerInch * page.dpiX);
        p.height = int(double(picH) / pixelsPerInch * page.dpiY);
        break;
    case pglNone:
        p.width = picW;
        p.height = picH;
        break;
    case pglPrintToFit: {
        const int availW = page.pageW - 2 * p.left;
        const int availH = page.pageH - 2 * p.top;
        if (picW <= 0 || picH <= 0 || availW <= 0 || availH <= 0) break;
        const double scale = std::min(double(availW) / picW, double(availH) / picH);
        p.width = std::max(1, int(picW * scale));
        p.height = std::max(1, int(picH * scale));
        break;
    }
    }
    return p;
}
