// The link as the whole program lives it: the real main window with its own link
// thread on COM1 (the real serial port under Wine, the ECU simulator behind it),
// START/STOP pressed through the window's handlers, the simulator's faults
// switched through its control file. What the user sees is checked: the status
// line, ERROR and TEST, the readout, and that the window never waits on the link.
//
// MOTOSKOP_MISSING_PORT names a COM port that cannot be opened (default COM8,
// which the harness leaves unmapped).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/TForm1.h"
#include "link/ComPort_win32.h"
#include "tests/common/ShownTexts.h"
#include "tests/win/ProgramDriver.h"

namespace {

using namespace program_driver;

using namespace shown;

// The main window, with every status text the link thread hands it recorded in order.
class RecordingForm : public TForm1 {
  public:
    void setStatus(const std::string& text) override {
        TForm1::setStatus(text); // first: a recorded text is already on its way to Label51
        std::lock_guard<std::mutex> guard(lock_);
        statuses_.push_back(text);
    }
    std::vector<std::string> statuses(size_t from = 0) const {
        std::lock_guard<std::mutex> guard(lock_);
        return {statuses_.begin() + static_cast<std::ptrdiff_t>(std::min(from, statuses_.size())),
                statuses_.end()};
    }
    size_t statusCount() const {
        std::lock_guard<std::mutex> guard(lock_);
        return statuses_.size();
    }

  private:
    mutable std::mutex lock_;
    std::vector<std::string> statuses_;
};

RecordingForm& Form() {
    return Main<RecordingForm>();
}

std::string Env(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

bool AllZero(const std::array<uint8_t, RawFrame::kSize>& frame) {
    return std::all_of(frame.begin(), frame.end(), [](uint8_t b) { return b == 0; });
}

class ProgramLink : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ecusim_control::available()) GTEST_SKIP() << "no simulator on COM1";
        RecordingForm& f = Form();
        ASSERT_TRUE(linkThread != nullptr);
        if (f.connectState == 1) press();
        // Idle: suspended after a close or a failed open, or never started.
        if (everConnected) {
            ASSERT_TRUE(PumpUntil([&] { return linkThread->SuspendedBySelf(); }));
        }
        PumpFor(50);
        ASSERT_TRUE(ecusim_control::send("reset"));
        f.state.selection.portName.set("COM1");
    }

    // One press and release of START/STOP; the window must never wait on the link.
    void press() {
        RecordingForm& f = Form();
        everConnected = everConnected || f.connectState == 0;
        const DWORD before = GetTickCount();
        f.Image15MouseDown();
        f.Image15MouseUp();
        EXPECT_LT(GetTickCount() - before, 100u) << "START/STOP held the window";
        Pump();
    }

    // Waits until `text` was recorded n times from position `from` on.
    bool seen(const char* text, size_t from, int n = 1, int timeoutMs = 5000) {
        return PumpUntil(
            [&] {
                const auto s = Form().statuses(from);
                return std::count(s.begin(), s.end(), std::string(text)) >= n;
            },
            timeoutMs);
    }

    static bool everConnected; // the link thread has been started

    bool fault(const std::string& mode) { return ecusim_control::send("fault " + mode); }

    // START with good replies coming in.
    void connectWithData() {
        const size_t from = Form().statusCount();
        press();
        ASSERT_EQ(Form().connectState, 1);
        ASSERT_TRUE(seen(kDataReceived, from, 2));
    }

    std::string label51() {
        Pump();
        return Form().Label51.text();
    }
    bool diagButtons(bool enabled) {
        return Form().Image16.enabled() == enabled && Form().Image17.enabled() == enabled;
    }
};

bool ProgramLink::everConnected = false;

