// The messages the user gets when a system call fails, as the user reads them:
// the start-up message box when the link thread cannot be created, and the
// drawing panel's messages. Each call is made to fail by swapping its entry in
// this executable's import table while the program code runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TForm1.h"
#include "glpanel/OpenGLPanel_win32.h"
#include "tests/win/ImportSwap.h"
#include "ui/Form.h"

extern "C" {
extern decltype(&CreateThread) __imp_CreateThread;
extern decltype(&MessageBoxW) __imp_MessageBoxW;
extern decltype(&ChoosePixelFormat) __imp_ChoosePixelFormat;
extern decltype(&SetPixelFormat) __imp_SetPixelFormat;
extern decltype(&DescribePixelFormat) __imp_DescribePixelFormat;
extern decltype(&wglCreateContext) __imp_wglCreateContext;
extern decltype(&wglMakeCurrent) __imp_wglMakeCurrent;
extern decltype(&wglDeleteContext) __imp_wglDeleteContext;
extern decltype(&CreatePalette) __imp_CreatePalette;
extern decltype(&RealizePalette) __imp_RealizePalette;
extern decltype(&DeleteObject) __imp_DeleteObject;
extern decltype(&ReleaseDC) __imp_ReleaseDC;
extern decltype(&CreateDIBSection) __imp_CreateDIBSection;
}

namespace {

using Messages = std::vector<std::string>;

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

// Every failing call leaves the same error code behind.
constexpr DWORD kCode = 2000;

std::vector<std::pair<std::string, std::string>> messageBoxes; // text, caption

int WINAPI CatchMessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
    messageBoxes.emplace_back(Utf8(text ? text : L""), Utf8(caption ? caption : L""));
    return IDOK;
}
HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                       LPDWORD) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}
int WINAPI NoPixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) {
    SetLastError(kCode);
    return 0;
}
BOOL WINAPI SetPixelFormatFails(HDC, int, const PIXELFORMATDESCRIPTOR*) {
    SetLastError(kCode);
    return FALSE;
}
HGLRC WINAPI NoContext(HDC) {
    SetLastError(kCode);
    return nullptr;
}
BOOL WINAPI MakeCurrentFails(HDC, HGLRC) {
    SetLastError(kCode);
    return FALSE;
}
BOOL WINAPI DeleteContextFails(HGLRC) {
    SetLastError(kCode);
    return FALSE;
}
HPALETTE WINAPI NoPalette(const LOGPALETTE*) {
    SetLastError(kCode);
    return nullptr;
}
UINT WINAPI RealizeFails(HDC) {
    SetLastError(kCode);
    return GDI_ERROR;
}
BOOL WINAPI DeleteFails(HGDIOBJ) {
    return FALSE;
}
int WINAPI ReleaseFails(HWND, HDC) {
    return 0;
}
HBITMAP WINAPI NoDibSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD) {
    SetLastError(kCode);
    return nullptr;
}

// The driver's format, but one that needs a palette of `paletteBits` colour bits.
decltype(&DescribePixelFormat) realDescribe = nullptr;
BYTE paletteBits = 8;
int WINAPI NeedsPalette(HDC dc, int format, UINT size, LPPIXELFORMATDESCRIPTOR pfd) {
    const int result = realDescribe(dc, format, size, pfd);
    if (pfd) {
        pfd->dwFlags |= PFD_NEED_PALETTE;
        pfd->cColorBits = paletteBits;
    }
    return result;
}

// A drawing panel on a window of its own, recording its messages.
class PanelMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        host.create(nullptr, 200, 100, L"host");
        panel.OnMessage = [this](const std::string& m) { messages.push_back(m); };
        panel.OnPaint = [](TOpenGLPanel*) {};
        realDescribe = __imp_DescribePixelFormat;
    }
    void TearDown() override {
        if (panel.Handle()) panel.DestroyWindow();
    }
    void create() { panel.CreateWindowIn(host.handle(), 0, 0, 50, 40); }
    Messages take() {
        Messages out;
        out.swap(messages);
        return out;
    }

    ui::Form host;
    TOpenGLPanel panel;
    Messages messages;
};

} // namespace

TEST(VisibleTexts, LinkThreadThatCannotBeCreated) {
    TForm1* form = nullptr;
    {
        ImportSwap<decltype(&CreateThread)> thread(__imp_CreateThread, &NoThread);
        ImportSwap<decltype(&MessageBoxW)> box(__imp_MessageBoxW, &CatchMessageBox);
        form = new TForm1(); // never destroyed, as in the program
    }
    ASSERT_EQ(messageBoxes.size(), 1u);
    EXPECT_EQ(messageBoxes[0].first, "Ошибка! Невозможно создать поток1.");
    EXPECT_EQ(messageBoxes[0].second, "MOTOSKOP");
    // The program then ends as soon as its message loop runs.
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit);
    (void)form;
}

