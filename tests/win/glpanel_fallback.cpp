// A panel whose window gets no pixel format (an old driver, a remote session) falls back to
// drawing through a bitmap: it draws, says why once through OnFallback, and shows no
// message box. The main window started with --bitmap-gl draws all five panels that way.
#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TForm1.h"
#include "glpanel/OpenGLPanel_win32.h"
#include "tests/win/HostWindow.h"
#include "tests/win/ProgramDriver.h"

namespace {

HWND Host() {
    return test_host::Window(300, 100);
}

using program_driver::Pump;

// The window's device context has no pixel format to offer, as with a broken driver.
class NoWindowFormatPanel : public TOpenGLPanel {
  public:
    int windowAttempts = 0;

  protected:
    int ChooseWindowPixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) override {
        ++windowAttempts;
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return 0;
    }
};

struct FallbackPanel {
    NoWindowFormatPanel panel;
    std::vector<std::string> messages, fallbacks;

    explicit FallbackPanel(bool drawThroughBitmap) {
        panel.PresentThroughDib = drawThroughBitmap;
        panel.OnMessage = [this](const std::string& m) { messages.push_back(m); };
        panel.OnFallback = [this](const std::string& why) { fallbacks.push_back(why); };
        panel.OnInit = [](TOpenGLPanel* p) { glViewport(0, 0, p->Width(), p->Height()); };
        panel.OnPaint = [](TOpenGLPanel*) {
            glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
        };
        panel.CreateWindowIn(Host(), 0, 0, 120, 40);
        Pump();
    }

    int greenPixels() {
        std::vector<uint32_t> px;
        int w = 0, h = 0;
        EXPECT_TRUE(panel.CapturePicture(px, w, h));
        int green = 0;
        for (uint32_t p : px)
            green += (p & 0xFFFFFF) == 0x00FF00;
        return green;
    }
};

} // namespace

TEST(GlPanelFallback, NoPixelFormatOnTheWindowDrawsThroughABitmap) {
    FallbackPanel t(false); // the panel tries its window first, as on Windows
    EXPECT_EQ(t.panel.windowAttempts, 1);
    EXPECT_TRUE(t.panel.HasContext());
    EXPECT_TRUE(t.panel.PresentThroughDib);
    ASSERT_EQ(t.fallbacks.size(), 1u);
    EXPECT_EQ(t.fallbacks[0], "ChoosePixelFormat:2000");
    EXPECT_TRUE(t.messages.empty()) << t.messages[0];
    EXPECT_EQ(t.greenPixels(), 120 * 40);
    // A repaint neither retries the window nor reports again.
    t.panel.Paint();
    EXPECT_EQ(t.panel.windowAttempts, 1);
    EXPECT_EQ(t.fallbacks.size(), 1u);
}

TEST(GlPanelFallback, BitmapDrawingAskedForNeverTouchesTheWindow) {
    FallbackPanel t(true);
    EXPECT_EQ(t.panel.windowAttempts, 0);
    EXPECT_TRUE(t.fallbacks.empty());
    EXPECT_TRUE(t.messages.empty());
    EXPECT_EQ(t.greenPixels(), 120 * 40);
}

TEST(GlPanelFallback, MainWindowWithBitmapSwitchDrawsEveryPanelThroughABitmap) {
    CommandLineOptions options;
    options.bitmapGl = true;
    auto* f = new TForm1(options); // never destroyed, as in the program
    f->show();
    Pump();
    for (int n = 1; n <= 5; ++n) {
        EXPECT_TRUE(f->Panel(n).PresentThroughDib) << n;
        EXPECT_TRUE(f->Panel(n).HasContext()) << n;
    }
    // Nothing failed, so the status line tells of no fallback.
    EXPECT_EQ(f->Label51.text().find("растр"), std::string::npos) << f->Label51.text();
    f->hide();
}
