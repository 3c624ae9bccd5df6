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
constexpr double kHeldThrottlePercent = 12; // an unloaded engine held at about 2500 rpm

// The faults (EngineFaults.h), each as the ECU would see it.
constexpr double kStuckOpenSettleC = 66; // coolant through the radiator all the time
constexpr double kSensorOpenC = -40;     // an open coolant sensor: byte 0 of b × 0.749 − 40
constexpr double kSensorShortedC = 151;  // a shorted one: byte 255
constexpr double kLazyO2Hz = 0.2;        // a lazy sensor: one slow swing in five seconds
constexpr double kLazyO2SwingMv = 170;   // ... that never reaches far from 450 mV
constexpr double kStuckLeanMv = 100;
constexpr double kStuckRichMv = 850;
constexpr int kStuckLeanInt = 158; // the ECU adds fuel for a lean reading, to its limit
constexpr int kStuckLeanBlm = 146;
constexpr int kStuckRichInt = 98; // and takes it away for a rich one
constexpr int kStuckRichBlm = 110;
constexpr int kLeanTrimBlm = 164; // a lean engine learned about +28 %
constexpr int kLeanTrimInt = 136;
constexpr int kRichTrimBlm = 92; // a rich one about −28 %
constexpr int kRichTrimInt = 120;
constexpr double kDropoutEverySeconds = 0.5; // throttle sensor drop-outs while it is open
constexpr double kDropoutFrom = 0.2;         // within each half second ...
constexpr double kDropoutUntil = 0.35;       // ... 150 ms at 0 V
constexpr double kHuntRpm = 300;             // unstable idle: a slow hunt about the target
constexpr double kHuntSeconds = 4.0;
constexpr double kFlutterRpm = 100; // and a quicker flutter on top
constexpr double kFlutterSeconds = 1.7;
constexpr double kHuntIacSteps = 12;
constexpr double kWeakChargingVolts = 12.3;
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
    const auto faulty = [this](EngineFault f) { return has(faults_, f); };

    // Coolant approaches the thermostat temperature; the fan holds it there. A thermostat
    // stuck open lets the radiator cool the engine long before that.
    double settleC = s.fanOn ? kWarmC - 6 : kWarmC + 4;
    if (faulty(EngineFault::ThermostatOpen)) settleC = std::min(settleC, kStuckOpenSettleC);
    s.coolantC += (settleC - s.coolantC) * (1 - std::exp(-dt / kWarmUpSeconds));
    const double warmth = std::clamp((s.coolantC - 20) / (kWarmC - 20), 0.0, 1.0);
    s.intakeAirC += (28 - s.intakeAirC) * (1 - std::exp(-dt / 300));
    s.coolantSensorC = faulty(EngineFault::CoolantOpen)      ? kSensorOpenC
                       : faulty(EngineFault::CoolantShorted) ? kSensorShortedC
                                                             : s.coolantC;

    // The ECU's idle target falls as the engine warms, unless a tester holds it.
    s.desiredIdleRpm =
        idleOverride_ > 0 ? idleOverride_ : kColdIdleRpm - (kColdIdleRpm - kWarmIdleRpm) * warmth;

    // Now and then the mechanic blips the throttle for a couple of seconds.
    const bool held = heldRpm_ > 0;
    if (held) {
        blipUntil_ = 0;
        nextBlipAt_ = s.runSeconds + 12 + 16 * nextRandom();
    }
    if (!held && s.runSeconds >= nextBlipAt_) {
        blipStartedAt_ = s.runSeconds;
        blipUntil_ = s.runSeconds + 1.5 + 1.5 * nextRandom();
        nextBlipAt_ = s.runSeconds + 12 + 16 * nextRandom();
    }
    const bool blipping = held || s.runSeconds < blipUntil_;
    s.idle = !blipping;
    s.throttlePercent = held       ? kHeldThrottlePercent + nextRandom()
                        : blipping ? 22 + 6 * nextRandom()
                                   : 0;
    s.throttleVolts = 0.5 + s.throttlePercent * 0.04;
    if (blipping && faulty(EngineFault::ThrottleDropout)) {
        const double phase = std::fmod(s.runSeconds - blipStartedAt_, kDropoutEverySeconds);
        if (phase >= kDropoutFrom && phase < kDropoutUntil) {
            s.throttlePercent = 0;
            s.throttleVolts = 0;
        }
    }

    double target = held       ? heldRpm_ + 20 * (nextRandom() - 0.5)
                    : blipping ? kBlipRpm
                               : s.desiredIdleRpm + 15 * (nextRandom() - 0.5);
    double hunt = 0; // -1..1 while an unstable idle hunts
    if (!blipping && faulty(EngineFault::IdleUnstable)) {
        hunt = std::sin(2 * M_PI * s.runSeconds / kHuntSeconds);
        target +=
            kHuntRpm * hunt + kFlutterRpm * std::sin(2 * M_PI * s.runSeconds / kFlutterSeconds);
    }
    const double rate = blipping ? 3.0 : 1.8; // revs rise faster than they fall
    s.rpm += (target - s.rpm) * (1 - std::exp(-dt * rate));

    // Load, fuel and spark follow speed and throttle.
    const double load = std::clamp((s.rpm - 700) / 2500, 0.0, 1.0);
    s.baroKpa = 100.5;
    s.mapKpa = blipping ? 55 + 20 * load : 33 + 4 * (1 - warmth) + 2 * nextRandom();
    s.injectionMs = 2.3 + 1.2 * (1 - warmth) + (blipping ? 2.5 : 0) + 0.1 * nextRandom();
    s.ignitionDeg = blipping ? 28 + 4 * load : 10 + 3 * (1 - warmth) + nextRandom();
    s.iacSteps = static_cast<int>(std::lround(30 + 25 * (1 - warmth) - kHuntIacSteps * hunt));
    s.blmCell = blipping ? 6 + static_cast<int>(load * 10) : 16;
    s.airFuel = airFuelOverride_ > 0 ? airFuelOverride_ : (s.closedLoop ? 14.7 : 13.2);

    // Closed loop once warm enough; then the sensor swings about once a second.
    s.closedLoop = s.coolantC >= kClosedLoopFromC && s.runSeconds > 20;
    if (s.closedLoop) {
        o2Phase_ += dt * (1.1 + s.rpm / 2500.0);
        const double swing = std::sin(o2Phase_ * 2 * M_PI);
        const double noise = 20 * (nextRandom() - 0.5);
        s.o2Millivolts = 450 + 380 * std::tanh(3 * swing) + noise;
        s.integrator = static_cast<int>(std::lround(128 + 6 * swing));
        s.blm = 126 + static_cast<int>(std::lround(4 * warmth));
        if (faulty(EngineFault::TrimLean)) {
            s.blm = kLeanTrimBlm;
            s.integrator = static_cast<int>(std::lround(kLeanTrimInt + 6 * swing));
        } else if (faulty(EngineFault::TrimRich)) {
            s.blm = kRichTrimBlm;
            s.integrator = static_cast<int>(std::lround(kRichTrimInt + 6 * swing));
        }
        if (faulty(EngineFault::O2StuckLean)) {
            s.o2Millivolts = kStuckLeanMv + noise;
            s.integrator = kStuckLeanInt;
            s.blm = kStuckLeanBlm;
        } else if (faulty(EngineFault::O2StuckRich)) {
            s.o2Millivolts = kStuckRichMv + noise;
            s.integrator = kStuckRichInt;
            s.blm = kStuckRichBlm;
        } else if (faulty(EngineFault::O2Lazy)) {
            o2LazyPhase_ += dt * kLazyO2Hz;
            const double lazySwing = std::sin(o2LazyPhase_ * 2 * M_PI);
            s.o2Millivolts = 450 + kLazyO2SwingMv * lazySwing + noise;
            s.integrator = static_cast<int>(std::lround(s.integrator - 6 * swing + 12 * lazySwing));
        }
        s.rich = s.o2Millivolts > 450;
    } else {
        s.o2Millivolts = s.coolantC < 30 ? 450 : 450 + 80 * (nextRandom() - 0.5);
        s.rich = false;
        s.integrator = 128;
        s.blm = 128;
    }

    s.batteryVolts = (faulty(EngineFault::WeakCharging) ? kWeakChargingVolts : 14.1) +
                     0.1 * (nextRandom() - 0.5);
    if (fanOverride_ >= 0 && !faulty(EngineFault::FanDead))
        s.fanOn = fanOverride_ == 1;
    else if (s.coolantC > kWarmC + 2)
        s.fanOn = true;
    else if (s.coolantC < kWarmC - 2)
        s.fanOn = false;
}

} // namespace ecusim
