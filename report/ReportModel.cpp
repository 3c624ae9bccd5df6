#include "report/ReportModel.h"

#include <cmath>
#include <cstdio>

#include "link/AdapterAdvice.h"
#include "record/IsoTime.h"

namespace report {

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
        if (ParseIso(s.header.startDateTime, start)) d.date = DateMinuteText(start);
        if (!s.header.adapter.empty()) {
            d.hasAdapter = true;
            d.adapterChip = s.header.adapter;
            d.adapterId = s.header.adapterId;
            d.latencyMs = s.header.latencyMs;
            d.adapterAdvice = AdapterAdviceFor(ChipOfId(d.adapterChip), d.latencyMs);
        }
    }
    d.hasVisit = recording->reader().hasVisit();
    d.visit = recording->reader().visit();
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
