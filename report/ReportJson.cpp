// The workshop report as JSON for other programs (docs/report-format.md).
#include <cmath>
#include <cstdio>

#include "checks/CheckInfo.h"
#include "report/ReportModel.h"

namespace report {

namespace {

std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\')
            out += '\\', out += char(c);
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20) {
            char e[8];
            std::snprintf(e, sizeof e, "\\u%04x", c);
            out += e;
        } else
            out += char(c);
    }
    return out + "\"";
}

// NaN and infinity are not JSON numbers: null and a string.
std::string number(double v) {
    if (std::isnan(v)) return "null";
    if (std::isinf(v)) return v > 0 ? "\"inf\"" : "\"-inf\"";
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

std::string rangeJson(const checks::Figure& f, int family) {
    if (!f.judged) return "null";
    const checks::RangeRow& row = checks::CheckRange(f.range, family);
    return "{\"okLo\": " + number(row.okLo) + ", \"okHi\": " + number(row.okHi) +
           ", \"faultLo\": " + number(row.faultLo) + ", \"faultHi\": " + number(row.faultHi) +
           ", \"unit\": " + quoted(row.unit) + ", \"source\": " + quoted(row.source) + "}";
}

std::string driveJson(const Drive& d, const std::string& indent) {
    std::string out = "{\n";
    const std::string in = indent + "  ";
    out += in + "\"recording\": " + quoted(d.path) + ",\n";
    const recfile::Visit& v = d.visit; // empty without a visit
    out += in + "\"vehicle\": {\"car\": " + quoted(d.car) + ", \"engine\": " + quoted(d.engine) +
           ", \"family\": " + std::to_string(d.family) + ", \"promId\": " + quoted(d.promId) +
           ", \"plate\": " + quoted(v.plate) + ", \"vin\": " + quoted(v.vin) +
           ", \"odometerKm\": " +
           (v.odometerKm == recfile::kNoOdometer ? std::string("null")
                                                 : std::to_string(v.odometerKm)) +
           ", \"complaint\": " + quoted(v.complaint) + ", \"workDone\": " + quoted(v.workDone) +
           "},\n";
    out += in + "\"adapter\": ";
    if (d.hasAdapter)
        out += "{\"chip\": " + quoted(d.adapterChip) + ", \"hardwareId\": " + quoted(d.adapterId) +
               ", \"latencyMs\": " +
               (d.latencyMs >= 0 ? std::to_string(d.latencyMs) : std::string("null")) +
               ", \"advice\": " + quoted(d.adapterAdvice) + "},\n";
    else
        out += "null,\n";
    out += in + "\"date\": " + quoted(d.date) + ",\n" + in + "\"seconds\": " + number(d.seconds) +
           ",\n";
    out += in + "\"codes\": [";
    for (std::size_t k = 0; k < d.codes.size(); ++k) {
        const checks::SessionCode& c = d.codes[k];
        out += std::string(k ? ", " : "") + "{\"code\": " + quoted(c.label) +
               ", \"text\": " + quoted(c.text) +
               ", \"present\": " + (c.present ? "true" : "false") +
               ", \"appeared\": " + (c.appeared ? "true" : "false") +
               ", \"gone\": " + (c.gone ? "true" : "false") +
               ", \"cleared\": " + (c.cleared ? "true" : "false") + "}";
    }
    out += "],\n" + in + "\"checks\": [\n";
    for (std::size_t k = 0; k < d.checks.size(); ++k) {
        const checks::CheckResult& c = d.checks[k];
        const checks::CheckInfo* info = checks::InfoOf(c.check);
        out += in + "  {\"id\": " + quoted(info->id) + ", \"title\": " + quoted(info->title) +
               ", \"verdict\": " + quoted(checks::VerdictId(c.verdict)) +
               ", \"verdictText\": " + quoted(checks::VerdictText(c.verdict)) + ",\n" + in +
               "   \"figures\": [";
        for (std::size_t f = 0; f < c.figures.size(); ++f) {
            const checks::Figure& x = c.figures[f];
            out += std::string(f ? ", " : "") + "{\"name\": " + quoted(x.name) +
                   ", \"value\": " + number(x.value) + ", \"unit\": " + quoted(x.unit) +
                   ", \"verdict\": " + (x.judged ? quoted(checks::VerdictId(x.verdict)) : "null") +
                   ", \"range\": " + rangeJson(x, d.family) + "}";
        }
        out += "],\n" + in + "   \"spans\": [";
        for (std::size_t s = 0; s < c.spans.size(); ++s) {
            const checks::EvidenceSpan& x = c.spans[s];
            out += std::string(s ? ", " : "") + "{\"fromPoll\": " + std::to_string(x.beginPoll) +
                   ", \"toPoll\": " + std::to_string(x.endPoll) +
                   ", \"fromMs\": " + std::to_string(x.fromMs) +
                   ", \"toMs\": " + std::to_string(x.toMs) + ", \"label\": " + quoted(x.label) +
                   "}";
        }
        out += "],\n" + in + "   \"notes\": [";
        for (std::size_t n = 0; n < c.notes.size(); ++n)
            out += std::string(n ? ", " : "") + quoted(c.notes[n]);
        out += "]}" + std::string(k + 1 < d.checks.size() ? "," : "") + "\n";
    }
    out += in + "],\n" + in + "\"markers\": [";
    const auto& markers = d.recording->markers();
    for (std::size_t k = 0; k < markers.size(); ++k)
        out += std::string(k ? ", " : "") + "{\"number\": " + std::to_string(markers[k].number) +
               ", \"ms\": " + std::to_string(markers[k].timeMs) +
               ", \"text\": " + quoted(markers[k].text) + "}";
    out += "]\n" + indent + "}";
    return out;
}

} // namespace

std::string ReportJson(const Report& report) {
    std::string out = "{\n  \"format\": \"motoskop-report\",\n  \"version\": " +
                      std::to_string(kReportFormatVersion) +
                      ",\n  \"workshop\": " + quoted(report.workshop) +
                      ",\n  \"madeOn\": " + quoted(report.madeOn) +
                      ",\n  \"drive\": " + driveJson(report.drive, "  ");
    if (report.hasBefore) out += ",\n  \"before\": " + driveJson(report.before, "  ");
    return out + "\n}\n";
}

} // namespace report
