#include "tools/ecusim/EcuSimulator.h"

#include <algorithm>
#include <cstring>

#include "tools/ecusim/AldlFrame.h"

namespace ecusim {

namespace {

constexpr size_t kDataFirst = 3; // frame byte of data[0]
constexpr size_t kCommandData = 10;

bool dataIs(const uint8_t* data, std::initializer_list<uint8_t> expected) {
    size_t i = 0;
    for (uint8_t b : expected)
        if (data[i++] != b) return false;
    return true;
}

} // namespace

EcuSimulator::EcuSimulator(const Settings& settings, uint32_t seed, double startCoolantC)
    : settings_(settings), engine_(seed, startCoolantC), noise_(seed * 2654435761u + 1) {
    std::copy(std::begin(settings.codes), std::end(settings.codes), identity_.codes);
    engine_.setFaults(settings.engineFaults);
    engine_.holdRpm(settings.holdRpm);
}

void EcuSimulator::apply(const Settings& settings) {
    if (settings.fault != settings_.fault || settings.faultCount != settings_.faultCount)
        polls_ = 0;
    settings_ = settings;
    std::copy(std::begin(settings.codes), std::end(settings.codes), identity_.codes);
    engine_.setFaults(settings.engineFaults);
    engine_.holdRpm(settings.holdRpm);
}

bool EcuSimulator::lineDead() const {
    if (settings_.fault == Fault::Silent) return true;
    return settings_.fault == Fault::HangUp && polls_ >= settings_.faultCount;
}

uint8_t EcuSimulator::noise() {
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    return static_cast<uint8_t>(noise_ >> 11);
}

std::vector<uint8_t> EcuSimulator::echoOf(const std::vector<uint8_t>& bytes) const {
    std::vector<uint8_t> echo = bytes;
    if (settings_.fault == Fault::WrongEcho)
        for (uint8_t& b : echo)
            b ^= 0x01;
    return echo;
}

ReceiveResult EcuSimulator::receive(const uint8_t* data, size_t count) {
    ReceiveResult result;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t b = data[i];
        if (pending_.empty() && b != kFrameStart) {
            // Not the start of a frame: the adapter still echoes it, the ECU ignores it.
            if (!lineDead()) result.out.push_back({echoOf({b}), false});
            if (!result.seen.empty() && !result.seen.back().isFrame)
                result.seen.back().bytes.push_back(b);
            else
                result.seen.push_back({{b}, false});
            continue;
        }
        pending_.push_back(b);
        if (pending_.size() == 2 && frameLengthFrom(b) == 0) {
            // No frame announces that length: resynchronise on the next byte.
            std::vector<uint8_t> junk = pending_;
            pending_.clear();
            if (!lineDead()) result.out.push_back({echoOf(junk), false});
            result.seen.push_back({junk, false});
            continue;
        }
        if (pending_.size() >= 2 && pending_.size() == frameLengthFrom(pending_[1]))
            completeFrame(result);
    }
    return result;
}

ReceiveResult EcuSimulator::lineIdle() {
    ReceiveResult result;
    if (pending_.empty()) return result;
    if (!lineDead()) result.out.push_back({echoOf(pending_), false});
    result.seen.push_back({pending_, false});
    pending_.clear();
    return result;
}

void EcuSimulator::completeFrame(ReceiveResult& result) {
    std::vector<uint8_t> frame;
    frame.swap(pending_);
    result.seen.push_back({frame, true});
    const bool isPoll =
        frame.size() == kPollSize && std::equal(frame.begin(), frame.end(), kPollRequest);
    const bool dead = lineDead();
    if (isPoll) ++polls_;
    if (dead) return;
    if (isPoll) {
        answerPoll(result, echoOf(frame));
        return;
    }
    result.out.push_back({echoOf(frame), false});
    if (frame.size() == kCommandSize && frame[2] == kModeCommand &&
        sumsToZero(frame.data(), frame.size()))
        answerCommand(result, frame);
    // Anything else (bad checksum, unknown request): the ECU keeps quiet.
}

void EcuSimulator::answerPoll(ReceiveResult& result, const std::vector<uint8_t>& echo) {
    const Fault fault = settings_.fault;
    if (fault == Fault::Garbage) {
        std::vector<uint8_t> rubbish(kPollReplySize);
        for (uint8_t& b : rubbish)
            b = noise();
        if (rubbish[0] == kFrameStart) rubbish[0] = 0x00;
        result.out.push_back({rubbish, false});
        return;
    }
    result.out.push_back({echo, false});
    if (fault == Fault::EchoOnly) return;
    if (fault == Fault::Drop && polls_ % settings_.faultCount == 0) return;

    const PollReply reply = buildPollReply(settings_.family, engine_.state(), identity_);
    std::vector<uint8_t> answer(reply.begin() + kPollSize, reply.end());
    if (fault == Fault::Short)
        answer.pop_back();
    else if (fault == Fault::Long69)
        answer.push_back(0x00);
    else if (fault == Fault::Long70)
        answer.insert(answer.end(), {0x00, 0x00});
    result.out.push_back({answer, true});
}

void EcuSimulator::answerCommand(ReceiveResult& result, const std::vector<uint8_t>& frame) {
    if (settings_.fault == Fault::EchoOnly) return;
    std::vector<uint8_t> data(frame.begin() + kDataFirst,
                              frame.begin() + kDataFirst + kCommandData);
    if (settings_.confirm) {
        actOnCommand(data.data());
    } else {
        // A refusal: the ECU answers with values other than the ones asked for.
        for (uint8_t& b : data)
            b ^= 0xFF;
    }
    result.out.push_back({buildFrame(kModeCommand, data.data(), data.size()), true});
}

void EcuSimulator::actOnCommand(const uint8_t* d) {
    const int family = settings_.family;
    const bool f4 = family == 4;
    if (f4 ? dataIs(d, {0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0})
           : dataIs(d, {0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0})) {
        std::fill(std::begin(identity_.codes), std::end(identity_.codes), 0);
        std::fill(std::begin(settings_.codes), std::end(settings_.codes), 0);
    } else if (dataIs(d, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0})) {
        engine_.returnControl();
    } else if (f4 ? (d[0] == 0x80 && d[6] == 0x03)
                  : (dataIs(d, {0, 0, 0, 0, 0, 0}) && d[6] == 0x0B)) {
        engine_.setIdleTarget(d[7] * 6.25); // the target counts in 6.25 rpm
    } else if (f4 && d[0] == 0x80 && d[5] == 0x04) {
        engine_.setAirFuel(d[7] * 0.1);
    } else if (d[0] == (f4 ? 0x82 : 0x02)) {
        engine_.setFan(d[1] != 0);
    }
}

} // namespace ecusim
