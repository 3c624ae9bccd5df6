// The record control on the real main window, its link thread against the
// simulator on COM1: the "Запись" toggle, the lamp, the time and the file name,
// markers from the button and the keys, the file in a Documents folder of the
// test's own (MOTOSKOP_DOCUMENTS), and the failures: a folder that cannot be
// made, a disk that gives up while recording, a recording without replies.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/RecordControl_win32.h"
#include "app/TForm1.h"
#include "record/RecordFile_win32.h"
#include "record/RecordTexts.h"
#include "record/RecordingReader.h"
#include "tests/win/ProgramDriver.h"
#include "platform/TextConversion.h"

using namespace program_driver;
using recfile::RecordType;

namespace {

// A fresh Documents folder under the temp folder, named for this run; the
// recordings of a test go to <it>\MOTOSKOP\Записи.
std::string NewDocuments(const std::string& tag) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    // Wine gives every run the same few process ids: the clock tells runs apart.
    const std::string folder = Narrow(temp) + "motoskop-docs-" + tag + "-" +
                               std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(GetTickCount64());
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    SetEnvironmentVariableW(L"MOTOSKOP_DOCUMENTS", Widen(folder).c_str());
    return folder;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Widen(folder + "\\*.mrec").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do
        names.push_back(Narrow(found.cFileName));
    while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

int Count(const RecordingReader& reader, RecordType type) {
    int n = 0;
    for (std::size_t i = 0; i < reader.recordCount(); ++i)
        n += reader.type(i) == type;
    return n;
}

struct Messages {
    std::vector<std::string> shown;
    void attach(RecordControl& control) {
        control.ShowMessage = [this](const std::string& text) { shown.push_back(text); };
    }
    bool said(const char* text) const {
        for (const std::string& s : shown)
            if (s.rfind(text, 0) == 0) return true;
        return false;
    }
};

void Key(TForm1& f, WPARAM key, bool repeat = false) {
    SendMessageW(f.handle(), WM_KEYDOWN, key, repeat ? (1 << 30) | 1 : 1);
}

// A disk with room for what the first write of a file brings: then it is full.
class SmallDisk : public RecordFile {
  public:
    FileError create(const std::string&) override {
        appends_ = 0;
        return FileError::None;
    }
    FileError openAppend(const std::string&) override { return FileError::None; }
    FileError append(const uint8_t*, std::size_t) override {
        return ++appends_ == 1 ? FileError::None : FileError::NoSpace;
    }
    FileError flush() override { return FileError::None; }
    void close() override {}

