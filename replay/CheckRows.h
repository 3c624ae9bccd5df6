#pragma once
// The engine checks as the analysis window's «Проверки» list shows them: one row
// per check with its name, its verdict, and one line per figure (measured, with
// the range it was judged by beside it) and per note (for «нет данных» the
// instruction comes first). The words and numbers are the report's
// (report::NumberText, report::RangeText), so the list and the report agree.
#include <cstddef>
#include <string>
#include <vector>

#include "checks/CheckResult.h"

struct CheckRowLine {
    std::string measured; // "опросов в секунду: 7,9 1/с", or a note
    std::string range;    // "≥ 7,3 1/с", empty for a note or a figure shown for information
};

struct CheckRow {
    checks::Check check = checks::Check::OxygenSensor;
    std::string title; // «Датчик кислорода»
    checks::Verdict verdict = checks::Verdict::NoData;
    std::vector<CheckRowLine> lines;
    std::size_t spans = 0; // the evidence spans a click shows
};

std::vector<CheckRow> CheckRows(const std::vector<checks::CheckResult>& results, int family);

// "норма 5, внимание 2, неисправность 1, нет данных 4": the verdicts counted, in that order,
// those with none left out.
std::string VerdictCounts(const std::vector<checks::CheckResult>& results);