TEST_F(PanelMessages, ContextThatCannotBeCreated) {
    {
        ImportSwap<decltype(&ChoosePixelFormat)> swap(__imp_ChoosePixelFormat, &NoPixelFormat);
        create();
    }
    EXPECT_EQ(take(), (Messages{"ChoosePixelFormat:2000", "Open GL Context Create Failed"}));
    panel.DestroyWindow();
    {
        ImportSwap<decltype(&SetPixelFormat)> swap(__imp_SetPixelFormat, &SetPixelFormatFails);
        create();
    }
    EXPECT_EQ(take(), (Messages{"SetPixelFormat:2000", "Open GL Context Create Failed"}));
    panel.DestroyWindow();
    {
        ImportSwap<decltype(&wglCreateContext)> swap(__imp_wglCreateContext, &NoContext);
        create();
    }
    EXPECT_EQ(take(), (Messages{"wglRenderingContext:2000", "Open GL Context Create Failed"}));
    EXPECT_FALSE(panel.HasContext());
    panel.DestroyWindow();
    EXPECT_EQ(take(), Messages{});
}

TEST_F(PanelMessages, DrawingSurfaceThatCannotBeMade) {
    if (!panel.PresentThroughDib) GTEST_SKIP() << "draws straight into its window";
    {
        ImportSwap<decltype(&CreateDIBSection)> swap(__imp_CreateDIBSection, &NoDibSection);
        create();
    }
    const Messages m = take();
    ASSERT_EQ(m.size(), 2u);
    const std::string prefix = "CreateDIBSection:";
    EXPECT_EQ(m[0].substr(0, prefix.size()), prefix);
    EXPECT_GT(m[0].size(), prefix.size());
    EXPECT_EQ(m[0].find_first_not_of("0123456789", prefix.size()), std::string::npos) << m[0];
    EXPECT_EQ(m[1], "Open GL Context Create Failed");
}

TEST_F(PanelMessages, PaintAndTeardownFailures) {
    create();
    ASSERT_TRUE(panel.HasContext());
    ASSERT_EQ(take(), Messages{});
    {
        ImportSwap<decltype(&wglMakeCurrent)> swap(__imp_wglMakeCurrent, &MakeCurrentFails);
        panel.Paint();
    }
    EXPECT_EQ(take(), Messages{"wglMakeCurrent:2000"});
    {
        ImportSwap<decltype(&wglDeleteContext)> swap(__imp_wglDeleteContext, &DeleteContextFails);
        panel.DestroyWindow();
    }
    EXPECT_EQ(take(), Messages{"wglDeleteContext:2000"});

    panel.PresentThroughDib = false; // the window's own device context
    create();
    if (!panel.HasContext()) GTEST_SKIP() << "no context on a window here";
    take();
    {
        ImportSwap<decltype(&ReleaseDC)> swap(__imp_ReleaseDC, &ReleaseFails);
        panel.DestroyWindow();
    }
    EXPECT_EQ(take(), Messages{"ReleaseDC: Failed"});
}

TEST_F(PanelMessages, PixelFormatThatNeedsAPalette) {
    ImportSwap<decltype(&DescribePixelFormat)> palette(__imp_DescribePixelFormat, &NeedsPalette);
    paletteBits = 32; // no palette can be built for it
    create();
    EXPECT_EQ(take(),
              (Messages{"ConstructPalette: Malloc failure", "Open GL Context Create Failed"}));
    panel.DestroyWindow();

    paletteBits = 8;
    {
        ImportSwap<decltype(&CreatePalette)> swap(__imp_CreatePalette, &NoPalette);
        create();
    }
    EXPECT_EQ(take(), (Messages{"CreatePalette:2000", "Open GL Context Create Failed"}));
    panel.DestroyWindow();
    {
        ImportSwap<decltype(&wglCreateContext)> context(__imp_wglCreateContext, &NoContext);
        ImportSwap<decltype(&DeleteObject)> del(__imp_DeleteObject, &DeleteFails);
        create();
    }
    EXPECT_EQ(take(), (Messages{"wglRenderingContext:2000", "DeleteObject: Failed",
                                "Open GL Context Create Failed"}));
    panel.DestroyWindow();

    create();
    ASSERT_TRUE(panel.HasContext());
    ASSERT_EQ(take(), Messages{});
    {
        ImportSwap<decltype(&RealizePalette)> swap(__imp_RealizePalette, &RealizeFails);
        panel.Paint();
    }
    EXPECT_EQ(take(), Messages{"RealizePalette:2000"});
    {
        ImportSwap<decltype(&DeleteObject)> swap(__imp_DeleteObject, &DeleteFails);
        panel.DestroyWindow();
    }
    EXPECT_EQ(take(), Messages{"DeleteObject: Failed"});
}
