// The program's entry point: the main window and the message loop. Nothing
// is destroyed at the end: the link thread may still be using the main
// window's state, and the process exit ends it.
#include <windows.h>

#include <exception>

#include "app/DiagnosticLog_win32.h"
#include "app/TForm1.h"
#include "ui/Text.h"

namespace {

void ShowException(const char* what) {
    MessageBoxW(nullptr, ui::Widen(what).c_str(), L"MOTOSKOP", MB_OK | MB_ICONERROR);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        new TForm1(); // sets Form1; the taskbar button reads "MOTOSKOP"
        Form1->show();
        StartDiagnosticLogFromCommandLine();
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("Unknown error.");
    }
    return 0;
}
