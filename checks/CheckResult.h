#pragma once
// What a check found: its verdict, the figures it measured (each with the row of
// CheckRanges it was judged by), the spans of polls it judged, and the words beside them
// (the instruction of «нет данных», the usual causes of a trim, the link's advice, the codes).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks/CheckRanges.h"

namespace checks {

struct Figure {
    std::string name; // «пересечений 450 мВ за 10 с на холостом ходу»
    double value = 0; // NaN: not measured (its part had too little data)
    std::string unit;
    bool judged = false; // judged by range; else a figure shown for information
    Range range = Range::WarmEngineC;
    Verdict verdict = Verdict::NoData;
};

// Polls [beginPoll, endPoll) of the recording (its own poll numbering) and their times.
struct EvidenceSpan {
    std::size_t beginPoll = 0;
    std::size_t endPoll = 0;
    uint32_t fromMs = 0;
    uint32_t toMs = 0;
    std::string label;           // «холостой ход, замкнутая петля»
    std::vector<int> channels;   // the catalogue rows the check read there
    std::vector<uint32_t> marks; // moments inside it (a drop-out, a command), ms
};

struct CheckResult {
    Check check = Check::OxygenSensor;
    Verdict verdict = Verdict::NoData;
    std::vector<Figure> figures;
    std::vector<EvidenceSpan> spans;
    std::vector<std::string> notes; // one line each, Russian
};

// The worse of two verdicts: a fault over attention over normal; no data yields to any.
Verdict Worse(Verdict a, Verdict b);

} // namespace checks
