#pragma once
// What the workshop reads beside each check: its name, the least data it needs (a Minimum
// row of CheckRanges) and what to do when a session has not got it, the usual causes of a
// lean or a rich trim, and the advice for a poor link. Russian, as the program shows it.
#include "checks/CheckRanges.h"

namespace checks {

struct CheckInfo {
    Check check;
    const char* id;    // stable id in reports: "o2", "closed_loop" ...
    const char* title; // "Датчик кислорода" ...
    Range minimumData; // the Minimum row of the least qualifying data
    const char* noData; // what to do to get it ("прогрейте двигатель до 80 °C ...")
};

// One row per check, in Check order; nullptr outside it.
const CheckInfo* InfoOf(Check check);

enum class TrimDirection { Lean, Rich };

// The usual causes, one text per line, for a trim that adds fuel (Lean) or takes it away.
const char* const* TrimHints(TrimDirection direction, int& count);

enum class LinkAdvice { Ignition, Wiring, Adapter, UsbLatency };
const char* LinkAdviceText(LinkAdvice advice);

} // namespace checks