  private:
    int appends_ = 0;
};

// A record control of its own on a window of its own, not tapping the link;
// never destroyed, as the program's own.
RecordControl& SpareControl(MainState& state, RecordFile* file) {
    auto* host = new ui::Form();
    host->create(nullptr, 800, 572, L"recording host");
    return *new RecordControl(*host, state, nullptr, file);
}

TEST(ProgramRecording, TheToggleRecordsTheLinkWithMarkersIntoDocuments) {
    TForm1& f = Main();
    RecordControl& rec = *f.recordControl;
    Messages messages;
    messages.attach(rec);
    const std::string docs = NewDocuments("toggle");
    EXPECT_EQ(RecordControl::RecordingsFolder(), docs + "\\MOTOSKOP\\Записи");
    EXPECT_FALSE(rec.MarkButton.enabled());
    EXPECT_FALSE(rec.Lamp.visible());
    Key(f, 'M'); // not recording: nothing happens
    ASSERT_TRUE(Connect(f));
    PumpFor(1500); // the minutes before fill

    Press(f, rec.RecordButton);
    EXPECT_EQ(rec.RecordButton.picture().handle(), rec.RecordFrames.frame(1).handle());
    Release(f, rec.RecordButton);
    ASSERT_TRUE(rec.recording()) << (messages.shown.empty() ? "" : messages.shown[0]);
    EXPECT_EQ(rec.RecordButton.picture().handle(), rec.RecordFrames.frame(2).handle());
    const std::vector<std::string> files = FilesIn(docs + "\\MOTOSKOP\\Записи");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(rec.path(), docs + "\\MOTOSKOP\\Записи\\" + files[0]);
    EXPECT_EQ(files[0].rfind("ESPERO_", 0), 0u) << files[0];
    EXPECT_TRUE(rec.Lamp.visible());
    EXPECT_TRUE(rec.MarkButton.enabled());
    EXPECT_TRUE(rec.Tick.enabled());
    EXPECT_EQ(rec.TimeLabel.text(), "00:00:00");
    EXPECT_FALSE(rec.NameLabel.text().empty());
    EXPECT_LE(rec.NameLabel.width(), 141); // shortened to fit the row
    // The time counts, the lamp blinks.
    HBITMAP lamp = rec.Lamp.picture().handle();
    EXPECT_TRUE(PumpUntil([&] { return rec.TimeLabel.text() == "00:00:01"; }, 2500));
    EXPECT_TRUE(PumpUntil([&] { return rec.Lamp.picture().handle() != lamp; }, 1000));

    // Markers: the button, M, the space bar; a held key gives no second one.
    Click(f, rec.MarkButton);
    EXPECT_EQ(rec.NameLabel.text(), "метка 1");
    Key(f, 'M');
    Key(f, 'M', true);
    Key(f, VK_SPACE);
    EXPECT_EQ(rec.NameLabel.text(), "метка 3");
    f.state.requests.clearCodesRequested = 1; // the codes window's "Сброс"
    PumpUntil([&] { return f.state.requests.clearCodesRequested.load() == 0; }, 2000);
    PumpFor(600);

    Click(f, rec.RecordButton); // stop
    EXPECT_FALSE(rec.recording());
    EXPECT_EQ(rec.RecordButton.picture().handle(), rec.RecordFrames.frame(0).handle());
    EXPECT_FALSE(rec.Lamp.visible());
    EXPECT_FALSE(rec.MarkButton.enabled());
    EXPECT_FALSE(rec.Tick.enabled());
    EXPECT_TRUE(messages.shown.empty()) << messages.shown[0];
    Disconnect(f);

    RecordingReader reader;
    ASSERT_EQ(OpenRecording(reader, rec.path()), ReadStatus::Ok);
    EXPECT_GE(reader.pollCount(), 10u);
    ASSERT_EQ(reader.markers().size(), 3u);
    EXPECT_EQ(Count(reader, RecordType::RecordStart), 1);
    EXPECT_EQ(Count(reader, RecordType::ClearCodes), 1);
    // The replies from before the press come first.
    const std::size_t started = reader.seekRecord(0);
    std::size_t startAt = 0;
    for (std::size_t i = started; i < reader.recordCount(); ++i)
        if (reader.type(i) == RecordType::RecordStart) startAt = i;
    EXPECT_GT(reader.timeMs(startAt), 1000u);
    EXPECT_LT(reader.timeMs(reader.pollRecord(0)), 200u);
    EXPECT_EQ(reader.segments().size(), 1u);
    EXPECT_EQ(reader.segments()[0].header.car, "ESPERO");
    EXPECT_EQ(reader.segments()[0].header.port, "COM1");
}

TEST(ProgramRecording, StartStopAndAChangeOfCarGoIntoTheTimelineAndANameIsNeverReused) {
    TForm1& f = Main();
    RecordControl& rec = *f.recordControl;
    Messages messages;
    messages.attach(rec);
    const std::string docs = NewDocuments("car");
    const std::string folder = docs + "\\MOTOSKOP\\Записи";
    ASSERT_TRUE(rec.start(folder + "\\same.mrec"));
    ASSERT_TRUE(Connect(f));
    PumpFor(500);
    Disconnect(f);
    Click(f, f.Image3); // the next car: a new segment
    PumpFor(300);
    rec.stop();
    EXPECT_TRUE(messages.shown.empty());

    ASSERT_TRUE(rec.start(folder + "\\same.mrec"));
    EXPECT_EQ(rec.path(), folder + "\\same (2).mrec");
    rec.stop();
    EXPECT_TRUE(messages.shown.empty()); // the minutes before hold replies

    RecordingReader reader;
    ASSERT_EQ(OpenRecording(reader, folder + "\\same.mrec"), ReadStatus::Ok);
    EXPECT_EQ(Count(reader, RecordType::LinkStart), 1);
    EXPECT_EQ(Count(reader, RecordType::LinkStop), 1);
    ASSERT_EQ(reader.segments().size(), 2u);
    EXPECT_EQ(reader.segments()[0].header.car, "ESPERO");
    EXPECT_EQ(reader.segments()[1].header.car, f.Label2.text());
    EXPECT_NE(reader.segments()[1].header.car, "ESPERO");
    EXPECT_EQ(FilesIn(folder).size(), 2u);
}

TEST(ProgramRecording, AFolderThatCannotBeMadeIsToldAndTheLinkGoesOn) {
    TForm1& f = Main();
    RecordControl& rec = *f.recordControl;
    Messages messages;
    messages.attach(rec);
    // A file where the MOTOSKOP folder should be.
    const std::string docs = NewDocuments("blocked");
    HANDLE blocker = CreateFileW(Widen(docs + "\\MOTOSKOP").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
    CloseHandle(blocker);

    ASSERT_TRUE(Connect(f));
    Click(f, rec.RecordButton);
    EXPECT_FALSE(rec.recording());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.said(rectext::kCannotCreateFolder)) << messages.shown[0];
    EXPECT_NE(messages.shown[0].find(docs), std::string::npos); // names the folder
    EXPECT_EQ(rec.RecordButton.picture().handle(), rec.RecordFrames.frame(0).handle());
    NewFrames polls("rx F4 56 01 B5");
    EXPECT_TRUE(PumpUntil([&] { return polls.count() >= 3; }, 3000));
    EXPECT_EQ(f.connectState, 1);
    Disconnect(f);
}

TEST(ProgramRecording, ADiskThatGivesUpStopsTheRecordingLoudlyAndTheLinkGoesOn) {
    TForm1& f = Main();
    static SmallDisk disk;
    RecordControl& rec = SpareControl(f.state, &disk);
    Messages messages;
    messages.attach(rec);
    NewDocuments("full");
    ASSERT_TRUE(Connect(f));
    ASSERT_TRUE(rec.start());
    PumpFor(1500); // the first write has gone to the disk
    rec.marker();  // and the next one fills it
    EXPECT_TRUE(PumpUntil([&] { return !rec.recording(); }, 4000));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.said(rectext::kStoppedNoSpace)) << messages.shown[0];
    EXPECT_EQ(rec.NameLabel.colour(), RGB(255, 90, 70));
    EXPECT_FALSE(rec.Lamp.visible());
    EXPECT_FALSE(rec.Tick.enabled());
    NewFrames polls("rx F4 56 01 B5");
    EXPECT_TRUE(PumpUntil([&] { return polls.count() >= 3; }, 3000));
    EXPECT_EQ(f.connectState, 1);
    Disconnect(f);
}

TEST(ProgramRecording, ARecordingWithoutASingleReplySaysSo) {
    TForm1& f = Main();
    RecordControl& rec = SpareControl(f.state, nullptr); // hears no link
    Messages messages;
    messages.attach(rec);
    NewDocuments("silent");
    ASSERT_TRUE(rec.start());
    PumpFor(300);
    rec.stop();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.said(rectext::kNoReplies)) << messages.shown[0];
    RecordingReader reader;
    EXPECT_EQ(OpenRecording(reader, rec.path()), ReadStatus::Ok); // what there is opens
    EXPECT_EQ(reader.pollCount(), 0u);
}

} // namespace
