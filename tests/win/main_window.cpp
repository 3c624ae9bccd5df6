// The main window built in-process: its layout, the START/STOP frames and
// states, and the about window taking and giving back the main window's input.
#include <gtest/gtest.h>

#include "app/TForm1.h"
#include "app/TForm7.h"
#include "tests/win/ProgramDriver.h"

using namespace program_driver;

TEST(MainWindow, LayoutAndInitialState) {
    TForm1& f = Main();
    RECT r{};
    GetWindowRect(f.handle(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 572);

    struct {
        int image, left, top, width, height;
    } const spots[] = {
        {13, 776, 2,   18,  9 },
        {15, 485, 399, 95,  20},
        {17, 581, 399, 95,  20},
        {16, 677, 399, 95,  20},
        {32, 485, 349, 67,  20},
        {33, 704, 349, 67,  20},
        {2,  701, 548, 26,  19},
        {3,  103, 548, 26,  19},
        {4,  255, 548, 26,  19},
        {11, 401, 399, 23,  13},
        {31, 748, 16,  23,  13},
        {18, 568, 320, 115, 66}
    };
    for (const auto& s : spots) {
        ui::Picture& p = f.Image(s.image);
        EXPECT_EQ(p.left(), s.left) << "Image" << s.image;
        EXPECT_EQ(p.top(), s.top) << "Image" << s.image;
        EXPECT_EQ(p.width(), s.width) << "Image" << s.image;
        EXPECT_EQ(p.height(), s.height) << "Image" << s.image;
        if (s.image != 19) {
            EXPECT_FALSE(p.picture().empty()) << "Image" << s.image;
        }
    }
    EXPECT_FALSE(f.Image(20).visible());
    EXPECT_FALSE(f.Image16.enabled());
    EXPECT_FALSE(f.Image17.enabled());
    EXPECT_FALSE(f.Timer1.enabled());
    EXPECT_EQ(f.Timer1.interval(), 1000u);
    EXPECT_EQ(f.ImageList1.count(), 6);

    EXPECT_EQ(f.NParam_(8).text(), "Температура охлаждающей жидкости, °С.");
    EXPECT_FALSE(f.NParam_(15).visible());
    EXPECT_FALSE(f.Param_(15).visible());
    EXPECT_EQ(f.Param_(1).left() + f.Param_(1).width(), 766);
    EXPECT_EQ(f.Param_(12).left() + f.Param_(12).width(), 768);
    EXPECT_EQ(f.Param_(14).text(), "0x0000");
    EXPECT_EQ(f.Label51.text(), "Диагностика DAEWOO.");
    EXPECT_EQ(f.Label51.width(), 257);
    EXPECT_EQ(f.connectState, 0);
}

TEST(MainWindow, StartStopFramesButtonsAndBlink) {
    TForm1& f = Main();
    // The link thread runs against the simulator on COM1: what it changes is
    // checked once it has answered, never in a race with it.
    // Press shows START pressed; release connects and shows STOP.
    Press(f, 500, 405);
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(2).handle());
    Release(f, 500, 405);
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(3).handle());
    EXPECT_EQ(f.connectState, 1);
    EXPECT_NE(f.sampleTimer, 0u);
    EXPECT_TRUE(f.Image15.visible()); // never hidden
    for (int n : {2, 3, 4})
        EXPECT_FALSE(f.Image(n).enabled());
    EXPECT_FALSE(f.Timer1.enabled());
    // The thread opens the port and lowers the request.
    EXPECT_TRUE(PumpUntil([&f] { return f.state.requests.openRequested.load() == 0; }, 3000));

    // As the link thread reports a good reply.
    f.setDiagButtonsEnabled(true);
    Pump();

    Press(f, 500, 405);
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(5).handle());
    Release(f, 500, 405);
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(1).handle());
    EXPECT_EQ(f.connectState, 0);
    for (int n : {2, 3, 4})
        EXPECT_TRUE(f.Image(n).enabled());
    EXPECT_FALSE(f.Image16.enabled());
    EXPECT_FALSE(f.Image17.enabled());
    EXPECT_TRUE(f.Timer1.enabled());

    // Blink: lit for 80 ms, dark for 1000 ms, then a tick that does nothing.
    f.Timer1.fire();
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(0).handle());
    EXPECT_EQ(f.Timer1.interval(), 80u);
    f.Timer1.fire();
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(1).handle());
    EXPECT_EQ(f.Timer1.interval(), 1000u);
    f.Timer1.fire();
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(1).handle());
    EXPECT_EQ(f.blinkPhase, 0);

    // The thread closes the port, lowers the STOP and leaves no valid data.
    EXPECT_TRUE(PumpUntil([&f] { return f.state.requests.closeRequested.load() == 0; }, 3000));
    EXPECT_EQ(f.state.requests.openRequested.load(), 1);
    EXPECT_EQ(f.state.ecu.dataValid.load(), 0.0f);
}

TEST(MainWindow, DragBarIgnoresTheRightButton) {
    TForm1& f = Main();
    RightClick(f, 200, 5);
    RECT r{};
    GetWindowRect(f.handle(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
}

TEST(AboutWindow, DisablesTheMainWindowUntilItsExitIsReleased) {
    TForm1& f = Main();
    Click(f, f.Image33);
    ASSERT_NE(Form7, nullptr);
    EXPECT_FALSE(f.isEnabled());
    EXPECT_TRUE(Form7->isVisible());
    RECT r{};
    GetWindowRect(Form7->handle(), &r);
    EXPECT_EQ(r.left, (800 - 524) / 2);
    EXPECT_EQ(r.top, (572 - 365) / 2);
    EXPECT_EQ(Form7->Label(7).text(), std::string(49, ' ') + "Программа позволяет: ");
    EXPECT_EQ(Form7->Label(11).text(), "");
    EXPECT_EQ(Form7->Label(16).text(),
              std::string(7, ' ') +
                  "''MOTOSKOP'' со своих устройств хранения информации и отказаться от ");
    EXPECT_NE(Form7->Label1.text().find("MOTOSKOP"), std::string::npos);

    Press(*Form7, Form7->Image2);
    EXPECT_FALSE(Form7->Image2.visible());
    EXPECT_FALSE(f.isEnabled()); // not before the release
    Release(*Form7, Form7->Image2);
    EXPECT_TRUE(f.isEnabled());
    EXPECT_FALSE(Form7->isVisible());
}
