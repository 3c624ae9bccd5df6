#pragma once
// What the checks window «Проверки» shows, as text: the session the checks judged, each check
// with its verdict, its figures and the ranges they were judged by, and for «нет данных» what
// to do to get the data; and the USB adapter behind the port with the advice for it. Plain
// lines; the window (checks/TFormChecks.cpp) wraps, colours and scrolls them.
#include <string>
#include <vector>

#include "checks/CheckResult.h"
#include "checks/LiveCheckData.h"
#include "platform/UsbAdapterFacts.h"

namespace checks {

enum class LineKind : uint8_t {
    Check,       // the check's name, its verdict beside it
    Figure,      // a figure, with its range when it was judged
    Instruction, // what to do to get the data
    Note,        // causes, advice, the codes
};

struct ViewLine {
    LineKind kind = LineKind::Check;
    std::string text;
    std::string verdictText; // a check's «норма» ...; empty for the other lines
    Verdict verdict = Verdict::NoData;
    bool judged = false; // a figure judged by a range: verdict is its own
};

struct ChecksView {
    std::string session; // how much of the session the checks judged
    std::string summary; // «норма 7, внимание 1, неисправность 0, нет данных 4»
    std::vector<ViewLine> lines;
};

// The results of RunChecks over data, for the window.
ChecksView ViewOfChecks(const std::vector<CheckResult>& results, const LiveCheckData& data);

// The adapter behind port (as the user named it, "Com1"): the chip and, for FTDI, its latency
// timer on the first line, then the advice (link/AdapterAdvice), one sentence a line.
std::vector<std::string> AdapterLines(const std::string& port, const UsbAdapterFacts& facts);

// "1 ч 05 мин", "12 мин 30 с", "45 с".
std::string DurationText(double seconds);

} // namespace checks
