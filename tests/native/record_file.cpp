// The recording file: what the writer puts down the reader gets back, whatever
// happened to the file in between.
#include <gtest/gtest.h>

#include <random>

#include "record/FileErrorTexts.h"
#include "record/IsoTime.h"
#include "record/RecordingName.h"
#include "record/RecordingReader.h"
#include "record/RecordingWriter.h"
#include "tests/native/record_fixture.h"

using recfile::Record;
using recfile::RecordType;

namespace {

recfile::RecordingHeader header(const std::string& car, int family) {
    recfile::RecordingHeader h;
    h.programVersion = "1.0";
    h.startDateTime = "2026-12-09T21:44:48.250+03:00";
    h.car = car;
    h.engine = "1.5 MPFI DOHC";
    h.family = family;
    h.port = "COM1";
    h.baud = 8192;
    return h;
}

std::array<uint8_t, kGoodReplySize> replyBytes(int seed) {
    std::array<uint8_t, kGoodReplySize> bytes;
    for (int i = 0; i < kGoodReplySize; ++i)
        bytes[i] = static_cast<uint8_t>(seed * 31 + i * 7);
    return bytes;
}

// A small recording of every kind of record: two segments, good and failed
// polls, events and markers.
std::vector<uint8_t> sampleRecording(std::vector<Record>* written = nullptr) {
    MemoryFile file;
    RecordingWriter writer(file);
    EXPECT_EQ(writer.begin("a.mrec", header("Espero", 1), 0), FileError::None);
    std::vector<Record> records;
    auto add = [&](Record r) {
        writer.write(r, 0);
        records.push_back(r);
    };
    Record r;
    r.type = RecordType::LinkStart;
    r.timeMs = 0;
    add(r);
    for (int i = 0; i < 6; ++i) {
        Record p;
        p.type = RecordType::Poll;
        p.timeMs = 120 * i;
        p.outcome = i == 3 ? PollOutcome::NoAnswer : PollOutcome::GoodReply;
        p.received = i == 3 ? 4 : kGoodReplySize;
        p.hasReply = i != 3;
        if (p.hasReply) p.reply = replyBytes(i);
        add(p);
    }
    Record m;
    m.type = RecordType::Marker;
    m.timeMs = 700;
    m.number = 1;
    m.text = "рывок";
    add(m);
    Record c;
    c.type = RecordType::Command;
    c.timeMs = 710;
    c.verdict = recfile::CommandVerdict::Rejected;
    c.frame = {0xF4, 0x57, 0x01, 0x00, 0xB4};
    add(c);
    Record code;
    code.type = RecordType::CodeAppeared;
    code.timeMs = 720;
    code.errorByte = 2;
    code.bit = 6;
    add(code);
    Record seg;
    seg.type = RecordType::SegmentHeader;
    seg.timeMs = 800;
    seg.header = header("Nexia", 3);
    add(seg);
    Record p;
    p.type = RecordType::Poll;
    p.timeMs = 900;
    p.outcome = PollOutcome::GoodReply;
    p.received = kGoodReplySize;
    p.hasReply = true;
    p.reply = replyBytes(9);
    add(p);
    Record t;
    t.type = RecordType::MarkerText;
    t.timeMs = 950;
    t.number = 1;
    t.text = "рывок на 3-й";
    add(t);
    EXPECT_EQ(writer.finish(0), FileError::None);
    if (written) *written = records;
    return file.flushed;
}

void expectSame(const Record& a, const Record& b) {
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.timeMs, b.timeMs);
    if (a.type == RecordType::Poll) {
        EXPECT_EQ(a.outcome, b.outcome);
        EXPECT_EQ(a.received, b.received);
        EXPECT_EQ(a.hasReply, b.hasReply);
        if (a.hasReply) {
            EXPECT_EQ(a.reply, b.reply);
        }
    }
    EXPECT_EQ(a.frame, b.frame);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.number, b.number);
    EXPECT_EQ(a.errorByte, b.errorByte);
    EXPECT_EQ(a.bit, b.bit);
    EXPECT_EQ(a.verdict, b.verdict);
    EXPECT_EQ(a.header.car, b.header.car);
    EXPECT_EQ(a.header.family, b.header.family);
}

