// The window framework driven in-process: the pressed-picture convention,
// disabled pictures, labels, the image list, the timer, posting from threads,
// and a secondary window disabling and enabling its owner.
#include <gtest/gtest.h>

#include <thread>
#include <windowsx.h>

#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/Picture.h"
#include "ui/Timer.h"
#include "tests/win/ProgramDriver.h"

using namespace program_driver;

namespace {

ui::Bitmap Solid(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); i += 3)
        rgb[i] = r, rgb[i + 1] = g, rgb[i + 2] = b;
    return ui::Bitmap::FromRgb(w, h, rgb.data());
}

COLORREF PixelOf(ui::Form& form, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, form.clientWidth(), form.clientHeight());
    HGDIOBJ old = SelectObject(dc, bmp);
    form.renderTo(dc);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return c;
}

struct FormTest : ::testing::Test {
    ui::Form form;
    ui::Picture button;
    void SetUp() override {
        ASSERT_TRUE(form.create(nullptr, 200, 100));
        form.setBackground(Solid(200, 100, 0, 0, 255)); // the lit face: blue
        button.setBounds(10, 10, 40, 20);
        button.setPicture(Solid(40, 20, 255, 0, 0)); // the picture: red
        form.add(button);
        form.show();
        Pump();
    }
};

} // namespace

TEST_F(FormTest, PressHidesReleaseShowsThenActsEvenOutsideThePicture) {
    int actions = 0;
    bool visibleDuringAction = false;
    ui::MakePressButton(button, [&] {
        ++actions;
        visibleDuringAction = button.visible();
    });
    EXPECT_EQ(PixelOf(form, 20, 20), RGB(255, 0, 0));
    Press(form, 20, 20);
    EXPECT_FALSE(button.visible());
    EXPECT_EQ(PixelOf(form, 20, 20), RGB(0, 0, 255)); // the background's lit face shows
    EXPECT_EQ(actions, 0);
    Release(form, 150, 90); // released far away: the capture still delivers
    EXPECT_TRUE(button.visible());
    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(visibleDuringAction);
    Release(form, 20, 20); // a stray release does nothing more
    EXPECT_EQ(actions, 1);
}

TEST_F(FormTest, DisabledOrHiddenPicturesIgnoreTheMouse) {
    int actions = 0;
    ui::MakePressButton(button, [&] { ++actions; });
    button.setEnabled(false);
    Press(form, 20, 20);
    EXPECT_TRUE(button.visible());
    Release(form, 20, 20);
    EXPECT_EQ(actions, 0);

    button.setEnabled(true);
    button.setVisible(false);
    Click(form, 20, 20);
    EXPECT_EQ(actions, 0);
    Click(form, 100, 80); // background only
    EXPECT_EQ(actions, 0);
}

TEST_F(FormTest, TopmostPictureTakesThePress) {
    ui::Picture over;
    over.setBounds(30, 10, 40, 20);
    int under = 0, top = 0;
    ui::MakePressButton(button, [&] { ++under; });
    ui::MakePressButton(over, [&] { ++top; });
    form.add(over);
    Click(form, 35, 15);
    EXPECT_EQ(top, 1);
    EXPECT_EQ(under, 0);
}

TEST(Label, RightAlignedLabelKeepsItsRightEdgeAndFixedWidthKeepsItsBox) {
    ui::Label value;
    value.setAlignment(ui::Align::Right);
    value.placeRightEdge(766, 64);
    value.setText("0");
    const int narrow = value.width();
    value.setText("12345,6");
    EXPECT_EQ(value.left() + value.width(), 766);
    EXPECT_GT(value.width(), narrow);

    ui::Label status;
    status.setAlignment(ui::Align::Centre);
    status.place(288, 550);
    status.setFixedWidth(257);
    status.setText("Ошибка открытия порта!");
    EXPECT_EQ(status.left(), 288);
    EXPECT_EQ(status.width(), 257);
    EXPECT_EQ(status.text(), "Ошибка открытия порта!");
}

TEST(ImageList, CutsFramesAndIgnoresIndexesOutsideTheList) {
    std::vector<uint8_t> rgb(size_t(6 * 95) * 20 * 3);
    for (int x = 0; x < 6 * 95; ++x)
        for (int y = 0; y < 20; ++y)
            rgb[(size_t(y) * 6 * 95 + x) * 3] = uint8_t(x / 95 * 40);
    ui::ImageList list;
    ASSERT_TRUE(list.loadStrip(ui::Bitmap::FromRgb(6 * 95, 20, rgb.data()), 95, 20));
    EXPECT_EQ(list.count(), 6);
    ui::Picture p;
    list.getBitmap(3, p);
    EXPECT_EQ(p.picture().width(), 95);
    ui::Bitmap before = p.picture();
    list.getBitmap(6, p);
    list.getBitmap(-1, p);
    EXPECT_EQ(p.picture().handle(), before.handle());
}

TEST(Timer, TicksWhileEnabledAndANewIntervalRestartsIt) {
    ui::Timer timer;
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.setInterval(20);
    timer.setEnabled(true);
    const DWORD end = GetTickCount() + 2000;
    while (ticks < 2 && GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    EXPECT_GE(ticks, 2);
    timer.setEnabled(false);
    const int stopped = ticks;
    Sleep(80);
    Pump();
    EXPECT_EQ(ticks, stopped);
    timer.setInterval(1000); // stays off
    EXPECT_FALSE(timer.enabled());
}

TEST(Form, PostedTasksRunOnTheGuiThreadInOrder) {
    ui::Form form;
    ASSERT_TRUE(form.create(nullptr, 10, 10));
    std::vector<int> seen;
    const DWORD gui = GetCurrentThreadId();
    bool allOnGui = true;
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i)
            form.post([&, i] {
                seen.push_back(i);
                allOnGui = allOnGui && GetCurrentThreadId() == gui;
            });
    });
    worker.join();
    Pump();
    ASSERT_EQ(seen.size(), 200u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(seen[size_t(i)], i);
    EXPECT_TRUE(allOnGui);
}

TEST(Form, SecondaryWindowCentresOnOwnerAndGivesItsInputBackOnClose) {
    ui::Form owner, child;
    ASSERT_TRUE(owner.create(nullptr, 800, 572));
    owner.moveTo(0, 0);
    owner.show();
    ASSERT_TRUE(child.create(owner.handle(), 524, 365));
    child.centreOnOwner();
    RECT r{};
    GetWindowRect(child.handle(), &r);
    EXPECT_EQ(r.left, (800 - 524) / 2);
    EXPECT_EQ(r.top, (572 - 365) / 2);
    child.show();
    owner.setEnabled(false);
    EXPECT_FALSE(owner.isEnabled());
    // A system close (Alt+F4) must not leave the owner disabled either.
    SendMessageW(child.handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_FALSE(child.isVisible());
}
