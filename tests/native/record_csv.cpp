// The CSV export against the program's own decoder, for every family.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "ecu/DecodeTables.h"
#include "link/ReplyDecoder.h"
#include "record/CsvColumns.h"
#include "record/CsvExport.h"
#include "record/EventText.h"
#include "record/RecordingWriter.h"
#include "settings/ParameterCatalogue.h"
#include "state/ChannelStore.h"
#include "tests/native/record_fixture.h"

using recfile::Record;
using recfile::RecordType;

namespace {

// RFC 4180 lines into fields.
std::vector<std::vector<std::string>> parseCsv(const std::string& text, char separator) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else {
            field += c;
        }
    }
    if (rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
    return rows;
}

struct Recording {
    std::vector<std::array<uint8_t, kGoodReplySize>> replies; // one per poll, failed ones zero
    RecordingReader reader;
};

// Polls every 125 ms with random replies; poll 2 fails; a marker after poll 1
// with a text that needs quoting, and one after poll 4.
void makeRecording(int family, Recording& out, int polls = 6) {
    MemoryFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader h;
    h.family = family;
    h.startDateTime = "2026-12-09T23:59:59.900+03:00";
    writer.begin("x.mrec", h, 0);
    std::mt19937 random(family);
    for (int i = 0; i < polls; ++i) {
        std::array<uint8_t, kGoodReplySize> reply{};
        Record p;
        p.type = RecordType::Poll;
        p.timeMs = 125 * i;
        p.outcome = i == 2 ? PollOutcome::NoAnswer : PollOutcome::GoodReply;
        p.received = i == 2 ? 4 : kGoodReplySize;
        p.hasReply = i != 2;
        if (p.hasReply)
            for (uint8_t& b : reply)
                b = static_cast<uint8_t>(random());
        p.reply = reply;
        out.replies.push_back(reply);
        writer.write(p, 0);
        if (i == 1 || i == 4) {
            Record m;
            m.type = RecordType::Marker;
            m.timeMs = 125 * i + 10;
            m.number = i == 1 ? 1 : 2;
            m.text = i == 1 ? "тест; \"кавычки\", запятая" : "";
            writer.write(m, 0);
        }
    }
    writer.finish(0);
    ASSERT_EQ(out.reader.openBytes(file.flushed), ReadStatus::Ok);
}

std::string exportText(const RecordingReader& reader, const CsvOptions& options,
                       const CsvSpan& span = CsvSpan()) {
    std::string text;
    WriteCsv(reader, options, span, [&](const std::string& piece) { text += piece; });
    return text;
}

TEST(CsvExportColumns, EveryChannelOfEveryFamilyAsTheDecoderReadsIt) {
    auto ecu = std::make_unique<EcuData>();
    NoLinkEvents events; // the readout labels are not needed here
    for (int family = 1; family <= 4; ++family) {
        SCOPED_TRACE(family);
        Recording rec;
        makeRecording(family, rec);
        const auto rows = parseCsv(exportText(rec.reader, StandardCsv()), ',');
        const decode::FamilyLayout& layout = *decode::familyLayout(family);
        const std::size_t columns = 2 + layout.rowCount + 2;
        ASSERT_EQ(rows.size(), 1u + 6u);
        for (const auto& row : rows)
            ASSERT_EQ(row.size(), columns);
        EXPECT_EQ(rows[0][0], "Время (с)");
        EXPECT_EQ(rows[0][1], "Дата и время");
        EXPECT_EQ(rows[0][columns - 2], "Коды ошибок");
        EXPECT_EQ(rows[0][columns - 1], "События");
        EXPECT_EQ(rows[1][0], "0.000");
        EXPECT_EQ(rows[1][1], "2026-12-09T23:59:59.900+03:00");
        EXPECT_EQ(rows[2][1], "2026-12-10T00:00:00.025+03:00");
        EXPECT_EQ(rows[4][0], "0.375");
        for (int k = 0; k < layout.rowCount; ++k) {
            const decode::ChannelRule& rule = layout.rows[k];
            const std::string heading = rows[0][2 + k];
            EXPECT_EQ(heading.rfind(CaptionMnemonic(CatalogueCaption(family, k)), 0), 0u);
            EXPECT_EQ(heading.find('('), std::string(rule.unit).empty()
                                             ? std::string::npos
                                             : heading.size() - std::string(rule.unit).size() - 1);
        }
        for (int i = 0; i < 6; ++i) {
            const auto& row = rows[1 + i];
            if (i == 2) { // the failed poll: empty cells, the event says why
                for (std::size_t c = 2; c < columns - 1; ++c)
                    EXPECT_EQ(row[c], "") << c;
                EXPECT_EQ(row[columns - 1], "нет ответа");
                continue;
            }
            uint8_t buffer[kReplyBufferSize] = {};
            std::copy(rec.replies[i].begin(), rec.replies[i].end(), buffer);
            DecodeReply(buffer, family, '.', *ecu, events);
            for (int k = 0; k < layout.rowCount; ++k) {
                const decode::ChannelRule& rule = layout.rows[k];
                const std::string cell = row[2 + k];
                switch (rule.rule) {
                case decode::Rule::YesNo:
                case decode::Rule::NoYes:
                    EXPECT_EQ(cell, ecu->channels.text(family, k) == "Да" ? "1" : "0");
                    break;
                case decode::Rule::BitGroup:
                case decode::Rule::ErrorGroup:
                    EXPECT_EQ(cell, std::to_string(buffer[rule.byte])) << k;
                    break;
                default:
                    EXPECT_EQ(cell + rule.unit, ecu->channels.text(family, k)) << k;
                    EXPECT_EQ(cell.find(' '), std::string::npos) << k;
                }
            }
        }
        // Marker texts survive the quoting, and land on the row before them.
        EXPECT_EQ(rows[2][columns - 1], "метка 1: тест; \"кавычки\", запятая");
        EXPECT_EQ(rows[5][columns - 1], "метка 2");
    }
}

