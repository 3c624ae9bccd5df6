// The workshop report as one HTML file: inline CSS and SVG, no script, nothing fetched; A4
// portrait with page breaks before the charts and the comparison.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "checks/CheckInfo.h"
#include "analysis/DriveComparison.h"
#include "analysis/FuelTrimMap.h"
#include "link/AdapterAdvice.h"
#include "record/VisitFields.h"
#include "report/ReportModel.h"
#include "report/VerdictColours.h"
#include "analysis/SpanStatistics.h"
#include "analysis/TimeAxis.h"

namespace report {

namespace {

// A chart's line has at most this many columns, each its smallest and largest value.
constexpr int kChartColumns = 240;
constexpr int kChartWidth = 640, kChartHeight = 110;
constexpr std::size_t kChartsPerCheck = 2;
// The channels the comparison lists.
const char* const kComparedChannels[] = {"FREQ", "TWAT", "UO2SENS", "MAP", "LEARN", "INT", "UBAT"};

std::string escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// SVG numbers take a decimal point.
std::string svgNumber(double v) {
    char text[24];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

// Escaped, its line breaks kept; "—" for nothing.
std::string textCell(const std::string& s) {
    if (s.empty()) return "—";
    std::string out;
    for (char c : escape(s))
        out += c == '\n' ? std::string("<br>") : std::string(1, c);
    return out;
}

// The vehicle's rows the technician typed.
std::string visitRows(const Drive& d) {
    if (!d.hasVisit) return "";
    const recfile::Visit& v = d.visit;
    const std::string km = OdometerText(v.odometerKm);
    return "<tr><th>Госномер</th><td>" + textCell(v.plate) + "</td></tr><tr><th>VIN</th><td>" +
           textCell(v.vin) + "</td></tr><tr><th>Пробег</th><td>" +
           (km.empty() ? std::string("—") : km + " км") +
           "</td></tr><tr><th>Жалоба клиента</th><td>" + textCell(v.complaint) +
           "</td></tr><tr><th>Выполненные работы</th><td>" + textCell(v.workDone) + "</td></tr>";
}

// The adapter behind the port at the recording's start, and the advice for it.
std::string adapterRows(const Drive& d) {
    if (!d.hasAdapter) return "";
    const char* chip = UsbChipName(ChipOfId(d.adapterChip));
    std::string out =
        "<tr><td>Адаптер (микросхема USB)</td><td>" + escape(chip) +
        (d.adapterId.empty() ? "" : " <span class=\"small\">" + escape(d.adapterId) + "</span>") +
        "</td></tr>";
    if (ChipOfId(d.adapterChip) == UsbChip::Ftdi)
        out +=
            "<tr><td>Задержка (Latency Timer)</td><td>" +
            (d.latencyMs >= 0 ? std::to_string(d.latencyMs) + " мс" : std::string("неизвестна")) +
            "</td></tr>";
    return out;
}

const char* verdictClass(checks::Verdict v) {
    return checks::VerdictId(v);
}

std::string clock(const analysis::AnalysedRecording& r, double ms) {
    LocalTime t;
    if (!r.clockAt(ms, t)) return NumberText(ms / 1000.0) + " с";
    return FormatIso(t).substr(11, 8);
}

const char* kStyle = R"(
@page { size: A4 portrait; margin: 14mm; }
body { font-family: Arial, "Liberation Sans", sans-serif; font-size: 10.5pt; color: #111; max-width: 180mm; margin: auto; }
h1 { font-size: 16pt; margin: 0 0 2mm; } h2 { font-size: 12.5pt; margin: 6mm 0 2mm; border-bottom: 1px solid #888; }
h2, h3 { page-break-after: avoid; } h3 { font-size: 11pt; margin: 4mm 0 1mm; }
table { border-collapse: collapse; width: 100%; page-break-inside: auto; } tr, tbody { page-break-inside: avoid; }
table.checks td { border-top-color: #ddd; border-bottom-color: #ddd; } table.checks tbody { border-top: 1.5px solid #888; }
td, th { border: 1px solid #bbb; padding: 1.2mm 1.6mm; vertical-align: top; text-align: left; }
th { background: #eee; } .small { font-size: 9pt; color: #444; }
.verdict { font-weight: bold; white-space: nowrap; } .page { page-break-before: always; }
.chart { page-break-inside: avoid; margin-bottom: 3mm; } svg { border: 1px solid #ccc; }
ul { margin: 1mm 0 1mm 5mm; padding: 0; }
)";

std::string chart(const Drive& d, const checks::EvidenceSpan& span) {
    const analysis::AnalysedRecording& r = *d.recording;
    if (span.channels.empty() || span.channels.front() < 0) return "";
    // Evidence with a little of what came before and after it.
    const analysis::TimeSpan shown = analysis::Surroundings(r, span.fromMs, span.toMs);
    const double from = shown.fromMs, to = shown.toMs;
    if (to <= from) return "";
    std::string out = "<div class=\"chart\"><div class=\"small\">" + escape(span.label) + ", " +
                      clock(r, span.fromMs) + "–" + clock(r, span.toMs) + "</div>";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kChartWidth) +
           "\" height=\"" + std::to_string(kChartHeight) + "\" viewBox=\"0 0 " +
           std::to_string(kChartWidth) + " " + std::to_string(kChartHeight) + "\">";
    auto x = [&](double ms) { return (ms - from) / (to - from) * (kChartWidth - 1); };
    out += "<rect x=\"" + std::to_string(int(x(span.fromMs))) + "\" y=\"0\" width=\"" +
           std::to_string(std::max(1, int(x(span.toMs) - x(span.fromMs)))) + "\" height=\"" +
           std::to_string(kChartHeight) + "\" fill=\"#eef4ff\"/>";
    const char* colours[] = {"#1f5fbf", "#c0392b", "#2e8b57"};
    std::string legend;
    int drawn = 0;
    for (int channel : span.channels) {
        if (channel < 0 || drawn >= 3) continue;
        const analysis::Channel& ch = r.channels()[channel];
        const double top = ch.scale.top, bottom = ch.scale.bottom;
        auto y = [&](double v) {
            return (1 - (std::min(top, std::max(bottom, v)) - bottom) / (top - bottom)) *
                       (kChartHeight - 4) +
                   2;
        };
        std::string points;
        for (int col = 0; col < kChartColumns; ++col) {
            const analysis::PollRange polls =
                r.pollsFrom(from + (to - from) * col / kChartColumns,
                            from + (to - from) * (col + 1) / kChartColumns);
            if (polls.size() == 0) continue;
            const analysis::Envelope e = r.envelope(channel, polls.begin, polls.end);
            if (e.empty) continue;
            const double px = double(col) * (kChartWidth - 1) / (kChartColumns - 1);
            points += svgNumber(px) + "," + svgNumber(y(e.min)) + " " + svgNumber(px) + "," +
                      svgNumber(y(e.max)) + " ";
        }
        out += "<polyline fill=\"none\" stroke-width=\"1.2\" stroke=\"" +
               std::string(colours[drawn]) + "\" points=\"" + points + "\"/>";
        legend += std::string("<span style=\"color:") + colours[drawn] + "\">■ " +
                  escape(ch.mnemonic) + (ch.unit.empty() ? "" : ", " + escape(ch.unit)) + " (" +
                  escape(ch.scale.bottomText) + " … " + escape(ch.scale.topText) + ")</span> ";
        ++drawn;
    }
    for (uint32_t m : span.marks)
        out += "<line x1=\"" + std::to_string(int(x(m))) + "\" x2=\"" + std::to_string(int(x(m))) +
               "\" y1=\"0\" y2=\"" + std::to_string(kChartHeight) +
               "\" stroke=\"#d00\" stroke-width=\"1.5\"/>";
    for (const MarkerInfo& m : r.markers())
        if (m.timeMs >= from && m.timeMs <= to)
            out += "<line x1=\"" + std::to_string(int(x(m.timeMs))) + "\" x2=\"" +
                   std::to_string(int(x(m.timeMs))) + "\" y1=\"0\" y2=\"" +
                   std::to_string(kChartHeight) +
                   "\" stroke=\"#555\" stroke-dasharray=\"3,3\"/><text x=\"" +
                   std::to_string(int(x(m.timeMs)) + 2) + "\" y=\"10\" font-size=\"9\">" +
                   std::to_string(m.number) + "</text>";
    out += "</svg><div class=\"small\">" + legend + "</div></div>\n";
    return out;
}

// One row per figure, its range beside it; the check's name and verdict span its rows, and
// a check is kept on one page.
std::string checksTable(const Drive& d) {
    std::string out = "<table class=\"checks\"><thead><tr><th>Проверка</th><th>Вердикт</th>"
                      "<th>Измерено</th><th>Норма</th></tr></thead>\n";
    for (const checks::CheckResult& c : d.checks) {
        const checks::CheckInfo* info = checks::InfoOf(c.check);
        std::vector<std::pair<std::string, std::string>> lines; // figure, range
        for (const checks::Figure& f : c.figures) {
            if (std::isnan(f.value) && f.judged) continue;
            lines.emplace_back(escape(f.name) + ": <b>" + NumberText(f.value) + "</b> " +
                                   escape(f.unit),
                               RangeText(f, d.family));
        }
        if (!c.notes.empty()) {
            std::string notes = "<ul>";
            for (const std::string& n : c.notes)
                notes += "<li>" + escape(n) + "</li>";
            lines.emplace_back(notes + "</ul>", "");
        }
        if (lines.empty()) lines.emplace_back("", "");
        const std::string rows = std::to_string(lines.size());
        out += std::string("<tbody class=\"") + verdictClass(c.verdict) + "\"><tr><td rowspan=\"" +
               rows + "\">" + info->title + "</td><td class=\"verdict\" rowspan=\"" + rows + "\">" +
               checks::VerdictText(c.verdict) + "</td>";
        for (std::size_t k = 0; k < lines.size(); ++k)
            out += std::string(k ? "<tr>" : "") + "<td>" + lines[k].first +
                   "</td><td class=\"small\">" + lines[k].second + "</td></tr>\n";
        out += "</tbody>\n";
    }
    return out + "</table>\n";
}

std::string codesTable(const Drive& d) {
    if (d.codes.empty()) return "<p>Кодов неисправностей за сеанс не было.</p>\n";
    std::string out = "<table><tr><th>Код</th><th>Описание</th><th>Что с ним было</th></tr>\n";
    for (const checks::SessionCode& c : d.codes) {
        std::string what;
        if (c.appeared) what += "появился ";
        if (c.gone) what += "пропал ";
        if (c.cleared) what += "стёрт ";
        if (what.empty()) what = "был весь сеанс";
        out += "<tr><td>" + escape(c.label) + "</td><td>" + escape(c.text) + "</td><td>" + what +
               "</td></tr>\n";
    }
    return out + "</table>\n";
}

std::string comparison(const Report& report) {
    const Drive& a = report.before;
    const Drive& b = report.drive;
    std::string out = "<h2 class=\"page\">Сравнение: до и после ремонта</h2>\n";
    out += "<p class=\"small\">До: " + escape(a.date) + ", " + escape(a.path) +
           "<br>После: " + escape(b.date) + ", " + escape(b.path) + "</p>\n";
    out += "<table><tr><th>Проверка</th><th>До</th><th>После</th></tr>\n";
    for (std::size_t k = 0; k < b.checks.size() && k < a.checks.size(); ++k)
        out += std::string("<tr><td>") + checks::InfoOf(b.checks[k].check)->title +
               "</td><td class=\"" + verdictClass(a.checks[k].verdict) + "\">" +
               checks::VerdictText(a.checks[k].verdict) + "</td><td class=\"" +
               verdictClass(b.checks[k].verdict) + "\">" +
               checks::VerdictText(b.checks[k].verdict) + "</td></tr>\n";
    out += "</table>\n<h3>Показания за всю запись (среднее, мин … макс)</h3>\n"
           "<table><tr><th>Параметр</th><th>До</th><th>После</th></tr>\n";
    for (const char* m : kComparedChannels) {
        const int ca = analysis::FindChannel(a.family, m), cb = analysis::FindChannel(b.family, m);
        if (ca < 0 || cb < 0) continue;
        const analysis::ChannelStats sa =
            analysis::SpanStats(*a.recording, ca, analysis::WholeSpan(*a.recording));
        const analysis::ChannelStats sb =
            analysis::SpanStats(*b.recording, cb, analysis::WholeSpan(*b.recording));
        auto cell = [](const analysis::ChannelStats& s) {
            return s.values ? NumberText(s.mean) + " (" + NumberText(s.min) + " … " +
                                  NumberText(s.max) + ")"
                            : std::string("—");
        };
        out += std::string("<tr><td>") + m + "</td><td>" + cell(sa) + "</td><td>" + cell(sb) +
               "</td></tr>\n";
    }
    out += "</table>\n<h3>Карта коррекции (LEARN по ячейкам, 128 — без коррекции)</h3>\n";
    const analysis::FuelTrimMap ma =
        analysis::BuildFuelTrimMap(*a.recording, analysis::WholeSpan(*a.recording));
    const analysis::FuelTrimMap mb =
        analysis::BuildFuelTrimMap(*b.recording, analysis::WholeSpan(*b.recording));
    if (!ma.available || !mb.available || (ma.cells.empty() && mb.cells.empty()))
        return out + "<p>Нет данных для карты: нужна замкнутая петля на прогретом двигателе.</p>\n";
    out += "<table><tr><th>Ячейка</th><th>До</th><th>После</th><th>Разница</th></tr>\n";
    for (const analysis::CellSideBySide& c : analysis::CompareFuelTrim(ma, mb))
        out += "<tr><td>" + std::to_string(c.cell) + "</td><td>" +
               (c.inFirst ? NumberText(c.firstLearn) : "—") + "</td><td>" +
               (c.inSecond ? NumberText(c.secondLearn) : "—") + "</td><td>" +
               (c.inFirst && c.inSecond ? NumberText(c.learnDiff) : "—") + "</td></tr>\n";
    return out + "</table>\n";
}

} // namespace

std::string ReportHtml(const Report& report) {
    const Drive& d = report.drive;
    const analysis::AnalysedRecording& r = *d.recording;
    std::string out = "<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\">"
                      "<title>Отчёт о диагностике</title><style>" +
                      std::string(kStyle) + VerdictStyle() + "\n</style></head><body>\n";
    out += "<h1>" + escape(report.workshop.empty() ? "Отчёт о диагностике" : report.workshop) +
           "</h1>\n";
    out += "<p class=\"small\">Отчёт о диагностике двигателя" +
           (report.madeOn.empty() ? "" : ", составлен " + escape(report.madeOn)) + "</p>\n";
    out += "<h2>Автомобиль</h2><table>\n<tr><th>Автомобиль</th><td>" + escape(d.car) +
           "</td></tr><tr><th>Двигатель</th><td>" + escape(d.engine) +
           "</td></tr><tr><th>Семейство ЭБУ</th><td>" + std::to_string(d.family) +
           "</td></tr><tr><th>PROM id</th><td>" + escape(d.promId.empty() ? "—" : d.promId) +
           "</td></tr>" + visitRows(d) + "<tr><th>Запись</th><td>" + escape(d.date) + ", " +
           NumberText(d.seconds / 60) + " мин, " + escape(d.path) + "</td></tr></table>\n";
    out += "<h2>Коды неисправностей</h2>\n" + codesTable(d);
    out += "<h2>Проверки</h2>\n" + checksTable(d);
    out += "<h2 class=\"page\">Показания, по которым вынесены вердикты</h2>\n";
    for (const checks::CheckResult& c : d.checks) {
        std::string charts;
        std::size_t shown = 0;
        for (const checks::EvidenceSpan& s : c.spans)
            if (shown < kChartsPerCheck) {
                const std::string one = chart(d, s);
                if (!one.empty()) charts += one, ++shown;
            }
        if (charts.empty()) continue;
        out += std::string("<h3>") + checks::InfoOf(c.check)->title + ": " +
               checks::VerdictText(c.verdict) + "</h3>\n" + charts;
    }
    out += "<h2>Метки</h2>\n";
    if (r.markers().empty())
        out += "<p>Меток в записи нет.</p>\n";
    else {
        out += "<table><tr><th>№</th><th>Время</th><th>Текст</th></tr>\n";
        for (const MarkerInfo& m : r.markers())
            out += "<tr><td>" + std::to_string(m.number) + "</td><td>" + clock(r, m.timeMs) +
                   "</td><td>" + escape(m.text) + "</td></tr>\n";
        out += "</table>\n";
    }
    out += "<h2>Качество связи</h2>\n<table>";
    const checks::CheckResult& link = d.checks[static_cast<int>(checks::Check::LinkQuality)];
    for (const checks::Figure& f : link.figures)
        out += "<tr><td>" + escape(f.name) + "</td><td>" + NumberText(f.value) + " " +
               escape(f.unit) + "</td></tr>";
    out += adapterRows(d) + "</table>\n";
    for (const std::string& n : link.notes)
        out += "<p>" + escape(n) + "</p>\n";
    if (d.hasAdapter) out += "<p>" + textCell(d.adapterAdvice) + "</p>\n";
    if (report.hasBefore) out += comparison(report);
    out += "<p class=\"small\">Составлено программой MOTOSKOP. Нормы и их источники — в справке "
           "программы "
           "(docs/checks.md).</p>\n</body></html>\n";
    return out;
}

} // namespace report
