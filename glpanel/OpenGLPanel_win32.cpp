#include "glpanel/OpenGLPanel_win32.h"

#include <GL/gl.h>
#include <float.h>

#include <cstdlib>
#include <cstring>

#include "glpanel/PaletteBuilder.h"
#include "platform/TextConversion.h"

TOpenGLPanel::TOpenGLPanel() : PresentThroughDib(RunningUnderWine()) {
    // Mask all six floating-point exceptions; GL drivers rely on it.
    _control87(_MCW_EM, _MCW_EM);
    Font3D_Type = TPanelFont{};
    Font2D_Type = TPanelFont{};
}

TOpenGLPanel::~TOpenGLPanel() {
    DestroyWindow();
}

bool TOpenGLPanel::RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void TOpenGLPanel::SetPixelType(TPFDPixelTypes type) {
    pixelType_ = type;
    pixelTypeCode = type == f_PFD_TYPE_RGBA ? 0 : 1;
}

void TOpenGLPanel::SetPFDFlags(TPFDFlags flags) {
    pfdFlags_ = ApplyPFDFlagRule(flags, pfdFlags_);
}

void TOpenGLPanel::SetFont3D_Format(TFont3DFormat format) {
    font3DFormat_ = format;
    wglFontFormat = format == f_WGL_FONT_LINES ? 0 : 1;
}

bool TOpenGLPanel::CreateWindowIn(HWND parent, int left, int top, int width, int height) {
    if (Handle()) return false;
    if (OnPreInit) OnPreInit(this); // may still change pixel-format and font properties
    width_ = width;
    height_ = height;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    // CS_OWNDC: one private device context per panel.
    HWND hwnd = createBound({L"TOpenGLPanel", CS_OWNDC, false}, 0, L"", style, left, top, width,
                            height, parent);
    return hwnd != nullptr;
}

void TOpenGLPanel::DestroyWindow() {
    HWND hwnd = Handle();
    if (hwnd) ::DestroyWindow(hwnd);
}

void TOpenGLPanel::Invalidate() {
    HWND hwnd = Handle();
    if (hwnd) InvalidateRect(hwnd, nullptr, FALSE);
}

bool TOpenGLPanel::Visible() const {
    HWND hwnd = Handle();
    return hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE);
}

void TOpenGLPanel::SetVisible(bool visible) {
    HWND hwnd = Handle();
    if (hwnd) ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
}

LRESULT TOpenGLPanel::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = Handle();
    switch (msg) {
    case WM_CREATE:
        WMCreate();
        return 0;
    case WM_DESTROY:
        WMDestroy();
        return 0;
    case WM_NCDESTROY:
        handle_ = nullptr;
        return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_ERASEBKGND:
        return 1; // the picture covers everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        Paint();
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SIZE:
        Resize(LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_QUERYNEWPALETTE:
        return WMQueryNewPalette();
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wp) != hwnd) return WMQueryNewPalette();
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

void TOpenGLPanel::Message(const std::string& text) {
    if (heldMessages_) {
        heldMessages_->push_back(text);
        return;
    }
    if (OnMessage) {
        OnMessage(text);
        return;
    }
    HWND hwnd = Handle();
    MessageBoxW(hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr, Widen(text).c_str(), L"MOTOSKOP",
                MB_OK);
}

void TOpenGLPanel::MessageWithCode(const char* prefix) {
    const DWORD code = GetLastError();
    Message(std::string(prefix) + std::to_string(code));
}

bool TOpenGLPanel::MakeCurrentOrReport() {
    if (wglMakeCurrent(deviceContext, renderingContext)) return true;
    MessageWithCode("wglMakeCurrent:");
    return false;
}

void TOpenGLPanel::WMCreate() {
    RECT rc;
    GetClientRect(Handle(), &rc);
    width_ = rc.right - rc.left;
    height_ = rc.bottom - rc.top;
    if (!CreateContextOrFallBack()) {
        Message("Open GL Context Create Failed");
        return;
    }
    if (!OnInit) return; // fonts are built only for panels with an init handler
    MakeCurrentOrReport();
    if (Font3D_Enabled) Create3DFont();
    if (Font2D_Enabled) Create2DFont();
    OnInit(this);
    wglMakeCurrent(nullptr, nullptr);
}

