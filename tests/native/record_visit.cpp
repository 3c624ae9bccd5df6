// The vehicle and visit: what the dialog's texts become, the soft check of a VIN, and
// the other recordings of the same vehicle found in a folder from their heads and tails.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "record/RecordAppend.h"
#include "record/RecordingReader.h"
#include "record/RecordingWriter.h"
#include "record/SameVehicle.h"
#include "record/VisitFields.h"
#include "tests/native/record_fixture.h"

namespace {

TEST(VisitFields, TextsBecomeAVisitAndOddVinsAreOnlyWarnedOf) {
    struct Case {
        const char* name;
        VisitTexts typed;
        bool taken;
        recfile::Visit visit; // when taken
        bool vinWarned;
    };
    auto visit = [](const char* plate, const char* vin, uint32_t km, const char* complaint) {
        recfile::Visit v;
        v.plate = plate;
        v.vin = vin;
        v.odometerKm = km;
        v.complaint = complaint;
        return v;
    };
    const Case cases[] = {
        {"as a technician types it",
         {" а123вс 77 ", "xwb3d31ud8a123456", "123 456", "стук\r\nпри пуске\r\n", ""},
         true,                                                 visit("а123вс 77","XWB3D31UD8A123456",123456, "стук\nпри пуске"),
         false},
        {"nothing", {},                                                                                       true,                                              visit("","",recfile::kNoOdometer, ""), false},
        {"a VIN of 16",
         {"", "XWB3D31UD8A12345", "", "", ""},
         true,visit("","XWB3D31UD8A12345",recfile::kNoOdometer, ""),
         true},
        {"a VIN with an O",
         {"", "XWB3D31UD8AO23456", "", "", ""},
         true,                                                 visit("", "XWB3D31UD8AO23456", recfile::kNoOdometer, ""),
         true},
        {"a VIN in Russian letters",
         {"", "ХWB3D31UD8A123456", "", "", ""},
         true,                                               visit("","ХWB3D31UD8A123456",recfile::kNoOdometer, ""),
         true},
        {"odometer with letters",                       {"", "", "12 тыс", "", ""},                                                              false,{},false},
        {"odometer too far",      {"", "", "10 000 000", "", ""},                                                      false,                                                 {},false},
    };
    for (const Case& c : cases) {
        recfile::Visit v;
        std::string why;
        EXPECT_EQ(VisitFromTexts(c.typed, v, why), c.taken) << c.name;
        EXPECT_EQ(why.empty(), c.taken) << c.name;
        if (c.taken) {
            EXPECT_EQ(v, c.visit) << c.name;
        }
        EXPECT_EQ(!VinWarning(c.typed.vin).empty(), c.vinWarned) << c.name;
    }
    // Back into the dialog as it shows them.
    const VisitTexts shown = TextsOfVisit(visit("A1", "", 1234567, "a\nb"));
    EXPECT_EQ(shown.odometer, "1 234 567");
    EXPECT_EQ(shown.complaint, "a\r\nb");
}

TEST(VisitFields, PlatesAreOneWhateverTheCaseBlanksAndLookAlikeLetters) {
    EXPECT_EQ(PlateKey("а 123 вс 77"), PlateKey("A123BC77"));
    EXPECT_EQ(PlateKey("Х777ХХ 199"), PlateKey("x777xx199"));
    EXPECT_EQ(PlateKey("АВЕКМНОРСТУХ"), "ABEKMHOPCTYX");
    EXPECT_NE(PlateKey("Д123БГ"), PlateKey("D123BG")); // no look-alikes: kept apart
    EXPECT_EQ(PlateKey("д123бг"), PlateKey("Д123БГ"));
    EXPECT_EQ(VinKey("xwb3d31 ud8a123456"), "XWB3D31UD8A123456");
}

// A recording with a visit at its start (or none), polls to make it long, and visits
// appended to its end.
void writeRecording(const std::string& path, const char* start, const char* plate, const char* vin,
                    int polls, std::vector<const char*> appendedPlates = {}) {
    StdioRecordFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader h;
    h.formatVersion = 2;
    h.startDateTime = start;
    h.car = "NEXIA";
    h.family = 1;
    ASSERT_EQ(writer.begin(path, h, 0), FileError::None);
    if (plate || vin) {
        recfile::Record v;
        v.type = recfile::RecordType::Visit;
        v.visit.plate = plate ? plate : "";
        v.visit.vin = vin ? vin : "";
        writer.write(v, 0);
    }
    uint8_t reply[kReplyBufferSize] = {};
    for (int k = 0; k < polls; ++k)
        writer.poll(uint32_t(k) * 125, PollOutcome::GoodReply, kGoodReplySize, reply, 0);
    writer.finish(0);
    for (const char* p : appendedPlates) {
        RecordingReader reader;
        ASSERT_EQ(reader.open(path), ReadStatus::Ok);
        recfile::Visit v;
        v.plate = p;
        ASSERT_EQ(AppendVisit(file, path, reader, v), FileError::None);
    }
}

// Counts the bytes asked for, to show only a head and a tail are read.
class CountingFolder : public HostRecordingFolder {
  public:
    std::size_t bytesRead = 0;
    bool readPart(const std::string& path, uint64_t offset, std::size_t size,
                  std::vector<uint8_t>& out, uint64_t& fileSize) override {
        const bool ok = HostRecordingFolder::readPart(path, offset, size, out, fileSize);
        bytesRead += out.size();
        return ok;
    }
};

TEST(SameVehicle, ListsTheRecordingsOfThePlateOrVinNewestFirstFromHeadsAndTails) {
    const std::filesystem::path folder =
        std::filesystem::path(MOTOSKOP_BINARY_DIR) / "same_vehicle_folder";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto at = [&](const char* name) { return (folder / name).string(); };
    // Two hours of polls: far more than a head and a tail.
    const int hours = 2 * 28800;
    writeRecording(at("a.mrec"), "2026-12-01T10:00:00.000+03:00", "А123ВС77", nullptr, 100);
    writeRecording(at("b.mrec"), "2026-12-09T09:00:00.000+03:00", "a 123 bc 77", nullptr, 100);
    writeRecording(at("c.mrec"), "2026-12-05T12:00:00.000+03:00", nullptr, "XWB3D31UD8A123456",
                   100);
    writeRecording(at("d.mrec"), "2026-12-07T08:00:00.000+03:00", "Х777ХХ77", nullptr, hours,
                   {"А123ВС77"}); // given its plate after a long recording
    writeRecording(at("e.mrec"), "2026-12-08T08:00:00.000+03:00", "А123ВС77", nullptr, 100,
                   {"В001ОР77"}); // its plate corrected afterwards: the last one wins
    writeRecording(at("f.mrec"), "2026-12-10T08:00:00.000+03:00", nullptr, nullptr, 100);
    writeRecording(at("now.mrec"), "2026-12-11T08:00:00.000+03:00", "А123ВС77", nullptr, 100);
    std::FILE* junk = std::fopen(at("g.mrec").c_str(), "wb");
    std::fputs("not a recording", junk);
    std::fclose(junk);

    struct Case {
        const char* plate;
        const char* vin;
        std::vector<const char*> found; // file names, newest first
    };
    const Case cases[] = {
        {"A123BC77",     "",                  {"b.mrec", "d.mrec", "a.mrec"}          },
        {"а123вс 77", "XWB3D31UD8A123456", {"b.mrec", "d.mrec", "c.mrec", "a.mrec"}},
        {"",             "xwb3d31ud8a123456", {"c.mrec"}                              },
        {"В001ОР77",  "",                  {"e.mrec"}                              },
        {"",             "",                  {}                                      },
    };
    for (const Case& c : cases) {
        CountingFolder disk;
        const std::vector<VehicleRecording> found =
            SameVehicleRecordings(disk, folder.string(), c.plate, c.vin, at("now.mrec"));
        std::vector<std::string> names;
        for (const VehicleRecording& r : found)
            names.push_back(std::filesystem::path(r.path).filename().string());
        EXPECT_EQ(names, std::vector<std::string>(c.found.begin(), c.found.end()))
            << c.plate << " " << c.vin;
        // Never more than a head and a tail of each of the 8 files.
        EXPECT_LE(disk.bytesRead, 8 * (kVisitHeadBytes + kVisitTailBytes)) << c.plate;
    }
    HostRecordingFolder disk;
    const auto found = SameVehicleRecordings(disk, folder.string(), "A123BC77", "", "");
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].date, "11.12.2026 08:00");
    EXPECT_EQ(found[0].car, "NEXIA");
    std::filesystem::remove_all(folder);
}

} // namespace
