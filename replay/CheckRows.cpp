#include "replay/CheckRows.h"

#include <cmath>

#include "checks/CheckInfo.h"
#include "report/ReportModel.h"

std::vector<CheckRow> CheckRows(const std::vector<checks::CheckResult>& results, int family) {
    std::vector<CheckRow> rows;
    for (const checks::CheckResult& c : results) {
        CheckRow row;
        row.check = c.check;
        const checks::CheckInfo* info = checks::InfoOf(c.check);
        row.title = info ? info->title : "";
        row.verdict = c.verdict;
        row.spans = c.spans.size();
        // As the report's table: a judged figure without a value is left out.
        for (const checks::Figure& f : c.figures) {
            if (std::isnan(f.value) && f.judged) continue;
            row.lines.push_back(
                {f.name + ": " + report::NumberText(f.value) + (f.unit.empty() ? "" : " " + f.unit),
                 report::RangeText(f, family)});
        }
        for (const std::string& note : c.notes)
            row.lines.push_back({note, ""});
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string VerdictCounts(const std::vector<checks::CheckResult>& results) {
    const checks::Verdict order[] = {checks::Verdict::Ok, checks::Verdict::Attention,
                                     checks::Verdict::Fault, checks::Verdict::NoData};
    std::string text;
    for (checks::Verdict v : order) {
        std::size_t n = 0;
        for (const checks::CheckResult& c : results)
            n += c.verdict == v;
        if (n == 0) continue;
        text += std::string(text.empty() ? "" : ", ") + checks::VerdictText(v) + " " +
                std::to_string(n);
    }
    return text;
}
