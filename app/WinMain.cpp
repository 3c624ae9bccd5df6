// Placeholder entry point until the main window lands: one plain window titled MOTOSKOP.
#include <windows.h>

static LRESULT CALLBACK PlaceholderProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlaceholderProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"MotoskopPlaceholder";
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(wc.lpszClassName, L"MOTOSKOP", WS_POPUP | WS_VISIBLE, 0, 0, 800, 572,
                              nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
