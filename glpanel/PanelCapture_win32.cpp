// The panel's picture capture, saving, extension query and display depth.
#include <GL/gl.h>

#include "glpanel/BmpWriter.h"
#include "glpanel/ExtensionMatch.h"
#include "glpanel/OpenGLPanel_win32.h"

bool TOpenGLPanel::CapturePicture(std::vector<uint32_t>& pixels, int& width, int& height) {
    HWND hwnd = Handle();
    if (!hwnd || width_ <= 0 || height_ <= 0) return false;
    width = width_;
    height = height_;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Paint();

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height; // top row first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDC = GetDC(hwnd);
    HDC memDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateDIBSection(windowDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = memDC && bitmap;
    if (ok) {
        HGDIOBJ previous = SelectObject(memDC, bitmap);
        ok = BitBlt(memDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        if (ok) {
            const uint32_t* src = static_cast<const uint32_t*>(bits);
            pixels.assign(src, src + size_t(width) * height);
            for (uint32_t& p : pixels)
                p &= 0xFFFFFF;
        }
        SelectObject(memDC, previous);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memDC) DeleteDC(memDC);
    ReleaseDC(hwnd, windowDC);
    return ok;
}

bool TOpenGLPanel::SaveOpenGLPanelToFile(const std::string& fileName) {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    return CapturePicture(pixels, width, height) && WriteBmpFile(fileName, width, height, pixels);
}

BMPTexture* TOpenGLPanel::LoadBMPTexture(const std::string& fileName, bool alpha) {
    return ::LoadBMPTexture(fileName, alpha);
}

bool TOpenGLPanel::QueryOpenGLExtention(const std::string& name) {
    if (!wglGetCurrentContext()) return false;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return ExtensionListHas(extensions, name.c_str());
}

int32_t TOpenGLPanel::GetDisplayBPP() {
    HDC screen = GetDC(nullptr);
    const int bpp = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bpp;
}

bool TOpenGLPanel::SetDisplayBPP(int32_t bitsPerPixel) {
    DEVMODEA mode;
    static_assert(sizeof(DEVMODEA) == 156, "display-mode record");
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_BITSPERPEL;
    mode.dmBitsPerPel = DWORD(bitsPerPixel);
    return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
}
