// The trouble-code window of the running program against the ECU simulator:
// the main window connects on COM1, opens the window with its ERROR button,
// lists what the ECU reports, and its reset makes the ECU forget its codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes/TForm4.h"
#include "tests/win/ProgramDriver.h"

using namespace program_driver;

namespace {

const unsigned char kClearCodes[10] = {0x00, 0x00, 0x40};
const unsigned char kFamily4ClearCodes[10] = {0x00, 0x00, 0x10};

class TroubleCodeWindowAgainstTheEcu : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ecusim_control::available()) GTEST_SKIP() << "no simulator";
        ASSERT_TRUE(ecusim_control::send("reset"));
    }
    void TearDown() override { Disconnect(Main()); }

    // ERROR on the main window: a new, empty trouble-code window refreshing
    // every 100 ms, the main window disabled.
    TForm4& Open() {
        TForm1& f = Main();
        EXPECT_TRUE(f.Image17.enabled());
        f.Image17MouseUp();
        EXPECT_NE(Form4, nullptr);
        EXPECT_TRUE(Form4->isVisible());
        EXPECT_FALSE(f.isEnabled());
        EXPECT_TRUE(Form4->Timer1.enabled());
        return *Form4;
    }

    // Waits until the list holds `count` lines and shows that count.
    static bool ListShows(TForm4& window, size_t count, int timeoutMs = 2000) {
        return PumpUntil(
            [&] {
                return window.RichEdit1.lines().size() == count &&
                       window.Label21.text() == std::to_string(count);
            },
            timeoutMs);
    }

    // Reset: the simulator receives the clear-codes frame of the family, forgets
    // its codes, and a later refresh empties the list.
    static void ResetClearsTheList(TForm4& window, const std::string& clearFrame) {
        const NewFrames cleared(clearFrame);
        const size_t listed = window.RichEdit1.lines().size();
        Click(window, window.Image2);
        EXPECT_EQ(window.RichEdit1.lines().size(), listed); // not at once
        EXPECT_TRUE(PumpUntil([&] { return cleared.count() == 1; }, 2000)) << clearFrame;
        EXPECT_TRUE(ListShows(window, 0)) << window.Label21.text();
        EXPECT_EQ(Main().state.requests.clearCodesRequested.load(), 0);
    }

    // "Выход": the main window usable again.
    static void Exit(TForm4& window) {
        Click(window, window.Image3);
        EXPECT_TRUE(Main().isEnabled());
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(window.Timer1.enabled());
    }
};

// A few polls' time, for checks that something does not happen.
void SeveralPolls() {
    const NewFrames polls("rx F4 56 01 B5");
    PumpUntil([&] { return polls.count() >= 5; }, 1000);
}

} // namespace

TEST_F(TroubleCodeWindowAgainstTheEcu, FamilyOneListsOnlyItsCodesAndClearsThem) {
    TForm1& f = Main();
    ASSERT_EQ(f.state.selection.ecuFamily.load(), 1);
    // Byte 1 bit 0, and byte 2 bits 0 and 1, which family 1 has no text for.
    ASSERT_TRUE(ecusim_control::send("codes 01 03 00 00"));
    ASSERT_TRUE(Connect(f)) << f.Label51.text();

    TForm4& window = Open();
    ASSERT_TRUE(ListShows(window, 1)) << window.Label21.text();
    EXPECT_EQ(window.RichEdit1.lines(),
              std::vector<std::string>{"Ошибка синхронизации искрообразования."});

    // Bytes 3 and 4 are not family 1's: nothing changes.
    ASSERT_TRUE(ecusim_control::send("codes 01 03 FF FF"));
    SeveralPolls();
    EXPECT_EQ(window.RichEdit1.lines().size(), 1u);
    EXPECT_EQ(window.Label21.text(), "1");

    // Every bit of bytes 1 and 2: the fourteen texts of the family, in order.
    ASSERT_TRUE(ecusim_control::send("codes FF FF 00 00"));
    ASSERT_TRUE(ListShows(window, 14)) << window.Label21.text();
    EXPECT_EQ(window.RichEdit1.lines().front(), "Ошибка синхронизации искрообразования.");
    EXPECT_EQ(window.RichEdit1.lines()[8], "Ошибка связи с иммобилизатором.");
    EXPECT_EQ(window.RichEdit1.lines().back(), "Обедненный датчик кислорода.");

    ResetClearsTheList(window, CommandLine(kClearCodes));
    Exit(window);

    // Opened again with the ECU reporting codes: empty first, then built.
    ASSERT_TRUE(ecusim_control::send("codes 00 10 00 00"));
    TForm4& again = Open();
    EXPECT_TRUE(again.RichEdit1.lines().empty());
    EXPECT_EQ(again.Label21.text(), "0");
    ASSERT_TRUE(ListShows(again, 1));
    EXPECT_EQ(again.RichEdit1.lines().front(), "Ошибка датчика детонации.");
    Exit(again);
}

TEST_F(TroubleCodeWindowAgainstTheEcu, FamilyFourListsAllThirtyTwoAndClearsThem) {
    TForm1& f = Main();
    // The next car after ESPERO is a LANOS: family 4.
    if (f.state.selection.ecuFamily.load() != 4) Click(f, f.Image3);
    ASSERT_EQ(f.state.selection.ecuFamily.load(), 4);
    ASSERT_TRUE(ecusim_control::send("family 4"));
    ASSERT_TRUE(ecusim_control::send("codes FF FF FF FF"));
    ASSERT_TRUE(Connect(f)) << f.Label51.text();

    TForm4& window = Open();
    ASSERT_TRUE(ListShows(window, 32)) << window.Label21.text();
    const std::vector<std::string>& lines = window.RichEdit1.lines();
    EXPECT_EQ(lines.front(), "Ошибка EST (управление моментом зажигания).");
    EXPECT_EQ(lines[8], "58Х EST A замкнут на +.");
    EXPECT_EQ(lines[23], "58Х EST В замкнут на землю.");
    EXPECT_EQ(lines[24], "?");
    EXPECT_EQ(lines[28], lines[29]);
    EXPECT_EQ(lines.back(), "Высокая температура воздуха во впускном коллекторе.");

    ResetClearsTheList(window, CommandLine(kFamily4ClearCodes));
    // The ECU keeps them cleared.
    SeveralPolls();
    EXPECT_TRUE(window.RichEdit1.lines().empty());
    Exit(window);
}
