// The panel control on a real window: handlers and fonts, the glyph-range rule
// on screen, text measuring, extension queries and the utilities' failure paths.
#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "glpanel/Cp1251.h"
#include "glpanel/OpenGLPanel_win32.h"
#include "tests/win/HostWindow.h"
#include "tests/win/ProgramDriver.h"

namespace {

HWND Host() {
    return test_host::Window(400, 200);
}

using program_driver::Pump;

// Counts the lit pixels of the panel's picture.
int Ink(TOpenGLPanel& panel) {
    std::vector<uint32_t> px;
    int w = 0, h = 0;
    EXPECT_TRUE(panel.CapturePicture(px, w, h));
    int lit = 0;
    for (uint32_t p : px)
        lit += (p & 0xFFFFFF) != 0;
    return lit;
}

// A panel with fonts like the charts', text drawn in white by `draw`.
struct TextPanel {
    TOpenGLPanel panel;
    std::string messages;
    std::string text2D, text3D;
    explicit TextPanel(bool withInit) {
        panel.Font2D_Enabled = true;
        panel.Font2D_Type = TPanelFont{L"MS Sans Serif", -12, ANSI_CHARSET, false, false};
        panel.Font2D_FirstGylph = 0;
        panel.Font2D_NumGylph = 255;
        panel.Font3D_Enabled = true;
        panel.Font3D_Type = TPanelFont{L"Arial", -9, RUSSIAN_CHARSET, true, true};
        panel.Font3D_FirstGylph = 0;
        panel.Font3D_NumGylph = 255;
        panel.SetFont3D_Format(f_WGL_FONT_LINES);
        panel.OnMessage = [this](const std::string& m) { messages += m + "\n"; };
        if (withInit)
            panel.OnInit = [](TOpenGLPanel* p) { glViewport(0, 0, p->Width(), p->Height()); };
        panel.OnPaint = [this](TOpenGLPanel* p) {
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glOrtho(0, p->Width(), p->Height(), 0, -1, 1);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glColor3f(1, 1, 1);
            glRasterPos2i(2, 20);
            p->Draw2DText(text2D);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glOrtho(-1, 10, -2, 2, -5, 5);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            p->Draw3DText(text3D);
        };
        panel.CreateWindowIn(Host(), 0, 0, 300, 80);
        Pump();
    }
};

TEST(OpenGLPanel, ContextComesUpWithTheRequestedDescriptor) {
    TextPanel t(true);
    EXPECT_TRUE(t.panel.HasContext());
    EXPECT_EQ(t.panel.RequestedFormat().dwFlags, 0x4u | 0x20u | 0x1u);
    EXPECT_EQ(t.panel.RequestedFormat().cColorBits, 32);
    EXPECT_EQ(t.messages, "");
    t.panel.DestroyWindow();
    EXPECT_EQ(t.messages, "") << "teardown reports nothing";
    EXPECT_FALSE(t.panel.HasContext());
}

TEST(OpenGLPanel, TextIsDrawnOnlyWithFontsAndWhollyInRange) {
    TextPanel t(true);
    EXPECT_EQ(Ink(t.panel), 0);
    t.text2D = Utf8ToCp1251("Нет 0,0");
    EXPECT_GT(Ink(t.panel), 20);
    t.text2D = Utf8ToCp1251("Заря"); // я is code 255, outside 0..254
    EXPECT_EQ(Ink(t.panel), 0);
    t.text2D.clear();
    t.text3D = Utf8ToCp1251(" об/мин");
    EXPECT_GT(Ink(t.panel), 20);
    t.text3D = Utf8ToCp1251("1 я");
    EXPECT_EQ(Ink(t.panel), 0);
}

TEST(OpenGLPanel, PanelWithoutInitHandlerGetsNoFonts) {
    TextPanel t(false);
    t.text2D = "abc";
    t.text3D = "abc";
    EXPECT_EQ(Ink(t.panel), 0);
    EXPECT_EQ(t.messages, "");
}

TEST(OpenGLPanel, MeasuresThreeDTextFromTheGlyphMetrics) {
    TextPanel t(true);
    t.panel.MakeOpenGLPanelCurrent();
    double one[3] = {-1, -1, -1}, two[3] = {-1, -1, -1}, none[3] = {7, 7, 7};
    t.panel.Get3DTextSize("W", one);
    t.panel.Get3DTextSize("WW", two);
    t.panel.Get3DTextSize("", none);
    t.panel.MakeOpenGLPanelNotCurrent();
    EXPECT_GT(one[0], 0.3);
    EXPECT_GT(one[1], 0.3);
    EXPECT_FLOAT_EQ(float(one[2]), 0.1f);
    EXPECT_GT(two[0], one[0]) << "the first W adds its cell increment";
    EXPECT_EQ(none[0], 7);
}

TEST(OpenGLPanel, ExtensionQueryNeedsAContextAndWholeNames) {
    TextPanel t(true);
    EXPECT_FALSE(t.panel.QueryOpenGLExtention("GL_EXT_bgra"));
    t.panel.MakeOpenGLPanelCurrent();
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    ASSERT_NE(list, nullptr);
    const std::string first(list, std::strcspn(list, " "));
    EXPECT_TRUE(t.panel.QueryOpenGLExtention(first));
    EXPECT_FALSE(t.panel.QueryOpenGLExtention(first.substr(0, first.size() - 1)));
    t.panel.MakeOpenGLPanelNotCurrent();
}

TEST(OpenGLPanel, UtilitiesFailQuietly) {
    TextPanel t(true);
    EXPECT_EQ(t.panel.LoadBMPTexture("Z:\\nonexistent\\missing.bmp", true), nullptr);
    EXPECT_GT(TOpenGLPanel::GetDisplayBPP(), 0);
    t.panel.PrintOpenGLPanel(); // without a default printer nothing happens
    EXPECT_EQ(t.messages, "");
}

TEST(OpenGLPanel, InvalidateFromAnotherThreadRepaintsOnTheGuiThread) {
    TextPanel t(true);
    int paints = 0;
    const auto paint = t.panel.OnPaint;
    t.panel.OnPaint = [&](TOpenGLPanel* p) {
        ++paints;
        paint(p);
    };
    Pump();
    paints = 0;
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID arg) -> DWORD {
            static_cast<TOpenGLPanel*>(arg)->Invalidate();
            return 0;
        },
        &t.panel, 0, nullptr);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    Pump();
    EXPECT_EQ(paints, 1);
}

} // namespace
