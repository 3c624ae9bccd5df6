// The Com_Port thread over the Win32 serial port, against the ECU simulator.
// MOTOSKOP_ECUSIM_PORT names the COM port the simulator's pty is mapped to
// (default COM1), MOTOSKOP_ECUSIM_CONTROL its control file (Unix or Windows path).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "link/ComPort_win32.h"
#include "tests/common/ShownTexts.h"
#include "tests/win/ProgramDriver.h"

namespace {

using program_driver::PumpUntil;

std::string envOr(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

std::string windowsPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

class RecordingEvents : public LinkEvents {
  public:
    void setStatus(const std::string& text) override { add("status " + text); }
    void setReadout(int, const std::string&) override {}
    void setDiagButtonsEnabled(bool enabled) override {
        add(enabled ? "buttons on" : "buttons off");
    }
    void repaintRawPanel() override { add("repaint"); }

    std::vector<std::string> log() const {
        std::lock_guard<std::mutex> guard(lock_);
        return log_;
    }
    size_t size() const { return log().size(); }
    int count(const std::string& entry, size_t from = 0) const {
        const auto l = log();
        return static_cast<int>(std::count(l.begin() + std::min(from, l.size()), l.end(), entry));
    }

  private:
    void add(const std::string& e) {
        std::lock_guard<std::mutex> guard(lock_);
        log_.push_back(e);
    }
    mutable std::mutex lock_;
    std::vector<std::string> log_;
};

std::string status(const char* text) {
    return std::string("status ") + text;
}

class LinkThreadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        controlPath = windowsPath(envOr("MOTOSKOP_ECUSIM_CONTROL", ""));
        if (controlPath.empty()) GTEST_SKIP() << "no simulator (MOTOSKOP_ECUSIM_CONTROL unset)";
        control("reset");
        state.selection.portName.set(portName);
        link = std::make_unique<Com_Port>(state, events);
        ASSERT_TRUE(link->Created());
    }
    void TearDown() override {
        link.reset();
        if (!controlPath.empty()) control("reset");
    }
    void control(const std::string& line) {
        FILE* f = std::fopen(controlPath.c_str(), "a");
        ASSERT_NE(f, nullptr) << controlPath;
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
    // The connect and disconnect presses as the main window makes them.
    void connect() { link->Connect(); }
    void disconnect() {
        link->Disconnect();
        state.ecu.dataValid = 0.0f;
    }
    // Waits until `entry` was logged n more times after position `from`.
    bool seen(const std::string& entry, size_t from, int n = 1, int timeoutMs = 5000) {
        return PumpUntil([&] { return events.count(entry, from) >= n; }, timeoutMs);
    }

    std::string portName = envOr("MOTOSKOP_ECUSIM_PORT", "COM1");
    std::string controlPath;
    MainState state;
    RecordingEvents events;
    std::unique_ptr<Com_Port> link;
};

TEST_F(LinkThreadTest, PollsJudgesFaultsAndSendsCommands) {
    connect();
    ASSERT_TRUE(seen(status(shown::kDataReceived), 0, 3));
    EXPECT_EQ(events.log().front(), status(shown::kConnecting));
    EXPECT_EQ(state.ecu.dataValid, 1.0f);
    EXPECT_GE(events.count("buttons on"), 3);
    const auto raw = state.ecu.rawFrame.snapshot();
    EXPECT_EQ(raw[0], 0xF4);
    EXPECT_EQ(raw[1], 0x56);
    EXPECT_EQ(raw[2], 0x01);
    EXPECT_EQ(raw[3], 0xB5);
    EXPECT_EQ(raw[4], 0xF4); // the ECU's frame starts

    state.requests.commandRequests[2] = 1; // fan on
    ASSERT_TRUE(PumpUntil([&] { return state.requests.commandRequests[2] == 0; }));
    EXPECT_TRUE(PumpUntil([&] { return state.requests.requestStatus == 1; }, 1000));
    control("confirm off");
    Sleep(100);
    state.requests.returnControlRequested = 1;
    ASSERT_TRUE(PumpUntil([&] { return state.requests.returnControlRequested == 0; }));
    EXPECT_TRUE(PumpUntil([&] { return state.requests.requestStatus == 2; }, 1000));
    control("confirm on");

    const struct {
        const char* fault;
        const char* text;
    } faults[] = {
        {"echo",      shown::kNoAnswer    },
        {"short",     shown::kNoAnswer    },
        {"long69",    shown::kNoAnswer    },
        {"long70",    shown::kNoAnswer    },
        {"silent",    shown::kCheckAdapter},
        {"wrongecho", shown::kCheckAdapter},
        {"none",      shown::kDataReceived},
    };
    for (const auto& f : faults) {
        const size_t from = events.size();
        control(std::string("fault ") + f.fault);
        EXPECT_TRUE(seen(status(f.text), from, 2)) << f.fault;
    }
    EXPECT_TRUE(PumpUntil([&] { return state.ecu.dataValid == 1.0f; }));
}

TEST_F(LinkThreadTest, DisconnectSuspendsAndConnectResumes) {
    connect();
    ASSERT_TRUE(seen(status(shown::kDataReceived), 0, 2));
    disconnect();
    ASSERT_TRUE(PumpUntil([&] { return link->SuspendedBySelf(); }));
    EXPECT_EQ(state.requests.openRequested, 1);
    EXPECT_EQ(state.requests.closeRequested, 0);
    EXPECT_EQ(state.ecu.dataValid, 0.0f);
    EXPECT_EQ(events.count(status(shown::kLinkBroken)), 1);
    EXPECT_EQ(events.log().back(), "buttons off");
    const size_t idle = events.size();
    Sleep(300);
    EXPECT_EQ(events.size(), idle); // suspended: nothing happens

    connect();
    EXPECT_TRUE(seen(status(shown::kDataReceived), idle, 2));
    EXPECT_FALSE(link->SuspendedBySelf());

    // STOP and START in quick succession while polling: the link ends polling.
    for (int i = 0; i < 5; ++i) {
        disconnect();
        Sleep(i * 30);
        connect();
        const size_t from = events.size();
        EXPECT_TRUE(seen(status(shown::kDataReceived), from, 2)) << i;
        EXPECT_FALSE(link->SuspendedBySelf());
    }
}

TEST_F(LinkThreadTest, FailedOpenThenStopAndStartOpensAgain) {
    state.selection.portName.set("COM99"); // no such device
    connect();
    ASSERT_TRUE(seen(status(shown::kOpenFailed), 0));
    ASSERT_TRUE(PumpUntil([&] { return link->SuspendedBySelf(); }));
    EXPECT_EQ(state.requests.openRequested, 1);
    EXPECT_EQ(state.requests.closeRequested, 0);

    state.selection.portName.set(portName);
    disconnect();
    connect();
    EXPECT_TRUE(seen(status(shown::kDataReceived), 0, 2));
}

TEST_F(LinkThreadTest, StopDuringABlockedReadEndsAllWork) {
    control("fault silent"); // every read now waits its full 710 ms
    connect();
    ASSERT_TRUE(seen(status(shown::kCheckAdapter), 0, 1, 8000));
    Sleep(200);
    const DWORD before = GetTickCount();
    link->Stop();
    EXPECT_LT(GetTickCount() - before, 100u); // returns at once
    state.requests.commandRequests[0] = 1;
    Sleep(900); // the read in flight ends
    const size_t after = events.size();
    Sleep(900);
    EXPECT_EQ(events.size(), after);
    EXPECT_EQ(state.requests.commandRequests[0], 1); // never served
}

// The close button: Stop() and then the process exits (the CRT's exit, as when
// WinMain returns) with the thread blocked in a read or suspended. The child is
// this executable running only the test below with MOTOSKOP_LINK_EXIT_CHILD set.
TEST_F(LinkThreadTest, ChildStopsAndExits) {
    const std::string mode = envOr("MOTOSKOP_LINK_EXIT_CHILD", "");
    if (mode.empty()) GTEST_SKIP() << "runs only as the child of ProcessExitsAtOnce";
    if (mode == "suspended") {
        state.selection.portName.set("COM99");
        connect();
        ASSERT_TRUE(PumpUntil([&] { return link->SuspendedBySelf(); }));
    } else {
        control("fault silent");
        connect();
        ASSERT_TRUE(seen(status(shown::kCheckAdapter), 0, 1, 8000));
        Sleep(100); // inside the next 710 ms read
    }
    HANDLE stopping = OpenEventA(EVENT_MODIFY_STATE, FALSE, "MotoskopLinkExitTest");
    SetEvent(stopping);
    link->Stop();
    std::exit(0);
}

TEST_F(LinkThreadTest, ProcessExitsAtOnce) {
    if (!envOr("MOTOSKOP_LINK_EXIT_CHILD", "").empty()) GTEST_SKIP();
    link.reset(); // the child uses the port
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    for (const char* mode : {"read", "suspended"}) {
        HANDLE stopping = CreateEventA(nullptr, TRUE, FALSE, "MotoskopLinkExitTest");
        SetEnvironmentVariableA("MOTOSKOP_LINK_EXIT_CHILD", mode);
        std::string command =
            std::string("\"") + exe + "\" --gtest_filter=LinkThreadTest.ChildStopsAndExits";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi));
        SetEnvironmentVariableA("MOTOSKOP_LINK_EXIT_CHILD", nullptr);
        ASSERT_EQ(WaitForSingleObject(stopping, 20000), WAIT_OBJECT_0) << mode;
        const DWORD stopAt = GetTickCount();
        EXPECT_EQ(WaitForSingleObject(pi.hProcess, 5000), WAIT_OBJECT_0) << mode;
        const DWORD took = GetTickCount() - stopAt;
        EXPECT_LT(took, 1000u) << mode;
        std::printf("%s: process gone %lu ms after Stop()\n", mode, took);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        EXPECT_EQ(code, 0u) << mode;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        CloseHandle(stopping);
        control("reset");
    }
}

} // namespace
