#pragma once
// Where a captured panel picture lands on the printer page.

enum TOpenGLPrintScale { pglNone, pglPrintToFit, pglProportional };

struct PrintPageMetrics {
    int dpiX = 0;  // LOGPIXELSX
    int dpiY = 0;  // LOGPIXELSY
    int pageW = 0; // HORZRES
    int pageH = 0; // VERTRES
};

// Destination rectangle on the page, in printer pixels.
struct PrintPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The margins: 0.18 inch, truncated.
int PrintMargin(int dpi);

// pglNone: one printer pixel per picture pixel. pglProportional: the picture's
// physical size at `pixelsPerInch` (a value below 1 is first set to 96, and
// stays so). pglPrintToFit: as large as fits the page less the margins on all
// sides, proportions kept. All start at the margins.
PrintPlacement PlacePrint(TOpenGLPrintScale mode, int picW, int picH, int& pixelsPerInch,
                          const PrintPageMetrics& page);
