// The simulator's side of the line: frames, echo, command answers and the fault modes.
#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>
#include <string>

#include "tools/ecusim/AldlFrame.h"
#include "tools/ecusim/ControlCommands.h"
#include "tools/ecusim/ControlFile.h"
#include "tools/ecusim/EcuSimulator.h"

using namespace ecusim;

namespace {

const std::vector<uint8_t> kPoll = {0xF4, 0x56, 0x01, 0xB5};

// Everything the program would read back for one request, answer included.
std::vector<uint8_t> roundTrip(EcuSimulator& sim, const std::vector<uint8_t>& request) {
    std::vector<uint8_t> all;
    for (const Transmit& t : sim.receive(request.data(), request.size()).out)
        all.insert(all.end(), t.bytes.begin(), t.bytes.end());
    return all;
}

std::vector<uint8_t> command(std::initializer_list<uint8_t> data) {
    return buildFrame(kModeCommand, std::vector<uint8_t>(data).data(), data.size());
}

Settings withFault(Fault f, int n = 0) {
    Settings s;
    s.fault = f;
    s.faultCount = n;
    return s;
}

} // namespace

TEST(EcusimFrames, PollReplyIsEchoThenProperAldlFrameInEveryFamily) {
    for (int family = 1; family <= 4; ++family) {
        Settings s;
        s.family = family;
        EcuSimulator sim(s);
        sim.advanceTime(30);
        const std::vector<uint8_t> r = roundTrip(sim, kPoll);
        ASSERT_EQ(r.size(), 68u) << "family " << family;
        EXPECT_TRUE(std::equal(kPoll.begin(), kPoll.end(), r.begin()));
        EXPECT_EQ(r[4], 0xF4);
        EXPECT_EQ(frameLengthFrom(r[5]), 64u);
        EXPECT_EQ(r[6], 0x01);
        EXPECT_TRUE(sumsToZero(&r[4], 64)) << "family " << family;
        EXPECT_EQ(r[7], 0x1A);
        EXPECT_EQ(r[8], 0x0B);
    }
}

TEST(EcusimFrames, ChecksumAndFrameHelpersAgreeWithTheKnownFrames) {
    EXPECT_EQ(checksumFor(kPoll.data(), 3), 0xB5);
    // Idle target 128, family 1: bytes 0..12 add up to 0x1E3.
    const auto idle = command({0, 0, 0, 0, 0, 0, 0x0B, 0x80, 0, 0});
    ASSERT_EQ(idle.size(), 14u);
    EXPECT_EQ(idle[1], 0x60);
    EXPECT_EQ(idle[13], 0x1D);
    EXPECT_EQ(command({0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0})[13], 0x98);
    EXPECT_EQ(frameLengthFrom(0x53), 0u);
}

