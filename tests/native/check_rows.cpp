// The rows of the analysis window's «Проверки» list: a check's name, its verdict, each figure
// worded as the report words it with its range beside it (the ranges as docs/checks.md lists
// them), a judged figure without a value left out, the notes after the figures, and the
// verdicts counted for the heading.
#include <gtest/gtest.h>

#include <cmath>

#include "replay/CheckRows.h"

namespace {

checks::Figure MakeFigure(const char* name, double value, const char* unit, bool judged,
                          checks::Range range = checks::Range::WarmEngineC) {
    checks::Figure f;
    f.name = name, f.value = value, f.unit = unit, f.judged = judged, f.range = range;
    return f;
}

TEST(CheckRows, FiguresAreWordedAsTheReportWithTheirRangesAndNotesAfterThem) {
    checks::CheckResult charging;
    charging.check = checks::Check::Charging;
    charging.verdict = checks::Verdict::Attention;
    charging.figures = {
        MakeFigure("напряжение при работающем двигателе", 13.14, "В", true,
                   checks::Range::ChargingVolts),
        MakeFigure("не измерено", NAN, "В", true, checks::Range::ChargingVolts),
        MakeFigure("наименьшее", 12.9, "В", false),
    };
    charging.spans.resize(2);
    checks::CheckResult idle;
    idle.check = checks::Check::Idle;
    idle.verdict = checks::Verdict::NoData;
    idle.notes = {"Прогрейте двигатель до 80 °C и запишите 30 с холостого хода."};

    const std::vector<CheckRow> rows = CheckRows({charging, idle}, 4);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].title, "Зарядка");
    EXPECT_EQ(rows[0].verdict, checks::Verdict::Attention);
    EXPECT_EQ(rows[0].spans, 2u);
    ASSERT_EQ(rows[0].lines.size(), 2u);
    EXPECT_EQ(rows[0].lines[0].measured, "напряжение при работающем двигателе: 13,14 В");
    EXPECT_EQ(rows[0].lines[0].range, "13,5 … 14,8 В (неисправность вне 12,6 … 16)");
    EXPECT_EQ(rows[0].lines[1].measured, "наименьшее: 12,9 В");
    EXPECT_EQ(rows[0].lines[1].range, "");
    EXPECT_EQ(rows[1].title, "Холостой ход");
    ASSERT_EQ(rows[1].lines.size(), 1u);
    EXPECT_EQ(rows[1].lines[0].measured, idle.notes[0]);
    EXPECT_EQ(VerdictCounts({charging, idle, idle}), "внимание 1, нет данных 2");
}

} // namespace
