#include "report/ReportModel.h"

#include <cmath>
#include <cstdio>

#include "record/IsoTime.h"

namespace report {

std::string NumberText(double v) {
    if (std::isnan(v)) return "—";
    if (std::isinf(v)) return v > 0 ? "∞" : "−∞";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    std::string s = text;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

namespace {

// "a … b", "≥ a" or "≤ b", as the band's open sides say.
std::string BandText(double lo, double hi) {
    if (std::isinf(lo) && std::isinf(hi)) return "";
    if (std::isinf(hi)) return "≥ " + NumberText(lo);
    if (std::isinf(lo)) return "≤ " + NumberText(hi);
    return NumberText(lo) + " … " + NumberText(hi);
}

} // namespace

std::string RangeText(const checks::Figure& f, int family) {
    if (!f.judged) return "";
    const checks::RangeRow& row = checks::CheckRange(f.range, family);
    if (row.kind != checks::Kind::Band) return "";
    std::string text = BandText(row.okLo, row.okHi);
    if (*row.unit) text += std::string(" ") + row.unit;
    if (std::isinf(row.faultLo) && std::isinf(row.faultHi)) return text;
    if (std::isinf(row.faultLo))
        text += " (неисправность выше " + NumberText(row.faultHi) + ")";
    else if (std::isinf(row.faultHi))
        text += " (неисправность ниже " + NumberText(row.faultLo) + ")";
    else
        text += " (неисправность вне " + NumberText(row.faultLo) + " … " + NumberText(row.faultHi) +
                ")";
    return text;
}

Drive DriveOf(std::shared_ptr<const analysis::AnalysedRecording> recording,
              const std::string& path) {
    Drive d;
    d.recording = recording;
    d.path = path;
    d.family = recording->family();
    if (!recording->segments().empty()) {
        const analysis::SegmentClock& s = recording->segments().front();
        d.car = s.header.car;
        d.engine = s.header.engine;
        LocalTime start;
        if (ParseIso(s.header.startDateTime, start)) {
            const std::string iso = FormatIso(start); // YYYY-MM-DDTHH:MM:SS...
            d.date = iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4) + " " +
                     iso.substr(11, 5);
        }
    }
    d.seconds = (recording->lastMs() - recording->firstMs()) / 1000.0;
    const int prom = analysis::FindChannel(d.family, "PROM id");
    if (prom >= 0)
        for (std::size_t i = 0; i < recording->pollCount(); ++i)
            if (recording->good(i) && !std::isnan(recording->value(prom, i))) {
                char text[16];
                std::snprintf(text, sizeof text, "0x%04X",
                              static_cast<unsigned>(recording->value(prom, i)));
                d.promId = text;
                break;
            }
    const checks::RecordingCheckData data(*recording);
    d.checks = checks::RunChecks(data);
    d.codes = checks::SessionCodes(data);
    return d;
}

Report MakeReport(std::shared_ptr<const analysis::AnalysedRecording> drive,
                  const std::string& drivePath,
                  std::shared_ptr<const analysis::AnalysedRecording> before,
                  const std::string& beforePath, const std::string& workshop,
                  const std::string& madeOn) {
    Report r;
    r.workshop = workshop;
    r.madeOn = madeOn;
    r.drive = DriveOf(std::move(drive), drivePath);
    if (before) {
        r.hasBefore = true;
        r.before = DriveOf(std::move(before), beforePath);
    }
    return r;
}

std::string MadeOnText(const LocalTime& now) {
    const std::string iso = FormatIso(now); // YYYY-MM-DDTHH:MM...
    return iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4) + " " +
           iso.substr(11, 5);
}

} // namespace report
