#pragma once
// A plain visible top-level window at the screen's top-left for the tests that put a
// single control (a panel) on a window of their own. Made on the first call; later
// calls return the same window.
#include <windows.h>

namespace test_host {

inline LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

inline HWND Window(int width, int height) {
    static HWND host = [width, height] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MotoskopTestHost";
        RegisterClassW(&wc);
        return CreateWindowW(wc.lpszClassName, L"panel", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                             nullptr, nullptr, wc.hInstance, nullptr);
    }();
    return host;
}

} // namespace test_host
