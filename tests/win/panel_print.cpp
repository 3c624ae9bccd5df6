// Printing a live chart panel under Wine: a PostScript printer of Wine's own
// driver whose port is a file is made the default printer for the test, and
// PrintOpenGLPanel must leave a page in that file.
#include <windows.h>

#include <gtest/gtest.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "state/MainState.h"
#include "glpanel/OpenGLPanel_win32.h"
#include "live/StripChart_win32.h"
#include "tests/win/ProgramDriver.h"

namespace {

const wchar_t kPrinter[] = L"MOTOSKOP test printer";

// A small PostScript printer description: A4 only, what Wine's driver needs.
const char kPpd[] = "*PPD-Adobe: \"4.3\"\n"
                    "*FormatVersion: \"4.3\"\n"
                    "*FileVersion: \"1.0\"\n"
                    "*LanguageVersion: English\n"
                    "*LanguageEncoding: ISOLatin1\n"
                    "*PCFileName: \"TEST.PPD\"\n"
                    "*Manufacturer: \"Test\"\n"
                    "*Product: \"(Test)\"\n"
                    "*PSVersion: \"(3010) 0\"\n"
                    "*ModelName: \"Test PostScript\"\n"
                    "*NickName: \"Test PostScript\"\n"
                    "*LanguageLevel: \"3\"\n"
                    "*ColorDevice: True\n"
                    "*DefaultColorSpace: RGB\n"
                    "*TTRasterizer: Type42\n"
                    "*DefaultResolution: 300dpi\n"
                    "*OpenUI *PageSize: PickOne\n"
                    "*DefaultPageSize: A4\n"
                    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
                    "*CloseUI: *PageSize\n"
                    "*OpenUI *PageRegion: PickOne\n"
                    "*DefaultPageRegion: A4\n"
                    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
                    "*CloseUI: *PageRegion\n"
                    "*DefaultImageableArea: A4\n"
                    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
                    "*DefaultPaperDimension: A4\n"
                    "*PaperDimension A4/A4: \"595 842\"\n";

// Wine's own mapping of a Windows path to the Unix one (empty when not under Wine).
std::string UnixPath(const std::wstring& windowsPath) {
    using ToUnix = char* (*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* unix = toUnix(windowsPath.c_str());
    if (!unix) return {};
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// Takes the test printer and its driver away again, whatever the test got to.
struct TestPrinterCleanup {
    std::wstring ppd, page;
    ~TestPrinterCleanup() {
        HANDLE printer = nullptr;
        if (OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer, nullptr)) {
            DeletePrinter(printer);
            ClosePrinter(printer);
        }
        DeletePrinterDriverExW(nullptr, nullptr, const_cast<wchar_t*>(kPrinter),
                               DPD_DELETE_UNUSED_FILES, 0);
        DeleteFileW(ppd.c_str());
        DeleteFileW(page.c_str());
    }
};

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

using program_driver::Pump;

} // namespace

TEST(PanelPrint, PrintsALiveChartToAFilePrinter) {
    // The printer description and the page file go to the temporary directory.
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    TestPrinterCleanup cleanup{std::wstring(dir) + L"panel_print.ppd",
                               std::wstring(dir) + L"panel_print.ps"};
    const std::wstring& ppd = cleanup.ppd;
    const std::wstring& page = cleanup.page;
    const std::string pageUnix = UnixPath(page);
    if (pageUnix.empty()) GTEST_SKIP() << "printing to a file is set up for Wine only";
    {
        std::ofstream out(ppd.c_str(), std::ios::binary);
        out << kPpd;
    }
    DeleteFileW(page.c_str());

    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(kPrinter);
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = const_cast<wchar_t*>(ppd.c_str());
    driver.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
    ASSERT_TRUE(AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                                    APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
        << "AddPrinterDriverEx failed: " << GetLastError();

    // Wine writes a job whose port is a Unix path straight into that file.
    const std::wstring port(pageUnix.begin(), pageUnix.end());
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<wchar_t*>(kPrinter);
    info.pPortName = const_cast<wchar_t*>(port.c_str());
    info.pDriverName = const_cast<wchar_t*>(kPrinter);
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_DIRECT;
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer && GetLastError() == ERROR_PRINTER_ALREADY_EXISTS)
        OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer, nullptr);
    ASSERT_NE(printer, nullptr) << "AddPrinter failed: " << GetLastError();
    ClosePrinter(printer);
    ASSERT_TRUE(SetDefaultPrinterW(kPrinter)) << GetLastError();

    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PanelPrintHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowW(wc.lpszClassName, L"print", WS_POPUP | WS_VISIBLE, 0, 0, 460, 140,
                              nullptr, nullptr, wc.hInstance, nullptr);
    MainState state;
    state.selection.ecuFamily = 1;
    state.selection.graphParam = {28, 0, 0, 0};
    state.ecu.channels.setText(1, 28, "14,2 В");
    for (int i = 0; i < 200; ++i) {
        state.ecu.channels.setValue(1, 28, float(i % 100));
        state.ecu.channels.sample(1);
    }
    TOpenGLPanel panel;
    ConfigureStripChartPanel(panel);
    BindStripChart(panel, state.selection, state.ecu, state.colours, 1);
    std::string messages;
    panel.OnMessage = [&messages](const std::string& m) { messages += m + "\n"; };
    ASSERT_TRUE(panel.CreateWindowIn(host, 12, 12, 432, 105));
    Pump();

    panel.PrintOpenGLPanel();
    EXPECT_EQ(messages, "");

    const std::string ps = ReadFile(page);
    ASSERT_EQ(ps.rfind("%!PS", 0), 0u) << "no PostScript page in " << pageUnix;
    EXPECT_NE(ps.find("%%Page: 1 1"), std::string::npos);
    EXPECT_NE(ps.find("showpage"), std::string::npos);
    // The 432 x 105 picture, at its physical size for 96 pixels per inch on the
    // 300 dpi page (1350 x 328 printer pixels), 0.18 inch (54 pixels) in from the corner.
    EXPECT_NE(ps.find("/Width 432"), std::string::npos);
    EXPECT_NE(ps.find("/Height 105"), std::string::npos);
    EXPECT_NE(ps.find("54 54 translate"), std::string::npos);
    EXPECT_NE(ps.find("1350 328 scale"), std::string::npos);

    // MOTOSKOP_PRINT_PAGE names a file to keep the page in, for a look by eye.
    if (const char* keep = std::getenv("MOTOSKOP_PRINT_PAGE")) {
        std::ofstream out(keep, std::ios::binary);
        out << ps;
    }

    panel.DestroyWindow();
    DestroyWindow(host);
}
