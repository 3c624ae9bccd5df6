// Painting cost of the five panels of the main window: the mean time of one
// chart paint and one received-data paint (each a full redraw, presented to
// the window), and the CPU share of all five repainted at 20 Hz for a while.
#include <windows.h>

#include <cmath>
#include <cstdio>

#include "state/MainState.h"
#include "glpanel/OpenGLPanel_win32.h"
#include "live/RawDataPanel_win32.h"
#include "live/StripChart_win32.h"

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

double Seconds() {
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return double(now.QuadPart) / double(freq.QuadPart);
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto toSeconds = [](FILETIME t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return toSeconds(kernel) + toSeconds(user);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

int main() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BenchPaintHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowW(wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 572,
                              nullptr, nullptr, wc.hInstance, nullptr);
    static MainState state;
    state.selection.ecuFamily = 1;
    state.selection.graphParam = {28, 0, 8, 27};
    state.ecu.channels.setText(1, 28, "14,2 В");
    state.ecu.channels.setText(1, 0, "Да");
    state.ecu.channels.setText(1, 27, "90 °C");
    for (int j = 0; j < 8; ++j)
        state.ecu.channels.setBitText(1, 8, j, j % 2 ? "1" : "0");
    for (int i = 0; i < 450; ++i) {
        state.ecu.channels.setValue(1, 28, float(50 + 40 * std::sin(i / 15.0)));
        state.ecu.channels.setValue(1, 0, (i / 40) % 2 ? 100.0f : 0.0f);
        state.ecu.channels.setValue(1, 8, float(i % 100));
        state.ecu.channels.setValue(1, 27, float(i % 70));
        state.ecu.channels.sample(1);
    }
    uint8_t bytes[RawFrame::kSize];
    for (int i = 0; i < RawFrame::kSize; ++i)
        bytes[i] = uint8_t(i * 37);
    state.ecu.rawFrame.store(bytes);

    TOpenGLPanel charts[4];
    const int tops[4] = {32, 160, 288, 416};
    for (int k = 0; k < 4; ++k) {
        ConfigureStripChartPanel(charts[k]);
        BindStripChart(charts[k], state.selection, state.ecu, state.colours, k + 1);
        charts[k].CreateWindowIn(host, 12, tops[k], 432, 105);
    }
    TOpenGLPanel raw;
    ConfigureRawDataPanel(raw);
    BindRawDataPanel(raw, state.ecu, state.colours);
    raw.CreateWindowIn(host, 488, 440, 279, 81);
    Pump();

    const int rounds = 400;
    for (int i = 0; i < 20; ++i)
        charts[0].Paint(), raw.Paint(); // warm-up
    double t0 = Seconds();
    for (int i = 0; i < rounds; ++i)
        charts[0].Paint();
    const double chartMs = (Seconds() - t0) * 1000.0 / rounds;
    t0 = Seconds();
    for (int i = 0; i < rounds; ++i)
        raw.Paint();
    const double rawMs = (Seconds() - t0) * 1000.0 / rounds;

    // Five panels at 20 Hz through the ordinary repaint path, for 10 seconds.
    const double runSeconds = 10.0;
    const double cpu0 = ProcessCpuSeconds();
    const double start = Seconds();
    double next = start;
    int ticks = 0;
    while (Seconds() - start < runSeconds) {
        for (auto& c : charts)
            c.Invalidate();
        raw.Invalidate();
        Pump();
        ++ticks;
        next += 0.05;
        const double wait = next - Seconds();
        if (wait > 0) Sleep(DWORD(wait * 1000));
    }
    const double elapsed = Seconds() - start;
    const double cpuShare = (ProcessCpuSeconds() - cpu0) / elapsed * 100.0;

    std::printf("chart paint (432x105, 430-sample trace, labels, value text): %.3f ms mean of %d\n",
                chartMs, rounds);
    std::printf("received-data paint (279x81, 54 bars): %.3f ms mean of %d\n", rawMs, rounds);
    std::printf("estimated load of 4 charts + 1 bar panel at 20 Hz: %.1f %% of one core\n",
                (4 * chartMs + rawMs) * 20.0 / 10.0);
    std::printf("measured: %d ticks in %.1f s, process CPU %.1f %% of one core (target < 25 %%)\n",
                ticks, elapsed, cpuShare);
    DestroyWindow(host);
    return 0;
}
