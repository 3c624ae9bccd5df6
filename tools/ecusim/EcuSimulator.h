#pragma once
// The adapter and the ECU behind it, without any I/O: bytes from the diagnostic
// program go in, the bytes to send back come out (the echo at once, the ECU's answer
// after its reaction delay), together with the frames seen, for the log.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/ecusim/EngineModel.h"
#include "tools/ecusim/ReplyLayout.h"
#include "tools/ecusim/Settings.h"

namespace ecusim {

struct Transmit {
    std::vector<uint8_t> bytes;
    bool isAnswer = false; // the ECU's answer: sent after the delay, paced
};

struct Received {
    std::vector<uint8_t> bytes;
    bool isFrame = false; // false: bytes that made no frame (junk)
};

struct ReceiveResult {
    std::vector<Transmit> out;
    std::vector<Received> seen;
};

class EcuSimulator {
  public:
    explicit EcuSimulator(const Settings& settings, uint32_t seed = 1, double startCoolantC = 20);

    // New settings; a changed fault starts its counters afresh.
    void apply(const Settings& settings);
    const Settings& settings() const { return settings_; }

    ReceiveResult receive(const uint8_t* data, size_t count);
    // A pause on the line: a half-received frame is dropped (and reported as junk).
    ReceiveResult lineIdle();
    void advanceTime(double seconds) { engine_.advance(seconds); }

    const EngineModel& engine() const { return engine_; }
    int pollsAnswered() const { return polls_; }

  private:
    void completeFrame(ReceiveResult& result);
    void answerPoll(ReceiveResult& result, const std::vector<uint8_t>& echo);
    void answerCommand(ReceiveResult& result, const std::vector<uint8_t>& frame);
    void actOnCommand(const uint8_t* data); // data = frame bytes 3..12
    bool lineDead() const;
    std::vector<uint8_t> echoOf(const std::vector<uint8_t>& bytes) const;
    uint8_t noise();

    Settings settings_;
    EngineModel engine_;
    EcuIdentity identity_;
    std::vector<uint8_t> pending_; // bytes of the frame being received
    int polls_ = 0;                // polls seen since the fault was set
    uint32_t noise_;
};

} // namespace ecusim
