// The colour window over the real main window: its sliders change the five
// panels on screen at once, "Стандртные настройки" then "Выход" leaves the
// standard colours in the panels and in the registry, and the main window gets
// its input back however the colour window is closed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "app/TForm1.h"
#include "platform/Win32Registry.h"
#include "settings/ColourSettings.h"
#include "settings/RegistryPaths.h"
#include "settings/TForm6.h"
#include "tests/win/ProgramDriver.h"

namespace {

using namespace program_driver;

// A click on a button of a form, then what it caused on screen.
void ClickAndPump(ui::Form& form, const ui::Control& button) {
    Click(form, button);
    Pump();
}

// What the panel's window shows now (no paint of our own): 0x00RRGGBB, top row first.
std::vector<uint32_t> OnScreen(TOpenGLPanel& panel) {
    const int w = panel.Width(), h = panel.Height();
    std::vector<uint32_t> pixels(size_t(w) * h, 0);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    HDC windowDC = GetDC(panel.Handle());
    HDC memDC = CreateCompatibleDC(windowDC);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memDC && bitmap) {
        HGDIOBJ previous = SelectObject(memDC, bitmap);
        BitBlt(memDC, 0, 0, w, h, windowDC, 0, 0, SRCCOPY);
        GdiFlush();
        const uint32_t* src = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = src[i] & 0xFFFFFF;
        SelectObject(memDC, previous);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memDC) DeleteDC(memDC);
    ReleaseDC(panel.Handle(), windowDC);
    return pixels;
}

// The green of the vertical grid lines 20..200 between the horizontal lines 10..50,
// as the median over those crossings (the trace is pure red, and whatever else
// crosses a few of them does not move the median). The grid frame sits at
// (-110, -26, -150) in a 20-degree view, as in every panel of the main window.
int GridGreen(TOpenGLPanel& panel) {
    const int w = panel.Width(), h = panel.Height();
    const std::vector<uint32_t> pixels = OnScreen(panel);
    const double halfY = 150.0 * std::tan(10.0 * 3.14159265358979 / 180.0);
    const double halfX = halfY * w / h;
    std::vector<int> levels;
    for (int gx = 20; gx <= 200; gx += 20) {
        const int col = int(((gx - 110) / halfX + 1.0) / 2.0 * w);
        for (int gy : {15, 25, 35, 45}) {
            const int row = int(h - ((gy - 26) / halfY + 1.0) / 2.0 * h);
            int best = 0;
            for (int x = std::max(0, col - 1); x <= std::min(w - 1, col + 1); ++x)
                best = std::max(best, int((pixels[size_t(row) * w + x] >> 8) & 0xFF));
            levels.push_back(best);
        }
    }
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 2, levels.end());
    return levels[levels.size() / 2];
}

void ExpectStoredStandard(const char* when) {
    Win32Registry registry;
    auto com = registry.openKey(regpath::kCom, false);
    ASSERT_TRUE(com) << when;
    for (const ColourValue& value : ColourValues()) {
        uint32_t stored = 0xFFFF;
        EXPECT_TRUE(com->readDword(value.name, stored)) << when << " " << value.name;
        EXPECT_EQ(stored, uint32_t(value.standard)) << when << " " << value.name;
    }
}

void ExpectStateStandard(const MainState& state) {
    for (const ColourValue& value : ColourValues())
        EXPECT_FLOAT_EQ(state.colours.*(value.colour).*(value.component), value.standard * 0.01f)
            << value.name;
}

} // namespace

TEST(ProgramColours, GridFadesLiveAndStandardColoursComeBack) {
    TForm1& f = Main();
    {
        Win32Registry registry; // start from the standard colours, whatever ran before
        RestoreStandardColours(registry, f.state.colours);
    }
    f.repaintGraphs();
    f.OpenGLPanel5.Invalidate();
    Pump();
    int before[5];
    for (int n = 1; n <= 5; ++n) {
        before[n - 1] = GridGreen(f.Panel(n));
        EXPECT_GT(before[n - 1], 20) << "grid of panel " << n;
    }

    ClickAndPump(f, f.Image32); // the settings button
    ASSERT_NE(Form6, nullptr);
    EXPECT_TRUE(Form6->isVisible());
    EXPECT_FALSE(f.isEnabled());
    EXPECT_EQ(Form6->TrackBar(16).position(), 30);

    // The grid's "Яркость" to 0 from the keyboard, as the slider reports a user move.
    HWND slider = Form6->TrackBar(16).handle();
    SendMessageW(slider, WM_KEYDOWN, VK_HOME, 0);
    SendMessageW(slider, WM_KEYUP, VK_HOME, 0);
    Pump();
    EXPECT_EQ(Form6->TrackBar(16).position(), 0);
    EXPECT_EQ(f.state.colours.gridColour.t, 0.0f);
    for (int n = 1; n <= 5; ++n)
        EXPECT_LT(GridGreen(f.Panel(n)), 6) << "grid of panel " << n << " still shown";

    ClickAndPump(*Form6, Form6->Image3); // "Сохранить настройки": the invisible grid is stored
    {
        Win32Registry registry;
        auto com = registry.openKey(regpath::kCom, false);
        ASSERT_TRUE(com);
        uint32_t gridT = 99;
        EXPECT_TRUE(com->readDword("GRID_T", gridT));
        EXPECT_EQ(gridT, 0u);
    }

    ClickAndPump(*Form6, Form6->Image2); // "Стандртные настройки"
    ExpectStateStandard(f.state);
    ExpectStoredStandard("after Стандртные настройки");
    EXPECT_EQ(Form6->TrackBar(16).position(), 0); // the sliders stay where they were

    ClickAndPump(*Form6, Form6->Image4); // "Выход"
    EXPECT_TRUE(f.isEnabled());
    EXPECT_FALSE(Form6->isVisible());
    ExpectStateStandard(f.state);
    ExpectStoredStandard("after Выход");
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(GridGreen(f.Panel(n)), before[n - 1]) << "grid of panel " << n;
}

TEST(ProgramColours, ReopenedWindowShowsTheStandardColoursAndASystemCloseFreesTheMainWindow) {
    TForm1& f = Main();
    ClickAndPump(f, f.Image32);
    ASSERT_NE(Form6, nullptr);
    EXPECT_FALSE(f.isEnabled());
    const int expected[16] = {80, 70, 30, 80, 99, 0, 0, 99, 40, 60, 90, 80, 50, 70, 70, 30};
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(Form6->TrackBar(n).position(), expected[n - 1]) << "TrackBar" << n;

    SendMessageW(Form6->handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(f.isEnabled());
    EXPECT_FALSE(Form6->isVisible());
    ExpectStoredStandard("after a system close");
}