TEST(RecordingFile, ReadsBackWhatWasWrittenWithItsIndex) {
    std::vector<Record> written;
    RecordingReader reader;
    ASSERT_EQ(reader.openBytes(sampleRecording(&written)), ReadStatus::Ok);
    EXPECT_FALSE(reader.truncatedTail());
    EXPECT_EQ(reader.message(), nullptr);
    ASSERT_EQ(reader.recordCount(), written.size() + 1);
    Record first;
    ASSERT_TRUE(reader.record(0, first));
    EXPECT_EQ(first.header.formatVersion, 1);
    EXPECT_EQ(first.header.programVersion, "1.0");
    EXPECT_EQ(first.header.startDateTime, "2026-12-09T21:44:48.250+03:00");
    EXPECT_EQ(first.header.engine, "1.5 MPFI DOHC");
    EXPECT_EQ(first.header.port, "COM1");
    EXPECT_EQ(first.header.baud, 8192);
    for (std::size_t i = 0; i < written.size(); ++i) {
        Record r;
        ASSERT_TRUE(reader.record(i + 1, r));
        expectSame(r, written[i]);
    }
    ASSERT_EQ(reader.segments().size(), 2u);
    EXPECT_EQ(reader.segments()[1].header.car, "Nexia");
    EXPECT_EQ(reader.segmentOf(5), 0u);
    EXPECT_EQ(reader.segmentOf(reader.recordCount() - 1), 1u);
    EXPECT_EQ(reader.pollCount(), 7u);
    EXPECT_EQ(reader.events().size(), 5u);
    ASSERT_EQ(reader.markers().size(), 1u);
    EXPECT_EQ(reader.markers()[0].text, "рывок на 3-й"); // the later text wins
    EXPECT_EQ(reader.durationMs(), 950u);

    // Seeking: the last poll at or before the time.
    EXPECT_EQ(reader.seekPoll(0), 0u);
    EXPECT_EQ(reader.seekPoll(359), 2u);
    EXPECT_EQ(reader.seekPoll(360), 3u);
    EXPECT_EQ(reader.seekPoll(100000), 6u);
    EXPECT_EQ(reader.type(reader.seekRecord(700)), RecordType::Marker);
    EXPECT_EQ(reader.seekRecord(701), reader.seekRecord(700) + 1);
    EXPECT_EQ(reader.seekRecord(951), reader.recordCount());
}

TEST(RecordingFile, ACutFileYieldsEveryRecordBeforeTheCut) {
    std::vector<Record> written;
    const std::vector<uint8_t> whole = sampleRecording(&written);
    RecordingReader full;
    full.openBytes(whole);
    // Where each record ends.
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= full.recordCount(); ++i) {
        RecordingReader probe;
        for (std::size_t cut = 8; cut <= whole.size(); ++cut) {
            probe.openBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
            if (probe.recordCount() == i) {
                ends.push_back(cut);
                break;
            }
        }
    }
    ASSERT_EQ(ends.size(), full.recordCount());
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        RecordingReader reader;
        const ReadStatus status =
            reader.openBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
        if (cut < 8) {
            EXPECT_EQ(status, ReadStatus::NotRecording) << cut;
            continue;
        }
        EXPECT_EQ(status, ReadStatus::Ok) << "cut at " << cut;
        std::size_t complete = 0;
        while (complete < ends.size() && ends[complete] <= cut)
            ++complete;
        ASSERT_EQ(reader.recordCount(), complete) << "cut at " << cut;
        EXPECT_EQ(reader.truncatedTail(),
                  cut != 8 && cut != whole.size() &&
                      std::find(ends.begin(), ends.end(), cut) == ends.end())
            << cut;
        for (std::size_t i = 1; i < complete; ++i) {
            Record r;
            ASSERT_TRUE(reader.record(i, r));
            expectSame(r, written[i - 1]);
        }
    }
}

TEST(RecordingFile, RandomDamageGivesThePrefixOrAClearStatus) {
    const std::vector<uint8_t> whole = sampleRecording();
    RecordingReader intact;
    intact.openBytes(whole);
    std::mt19937 random(12);
    int damaged = 0;
    for (int round = 0; round < 12000; ++round) {
        std::vector<uint8_t> bytes = whole;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes; ++c) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0:
                bytes[at] = static_cast<uint8_t>(random());
                break;
            case 1:
                bytes[at] ^= static_cast<uint8_t>(1u << (random() % 8));
                break;
            case 2:
                bytes.erase(bytes.begin() + at);
                break;
            default:
                bytes.insert(bytes.begin() + at, static_cast<uint8_t>(random()));
                break;
            }
            if (bytes.empty()) bytes.push_back(0);
        }
        RecordingReader reader;
        const ReadStatus status = reader.openBytes(bytes);
        if (status != ReadStatus::Ok) {
            ASSERT_NE(reader.message(), nullptr);
            ++damaged;
        }
        // Whatever is read is a prefix of the intact recording.
        ASSERT_LE(reader.recordCount(), intact.recordCount());
        for (std::size_t i = 0; i < reader.recordCount(); ++i) {
            Record r, original;
            ASSERT_TRUE(reader.record(i, r));
            ASSERT_TRUE(intact.record(i, original));
            ASSERT_EQ(r.type, original.type) << round;
            ASSERT_EQ(r.timeMs, original.timeMs) << round;
            ASSERT_EQ(r.reply, original.reply) << round;
        }
        reader.seekPoll(static_cast<uint32_t>(random()));
    }
    EXPECT_GT(damaged, 10000);
}

