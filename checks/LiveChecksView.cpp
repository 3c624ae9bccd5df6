#include "checks/LiveChecksView.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "checks/CheckInfo.h"
#include "checks/FigureText.h"
#include "checks/LiveCheckRing.h"
#include "link/AdapterAdvice.h"

namespace checks {

namespace {

const Verdict kVerdictOrder[] = {Verdict::Ok, Verdict::Attention, Verdict::Fault, Verdict::NoData};

std::string figureText(const Figure& f, int family) {
    std::string text = f.name + ": " + NumberText(f.value);
    if (!f.unit.empty()) text += " " + f.unit;
    const std::string range = RangeText(f, family);
    if (!range.empty()) text += "; норма " + range;
    return text;
}

ViewLine textLine(LineKind kind, const std::string& text) {
    ViewLine line;
    line.kind = kind;
    line.text = text;
    return line;
}

} // namespace

std::string DurationText(double seconds) {
    const long s = seconds > 0 ? std::lround(seconds) : 0;
    char text[48];
    if (s >= 3600)
        std::snprintf(text, sizeof text, "%ld ч %02ld мин", s / 3600, s / 60 % 60);
    else if (s >= 60)
        std::snprintf(text, sizeof text, "%ld мин %02ld с", s / 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%ld с", s);
    return text;
}

ChecksView ViewOfChecks(const std::vector<CheckResult>& results, const LiveCheckData& data) {
    ChecksView view;
    if (data.polls() == 0)
        view.session = "Опросов ещё не было: нажмите START, проверки заполняются по ходу опроса.";
    else
        view.session =
            "Опросов: " + std::to_string(data.polls()) + " за " + DurationText(data.seconds()) +
            (data.dropped() ? " (последние " + DurationText(kLiveSpanMs / 1000.0) + " сеанса)"
                            : std::string());
    int counts[4] = {};
    for (const CheckResult& r : results) {
        ++counts[static_cast<int>(r.verdict)];
        const CheckInfo* info = InfoOf(r.check);
        ViewLine title;
        title.kind = LineKind::Check;
        title.text = info ? info->title : "";
        title.verdictText = VerdictText(r.verdict);
        title.verdict = r.verdict;
        view.lines.push_back(title);
        // «нет данных» says first what to do (the checks put it first among the notes).
        const bool instruction = r.verdict == Verdict::NoData && !r.notes.empty();
        if (instruction) view.lines.push_back(textLine(LineKind::Instruction, r.notes.front()));
        for (const Figure& f : r.figures) {
            if (f.judged && std::isnan(f.value)) continue; // a part without its data
            ViewLine line;
            line.kind = LineKind::Figure;
            line.text = figureText(f, data.family());
            line.judged = f.judged;
            line.verdict = f.verdict;
            view.lines.push_back(line);
        }
        for (std::size_t k = instruction ? 1 : 0; k < r.notes.size(); ++k)
            view.lines.push_back(textLine(LineKind::Note, r.notes[k]));
    }
    for (Verdict v : kVerdictOrder) {
        if (!view.summary.empty()) view.summary += ", ";
        view.summary +=
            std::string(VerdictText(v)) + " " + std::to_string(counts[static_cast<int>(v)]);
    }
    return view;
}

std::vector<std::string> AdapterLines(const std::string& port, const UsbAdapterFacts& facts) {
    std::string name = port;
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const UsbChip chip = ChipOfHardwareId(facts.hardwareId);
    std::string first = "Порт " + name + ": микросхема адаптера " + UsbChipName(chip);
    if (chip == UsbChip::Ftdi)
        first += facts.latencyMs == kLatencyUnknown
                     ? ", задержка (Latency Timer) неизвестна"
                     : ", задержка (Latency Timer) " + std::to_string(facts.latencyMs) + " мс";
    std::vector<std::string> lines{first};
    const std::string advice = AdapterAdvice(facts);
    std::size_t from = 0;
    while (from <= advice.size()) {
        const std::size_t end = std::min(advice.find('\n', from), advice.size());
        if (end > from) lines.push_back(advice.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

} // namespace checks