bool TOpenGLPanel::CreateDibSurface() {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width_ > 0 ? width_ : 1;
    bmi.bmiHeader.biHeight = height_ > 0 ? height_ : 1; // bottom-up, as GL reads
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDC = GetDC(Handle());
    if (!dibDC_) dibDC_ = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateDIBSection(windowDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(Handle(), windowDC);
    if (!dibDC_ || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    HGDIOBJ previous = SelectObject(dibDC_, bitmap);
    if (!dibPrevious_) dibPrevious_ = previous;
    if (dibBitmap_) DeleteObject(dibBitmap_);
    dibBitmap_ = bitmap;
    return true;
}

void TOpenGLPanel::ReleaseDibSurface() {
    if (dibDC_ && dibPrevious_) SelectObject(dibDC_, dibPrevious_);
    if (dibBitmap_) DeleteObject(dibBitmap_);
    if (dibDC_) DeleteDC(dibDC_);
    dibDC_ = nullptr;
    dibBitmap_ = nullptr;
    dibPrevious_ = nullptr;
}

void TOpenGLPanel::PresentDib(HDC target) {
    if (dibDC_ && target) BitBlt(target, 0, 0, width_, height_, dibDC_, 0, 0, SRCCOPY);
}

int TOpenGLPanel::ChooseWindowPixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) {
    return ChoosePixelFormat(dc, pfd);
}

bool TOpenGLPanel::CreateContextOrFallBack() {
    if (PresentThroughDib) return CreateGLContext();
    std::vector<std::string> failures;
    heldMessages_ = &failures;
    const bool onWindow = CreateGLContext();
    heldMessages_ = nullptr;
    if (onWindow) return true;
    PresentThroughDib = true;
    if (!CreateGLContext()) {
        for (const std::string& failure : failures)
            Message(failure);
        return false;
    }
    if (OnFallback) OnFallback(failures.empty() ? std::string() : failures.front());
    return true;
}

bool TOpenGLPanel::CreateGLContext() {
    requested_ = BuildPixelFormatDescription(pfdFlags_, pixelTypeCode, cColorBits, cDepthBits);
    PixelFormatDescription wanted = requested_;
    HWND hwnd = Handle();
    if (PresentThroughDib) {
        wanted = ForBitmapRendering(requested_, 32);
        if (!CreateDibSurface()) {
            MessageWithCode("CreateDIBSection:");
            ReleaseDibSurface();
            return false;
        }
        deviceContext = dibDC_;
    } else {
        deviceContext = GetDC(hwnd);
    }
    auto releaseDC = [&] {
        if (PresentThroughDib)
            ReleaseDibSurface();
        else
            ReleaseDC(hwnd, deviceContext);
        deviceContext = nullptr;
    };

    PIXELFORMATDESCRIPTOR pfd;
    static_assert(sizeof(pfd) == sizeof(wanted), "descriptor layout");
    std::memcpy(&pfd, &wanted, sizeof pfd);
    const int format = PresentThroughDib ? ChoosePixelFormat(deviceContext, &pfd)
                                         : ChooseWindowPixelFormat(deviceContext, &pfd);
    if (format == 0) {
        MessageWithCode("ChoosePixelFormat:");
        releaseDC();
        return false;
    }
    if (!SetPixelFormat(deviceContext, format, &pfd)) {
        MessageWithCode("SetPixelFormat:");
        releaseDC();
        return false;
    }
    doubleBuffered = (pfd.dwFlags & PFD_DOUBLEBUFFER) != 0;
    DescribePixelFormat(deviceContext, format, sizeof pfd, &pfd);
    logicalPalette = nullptr;
    if (pfd.dwFlags & PFD_NEED_PALETTE) {
        PixelFormatDescription chosen;
        std::memcpy(&chosen, &pfd, sizeof chosen);
        if (!ConstructPalette(chosen)) {
            releaseDC();
            return false;
        }
    }
    renderingContext = wglCreateContext(deviceContext);
    if (!renderingContext) {
        MessageWithCode("wglRenderingContext:");
        if (logicalPalette) {
            SelectPalette(deviceContext, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)),
                          FALSE);
            if (!DeleteObject(logicalPalette)) Message("DeleteObject: Failed");
            logicalPalette = nullptr;
        }
        releaseDC();
        return false;
    }
    return true;
}

