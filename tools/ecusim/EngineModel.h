#pragma once
// A small petrol engine standing in a workshop: cold start, warm-up to about 90 °C,
// idle near 800 rpm, a blip of the throttle now and then, the oxygen sensor switching
// once the loop closes, the alternator holding about 14 V. Physical units only; the
// per-family byte layouts live in ReplyLayout.
#include <cstdint>

#include "tools/ecusim/EngineFaults.h"

namespace ecusim {

struct EngineState {
    double runSeconds = 0;      // since the engine started
    double coolantC = 20;       // coolant temperature
    double coolantSensorC = 20; // what the coolant sensor tells the ECU (coolantC when sound)
    double intakeAirC = 22;     // intake air temperature
    double rpm = 0;             // engine speed
    double desiredIdleRpm = 0;  // the ECU's idle target
    double throttlePercent = 0;
    double throttleVolts = 0.5;
    double mapKpa = 100;       // manifold pressure
    double baroKpa = 100;      // barometric pressure
    double injectionMs = 0;    // injection pulse
    double ignitionDeg = 0;    // ignition advance, degrees before TDC
    double o2Millivolts = 450; // oxygen sensor
    double batteryVolts = 12.6;
    double airFuel = 14.7; // commanded air/fuel ratio
    int blmCell = 0;       // block-learn cell in use (0..34)
    int blm = 128;         // block-learn value
    int integrator = 128;
    int iacSteps = 40; // idle air control position
    bool closedLoop = false;
    bool rich = false; // oxygen sensor reads rich
    bool idle = true;  // throttle closed
    bool fanOn = false;
    bool airConOn = false;
    double speedKmh = 0;
};

class EngineModel {
  public:
    explicit EngineModel(uint32_t seed = 1, double startCoolantC = 20);

    // Moves the engine on by dt seconds (dt is split into small steps).
    void advance(double seconds);
    const EngineState& state() const { return state_; }

    // Actuator overrides as the ECU would apply them on command.
    void setIdleTarget(double rpm) { idleOverride_ = rpm; }
    void setAirFuel(double ratio) { airFuelOverride_ = ratio; }
    void setFan(bool on) { fanOverride_ = on ? 1 : 0; }
    void returnControl();

    // What is wrong with the engine from now on (EngineFaults.h); none by default.
    void setFaults(EngineFaults faults) { faults_ = faults; }
    // The mechanic holds the throttle so that the engine runs steadily at rpm (no blips
    // meanwhile); 0 lets it go back to idle.
    void holdRpm(double rpm) { heldRpm_ = rpm; }

  private:
    void step(double dt);
    double nextRandom(); // 0..1

    EngineState state_;
    uint32_t random_;
    double nextBlipAt_ = 15;
    double blipUntil_ = 0;
    double o2Phase_ = 0;
    double idleOverride_ = 0;    // 0 = the ECU's own target
    double airFuelOverride_ = 0; // 0 = the ECU's own mixture
    int fanOverride_ = -1;       // -1 = the ECU decides
    EngineFaults faults_ = 0;
    double heldRpm_ = 0;
    double blipStartedAt_ = 0;
    double o2LazyPhase_ = 0;
};

} // namespace ecusim
