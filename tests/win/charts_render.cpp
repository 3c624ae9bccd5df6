// The five panels of the main window rendered for real (under Wine: Mesa through
// a DIB), read back and probed where the geometry puts grid lines, traces and bars.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "state/MainState.h"
#include "glpanel/BmpLoader.h"
#include "glpanel/BmpWriter.h"
#include "glpanel/OpenGLPanel_win32.h"
#include "live/RawDataBars.h"
#include "live/RawDataPanel_win32.h"
#include "live/StripChart_win32.h"
#include "tests/win/ProgramDriver.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    int r(int x, int y) const { return (at(x, y) >> 16) & 0xFF; }
    int g(int x, int y) const { return (at(x, y) >> 8) & 0xFF; }
    int b(int x, int y) const { return at(x, y) & 0xFF; }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    int brightest(int x0, int x1, int y0, int y1) const {
        int best = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                best = std::max(best, std::max({r(x, y), g(x, y), b(x, y)}));
        return best;
    }
    int maxGreen(int x0, int x1, int y) const {
        int best = 0;
        for (int x = x0; x <= x1; ++x)
            best = std::max(best, g(x, y));
        return best;
    }
    int maxRed(int x0, int x1, int y0, int y1) const {
        int best = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                best = std::max(best, r(x, y) - b(x, y));
        return best;
    }
};

// Screen position (pixel column, row from the top) of a point of a frame whose
// origin sits `depth` in front of the eye, offset by (ox, oy), in a panel w x h.
struct Projection {
    int w, h;
    double px(double x, double ox, double depth) const {
        const double half = depth * std::tan(10.0 * kPi / 180.0) * w / h;
        return ((x + ox) / half + 1.0) / 2.0 * w;
    }
    double py(double y, double oy, double depth) const {
        const double half = depth * std::tan(10.0 * kPi / 180.0);
        return h - ((y + oy) / half + 1.0) / 2.0 * h;
    }
    // Grid frame: (-110, -26, -150).
    double gridX(double x) const { return px(x, -110, 150); }
    double gridY(double y) const { return py(y, -26, 150); }
    // Trace frame: (-218, -51.1, -300).
    double traceX(double x) const { return px(x, -218, 300); }
    double traceY(double y) const { return py(y, -51.1, 300); }
};

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

using program_driver::Pump;

class ChartsRender : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ChartsRenderHost";
        wc.hbrBackground = (HBRUSH)GetStockObject(GRAY_BRUSH);
        RegisterClassW(&wc);
        host = CreateWindowW(wc.lpszClassName, L"charts", WS_POPUP | WS_VISIBLE, 0, 0, 800, 572,
                             nullptr, nullptr, wc.hInstance, nullptr);
        state = new MainState;
        const int tops[4] = {32, 160, 288, 416};
        for (int k = 0; k < 4; ++k) {
            charts[k] = new TOpenGLPanel;
            ConfigureStripChartPanel(*charts[k]);
            BindStripChart(*charts[k], state->selection, state->ecu, state->colours, k + 1);
            charts[k]->OnMessage = [](const std::string& m) { messages += m + "\n"; };
            charts[k]->CreateWindowIn(host, 12, tops[k], 432, 105);
        }
        raw = new TOpenGLPanel;
        ConfigureRawDataPanel(*raw);
        BindRawDataPanel(*raw, state->ecu, state->colours);
        raw->OnMessage = [](const std::string& m) { messages += m + "\n"; };
        raw->CreateWindowIn(host, 488, 440, 279, 81);
        Pump();
    }
    static void TearDownTestSuite() {
        for (auto*& c : charts)
            delete c;
        delete raw;
        DestroyWindow(host);
        delete state;
    }
    void SetUp() override {
        state->selection.ecuFamily = 1;
        state->selection.graphParam = {28, 0, 8, 41};
        state->colours.gridColour = {0.5f, 0.7f, 0.7f, 0.3f};
        state->colours.graphicColour = {0.99f, 0.0f, 0.0f, 0.99f};
        state->ecu.rawFrame.clear();
    }
    static Picture Capture(TOpenGLPanel& panel) {
        Picture p;
        EXPECT_TRUE(panel.CapturePicture(p.pixels, p.width, p.height));
        return p;
    }
    // Gives every channel of the family `count` samples of `value`.
    static void Fill(int family, float value, int count) {
        for (int index = 0; index < ChannelStore::channelCount(family); ++index)
            state->ecu.channels.setValue(family, index, value);
        for (int i = 0; i < count; ++i)
            state->ecu.channels.sample(family);
    }

    static HWND host;
    static MainState* state;
    static TOpenGLPanel* charts[4];
    static TOpenGLPanel* raw;
    static std::string messages;
};
HWND ChartsRender::host;
MainState* ChartsRender::state;
TOpenGLPanel* ChartsRender::charts[4];
TOpenGLPanel* ChartsRender::raw;
std::string ChartsRender::messages;