bool TOpenGLPanel::ConstructPalette(const PixelFormatDescription& format) {
    const std::vector<PaletteColour> colours = BuildPaletteColours(format);
    const size_t n = colours.size();
    LOGPALETTE* block = n ? static_cast<LOGPALETTE*>(std::malloc(4 * n + 8)) : nullptr;
    if (!block) {
        Message("ConstructPalette: Malloc failure");
        return false;
    }
    block->palVersion = 0x300;
    block->palNumEntries = WORD(n);
    for (size_t i = 0; i < n; ++i)
        block->palPalEntry[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
    logicalPalette = CreatePalette(block);
    std::free(block);
    if (!logicalPalette) {
        MessageWithCode("CreatePalette:");
        return false;
    }
    return true;
}

void TOpenGLPanel::Paint() {
    if (!OnPaint || !renderingContext) return;
    HPALETTE previous = nullptr;
    if (logicalPalette) {
        previous = SelectPalette(deviceContext, logicalPalette, FALSE);
        if (RealizePalette(deviceContext) == GDI_ERROR) {
            MessageWithCode("RealizePalette:");
            return;
        }
    }
    if (!MakeCurrentOrReport()) return;
    OnPaint(this);
    if (GLSwapBuffers == TOpenGLSwapBuffers::Auto && doubleBuffered) ::SwapBuffers(deviceContext);
    if (PresentThroughDib) glFinish();
    if (previous) SelectPalette(deviceContext, previous, TRUE);
    wglMakeCurrent(nullptr, nullptr);
    if (PresentThroughDib) {
        HDC windowDC = GetDC(Handle());
        PresentDib(windowDC);
        ReleaseDC(Handle(), windowDC);
    }
}

void TOpenGLPanel::Resize(int width, int height) {
    const bool changed = width != width_ || height != height_;
    width_ = width;
    height_ = height;
    if (changed && PresentThroughDib && dibDC_) CreateDibSurface();
    if (!OnResize || !renderingContext) return;
    if (!MakeCurrentOrReport()) return;
    OnResize(this);
    wglMakeCurrent(nullptr, nullptr);
}

LRESULT TOpenGLPanel::WMQueryNewPalette() {
    if (!logicalPalette) return 0;
    HPALETTE previous = SelectPalette(deviceContext, logicalPalette, FALSE);
    const UINT count = RealizePalette(deviceContext);
    if (count == GDI_ERROR) {
        MessageWithCode("RealizePalette:");
        return 0;
    }
    if (!wglMakeCurrent(deviceContext, renderingContext)) return 0;
    wglMakeCurrent(nullptr, nullptr);
    SelectPalette(deviceContext, previous, TRUE);
    if (count != 0) InvalidateRect(Handle(), nullptr, TRUE);
    return LRESULT(count);
}

void TOpenGLPanel::DestroyGLContext() {
    if ((font3D_ || font2D_) && renderingContext &&
        wglMakeCurrent(deviceContext, renderingContext)) {
        ReleaseFont3D(font3D_);
        ReleaseFont2D(font2D_);
    } else {
        // Without the context the lists go with it; only the records are freed here.
        if (font3D_) delete[] font3D_->glyphMetrics;
        delete font3D_;
        delete font2D_;
    }
    font3D_ = nullptr;
    font2D_ = nullptr;
    wglMakeCurrent(nullptr, nullptr);
    if (!renderingContext) return;
    if (!wglDeleteContext(renderingContext)) MessageWithCode("wglDeleteContext:");
    renderingContext = nullptr;
    if (logicalPalette) {
        if (!DeleteObject(logicalPalette)) Message("DeleteObject: Failed");
        logicalPalette = nullptr;
    }
    if (PresentThroughDib) {
        ReleaseDibSurface();
    } else if (!ReleaseDC(Handle(), deviceContext)) {
        Message("ReleaseDC: Failed");
    }
    deviceContext = nullptr;
}

void TOpenGLPanel::MakeOpenGLPanelCurrent() {
    wglMakeCurrent(deviceContext, renderingContext);
}

void TOpenGLPanel::MakeOpenGLPanelNotCurrent() {
    wglMakeCurrent(nullptr, nullptr);
}

void TOpenGLPanel::SwapBuffers() {
    if (doubleBuffered) ::SwapBuffers(deviceContext);
    if (PresentThroughDib && deviceContext) {
        glFinish();
        HDC windowDC = GetDC(Handle());
        PresentDib(windowDC);
        ReleaseDC(Handle(), windowDC);
    }
}

bool TOpenGLPanel::PanelShareLists(TOpenGLPanel& other) {
    return renderingContext && other.renderingContext &&
           wglShareLists(renderingContext, other.renderingContext);
}

void TOpenGLPanel::Create2DFont() {
    ReleaseFont2D(font2D_);
    font2D_ = Create2DFont(&Font2D_Type, Font2D_FirstGylph, Font2D_NumGylph);
}

void TOpenGLPanel::Create3DFont() {
    ReleaseFont3D(font3D_);
    font3D_ = Create3DFont(&Font3D_Type, Font3D_FirstGylph, Font3D_NumGylph, Font3D_MaxDeviation,
                           Font3D_Extrustion, wglFontFormat);
}

OpenGLFont2D* TOpenGLPanel::Create2DFont(const TPanelFont* font, int32_t first, int32_t count) {
    return BuildFont2D(deviceContext, font, first, count);
}

OpenGLFont3D* TOpenGLPanel::Create3DFont(const TPanelFont* font, int32_t first, int32_t count,
                                         float deviation, float extrusion, int32_t format) {
    return BuildFont3D(deviceContext, font, first, count, deviation, extrusion, format);
}

void TOpenGLPanel::Draw2DText(const std::string& text) {
    DrawFont2DText(font2D_, text);
}
void TOpenGLPanel::Draw2DText(const OpenGLFont2D* font, const std::string& text) {
    DrawFont2DText(font, text);
}
void TOpenGLPanel::Draw3DText(const std::string& text) {
    DrawFont3DText(font3D_, text);
}
void TOpenGLPanel::Draw3DText(const OpenGLFont3D* font, const std::string& text) {
    DrawFont3DText(font, text);
}
void TOpenGLPanel::Get3DTextSize(const std::string& text, double* size) {
    Measure3DText(font3D_, text, size);
}
void TOpenGLPanel::Get3DTextSize(const OpenGLFont3D* font, const std::string& text, double* size) {
    Measure3DText(font, text, size);
}
