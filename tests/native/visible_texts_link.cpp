// The texts the link shows, typed out here as the user reads them: every status
// line the poll cycle writes, and the request-state line of the actuator window
// after the ECU answered a command on the same line.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "state/MainState.h"
#include "link/ActuatorPanelLogic.h"
#include "link/LinkCycle.h"
#include "platform/ScriptedSerialPort.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Keeps only what the status line shows, in order.
class StatusLine : public NoLinkEvents {
  public:
    void setStatus(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(shown);
        return out;
    }
    std::vector<std::string> shown;
};

// The ECU's 64 bytes after the echo.
Bytes EcuFrame(int size = 64) {
    Bytes b(size, 0x21);
    if (!b.empty()) b[0] = 0xF4;
    return b;
}

class LinkTexts : public ::testing::Test {
  protected:
    void SetUp() override { state.selection.portName.set("COM2"); }
    std::vector<std::string> runOnce() {
        cycle.RunOnce();
        return line.take();
    }

    MainState state;
    ScriptedSerialPort port;
    StatusLine line;
    NoSuspension awake;
    LinkCycle cycle{state.requests, state.selection, state.ecu, port, line, awake};
};

using Texts = std::vector<std::string>;

} // namespace

TEST_F(LinkTexts, EveryStatusOfAConnectionAsTheLineReadsIt) {
    state.requests.openRequested = 1;
    port.scriptAnswer(EcuFrame());
    EXPECT_EQ(runOnce(), (Texts{"Установление связи с ЭБУ.", "Данные получены."}));

    port.scriptAnswer(EcuFrame(63)); // 67 bytes with the echo
    EXPECT_EQ(runOnce(), Texts{"ЭБУ не отвечает!"});

    port.scriptRaw(Bytes(68, 0x00)); // no echo
    EXPECT_EQ(runOnce(), Texts{"Проверте адаптер!"});

    port.scriptAnswer(EcuFrame(), [this] { state.requests.closeRequested = 1; });
    EXPECT_EQ(runOnce(), (Texts{"Данные получены.", "Связь с ЭБУ  прервана."}));
    EXPECT_EQ(runOnce(), Texts{}); // the close itself shows nothing new
}

TEST_F(LinkTexts, PortThatCannotBeOpened) {
    for (auto outcome : {ScriptedSerialPort::OpenOutcome::NoDevice,
                         ScriptedSerialPort::OpenOutcome::SettingsRefused}) {
        state.requests.openRequested = 1;
        state.requests.closeRequested = 0;
        port.scriptOpen(outcome);
        EXPECT_EQ(runOnce(), Texts{"Ошибка открытия порта!"});
    }
}

namespace {

// The actuator window's labels, by number.
struct Labels : ActuatorView {
    std::map<int, std::string> text;
    void setImageEnabled(int, bool) override {}
    void setTrackBarEnabled(int, bool) override {}
    void setTrackBarPosition(int, int) override {}
    void setLabelActive(int, bool) override {}
    void setLabelText(int label, const std::string& t) override { text[label] = t; }
    void setRefreshTimer(bool) override {}
    void setStatusTimer(bool) override {}
    void enableMainWindow() override {}
    void closeWindow() override {}
};

// After the 14-byte echo of a command: the ECU's answer, `value` at reply byte 18.
Bytes CommandAnswer(uint8_t value) {
    Bytes answer(16, 0x55);
    answer[18 - 14] = value;
    return answer;
}

} // namespace

TEST_F(LinkTexts, ActuatorRequestStateAfterTheEcuAnswered) {
    Labels labels;
    ActuatorPanelLogic window(state.selection, state.ecu, state.requests, labels);
    state.selection.ecuFamily = 1;
    window.open();

    state.requests.openRequested = 1;
    port.scriptAnswer(EcuFrame());
    runOnce(); // connected

    struct Case {
        uint8_t answer;
        const char* shown;
    } const cases[] = {
        {0x00, "ЭБУ принял запрос."    }, // fan off confirmed
        {0x07, "ЭБУ отклонил запрос."},
        {0x00, "ЭБУ принял запрос."    },
    };
    for (const Case& c : cases) {
        window.imageReleased(8); // fan off
        port.scriptAnswer(EcuFrame());
        port.scriptAnswer(CommandAnswer(c.answer));
        runOnce(); // the poll, then the command
        window.refreshTick();
        EXPECT_EQ(labels.text[11], c.shown);
        window.statusTick(); // two seconds later the line is empty
        EXPECT_EQ(labels.text[11], "");
    }
}
