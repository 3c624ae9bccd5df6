// START and STOP pressed in quick succession: whatever moment of the link cycle
// each press lands in (opening, polling, sending a command, closing, suspended),
// the link ends in the state of the last press. Every placement of up to four
// presses over the first moments of a connection is played through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/LinkCycle.h"
#include "state/MainState.h"
#include "tests/common/ShownTexts.h"
#include "platform/ScriptedSerialPort.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ecuFrame() {
    Bytes b(64, 0x11);
    b[0] = 0xF4;
    return b;
}

struct Variant {
    bool firstOpenFails;
    bool commandPending;
};

// One run: the window (its connect state and presses), the link cycle on a
// scripted port, and the presses placed at numbered moments. A moment is the
// start of a cycle, any port call, or a self-suspension.
class PressRun : public LinkEvents, public LinkSuspension {
  public:
    PressRun(Variant variant, std::vector<int> pressMoments)
        : variant_(variant), moments_(std::move(pressMoments)) {
        state_.selection.portName.set("COM2");
        port_.setEchoWhenUnscripted(true);
        port_.onCall = [this](const std::string& call) {
            if (call == "write" && freshCycleAfterLastPress_ && !connected_) ++writesWhileStopped;
            moment();
        };
        if (variant_.firstOpenFails) port_.scriptOpen(ScriptedSerialPort::OpenOutcome::NoDevice);
        if (variant_.commandPending) state_.requests.clearCodesRequested = 1;
    }

    // Presses START, then runs cycles until the presses are spent and the link
    // has had time to settle (or has suspended itself for good).
    void play() {
        press(); // the connect that starts it all; the thread starts running
        for (int cycles = 0; cycles < 40 && !asleep_; ++cycles) {
            if (pressesLeft() == 0) {
                if (settleCycles_ == 0) freshCycleAfterLastPress_ = true;
                if (++settleCycles_ > 4) break;
            }
            moment();
            port_.scriptAnswer(ecuFrame());
            if (!cycle_.RunOnce()) break;
        }
    }

    bool connected() const { return connected_; }
    bool asleep() const { return asleep_; }
    int pressesLeft() const { return static_cast<int>(moments_.size() - next_); }
    const LinkCycle& cycle() const { return cycle_; }
    const ScriptedSerialPort& port() const { return port_; }
    const MainState& state() const { return state_; }
    // Polls written after the last press, in cycles that began with the window
    // showing the link stopped.
    int writesWhileStopped = 0;
    std::string lastStatus;

    // LinkEvents
    void setStatus(const std::string& text) override { lastStatus = text; }
    void setReadout(int, const std::string&) override {}
    void setDiagButtonsEnabled(bool) override {}
    void repaintRawPanel() override {}
    void suspendSelf() override {
        suspended_ = true;
        woken_ = false;
        moment();
        // Time goes on while it sleeps: the next presses come until a START wakes it.
        while (!woken_ && next_ < moments_.size()) {
            ++next_;
            press();
        }
        suspended_ = false;
        if (!woken_) {
            // Nobody pressed START: the thread stays suspended for good.
            asleep_ = true;
            cycle_.RequestStop();
        }
    }

  private:
    // The window's START/STOP release, as far as the link is concerned.
    void press() {
        if (!connected_) {
            cycle_.PressStart();
            if (suspended_) woken_ = true; // the resume wakes a suspended thread
        } else {
            cycle_.PressStop();
            state_.ecu.dataValid = 0.0f;
        }
        connected_ = !connected_;
    }

    void moment() {
        const int now = clock_++;
        while (next_ < moments_.size() && moments_[next_] <= now) {
            ++next_;
            press();
        }
    }

    Variant variant_;
    std::vector<int> moments_;
    size_t next_ = 0;
    int clock_ = 0;
    int settleCycles_ = 0;
    bool connected_ = false;
    bool suspended_ = false;
    bool woken_ = false;
    bool asleep_ = false;
    bool freshCycleAfterLastPress_ = false;

    MainState state_;
    ScriptedSerialPort port_;
    LinkCycle cycle_{state_.requests, state_.selection, state_.ecu, port_, *this, *this};
};

// Every non-decreasing choice of `count` moments out of 0..moments-1.
void placements(int count, int moments, std::vector<int>& current,
                std::vector<std::vector<int>>& out) {
    if (static_cast<int>(current.size()) == count) {
        out.push_back(current);
        return;
    }
    const int from = current.empty() ? 0 : current.back();
    for (int m = from; m < moments; ++m) {
        current.push_back(m);
        placements(count, moments, current, out);
        current.pop_back();
    }
}

std::string describe(const Variant& v, const std::vector<int>& moments) {
    std::string s = v.firstOpenFails ? "first open fails" : "open works";
    if (v.commandPending) s += ", command pending";
    s += ", presses at";
    for (int m : moments)
        s += " " + std::to_string(m);
    return s;
}

TEST(LinkPresses, TheLastPressWinsWhereverThePressesLand) {
    // 14 moments span the opening cycle, two polls, the command exchange and,
    // after a STOP, the close step and the suspension.
    constexpr int kMoments = 14;
    int runs = 0;
    for (Variant variant : {
             Variant{false, false},
             Variant{false, true },
             Variant{true,  false},
             Variant{true,  true }
    }) {
        for (int count = 1; count <= 4; ++count) {
            std::vector<std::vector<int>> all;
            std::vector<int> current;
            placements(count, kMoments, current, all);
            for (const auto& moments : all) {
                PressRun run(variant, moments);
                run.play();
                ++runs;
                const std::string what = describe(variant, moments);
                ASSERT_EQ(run.pressesLeft(), 0) << what;
                ASSERT_EQ(run.port().record().opensOverOpen, 0) << what;
                ASSERT_EQ(run.port().isOpen(), run.cycle().linkOpen()) << what;
                ASSERT_EQ(run.writesWhileStopped, 0) << what;
                if (!run.connected()) {
                    // STOP last: port closed, thread suspended.
                    ASSERT_TRUE(run.asleep()) << what;
                    ASSERT_FALSE(run.port().isOpen()) << what;
                } else if (run.asleep()) {
                    // START last and the thread suspended: only after a failed open,
                    // which the window shows.
                    ASSERT_TRUE(variant.firstOpenFails) << what;
                    ASSERT_EQ(run.lastStatus, shown::kOpenFailed) << what;
                    ASSERT_EQ(run.port().record().openedNames.size(), 1u) << what;
                    ASSERT_FALSE(run.port().isOpen()) << what;
                } else {
                    // START last: polling, with good data on the window.
                    ASSERT_TRUE(run.cycle().linkOpen()) << what;
                    ASSERT_EQ(run.lastStatus, shown::kDataReceived) << what;
                    ASSERT_EQ(run.state().ecu.dataValid.load(), 1.0f) << what;
                    ASSERT_EQ(run.state().requests.openRequested.load(), 0) << what;
                    ASSERT_EQ(run.state().requests.closeRequested.load(), 0) << what;
                    ASSERT_EQ(run.port().record().calls.back(), "purge") << what;
                }
            }
        }
    }
    EXPECT_GT(runs, 10000);
}

} // namespace