const Projection kChart{432, 105};
const Projection kRaw{279, 81};

TEST_F(ChartsRender, PanelsComeUpWithoutMessages) {
    for (auto* c : charts)
        EXPECT_TRUE(c->HasContext());
    EXPECT_TRUE(raw->HasContext());
    EXPECT_EQ(messages, "");
}

TEST_F(ChartsRender, GridLinesWhereTheGeometryPutsThem) {
    state->selection.ecuFamily = 5; // grid only
    const Picture p = Capture(*charts[0]);
    const int midRow = int(kChart.gridY(25)); // between horizontal lines 20 and 30
    for (int x = 10; x <= 210; x += 10) {
        const int col = int(kChart.gridX(x));
        EXPECT_GT(p.brightest(col - 1, col + 1, midRow, midRow), 20) << "vertical line " << x;
        const int gap = int(kChart.gridX(x + 5));
        if (x < 210) {
            EXPECT_LT(p.brightest(gap, gap, midRow, midRow), 10) << "gap after " << x;
        }
    }
    const int midCol = int(kChart.gridX(105));
    for (int y = 0; y <= 50; y += 10) {
        const int row = int(kChart.gridY(y));
        EXPECT_GT(p.brightest(midCol, midCol, row - 1, row + 1), 20) << "horizontal line " << y;
    }
    // Line 0 at x lies outside the view; the left columns stay dark between rows.
    EXPECT_LT(p.brightest(0, 1, midRow, midRow), 10);
}

TEST_F(ChartsRender, GridVanishesWithZeroAlpha) {
    state->selection.ecuFamily = 5;
    state->colours.gridColour.t = 0.0f;
    const Picture p = Capture(*charts[1]);
    EXPECT_LT(p.brightest(0, p.width - 1, 0, p.height - 1), 8);
}

TEST_F(ChartsRender, TraceOfKnownSamplesLandsOnComputedPositions) {
    state->selection.graphParam[0] = 25; // THR of family 1, an ordinary channel
    for (int value : {0, 100}) {
        Fill(1, float(value), 460);
        const Picture p = Capture(*charts[0]);
        const int row = int(std::lround(kChart.traceY(value)));
        for (int slot : {1, 215, 430}) {
            const int col = std::min(431, int(kChart.traceX(slot)));
            EXPECT_GT(p.maxRed(col - 1, col + 1, row - 1, row + 1), 120)
                << "sample " << value << " slot " << slot;
        }
        // Away from the trace row (and from grid lines) no red.
        const int col = int(kChart.traceX(215));
        const int away = int(kChart.gridY(value == 0 ? 15 : 35));
        EXPECT_LT(p.maxRed(col - 1, col + 1, away, away), 30);
        // Beyond slot 430 the trace ends.
        const int past = int(kChart.traceX(430)) + 3;
        if (past < p.width) {
            EXPECT_LT(p.maxRed(past, p.width - 1, row - 1, row + 1), 60);
        }
    }
}

TEST_F(ChartsRender, LabelsAndValueTextAreDrawn) {
    state->selection.graphParam[0] = 28; // UBAT: "25,5" / "0,0"
    state->ecu.channels.setText(1, 28, "14,2 В");
    Fill(1, 50.0f, 5);
    const Picture p = Capture(*charts[0]);
    // Label text near the top-left and the bottom-left baselines, in textColour (blue-ish).
    int topInk = 0, bottomInk = 0;
    for (int y = 3; y <= 15; ++y)
        for (int x = 1; x <= 30; ++x)
            topInk += p.b(x, y) > 100;
    for (int y = 93; y <= 104; ++y)
        for (int x = 1; x <= 30; ++x)
            bottomInk += p.b(x, y) > 100;
    EXPECT_GT(topInk, 5);
    EXPECT_GT(bottomInk, 5);
    // The value text: gold, starting some 37 pixels from the left, above 38 from the bottom.
    int valueInk = 0;
    for (int y = 20; y <= p.height - 30; ++y)
        for (int x = 30; x <= 200; ++x)
            valueInk += p.r(x, y) > 120 && p.g(x, y) > 90;
    EXPECT_GT(valueInk, 30);
}