TEST_F(ProgramLink, GoodRepliesThenStopDuringAGoodPoll) {
    RecordingForm& f = Form();
    const size_t from = f.statusCount();
    connectWithData();
    EXPECT_EQ(f.statuses(from).front(), kConnecting);
    PumpFor(100);
    EXPECT_EQ(label51(), kDataReceived);
    EXPECT_TRUE(diagButtons(true));
    EXPECT_EQ(f.state.ecu.dataValid.load(), 1.0f);
    EXPECT_EQ(f.Param_(14).text(), "0x1A0B"); // the simulated PROM id
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(3).handle()); // STOP
    const auto raw = f.state.ecu.rawFrame.snapshot();
    const uint8_t head[] = {0xF4, 0x56, 0x01, 0xB5, 0xF4, 0x92, 0x01};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), raw.begin()));

    // STOP lands during a poll whose echo is right, unless the thread was between
    // its check and the next cycle (then it simply closes): try a few times. Either
    // way the link ends closed, with ERROR and TEST dark.
    bool brokenShown = false;
    for (int attempt = 0; attempt < 5 && !brokenShown; ++attempt) {
        if (attempt > 0) connectWithData();
        PumpFor(20 + 17 * attempt);
        const size_t stop = f.statusCount();
        press();
        ASSERT_TRUE(PumpUntil([&] { return linkThread->SuspendedBySelf(); }));
        PumpFor(50);
        EXPECT_TRUE(diagButtons(false)) << attempt;
        EXPECT_EQ(f.state.ecu.dataValid.load(), 0.0f) << attempt;
        EXPECT_EQ(f.state.requests.openRequested.load(), 1) << attempt;
        EXPECT_EQ(f.state.requests.closeRequested.load(), 0) << attempt;
        const auto after = f.statuses(stop);
        brokenShown = std::count(after.begin(), after.end(), std::string(kLinkBroken)) == 1;
        if (!brokenShown) continue;
        EXPECT_EQ(after.back(), kLinkBroken);
        EXPECT_EQ(label51(), "Связь с ЭБУ  прервана."); // two blanks
        EXPECT_TRUE(AllZero(f.state.ecu.rawFrame.snapshot()));
    }
    EXPECT_TRUE(brokenShown) << "STOP never met a poll on the wire";
}

TEST_F(ProgramLink, SilentEcuBehindAnEchoingAdapter) {
    RecordingForm& f = Form();
    ASSERT_TRUE(fault("echo"));
    const size_t from = f.statusCount();
    press();
    bool everValid = false;
    ASSERT_TRUE(PumpUntil([&] {
        everValid = everValid || f.state.ecu.dataValid.load() != 0.0f || !diagButtons(false);
        const auto s = f.statuses(from);
        return std::count(s.begin(), s.end(), std::string(kNoAnswer)) >= 4;
    }));
    const auto s = f.statuses(from);
    EXPECT_EQ(s.front(), kConnecting);
    EXPECT_TRUE(
        std::all_of(s.begin() + 1, s.end(), [](const std::string& t) { return t == kNoAnswer; }));
    EXPECT_FALSE(everValid) << "dataValid or ERROR/TEST came on without an answer";
    EXPECT_EQ(label51(), kNoAnswer);
    EXPECT_EQ(f.Param_(8).text(), "-40"); // coolant decoded from the all-zero reply
    EXPECT_TRUE(AllZero(f.state.ecu.rawFrame.snapshot()));
}

TEST_F(ProgramLink, WrongLengthsCountAsNoAnswer) {
    RecordingForm& f = Form();
    connectWithData();
    for (const char* mode : {"short", "long69", "long70"}) {
        const size_t from = f.statusCount();
        ASSERT_TRUE(fault(mode));
        ASSERT_TRUE(seen(kNoAnswer, from, 3)) << mode;
        const auto s = f.statuses(from);
        const auto firstNoAnswer = std::find(s.begin(), s.end(), std::string(kNoAnswer));
        EXPECT_TRUE(std::all_of(firstNoAnswer, s.end(), [](const std::string& t) {
            return t == kNoAnswer;
        })) << mode;
        EXPECT_EQ(f.state.ecu.dataValid.load(), 0.0f) << mode;
        EXPECT_EQ(label51(), kNoAnswer) << mode;

        const size_t back = f.statusCount();
        ASSERT_TRUE(fault("none"));
        ASSERT_TRUE(seen(kDataReceived, back, 2)) << mode;
        EXPECT_EQ(f.state.ecu.dataValid.load(), 1.0f) << mode;
    }
}

TEST_F(ProgramLink, WrongEchoKeepsTheLastGoodFrame) {
    RecordingForm& f = Form();
    connectWithData();
    const size_t from = f.statusCount();
    ASSERT_TRUE(fault("wrongecho"));
    ASSERT_TRUE(seen(kCheckAdapter, from, 1));
    const auto kept = f.state.ecu.rawFrame.snapshot();
    ASSERT_TRUE(seen(kCheckAdapter, from, 4));
    EXPECT_EQ(f.state.ecu.rawFrame.snapshot(), kept);
    EXPECT_EQ(kept[0], 0xF4);
    EXPECT_EQ(kept[4], 0xF4);
    EXPECT_EQ(f.state.ecu.dataValid.load(), 1.0f);
    EXPECT_TRUE(diagButtons(true));
    EXPECT_EQ(label51(), kCheckAdapter);
}