TEST(RecordingFile, GarbageAndStrangersAreTurnedAway) {
    RecordingReader reader;
    EXPECT_EQ(reader.open("/nonexistent/x.mrec"), ReadStatus::CannotOpen);
    EXPECT_STREQ(reader.message(), "Не удалось открыть файл записи.");
    EXPECT_EQ(reader.openBytes({'P', 'K', 3, 4}), ReadStatus::NotRecording);
    std::vector<uint8_t> bytes = sampleRecording();
    // A record of a later format version.
    MemoryFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader later = header("Espero", 1);
    later.formatVersion = recfile::kFormatVersion + 1;
    writer.begin("b.mrec", later, 0);
    writer.finish(0);
    EXPECT_EQ(reader.openBytes(file.flushed), ReadStatus::NewerFormat);
    EXPECT_EQ(reader.recordCount(), 0u);
    // Random bytes after a good signature.
    std::mt19937 random(3);
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> junk(bytes.begin(), bytes.begin() + 8);
        const std::size_t n = random() % 300;
        for (std::size_t i = 0; i < n; ++i)
            junk.push_back(static_cast<uint8_t>(random()));
        if (n > 0 && random() % 2) junk[8] = recfile::kSync;
        reader.openBytes(junk);
        EXPECT_EQ(reader.pollCount(), 0u);
    }
}

TEST(RecordingFile, WriterFlushesEverySecondAndAtMarkersAndStopsAtTheFirstDiskError) {
    MemoryFile file;
    RecordingWriter writer(file);
    ASSERT_EQ(writer.begin("a.mrec", header("Espero", 1), 1000), FileError::None);
    const std::size_t afterHeader = file.flushed.size();
    uint8_t buffer[kReplyBufferSize] = {};
    writer.poll(0, PollOutcome::GoodReply, kGoodReplySize, buffer, 1500);
    writer.tick(1999);
    EXPECT_EQ(file.flushed.size(), afterHeader);
    writer.tick(2000);
    EXPECT_GT(file.flushed.size(), afterHeader);
    const std::size_t afterPoll = file.flushed.size();
    Record mark;
    mark.type = RecordType::Marker;
    mark.number = 1;
    writer.write(mark, 2001);
    EXPECT_GT(file.flushed.size(), afterPoll);

    file.room = file.written.size() + 20;
    writer.poll(10, PollOutcome::GoodReply, kGoodReplySize, buffer, 2100);
    writer.flush(2100);
    EXPECT_EQ(writer.error(), FileError::NoSpace);
    EXPECT_STREQ(StopMessage(writer.error()), "Запись остановлена: нет места на диске.");
    const int appends = file.appends;
    writer.poll(20, PollOutcome::GoodReply, kGoodReplySize, buffer, 4000);
    writer.tick(5000);
    EXPECT_EQ(file.appends, appends);
    EXPECT_EQ(writer.finish(6000), FileError::NoSpace);
    // What was written before the disk filled up is readable; the torn tail is not an error.
    RecordingReader reader;
    EXPECT_EQ(reader.openBytes(file.written), ReadStatus::Ok);
    EXPECT_EQ(reader.pollCount(), 1u);
    EXPECT_EQ(reader.markers().size(), 1u);

    MemoryFile taken;
    taken.existing.insert("a.mrec");
    RecordingWriter second(taken);
    EXPECT_EQ(second.begin("a.mrec", header("Espero", 1), 0), FileError::Exists);
    taken.refuseCreate = FileError::NoPermission;
    EXPECT_EQ(second.begin("b.mrec", header("Espero", 1), 0), FileError::NoPermission);
    EXPECT_STREQ(StopMessage(FileError::NoPermission),
                 "Запись остановлена: нет прав на запись в папку.");
}