TEST(CsvExportColumns, ActiveCodesListTheFamilysSetBits) {
    Recording rec;
    makeRecording(1, rec);
    const auto rows = parseCsv(exportText(rec.reader, StandardCsv()), ',');
    const auto& reply = rec.replies[0];
    std::string expected;
    for (int k = 1; k <= 2; ++k)
        for (int bit = 0; bit < 8; ++bit)
            if ((reply[8 + k] >> bit) & 1)
                expected +=
                    (expected.empty() ? "" : " ") + std::to_string(k) + "." + std::to_string(bit);
    EXPECT_EQ(rows[1][rows[1].size() - 2], expected);
}

TEST(CsvExportPresets, ExcelUsesTheGivenSymbolsAndABom) {
    Recording rec;
    makeRecording(2, rec);
    const std::string excel = exportText(rec.reader, ExcelCsv(';', ','));
    ASSERT_EQ(excel.compare(0, 3, "\xEF\xBB\xBF"), 0);
    const auto rows = parseCsv(excel.substr(3), ';');
    const std::size_t columns = 2 + 35 + 2;
    for (const auto& row : rows)
        ASSERT_EQ(row.size(), columns);
    EXPECT_EQ(rows[2][0], "0,125");
    bool decimalComma = false;
    for (std::size_t c = 2; c < columns - 2; ++c) {
        EXPECT_EQ(rows[1][c].find('.'), std::string::npos) << rows[0][c];
        decimalComma = decimalComma || rows[1][c].find(',') != std::string::npos;
    }
    EXPECT_TRUE(decimalComma);

    const std::string standard = exportText(rec.reader, StandardCsv());
    EXPECT_NE(standard.compare(0, 3, "\xEF\xBB\xBF"), 0);
    EXPECT_EQ(standard.find(';' + std::string("0,125")), std::string::npos);

    EXPECT_EQ(CsvField("a;b", ';'), "\"a;b\"");
    EXPECT_EQ(CsvField("a;b", ','), "a;b");
    EXPECT_EQ(CsvField("say \"hi\"", ','), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines", ','), "\"two\nlines\"");
}

TEST(CsvExportSpan, BetweenTwoMarkersAndToAFile) {
    Recording rec;
    makeRecording(3, rec, 8);
    CsvSpan span;
    EXPECT_FALSE(SpanBetweenMarkers(rec.reader, 1, 9, span));
    ASSERT_TRUE(SpanBetweenMarkers(rec.reader, 2, 1, span));
    EXPECT_EQ(span.fromMs, 135u);
    EXPECT_EQ(span.toMs, 510u);
    const auto rows = parseCsv(exportText(rec.reader, StandardCsv(), span), ',');
    ASSERT_EQ(rows.size(), 1u + 3u); // polls at 250, 375, 500
    EXPECT_EQ(rows[1][0], "0.250");
    EXPECT_EQ(rows[3][0], "0.500");
    EXPECT_EQ(rows[3].back(), "метка 2");

    span.fromMs = 5000;
    span.toMs = 6000;
    EXPECT_EQ(parseCsv(exportText(rec.reader, StandardCsv(), span), ',').size(), 1u);

    MemoryFile file;
    ASSERT_EQ(ExportCsv(rec.reader, StandardCsv(), CsvSpan(), file, "out.csv"), FileError::None);
    EXPECT_EQ(std::string(file.flushed.begin(), file.flushed.end()),
              exportText(rec.reader, StandardCsv()));
    MemoryFile full;
    full.room = 100;
    EXPECT_EQ(ExportCsv(rec.reader, StandardCsv(), CsvSpan(), full, "out.csv"), FileError::NoSpace);
}

} // namespace

// A reply that arrived as STOP was pressed is shown live with "связь прервана":
// the row keeps its values and its event says the link was broken.
TEST(CsvExportEvents, APollSaysWhyItFailedEvenWithItsReply) {
    Record poll;
    poll.type = RecordType::Poll;
    poll.hasReply = true;
    poll.outcome = PollOutcome::GoodReply;
    EXPECT_EQ(PollEventText(poll), "");
    poll.outcome = PollOutcome::LinkBroken;
    EXPECT_EQ(PollEventText(poll), "связь прервана");
    poll.hasReply = false;
    EXPECT_EQ(PollEventText(poll), "связь прервана");
    poll.outcome = PollOutcome::GoodReply; // never written so, read as no answer
    EXPECT_EQ(PollEventText(poll), "нет ответа");
}