TEST_F(ChartsRender, BarsOfKnownHeights) {
    auto barColumn = [](int bar) { return int(std::lround(kRaw.gridX(RawDataBarX(bar)))); };
    Picture p = Capture(*raw);
    // All zero: every bar one unit tall.
    const int low = int(kRaw.gridY(0.5)), high = int(kRaw.gridY(5));
    for (int bar : {0, 1, 26, 52, 53}) {
        const int c = barColumn(bar);
        EXPECT_GT(p.maxGreen(c - 1, c + 1, low), 30) << "bar " << bar;
        EXPECT_LT(p.maxGreen(c - 1, c + 1, high), 15) << "bar " << bar;
    }
    uint8_t bytes[RawFrame::kSize];
    for (int i = 0; i < RawFrame::kSize; ++i)
        bytes[i] = 0xFF;
    state->ecu.rawFrame.store(bytes);
    p = Capture(*raw);
    const int top = int(kRaw.gridY(48)), above = int(kRaw.gridY(51.5));
    for (int bar = 0; bar < kRawDataBars; ++bar) {
        const int c = barColumn(bar);
        EXPECT_GT(p.maxGreen(c - 1, c + 1, top), 30) << "bar " << bar;
        EXPECT_LT(p.maxGreen(c - 1, c + 1, above), 15) << "bar " << bar;
    }
    // Between bars 0 and 1 (x 21 and 25) nothing.
    const int between = int(std::lround(kRaw.gridX(23)));
    EXPECT_LT(p.g(between, top), 15);
}

TEST_F(ChartsRender, BarsFollowGridRedAndBlue) {
    uint8_t bytes[RawFrame::kSize] = {};
    for (int i = 7; i < 60; ++i)
        bytes[i] = 200;
    state->ecu.rawFrame.store(bytes);
    const int c = int(std::lround(kRaw.gridX(RawDataBarX(10))));
    const int row = int(kRaw.gridY(35));
    state->colours.gridColour = {1.0f, 0.0f, 0.0f, 0.0f}; // grid itself invisible
    Picture p = Capture(*raw);
    EXPECT_GT(p.r(c, row), 60);
    EXPECT_LT(p.b(c, row), 10);
    state->colours.gridColour = {0.0f, 0.0f, 1.0f, 0.0f};
    p = Capture(*raw);
    EXPECT_LT(p.r(c, row), 10);
    EXPECT_GT(p.b(c, row), 60);
}

TEST_F(ChartsRender, SavedBmpHoldsThePanelPicture) {
    Fill(1, 30.0f, 100);
    const std::string path = "charts_render_save.bmp";
    ASSERT_TRUE(charts[0]->SaveOpenGLPanelToFile(path));
    const Picture p = Capture(*charts[0]);
    BmpImage saved;
    ASSERT_TRUE(LoadBmpFile(path, saved));
    ASSERT_EQ(saved.width, p.width);
    ASSERT_EQ(saved.height, p.height);
    int differing = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* s = saved.pixel(x, y);
            differing += s[0] != p.r(x, y) || s[1] != p.g(x, y) || s[2] != p.b(x, y);
        }
    EXPECT_EQ(differing, 0);
    std::remove(path.c_str());
}

// A picture of the whole set for a look by eye (MOTOSKOP_SHOT names the file).
TEST_F(ChartsRender, ScreenshotOfAllPanels) {
    const char* shot = std::getenv("MOTOSKOP_SHOT");
    if (!shot) GTEST_SKIP() << "MOTOSKOP_SHOT not set";
    state->selection.graphParam = {28, 0, 8, 41};
    state->ecu.channels.setText(1, 28, "14,2 В");
    state->ecu.channels.setText(1, 0, "Да");
    state->ecu.channels.setText(1, 41, "");
    for (int j = 0; j < 8; ++j)
        state->ecu.channels.setBitText(1, 8, j, (j == 7 || j == 5) ? "1" : "0");
    for (int i = 0; i < 300; ++i) {
        state->ecu.channels.setValue(1, 28, 50 + 30 * std::sin(i / 20.0));
        state->ecu.channels.setValue(1, 0, (i / 40) % 2 ? 100.0f : 0.0f);
        state->ecu.channels.setValue(1, 8, float(i % 100));
        state->ecu.channels.sample(1);
    }
    uint8_t bytes[RawFrame::kSize];
    for (int i = 0; i < RawFrame::kSize; ++i)
        bytes[i] = uint8_t(i * 37);
    state->ecu.rawFrame.store(bytes);
    for (auto* c : charts)
        c->Paint();
    raw->Paint();
    // The host window's whole client area.
    HDC dc = GetDC(host);
    std::vector<uint32_t> px(800 * 572);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 800;
    bmi.bmiHeader.biHeight = -572;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    HDC mem = CreateCompatibleDC(dc);
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bm);
    BitBlt(mem, 0, 0, 800, 572, dc, 0, 0, SRCCOPY);
    GdiFlush();
    std::memcpy(px.data(), bits, px.size() * 4);
    SelectObject(mem, old);
    DeleteObject(bm);
    DeleteDC(mem);
    ReleaseDC(host, dc);
    EXPECT_TRUE(WriteBmpFile(shot, 800, 572, px));
}

} // namespace
