// The checks window of the running program against the ECU simulator: "Проверки" opens it
// beside the polling main window, which stays in use (STOP and START, the readout); its rows
// fill from the live session and keep refreshing; closing it ends its work.
#include <gtest/gtest.h>

#include <string>

#include "app/ReadoutCaptions.h"
#include "checks/TFormChecks.h"
#include "tests/win/ProgramDriver.h"

using namespace program_driver;

namespace {

// Every check listed; the trouble codes judged on the replies so far, with their figure.
bool RowsFilled(const TFormChecks& w) {
    int checks = 0, figures = 0;
    bool codesJudged = false;
    for (const checks::ViewLine& line : w.view().lines) {
        checks += line.kind == checks::LineKind::Check;
        figures += line.kind == checks::LineKind::Figure;
        if (line.kind == checks::LineKind::Check && line.text == "Коды неисправностей")
            codesJudged = line.verdict != checks::Verdict::NoData;
    }
    return checks == checks::kCheckCount && figures > 0 && codesJudged;
}

} // namespace

TEST(ChecksWindow, OpensBesideThePollingMainWindowWhichStaysInUseWhileItsRowsFill) {
    if (!ecusim_control::available()) GTEST_SKIP() << "no simulator";
    ASSERT_TRUE(ecusim_control::send("reset"));
    TForm1& f = Main();
    ASSERT_TRUE(Connect(f));
    Click(f, f.checksHost.ChecksButton);
    TFormChecks* w = f.checksHost.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(f.isEnabled()) << "the checks window must not be modal";
    RECT main{}, beside{};
    GetWindowRect(f.handle(), &main);
    GetWindowRect(w->handle(), &beside);
    EXPECT_TRUE(beside.left >= main.right || beside.right <= GetSystemMetrics(SM_CXSCREEN))
        << beside.left;
    EXPECT_TRUE(PumpUntil([&] { return RowsFilled(*w); }, 8000)) << w->view().session;
    ASSERT_FALSE(w->adapterLines().empty());
    EXPECT_NE(w->adapterLines()[0].find("COM1"), std::string::npos) << w->adapterLines()[0];

    // STOP and START with the window open: the link stops, then polls again, the readout and
    // the rows go on.
    Disconnect(f);
    EXPECT_EQ(f.connectState, 0);
    EXPECT_TRUE(f.Image15.enabled());
    const NewFrames polls("rx F4 56 01 B5");
    ASSERT_TRUE(Connect(f));
    EXPECT_TRUE(PumpUntil([&] { return polls.count() >= 5; }, 3000));
    EXPECT_NE(f.Param_(1).text(), Readout(1).initialValue);
    const int refreshed = w->refreshes();
    EXPECT_TRUE(PumpUntil([&] { return w->refreshes() >= refreshed + 2; }, 5000));
    EXPECT_TRUE(RowsFilled(*w));

    // The button again brings the same window forward; "Выход" closes it and ends its work.
    Click(f, f.checksHost.ChecksButton);
    EXPECT_EQ(f.checksHost.window(), w);
    Click(*w, w->ExitButton);
    EXPECT_TRUE(PumpUntil([&] { return f.checksHost.window() == nullptr; }, 1000));
    EXPECT_TRUE(f.isEnabled());
    Disconnect(f);
}