TEST(RecordingFile, StdioFileNeverOverwrites) {
    const std::string path = std::string(MOTOSKOP_BINARY_DIR) + "/record_file_test.mrec";
    std::remove(path.c_str());
    StdioRecordFile file;
    ASSERT_EQ(file.create(path), FileError::None);
    const uint8_t bytes[] = {1, 2, 3};
    EXPECT_EQ(file.append(bytes, 3), FileError::None);
    EXPECT_EQ(file.flush(), FileError::None);
    file.close();
    StdioRecordFile again;
    EXPECT_EQ(again.create(path), FileError::Exists);
    EXPECT_EQ(again.create("/proc/no-such-place/x.mrec") == FileError::None, false);
    std::remove(path.c_str());
}

TEST(RecordingName, CarryTheStartAndOnlyCharactersWindowsAllows) {
    LocalTime start;
    ASSERT_TRUE(ParseIso("2026-03-01T07:05:09.000+03:00", start));
    EXPECT_EQ(RecordingFileName("Espero", "1.5 MPFI DOHC", start),
              "Espero_1.5 MPFI DOHC_2026-03-01_07-05-09.mrec");
    EXPECT_EQ(SanitiseFileNamePart("A<b>:c\"d/e\\f|g?h*i\tj."), "A-b--c-d-e-f-g-h-i-j");
    EXPECT_EQ(SanitiseFileNamePart("Нексия "), "Нексия");
    EXPECT_EQ(SanitiseFileNamePart(""), "-");
    EXPECT_EQ(RecordingFileNameTry("x/a_b.mrec", 2), "x/a_b (2).mrec");
    EXPECT_EQ(RecordingFileNameTry("x/a_b.mrec", 1), "x/a_b.mrec");
}

TEST(RecordingName, IsoTimesRoundTripAcrossDaysAndOffsets) {
    LocalTime t;
    ASSERT_TRUE(ParseIso("2024-02-28T23:59:59.900-05:30", t));
    EXPECT_EQ(FormatIso(Later(t, 100)), "2024-02-29T00:00:00.000-05:30");
    EXPECT_EQ(FormatIso(Later(t, 86400000LL + 100)), "2024-03-01T00:00:00.000-05:30");
    EXPECT_EQ(FormatIso(LocalTimeAt(0, 180)), "1970-01-01T03:00:00.000+03:00");
    ASSERT_TRUE(ParseIso("2026-12-09T18:44:48Z", t));
    EXPECT_EQ(FormatIso(t), "2026-12-09T18:44:48.000+00:00");
    for (const char* bad : {"", "2026-12-09", "2026-13-09T18:44:48Z", "2026-12-09T18:44:48",
                            "2026-12-09T18:44:48+3:00", "2026-12-09T18:44:48Zjunk"})
        EXPECT_FALSE(ParseIso(bad, t)) << bad;
}

} // namespace

#include "record/MarkerTexts.h"
#include "record/RecordAppend.h"

namespace {

TEST(RecordingFile, AMarkerGetsItsTextLaterAtTheEndOfTheFile) {
    const std::string path = std::string(MOTOSKOP_BINARY_DIR) + "/record_marker_text.mrec";
    std::remove(path.c_str());
    const std::vector<uint8_t> whole = sampleRecording();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(whole.data(), 1, whole.size(), f);
    std::fclose(f);
    RecordingReader reader;
    ASSERT_EQ(reader.open(path), ReadStatus::Ok);
    StdioRecordFile file;
    ASSERT_EQ(AppendMarkerText(file, path, reader, 1, "свеча"), FileError::None);
    ASSERT_EQ(reader.open(path), ReadStatus::Ok);
    EXPECT_EQ(reader.markers()[0].text, "свеча");
    EXPECT_EQ(reader.validBytes(), whole.size() + 8 + 4 + 2 + std::string("свеча").size());
    // A visit typed after the recording goes the same way.
    recfile::Visit visit;
    visit.plate = "Х777ХХ";
    ASSERT_EQ(AppendVisit(file, path, reader, visit), FileError::None);
    ASSERT_EQ(reader.open(path), ReadStatus::Ok);
    EXPECT_EQ(reader.visit(), visit);
    EXPECT_EQ(reader.markers()[0].text, "свеча");

    // A torn end is not written after.
    f = std::fopen(path.c_str(), "ab");
    std::fputc(0xA5, f);
    std::fclose(f);
    ASSERT_EQ(reader.open(path), ReadStatus::Ok);
    EXPECT_EQ(AppendMarkerText(file, path, reader, 1, "x"), FileError::Other);
    EXPECT_STREQ(FileErrorText(FileError::Other, FileSituation::MarkerText),
                 "Текст метки не сохранён: файл записи повреждён или недоступен.");
    EXPECT_STREQ(FileErrorText(FileError::NoSpace, FileSituation::VisitAdded),
                 "Данные визита не сохранены: нет места на диске.");
    std::remove(path.c_str());
}

} // namespace