TEST(EcusimFrames, CommandIsEchoedAndConfirmedOrRejected) {
    Settings s;
    EcuSimulator sim(s);
    const auto lampOn = command({0x01, 0x01, 0, 0, 0, 0, 0, 0, 0, 0});
    std::vector<uint8_t> r = roundTrip(sim, lampOn);
    ASSERT_EQ(r.size(), 28u);
    EXPECT_TRUE(std::equal(lampOn.begin(), lampOn.end(), r.begin()));
    EXPECT_EQ(r[18], 0x01); // the byte the program tests: 14 + frame byte 4
    EXPECT_TRUE(sumsToZero(&r[14], 14));

    s.confirm = false;
    sim.apply(s);
    const auto giveBack = command({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    r = roundTrip(sim, giveBack);
    ASSERT_EQ(r.size(), 28u);
    EXPECT_NE(r[18], 0x00);
    EXPECT_TRUE(sumsToZero(&r[14], 14));
}

TEST(EcusimFrames, CorruptOrUnknownFramesAreEchoedButNotAnswered) {
    EcuSimulator sim{Settings()};
    auto bad = command({0x01, 0x01, 0, 0, 0, 0, 0, 0, 0, 0});
    bad[13] ^= 0x40;
    EXPECT_EQ(roundTrip(sim, bad).size(), 14u);
    // Bytes before a frame start are echoed and reported as junk; the poll after them is answered.
    std::vector<uint8_t> noisy = {0x00, 0x55, 0xF4, 0x56, 0x01, 0xB5};
    ReceiveResult res = sim.receive(noisy.data(), noisy.size());
    ASSERT_EQ(res.seen.size(), 2u);
    EXPECT_FALSE(res.seen[0].isFrame);
    EXPECT_EQ(res.seen[0].bytes.size(), 2u);
    EXPECT_TRUE(res.seen[1].isFrame);
    size_t total = 0;
    for (const Transmit& t : res.out)
        total += t.bytes.size();
    EXPECT_EQ(total, 70u);
    // A frame cut short is given up when the line goes quiet.
    std::vector<uint8_t> half = {0xF4, 0x56};
    EXPECT_TRUE(sim.receive(half.data(), half.size()).out.empty());
    ReceiveResult idle = sim.lineIdle();
    ASSERT_EQ(idle.seen.size(), 1u);
    EXPECT_FALSE(idle.seen[0].isFrame);
    EXPECT_EQ(roundTrip(sim, kPoll).size(), 68u);
}

TEST(EcusimFrames, ReplyLengthFaults) {
    const struct {
        Fault fault;
        size_t bytes;
    } cases[] = {
        {Fault::Silent,   0 },
        {Fault::EchoOnly, 4 },
        {Fault::Short,    67},
        {Fault::Long69,   69},
        {Fault::Long70,   70},
        {Fault::None,     68}
    };
    for (const auto& c : cases) {
        EcuSimulator sim(withFault(c.fault));
        EXPECT_EQ(roundTrip(sim, kPoll).size(), c.bytes) << faultName(c.fault);
    }
    // Echo only: command frames get no answer either.
    EcuSimulator quiet(withFault(Fault::EchoOnly));
    EXPECT_EQ(roundTrip(quiet, command({0x01, 0x01, 0, 0, 0, 0, 0, 0, 0, 0})).size(), 14u);
}

TEST(EcusimFrames, WrongEchoAndGarbageNeverStartWithTheRequest) {
    EcuSimulator wrong(withFault(Fault::WrongEcho));
    std::vector<uint8_t> r = roundTrip(wrong, kPoll);
    ASSERT_EQ(r.size(), 68u);
    EXPECT_NE(r[0], 0xF4);
    EXPECT_TRUE(sumsToZero(&r[4], 64)); // the ECU's own answer is fine

    EcuSimulator garbage(withFault(Fault::Garbage));
    for (int i = 0; i < 50; ++i) {
        r = roundTrip(garbage, kPoll);
        ASSERT_EQ(r.size(), 68u);
        EXPECT_NE(r[0], 0xF4);
    }
}

TEST(EcusimFrames, HangUpAndDropCountPolls) {
    EcuSimulator hang(withFault(Fault::HangUp, 3));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(roundTrip(hang, kPoll).size(), 68u) << i;
    EXPECT_EQ(roundTrip(hang, kPoll).size(), 0u);
    EXPECT_EQ(roundTrip(hang, command({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})).size(), 0u);
    hang.apply(Settings());
    EXPECT_EQ(roundTrip(hang, kPoll).size(), 68u);

    EcuSimulator drop(withFault(Fault::Drop, 3));
    std::string pattern;
    for (int i = 0; i < 7; ++i)
        pattern += roundTrip(drop, kPoll).size() == 68 ? 'A' : '-';
    EXPECT_EQ(pattern, "AA-AA-A");
}

TEST(EcusimFrames, ClearCodesTakesOnlyTheCurrentFamilysFrame) {
    Settings s;
    s.family = 4;
    s.codes[0] = 0x81;
    s.codes[3] = 0x10;
    EcuSimulator sim(s);
    EXPECT_EQ(roundTrip(sim, kPoll)[9], 0x81);
    roundTrip(sim, command({0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0})); // the other families' frame
    EXPECT_EQ(roundTrip(sim, kPoll)[12], 0x10);
    roundTrip(sim, command({0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0}));
    const std::vector<uint8_t> r = roundTrip(sim, kPoll);
    EXPECT_EQ(r[9] | r[10] | r[11] | r[12], 0);
    EXPECT_EQ(sim.settings().codes[0], 0);
}

TEST(EcusimFrames, IdleCommandMovesTheDesiredIdle) {
    EcuSimulator sim{Settings()};
    roundTrip(sim, command({0, 0, 0, 0, 0, 0, 0x0B, 0xA0, 0, 0})); // 160 × 6.25 = 1000 rpm
    sim.advanceTime(10);
    std::vector<uint8_t> r = roundTrip(sim, kPoll);
    EXPECT_EQ(r[30], 0xA0);
    roundTrip(sim, command({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    sim.advanceTime(1);
    EXPECT_NE(roundTrip(sim, kPoll)[30], 0xA0);
}

TEST(EcusimControl, CommandsChangeSettingsAndBadOnesChangeNothing) {
    const Settings initial;
    Settings s;
    EXPECT_EQ(applyControlLine("family 3", s, initial), ControlResult::Applied);
    EXPECT_EQ(s.family, 3);
    EXPECT_EQ(applyControlLine("codes 81 0 ff 10", s, initial), ControlResult::Applied);
    EXPECT_EQ(s.codes[0], 0x81);
    EXPECT_EQ(s.codes[2], 0xFF);
    EXPECT_EQ(applyControlLine("fault drop 5", s, initial), ControlResult::Applied);
    EXPECT_EQ(s.fault, Fault::Drop);
    EXPECT_EQ(s.faultCount, 5);
    EXPECT_EQ(applyControlLine("pace off", s, initial), ControlResult::Applied);
    EXPECT_FALSE(s.pace);
    EXPECT_EQ(applyControlLine("delay 40", s, initial), ControlResult::Applied);
    EXPECT_EQ(s.delayMs, 40);

    const Settings before = s;
    for (const char* bad : {"family 5", "family", "fault drop 0", "fault hangup", "fault loud",
                            "codes 1 2 3", "codes 1 2 3 100", "confirm maybe", "delay -1", ""}) {
        EXPECT_EQ(applyControlLine(bad, s, initial), ControlResult::Error) << bad;
        EXPECT_EQ(s.family, before.family);
        EXPECT_EQ(s.fault, before.fault);
        EXPECT_EQ(s.codes[3], before.codes[3]);
    }
    EXPECT_EQ(applyControlLine("mark 7", s, initial), ControlResult::Mark);
    EXPECT_EQ(applyControlLine("reset", s, initial), ControlResult::Applied);
    EXPECT_EQ(s.family, 1);
    EXPECT_EQ(s.fault, Fault::None);
}

TEST(EcusimControl, ControlFileDeliversAppendedLinesOnce) {
    const std::string path = std::string(MOTOSKOP_BINARY_DIR) + "/ecusim_control_test.txt";
    ControlFile control;
    ASSERT_TRUE(control.open(path));
    EXPECT_TRUE(control.newLines().empty());
    FILE* f = std::fopen(path.c_str(), "ab");
    std::fputs("family 2\r\nfault ec", f); // a Windows line and half of another
    std::fflush(f);
    std::vector<std::string> lines = control.newLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "family 2");
    std::fputs("ho\n", f);
    std::fclose(f);
    lines = control.newLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "fault echo");
    EXPECT_TRUE(control.newLines().empty());
    std::remove(path.c_str());
}
