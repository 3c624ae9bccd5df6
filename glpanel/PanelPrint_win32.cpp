// Printing the panel's picture on the default printer.
#include <windows.h>
#include <commdlg.h>

#include <cstdlib>
#include <cstring>

#include "glpanel/OpenGLPanel_win32.h"

namespace {
HDC DefaultPrinterDC() {
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgW(&pd)) return nullptr;
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    return pd.hDC;
}
} // namespace

void TOpenGLPanel::PrintOpenGLPanel() {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    if (!CapturePicture(pixels, width, height)) return;
    HDC printer = DefaultPrinterDC();
    if (!printer) return;

    PrintPageMetrics page;
    page.dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    page.dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    page.pageW = GetDeviceCaps(printer, HORZRES);
    page.pageH = GetDeviceCaps(printer, VERTRES);
    const PrintPlacement at = PlacePrint(PrintScale, width, height, PixelsPerInch, page);

    const size_t headerSize = sizeof(BITMAPINFOHEADER);
    const size_t imageSize = size_t(width) * height * 4;
    auto* header = static_cast<BITMAPINFO*>(std::calloc(1, headerSize));
    void* bits = std::malloc(imageSize);
    if (!header || !bits) {
        Message("Print: Malloc Error");
        std::free(header);
        std::free(bits);
        DeleteDC(printer);
        return;
    }
    header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header->bmiHeader.biWidth = width;
    header->bmiHeader.biHeight = -height;
    header->bmiHeader.biPlanes = 1;
    header->bmiHeader.biBitCount = 32;
    header->bmiHeader.biCompression = BI_RGB;
    std::memcpy(bits, pixels.data(), imageSize);

    DOCINFOW doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = L"MOTOSKOP";
    if (StartDocW(printer, &doc) > 0) {
        StartPage(printer);
        if (at.width > 0 && at.height > 0)
            StretchDIBits(printer, at.left, at.top, at.width, at.height, 0, 0, width, height, bits,
                          header, DIB_RGB_COLORS, SRCCOPY);
        EndPage(printer);
        EndDoc(printer);
    }
    std::free(header);
    std::free(bits);
    DeleteDC(printer);
}
