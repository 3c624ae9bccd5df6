#pragma once
// The checks one by one, each over the context of one CheckData (Checks.cpp runs them).
#include "checks/CheckContext.h"

namespace checks {

CheckResult CheckOxygenSensor(const CheckContext& c);
CheckResult CheckClosedLoop(const CheckContext& c);
CheckResult CheckCoolant(const CheckContext& c);
CheckResult CheckIntakeAir(const CheckContext& c);
CheckResult CheckThrottle(const CheckContext& c);
CheckResult CheckMap(const CheckContext& c);
CheckResult CheckIdle(const CheckContext& c);
CheckResult CheckCharging(const CheckContext& c);
CheckResult CheckFuelTrim(const CheckContext& c);
CheckResult CheckLink(const CheckContext& c);
CheckResult CheckTroubleCodes(const CheckContext& c);
CheckResult CheckActuators(const CheckContext& c);

} // namespace checks
