#include "tools/ecusim/EngineModel.h"

#include <algorithm>
#include <cmath>

namespace ecusim {

namespace {
constexpr double kWarmC = 90;
constexpr double kWarmUpSeconds = 150; // time constant of the coolant curve
constexpr double kWarmIdleRpm = 800;
constexpr double kColdIdleRpm = 1150;
constexpr double kClosedLoopFromC = 45;
constexpr double kBlipRpm = 2900;
} // namespace

EngineModel::EngineModel(uint32_t seed, double startCoolantC) : random_(seed ? seed : 1) {
    state_.coolantC = startCoolantC;
    state_.intakeAirC = std::min(startCoolantC + 2, 40.0);
    state_.rpm = kColdIdleRpm;
    step(0);
}

double EngineModel::nextRandom() {
    // xorshift32: the same seed gives the same engine.
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return (random_ & 0xFFFFFF) / double(0x1000000);
}

void EngineModel::returnControl() {
    idleOverride_ = 0;
    airFuelOverride_ = 0;
    fanOverride_ = -1;
}

void EngineModel::advance(double seconds) {
    while (seconds > 0) {
        const double dt = std::min(seconds, 0.05);
        step(dt);
        seconds -= dt;
    }
}

void EngineModel::step(double dt) {
    EngineState& s = state_;
    s.runSeconds += dt;

    // Coolant approaches the thermostat temperature; the fan holds it there.
    const double settleC = s.fanOn ? kWarmC - 6 : kWarmC + 4;
    s.coolantC += (settleC - s.coolantC) * (1 - std::exp(-dt / kWarmUpSeconds));
    const double warmth = std::clamp((s.coolantC - 20) / (kWarmC - 20), 0.0, 1.0);
    s.intakeAirC += (28 - s.intakeAirC) * (1 - std::exp(-dt / 300));

    // The ECU's idle target falls as the engine warms, unless a tester holds it.
    s.desiredIdleRpm =
        idleOverride_ > 0 ? idleOverride_ : kColdIdleRpm - (kColdIdleRpm - kWarmIdleRpm) * warmth;

    // Now and then the mechanic blips the throttle for a couple of seconds.
    if (s.runSeconds >= nextBlipAt_) {
        blipUntil_ = s.runSeconds + 1.5 + 1.5 * nextRandom();
        nextBlipAt_ = s.runSeconds + 12 + 16 * nextRandom();
    }
    const bool blipping = s.runSeconds < blipUntil_;
    s.idle = !blipping;
    s.throttlePercent = blipping ? 22 + 6 * nextRandom() : 0;
    s.throttleVolts = 0.5 + s.throttlePercent * 0.04;

    const double target = blipping ? kBlipRpm : s.desiredIdleRpm + 15 * (nextRandom() - 0.5);
    const double rate = blipping ? 3.0 : 1.8; // revs rise faster than they fall
    s.rpm += (target - s.rpm) * (1 - std::exp(-dt * rate));

    // Load, fuel and spark follow speed and throttle.
    const double load = std::clamp((s.rpm - 700) / 2500, 0.0, 1.0);
    s.baroKpa = 100.5;
    s.mapKpa = blipping ? 55 + 20 * load : 33 + 4 * (1 - warmth) + 2 * nextRandom();
    s.injectionMs = 2.3 + 1.2 * (1 - warmth) + (blipping ? 2.5 : 0) + 0.1 * nextRandom();
    s.ignitionDeg = blipping ? 28 + 4 * load : 10 + 3 * (1 - warmth) + nextRandom();
    s.iacSteps = static_cast<int>(std::lround(30 + 25 * (1 - warmth)));
    s.blmCell = blipping ? 6 + static_cast<int>(load * 10) : 16;
    s.airFuel = airFuelOverride_ > 0 ? airFuelOverride_ : (s.closedLoop ? 14.7 : 13.2);

    // Closed loop once warm enough; then the sensor swings about once a second.
    s.closedLoop = s.coolantC >= kClosedLoopFromC && s.runSeconds > 20;
    if (s.closedLoop) {
        o2Phase_ += dt * (1.1 + s.rpm / 2500.0);
        const double swing = std::sin(o2Phase_ * 2 * M_PI);
        s.o2Millivolts = 450 + 380 * std::tanh(3 * swing) + 20 * (nextRandom() - 0.5);
        s.rich = s.o2Millivolts > 450;
        s.integrator = static_cast<int>(std::lround(128 + 6 * swing));
        s.blm = 126 + static_cast<int>(std::lround(4 * warmth));
    } else {
        s.o2Millivolts = s.coolantC < 30 ? 450 : 450 + 80 * (nextRandom() - 0.5);
        s.rich = false;
        s.integrator = 128;
        s.blm = 128;
    }

    s.batteryVolts = 14.1 + 0.1 * (nextRandom() - 0.5);
    if (fanOverride_ >= 0)
        s.fanOn = fanOverride_ == 1;
    else if (s.coolantC > kWarmC + 2)
        s.fanOn = true;
    else if (s.coolantC < kWarmC - 2)
        s.fanOn = false;
}

} // namespace ecusim
