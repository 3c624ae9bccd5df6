#pragma once
// What the workshop report holds, built once from an analysed recording (and the one before
// the repair, when given): the vehicle, the codes, the checks, the markers, the link. The HTML
// and the JSON are written from it (ReportHtml, ReportJson), so both say the same.
#include <memory>
#include <string>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "record/IsoTime.h"
#include "checks/Checks.h"
#include "checks/FigureText.h"

namespace report {

struct Drive {
    std::shared_ptr<const analysis::AnalysedRecording> recording;
    std::string path;
    std::string date; // "09.12.2026 21:44", the recording's start
    std::string car, engine, promId;
    int family = 0;
    double seconds = 0;
    std::vector<checks::CheckResult> checks;
    std::vector<checks::SessionCode> codes;
    // The vehicle and visit as typed (the recording's last Visit record).
    bool hasVisit = false;
    recfile::Visit visit;
    // The USB adapter at the recording's start, where its header says (link/AdapterAdvice).
    bool hasAdapter = false;
    std::string adapterChip;   // as the header names it: "FTDI", ..., "unknown"
    std::string adapterId;     // the hardware id; may be empty
    int latencyMs = -1;        // -1: unknown
    std::string adapterAdvice; // one sentence a line
};

struct Report {
    std::string workshop;
    std::string madeOn; // when the report was made, as the caller words it
    Drive drive;
    bool hasBefore = false;
    Drive before;
};

Drive DriveOf(std::shared_ptr<const analysis::AnalysedRecording> recording,
              const std::string& path);

// The report of a recording, and of the one before the repair when before is not null: what
// --report and the analysis window's «Отчёт» both write.
Report MakeReport(std::shared_ptr<const analysis::AnalysedRecording> drive,
                  const std::string& drivePath,
                  std::shared_ptr<const analysis::AnalysedRecording> before,
                  const std::string& beforePath, const std::string& workshop,
                  const std::string& madeOn);
// "10.12.2026 09:30": when a report is made, as it says so.
std::string MadeOnText(const LocalTime& now);


// Numbers and ranges in the checks' own words (checks/FigureText.h), so that the checks
// window and the report agree.
using checks::NumberText;
using checks::RangeText;

std::string ReportHtml(const Report& report);
std::string ReportJson(const Report& report);

// The version of the JSON's schema (docs/report-format.md): it rises whenever fields
// are added; none is ever removed or changes meaning.
constexpr int kReportFormatVersion = 2;

} // namespace report