TEST_F(ProgramLink, NoAdapterAfterGoodData) {
    RecordingForm& f = Form();
    connectWithData();
    const size_t from = f.statusCount();
    ASSERT_TRUE(fault("silent")); // every read now waits its full 710 ms
    ASSERT_TRUE(seen(kCheckAdapter, from, 2, 6000));
    auto s = f.statuses(from);
    while (!s.empty() && s.front() == kDataReceived) // polls already on the wire
        s.erase(s.begin());
    ASSERT_GE(s.size(), 3u);
    EXPECT_EQ(s[0], kNoAnswer);
    EXPECT_TRUE(std::all_of(s.begin() + 1, s.end(),
                            [](const std::string& t) { return t == kCheckAdapter; }));
    EXPECT_EQ(f.state.ecu.dataValid.load(), 0.0f);
    EXPECT_TRUE(AllZero(f.state.ecu.rawFrame.snapshot()));
    EXPECT_EQ(label51(), kCheckAdapter);
}

TEST_F(ProgramLink, PortMissingThenAnotherPortAfterStopStart) {
    RecordingForm& f = Form();
    const std::string missing = Env("MOTOSKOP_MISSING_PORT", "COM8");
    {
        HANDLE h = CreateFileA(missing.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        ASSERT_EQ(h, INVALID_HANDLE_VALUE)
            << missing << " opens: the harness must leave it unmapped";
    }
    f.state.selection.portName.set(missing);
    const size_t from = f.statusCount();
    press();
    ASSERT_TRUE(seen(kOpenFailed, from));
    ASSERT_TRUE(PumpUntil([&] { return linkThread->SuspendedBySelf(); }));
    EXPECT_EQ(label51(), kOpenFailed);
    EXPECT_EQ(f.connectState, 1); // the button stays at STOP
    EXPECT_EQ(f.Image15.picture().handle(), f.ImageList1.frame(3).handle());
    EXPECT_EQ(f.state.requests.openRequested.load(), 1);
    EXPECT_EQ(f.state.requests.closeRequested.load(), 0);
    EXPECT_TRUE(diagButtons(false));
    PumpFor(300);
    EXPECT_EQ(f.statusCount(), from + 1); // suspended: no further attempts

    // The user picks the right port and presses STOP, START: the link opens.
    f.state.selection.portName.set("COM1");
    press();
    EXPECT_EQ(f.connectState, 0);
    const size_t retry = f.statusCount();
    press();
    ASSERT_TRUE(seen(kDataReceived, retry, 2));
    EXPECT_EQ(f.statuses(retry).front(), kConnecting);
    EXPECT_TRUE(diagButtons(true));
}

TEST_F(ProgramLink, HangUpMidRunThenReconnect) {
    RecordingForm& f = Form();
    connectWithData();
    const size_t from = f.statusCount();
    ASSERT_TRUE(fault("hangup 3"));
    ASSERT_TRUE(seen(kCheckAdapter, from, 1, 6000));
    EXPECT_EQ(label51(), kCheckAdapter);
    EXPECT_EQ(f.state.ecu.dataValid.load(), 0.0f);

    // STOP while the thread sits in a 710 ms read: the press returns at once and
    // the link closes when the read ends.
    Sleep(150);
    press();
    ASSERT_TRUE(PumpUntil([&] { return linkThread->SuspendedBySelf(); }, 3000));
    EXPECT_TRUE(diagButtons(false));
    EXPECT_FALSE(label51().empty());

    // The simulator answers again; STOP/START brings the data back.
    ASSERT_TRUE(fault("none"));
    const size_t back = f.statusCount();
    press();
    ASSERT_TRUE(seen(kDataReceived, back, 2));
    EXPECT_EQ(f.statuses(back).front(), kConnecting);
    EXPECT_TRUE(diagButtons(true));
    EXPECT_EQ(f.state.ecu.dataValid.load(), 1.0f);
}

// Leave the link thread idle so the process ends with no read in flight.
class StopLink : public ::testing::Environment {
  public:
    void TearDown() override {
        if (linkThread) linkThread->Stop();
    }
};
const auto* const kStopLink = ::testing::AddGlobalTestEnvironment(new StopLink);

} // namespace
