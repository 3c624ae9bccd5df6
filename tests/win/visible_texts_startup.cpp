// The one message box of the start-up, as the user reads it: the link thread
// cannot be created. The test makes thread creation fail for the program's own
// calls and catches the message box, by swapping the two entries of this
// executable's import table while the main window is built.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/TForm1.h"

extern "C" {
// The import-table slots the program's calls go through.
extern decltype(&CreateThread) __imp_CreateThread;
extern decltype(&MessageBoxW) __imp_MessageBoxW;
}

namespace {

std::wstring shownText, shownCaption;
int messageBoxes = 0;

HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                       LPDWORD) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

int WINAPI CatchMessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
    ++messageBoxes;
    shownText = text ? text : L"";
    shownCaption = caption ? caption : L"";
    return IDOK;
}

template <typename T> void SetSlot(T& slot, T value) {
    DWORD previous = 0;
    VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &previous);
    slot = value;
    VirtualProtect(&slot, sizeof slot, previous, &previous);
}

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

} // namespace

TEST(VisibleTexts, LinkThreadThatCannotBeCreated) {
    const auto realCreateThread = __imp_CreateThread;
    const auto realMessageBox = __imp_MessageBoxW;
    SetSlot(__imp_CreateThread, &NoThread);
    SetSlot(__imp_MessageBoxW, &CatchMessageBox);
    auto* form = new TForm1(); // never destroyed, as in the program
    SetSlot(__imp_CreateThread, realCreateThread);
    SetSlot(__imp_MessageBoxW, realMessageBox);

    EXPECT_EQ(messageBoxes, 1);
    EXPECT_EQ(Utf8(shownText), "Ошибка! Невозможно создать поток1.");
    EXPECT_EQ(Utf8(shownCaption), "MOTOSKOP");
    // The program then ends as soon as its message loop runs.
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit);
    (void)form;
}
