// «Автомобиль и визит» from the main window's "Визит": what is typed is kept for the
// session and goes into the recordings (right after the header, again when changed
// while recording, and at the end), the workshop's name into the registry; an odometer
// that is no number keeps the window open with everything typed; a VIN that looks wrong
// is only warned of.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/RecordControl_win32.h"
#include "app/TForm1.h"
#include "platform/TextConversion.h"
#include "platform/Win32Registry.h"
#include "record/RecordFile_win32.h"
#include "record/RecordingFolder_win32.h"
#include "record/RecordingReader.h"
#include "record/SameVehicle.h"
#include "settings/ReportSettings.h"
#include "tests/win/ProgramDriver.h"

using namespace program_driver;

namespace {

// A fresh folder under the temp folder; Wine repeats process ids, the clock tells runs apart.
std::string NewFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = Narrow(temp) + "motoskop-visit-" + std::to_string(GetTickCount64());
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    return folder;
}

void Type(TFormVisit& w, const char* plate, const char* vin, const char* km, const char* workshop) {
    w.PlateEdit.setText(plate);
    w.VinEdit.setText(vin);
    w.OdometerEdit.setText(km);
    w.ComplaintEdit.setText("Плавают обороты\r\nна холодную");
    w.WorkDoneEdit.setText("Замена ДПДЗ");
    w.WorkshopEdit.setText(workshop);
}

TEST(ProgramVisit, TypedOnceItGoesIntoTheRecordingAndTheWorkshopIntoTheRegistry) {
    TForm1& f = Main();
    RecordControl& rec = *f.recordControl;
    Click(f, rec.VisitButton);
    TFormVisit* w = rec.visitWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(f.isEnabled()); // the main window waits for it

    Type(*w, "а123вс 77", "XWB3D31UD8A12345", "12 тыс", "СТО «Мотор»");
    EXPECT_NE(w->VinWarning.text().find("введено 16"), std::string::npos) << w->VinWarning.text();
    Click(*w, w->OkButton); // the odometer is no number: the window stays, all kept
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->MessageLabel.text(), "Пробег: только цифры, в километрах.");
    EXPECT_EQ(w->PlateEdit.text(), "а123вс 77");
    w->OdometerEdit.setText("123 456");
    Click(*w, w->OkButton); // the odd VIN is taken as typed
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(rec.visit().odometerKm, 123456u);
    EXPECT_EQ(rec.visit().complaint, "Плавают обороты\nна холодную");
    Win32Registry registry;
    EXPECT_EQ(LoadWorkshopName(registry), "СТО «Мотор»");

    // Into a recording; typed again while it runs.
    const std::string folder = NewFolder();
    ASSERT_TRUE(Connect(f));
    ASSERT_TRUE(rec.start(folder + "\\first.mrec"));
    PumpFor(600);
    Click(f, rec.VisitButton);
    w = rec.visitWindow();
    EXPECT_EQ(w->OdometerEdit.text(), "123 456"); // what the session holds
    EXPECT_EQ(w->WorkshopEdit.text(), "СТО «Мотор»");
    w->PlateEdit.setText("В456ОР99");
    Click(*w, w->OkButton);
    PumpFor(600);
    rec.stop();
    Disconnect(f);

    RecordingReader reader;
    ASSERT_EQ(OpenRecording(reader, folder + "\\first.mrec"), ReadStatus::Ok);
    EXPECT_EQ(reader.segments()[0].header.formatVersion, 2);
    EXPECT_EQ(reader.segments()[0].header.adapter, "unknown"); // Wine's COM1 is no USB adapter
    EXPECT_EQ(reader.visit().plate, "В456ОР99");
    EXPECT_EQ(reader.visit().vin, "XWB3D31UD8A12345");
    // The file's head and tail say so too, through the program's folder reader.
    Win32RecordingFolder disk;
    const auto found = SameVehicleRecordings(disk, folder, "B456OP99", "", "");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].visit.odometerKm, 123456u);
}

} // namespace