#include "record/Crc32.h"

namespace {

// A frame as a later version could write one: any type, any payload, its CRC good or not.
std::vector<uint8_t> rawFrame(uint8_t type, std::vector<uint8_t> payload, bool goodCrc = true) {
    std::vector<uint8_t> f = {recfile::kSync, type, static_cast<uint8_t>(payload.size()),
                              static_cast<uint8_t>(payload.size() >> 8)};
    f.insert(f.end(), payload.begin(), payload.end());
    uint32_t crc = Crc32(f.data() + 1, f.size() - 1) ^ (goodCrc ? 0u : 1u);
    for (int k = 0; k < 4; ++k)
        f.push_back(static_cast<uint8_t>(crc >> (8 * k)));
    return f;
}

recfile::Visit visitOf(const std::string& plate, const std::string& vin, uint32_t km,
                       const std::string& complaint, const std::string& work) {
    recfile::Visit v;
    v.plate = plate;
    v.vin = vin;
    v.odometerKm = km;
    v.complaint = complaint;
    v.workDone = work;
    return v;
}

TEST(RecordingFile, TheFormatPagesExampleIsWhatAVersionOneFileHolds) {
    // docs/recording-format.md, "Example": a file without a visit or adapter is what
    // the first version wrote, byte for byte.
    const char* hex = "4d534b5245430d0aa5017a0000000000666f726d61743d310a70726f6772616d"
                      "3d312e300a73746172743d323032362d31322d30395432313a34343a34382e32"
                      "35302b30333a30300a6361723d45737065726f0a656e67696e653d312e35204d"
                      "50464920444f48430a66616d696c793d310a706f72743d434f4d310a62617564"
                      "3d383230300a7d291f2aa50206007800000001045b4f97f7a50a070082000000"
                      "01004db739ef86";
    std::vector<uint8_t> expected;
    for (const char* p = hex; p[0] && p[1]; p += 2)
        expected.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
    std::vector<uint8_t> bytes(std::begin(recfile::kSignature), std::end(recfile::kSignature));
    Record h;
    h.type = RecordType::SegmentHeader;
    h.header = header("Espero", 1);
    h.header.baud = 8200;
    h.header.startDateTime = "2026-12-09T21:44:48.250+03:00";
    recfile::EncodeRecord(h, bytes);
    Record p;
    p.timeMs = 120;
    p.outcome = PollOutcome::NoAnswer;
    p.received = 4;
    recfile::EncodeRecord(p, bytes);
    Record m;
    m.type = RecordType::Marker;
    m.timeMs = 130;
    m.number = 1;
    m.text = "M";
    recfile::EncodeRecord(m, bytes);
    EXPECT_EQ(bytes, expected);
}

TEST(RecordingFile, VisitsComeBackCutToTheirLimitsAndTheLastOneWins) {
    const std::string longPlate(40, 'X');
    std::string longComplaint;
    while (longComplaint.size() < 1100)
        longComplaint += "стук ";
    struct Case {
        const char* name;
        std::vector<recfile::Visit> written;
        recfile::Visit read;
    };
    const recfile::Visit full = visitOf("А123ВС 77", "XWB3D31UD8A123456", 123456,
                                        "Плавают обороты\nна холодную", "Замена ДПДЗ");
    const Case cases[] = {
        {"every field",         {full}, full },
        {     "no odometer, only a plate",
         {visitOf("А123ВС77", "", recfile::kNoOdometer, "", "")},
         visitOf("А123ВС77",                                                                         "", recfile::kNoOdometer, "", "")},
        {           "too long: cut, never inside a letter",
         {visitOf(longPlate, "", 9999999, longComplaint, "")},
         visitOf(longPlate.substr(0,                                                                    recfile::kMaxPlate), "", 9999999, longComplaint.substr(0, 999),
         "")}, // "стук " is 9 bytes: 1000 splits a letter
        { "the last of three wins",
         {visitOf("A1", "", 1, "", ""), full, visitOf("B2", "", 2, "", "")},
         visitOf("B2",                                                               "", 2, "", "")},
        {   "an odometer past its limit reads as none",
         {visitOf("", "", 10000000, "", "x")},
         visitOf("","", recfile::kNoOdometer, "", "x")},
    };
    for (const Case& c : cases) {
        MemoryFile file;
        RecordingWriter writer(file);
        ASSERT_EQ(writer.begin("v.mrec", header("Espero", 1), 0), FileError::None);
        uint8_t buffer[kReplyBufferSize] = {};
        for (std::size_t k = 0; k < c.written.size(); ++k) {
            writer.poll(100 * uint32_t(k), PollOutcome::GoodReply, kGoodReplySize, buffer, 0);
            Record v;
            v.type = RecordType::Visit;
            v.timeMs = 100 * uint32_t(k) + 50;
            v.visit = c.written[k];
            writer.write(v, 0);
        }
        writer.finish(0);
        RecordingReader reader;
        ASSERT_EQ(reader.openBytes(file.flushed), ReadStatus::Ok) << c.name;
        EXPECT_TRUE(reader.hasVisit()) << c.name;
        EXPECT_EQ(reader.visit(), c.read) << c.name;
        // Not in the timeline: the polls and events are what they would be without it.
        EXPECT_EQ(reader.recordCount(), 1 + c.written.size()) << c.name;
        EXPECT_TRUE(reader.events().empty()) << c.name;
    }
}

TEST(RecordingFile, ARecordOfAnUnknownTypeIsSkippedWhenWholeAndDamageWhenNot) {
    const std::vector<uint8_t> whole = sampleRecording();
    RecordingReader intact;
    ASSERT_EQ(intact.openBytes(whole), ReadStatus::Ok);
    const std::vector<uint8_t> later = {0x10, 0, 0, 0, 'n', 'e', 'w'};
    std::vector<uint8_t> badVisit = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 5, 0}; // text past the end
    struct Case {
        const char* name;
        std::vector<uint8_t> frame;
        bool atStart; // before the first header, else after it
        ReadStatus status;
        std::size_t records; // read
        std::size_t skipped;
    };
    const std::size_t all = intact.recordCount();
    const Case cases[] = {
        {"type 13, good CRC",       rawFrame(13,      later),                              false,     ReadStatus::Ok, all,                    1     },
        {"type 255, empty payload", rawFrame(255,     {}),                                 false,     ReadStatus::Ok, all,                    1     },
        {"type 0",                  rawFrame(0,       later),                              false,     ReadStatus::Ok, all,                    1     },
        {"type 13, bad CRC",        rawFrame(13,      later,                               false),    false,          ReadStatus::Damaged,    1,      0},
        {"a known type whose payload does not fit",                         rawFrame(12, badVisit), false,
         ReadStatus::Damaged,          1,                                                                                                                 0                                                                                                            },
        {"type 13 before the first header",                         rawFrame(13,         later),         true,    ReadStatus::NotRecording,      0,
         0},
    };
    for (const Case& c : cases) {
        // Put in after the signature, or after the first header.
        RecordingReader probe;
        probe.openBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + 8));
        std::size_t at = 8;
        if (!c.atStart) {
            Record first;
            std::size_t next = 0;
            recfile::DecodeRecord(whole.data(), whole.size(), 8, first, next);
            at = next;
        }
        std::vector<uint8_t> bytes = whole;
        bytes.insert(bytes.begin() + long(at), c.frame.begin(), c.frame.end());
        RecordingReader reader;
        EXPECT_EQ(reader.openBytes(bytes), c.status) << c.name;
        EXPECT_EQ(reader.recordCount(), c.records) << c.name;
        EXPECT_EQ(reader.skippedRecords(), c.skipped) << c.name;
        if (c.status == ReadStatus::Ok) {
            EXPECT_EQ(reader.pollCount(), intact.pollCount()) << c.name;
            EXPECT_EQ(reader.validBytes(), bytes.size()) << c.name;
        }
    }
    // The last record, of a later type, cut short: a torn end, not damage.
    std::vector<uint8_t> torn = whole;
    const std::vector<uint8_t> frame = rawFrame(13, later);
    torn.insert(torn.end(), frame.begin(), frame.end() - 3);
    RecordingReader reader;
    EXPECT_EQ(reader.openBytes(torn), ReadStatus::Ok);
    EXPECT_TRUE(reader.truncatedTail());
}

} // namespace
