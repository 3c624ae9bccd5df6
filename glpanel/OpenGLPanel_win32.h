#pragma once
// TOpenGLPanel: a child window that draws with OpenGL through WGL. It owns one
// rendering context on its window's private device context, builds a palette
// when the pixel format needs one, builds its 2D and 3D display-list fonts and
// calls its handlers with the context current.
//
// Wine 8 does not show GL drawn into a child window, so under Wine the panel
// renders into a DIB section and copies it to its window after each paint.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/WindowClass.h"
#include "glpanel/BmpTexture.h"
#include "glpanel/PanelFonts_win32.h"
#include "glpanel/PixelFormatRules.h"
#include "glpanel/PrintPlacement.h"

enum class TOpenGLSwapBuffers { Auto, Manual };
enum TFont3DFormat { f_WGL_FONT_LINES, f_WGL_FONT_POLYGONS };

class TOpenGLPanel : public ui::WindowObject {
  public:
    using Handler = std::function<void(TOpenGLPanel*)>;

    TOpenGLPanel();
    virtual ~TOpenGLPanel();
    TOpenGLPanel(const TOpenGLPanel&) = delete;
    TOpenGLPanel& operator=(const TOpenGLPanel&) = delete;

    // Creates the window (OnPreInit runs first); its WM_CREATE builds the context,
    // the fonts and runs OnInit.
    bool CreateWindowIn(HWND parent, int left, int top, int width, int height);
    void DestroyWindow();
    HWND Handle() const { return handle_.load(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // A repaint request; callable from any thread (the paint runs on the GUI thread).
    void Invalidate();
    // Paints now (on the window's thread).
    void Paint();
    bool Visible() const;
    void SetVisible(bool visible);

    // Properties. Pixel-format and font properties take effect at window creation.
    TPFDPixelTypes PixelType() const { return pixelType_; }
    void SetPixelType(TPFDPixelTypes type);
    TPFDFlags PFDFlags() const { return pfdFlags_; }
    void SetPFDFlags(TPFDFlags flags);
    uint8_t cColorBits = 32;
    uint8_t cDepthBits = 32;
    TOpenGLSwapBuffers GLSwapBuffers = TOpenGLSwapBuffers::Auto;
    int32_t PixelsPerInch = 96;
    TOpenGLPrintScale PrintScale = pglProportional;
    bool Font3D_Enabled = false;
    TPanelFont Font3D_Type;
    int32_t Font3D_FirstGylph = 32;
    int32_t Font3D_NumGylph = 96;
    float Font3D_MaxDeviation = 0.0f;
    float Font3D_Extrustion = 0.1f;
    TFont3DFormat Font3D_Format() const { return font3DFormat_; }
    void SetFont3D_Format(TFont3DFormat format);
    bool Font2D_Enabled = false;
    TPanelFont Font2D_Type;
    int32_t Font2D_FirstGylph = 32;
    int32_t Font2D_NumGylph = 96;
    Handler OnPreInit, OnInit, OnResize, OnPaint;

    // Where the panel's messages go; unset, they are shown in a modal message box.
    std::function<void(const std::string&)> OnMessage;
    // Render through a DIB section and BitBlt (set by default under Wine).
    bool PresentThroughDib;
    // When no context can be made on the window (no pixel format, an old driver, a remote
    // session), the panel falls back to the DIB and calls this with the first failure
    // message instead of showing the messages.
    std::function<void(const std::string&)> OnFallback;

    void MakeOpenGLPanelCurrent();
    void MakeOpenGLPanelNotCurrent();
    void SwapBuffers();
    bool PanelShareLists(TOpenGLPanel& other);

    // Fonts and text (a current context is needed).
    void Create2DFont();
    void Create3DFont();
    OpenGLFont2D* Create2DFont(const TPanelFont* font, int32_t first, int32_t count);
    OpenGLFont3D* Create3DFont(const TPanelFont* font, int32_t first, int32_t count,
                               float deviation, float extrusion, int32_t format);
    void Draw2DText(const std::string& text);
    void Draw2DText(const OpenGLFont2D* font, const std::string& text);
    void Draw3DText(const std::string& text);
    void Draw3DText(const OpenGLFont3D* font, const std::string& text);
    void Get3DTextSize(const std::string& text, double* size);
    void Get3DTextSize(const OpenGLFont3D* font, const std::string& text, double* size);

    // Utilities.
    BMPTexture* LoadBMPTexture(const std::string& fileName, bool alpha);
    // Brings the panel to the front, paints it and copies its client area:
    // 32-bit pixels 0x00RRGGBB, top row first. False when there is no window.
    bool CapturePicture(std::vector<uint32_t>& pixels, int& width, int& height);
    void PrintOpenGLPanel();
    bool SaveOpenGLPanelToFile(const std::string& fileName);
    bool QueryOpenGLExtention(const std::string& name);
    static int32_t GetDisplayBPP();
    static bool SetDisplayBPP(int32_t bitsPerPixel);
    static bool RunningUnderWine();

    // What the context was created with (for checks): the requested descriptor.
    const PixelFormatDescription& RequestedFormat() const { return requested_; }
    bool HasContext() const { return renderingContext != nullptr; }

  protected:
    // The pixel format for the window's device context (the driver's choice).
    virtual int ChooseWindowPixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd);

  private:
    LRESULT windowMessage(HWND, UINT msg, WPARAM wp, LPARAM lp) override {
        return Dispatch(msg, wp, lp);
    }
    void bound(HWND hwnd) override { handle_ = hwnd; }
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void WMCreate();
    void WMDestroy() { DestroyGLContext(); }
    LRESULT WMQueryNewPalette();
    void Resize(int width, int height);
    bool CreateGLContext();
    bool CreateContextOrFallBack();
    void DestroyGLContext();
    bool ConstructPalette(const PixelFormatDescription& format);
    bool CreateDibSurface();
    void ReleaseDibSurface();
    void PresentDib(HDC target);
    bool MakeCurrentOrReport();
    void Message(const std::string& text);
    void MessageWithCode(const char* prefix);

    std::atomic<HWND> handle_{nullptr};
    int width_ = 0;
    int height_ = 0;
    TPFDPixelTypes pixelType_ = f_PFD_TYPE_RGBA;
    TPFDFlags pfdFlags_{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER};
    TFont3DFormat font3DFormat_ = f_WGL_FONT_POLYGONS;
    PixelFormatDescription requested_{};

    HDC deviceContext = nullptr;
    HGLRC renderingContext = nullptr;
    HPALETTE logicalPalette = nullptr;
    bool doubleBuffered = false;
    uint8_t pixelTypeCode = 0;
    int32_t wglFontFormat = 1;
    OpenGLFont3D* font3D_ = nullptr;
    OpenGLFont2D* font2D_ = nullptr;

    // The DIB the picture is drawn into when presenting through a DIB.
    HDC dibDC_ = nullptr;
    HBITMAP dibBitmap_ = nullptr;
    HGDIOBJ dibPrevious_ = nullptr;
    // While set, messages are kept here instead of being shown (the window attempt).
    std::vector<std::string>* heldMessages_ = nullptr;
};
